#include "cards/TfrmAnteprimaTessera.h"

#include "cards/CardDialogParts.h"
#include "common/MsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kPreviewFailed =
    QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine.\n\r\n\r"
                   "Accertarsi che la stampante sia configurata correttamente.");
} // namespace

TfrmAnteprimaTessera::TfrmAnteprimaTessera(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmAnteprimaTessera"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setModal(true);
    setStyleSheet(QStringLiteral("QDialog#TfrmAnteprimaTessera { background: #FFFFFF; }"));

    QWidget *instructions = CardDialogParts::instructions(
        this, QStringLiteral(":/pictures/anteprima_grande.svg"), QStringLiteral("Anteprima di stampa"),
        {QStringLiteral(
             "Questa operazione consente di visualizzare sullo schermo i dati che appariranno in stampa."),
         QStringLiteral(
             "Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di eseguire "
             "la stampa su carta.")});

    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnStampa = new QPushButton(QStringLiteral("Mostra anteprima"), this);
    m_btnStampa->setObjectName(QStringLiteral("btnStampa"));
    m_btnStampa->setDefault(true);
    for (QPushButton *b : {m_btnAnnulla, m_btnStampa})
        b->setMinimumWidth(110);
    m_lblAttendere = CardDialogParts::busyText(this, m_btnStampa);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_lblAttendere);
    buttons->addStretch(1);
    buttons->addWidget(m_btnAnnulla);
    buttons->addWidget(m_btnStampa);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(14);
    layout->addWidget(instructions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnStampa, &QPushButton::clicked, this, &TfrmAnteprimaTessera::btnStampaClick);
}

void TfrmAnteprimaTessera::setContent(const CardPage::Content &content)
{
    m_content = content;
}

void TfrmAnteprimaTessera::btnStampaClick()
{
    CardDialogParts::showBusy(m_lblAttendere);
    // Always a portrait page without margins, whatever the print settings say.
    Reports::PreparedReport prepared;
    QString error;
    bool ok = CardPage::prepare(CardPage::Copy::Preview, m_content, QPageLayout::Portrait, QMarginsF(),
                                &prepared, &error);
    m_lblAttendere->hide();
    ok = ok && Reports::preview(prepared, this, &error);
    if (!ok)
        MsgBox::warning(this, kPreviewFailed);
    accept();
}
