#include "receipts/TfrmNumerazione.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/MsgBox.h"
#include "common/PictureButton.h"
#include "common/Placement.h"
#include "common/TextUtil.h"
#include "receipts/ReceiptSettings.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
constexpr int kMaxDigits = 5;
} // namespace

TfrmNumerazione::TfrmNumerazione(QWidget *parent) : QDialog(parent, Placement::kNoTitleButtons)
{
    setObjectName(QStringLiteral("TfrmNumerazione"));
    setWindowTitle(QStringLiteral("Impostazione inizio numerazione"));
    addCallerContextLabel(this);

    auto *picture =
        new PictureButton(QStringLiteral(":/pictures/numerazione_istruzioni.svg"), QSize(460, 130), this);
    picture->setObjectName(QStringLiteral("imgIstruzioni"));

    auto *group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
    group->setObjectName(QStringLiteral("grpInizio"));
    txtInizio = new QLineEdit(group);
    txtInizio->setObjectName(QStringLiteral("txtInizio"));
    txtInizio->setMaxLength(kMaxDigits);
    txtInizio->setAlignment(Qt::AlignCenter);
    txtInizio->setFixedWidth(120);
    QFont bold = txtInizio->font();
    bold.setBold(true);
    txtInizio->setFont(bold);
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->setContentsMargins(16, 14, 16, 12);
    groupLayout->addStretch(1);
    groupLayout->addWidget(txtInizio);
    groupLayout->addStretch(1);

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setAutoDefault(false);
    btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    btnApplica->setAutoDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnAnnulla);
    buttons->addWidget(btnApplica);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Conventions::attachHighlightBand(txtInizio, QStringLiteral("effInizio"));
    Conventions::setCharacterFilter(txtInizio, QStringLiteral("0123456789"), btnApplica);
    txtInizio->installEventFilter(this);

    connect(btnApplica, &QPushButton::clicked, this, &TfrmNumerazione::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmNumerazione::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Placement::centreOn(this, parentWidget() ? parentWidget()->window() : nullptr);
    const QString start = m_store.read ? m_store.read() : QString();
    txtInizio->setText(trimBlanks(start).isEmpty() ? QStringLiteral("1") : start);
    txtInizio->setFocus(Qt::OtherFocusReason);
}

bool TfrmNumerazione::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the field (not another window coming to the front) normalises the number.
    if (watched == txtInizio && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtInizioExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNumerazione::txtInizioExit()
{
    txtInizio->setText(ReceiptSettings::normaliseStartNumber(txtInizio->text()));
}

void TfrmNumerazione::btnApplicaClick()
{
    // Pressing the button leaves the field; a click that does not take the focus normalises too.
    txtInizioExit();
    if (m_store.write) {
        if (!m_store.write(txtInizio->text())) {
            MsgBox::warning(this,
                            QStringLiteral("Attenzione: non è stato possibile salvare il numero iniziale "
                                           "nel file Ricevute_Generiche.ini.\n\r\n\rAccertarsi di "
                                           "possedere i privilegi di scrittura nella cartella di "
                                           "installazione del programma."));
            return;
        }
    }
    accept();
}
