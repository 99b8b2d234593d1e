#include "cards/TfrmDatiEnte.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/TextUtil.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// The four fields, in the order of the association texts and of the Enter ring, with their bands
// and the look of the card line they stand for.
struct FieldRow
{
    const char *name;
    const char *band;
    int pixelSize;
    bool bold;
    const char *spoken; // what a screen reader says of the field (UTF-8)
};
constexpr FieldRow kFields[CardSettings::LineCount] = {
    {"txtAssociazione", "effAssociazione", 17, true, "Denominazione dell'associazione"},
    {"txtSottotitolo01", "effSottotitolo01", 14, false, "Sottotitolo, prima riga"},
    {"txtSottotitolo02", "effSottotitolo02", 14, false, "Sottotitolo, seconda riga"},
    {"txtAnnotazioni", "effAnnotazioni", 15, true, "Annotazioni"},
};

const char *const kStyle = R"(
QDialog#TfrmDatiEnte { background: #FFFFFF; }
QFrame#shpHeader { background: #000080; border-radius: 6px; }
QFrame#shpHeader QLineEdit {
    background: #0A1A8C;
    color: #FFFFFF;
    border: 1px solid #4169E1;
    padding: 2px 6px;
    selection-background-color: #FFD700;
    selection-color: #000080;
}
QFrame#shpHeader QLineEdit:focus { background: #14289E; border-color: #FFFF00; }
)";

} // namespace

TfrmDatiEnte::TfrmDatiEnte(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmDatiEnte"));
    setWindowTitle(QStringLiteral(" Dati Ente o Associazione"));
    setModal(true);
    setStyleSheet(QLatin1String(kStyle));
    addCallerContextLabel(this);

    auto *instruction = new QLabel(
        QStringLiteral("Inserire i dati e fare clic su Applica e chiudi per salvare le modifiche."), this);
    instruction->setObjectName(QStringLiteral("lblIstruzioni"));
    instruction->setWordWrap(true);

    auto *band = new QFrame(this);
    band->setObjectName(QStringLiteral("shpHeader"));
    auto *bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(16, 14, 16, 14);
    bandLayout->setSpacing(10);
    QList<QPair<QWidget *, QWidget *>> ring;
    for (int i = 0; i < CardSettings::LineCount; ++i) {
        const FieldRow &row = kFields[i];
        auto *field = new QLineEdit(band);
        field->setObjectName(QLatin1String(row.name));
        field->setAccessibleName(QString::fromUtf8(row.spoken));
        QFont font = field->font();
        font.setPixelSize(row.pixelSize);
        font.setBold(row.bold);
        field->setFont(font);
        field->setMinimumWidth(460);
        if (i == CardSettings::Notes)
            field->setAlignment(Qt::AlignCenter);
        bandLayout->addWidget(field);
        if (i == CardSettings::Contacts)
            bandLayout->addSpacing(12); // the notes line stands apart, as at the foot of the card
        m_fields[size_t(i)] = field;
    }
    for (int i = 0; i < CardSettings::LineCount; ++i) {
        Conventions::attachHighlightBand(m_fields[size_t(i)], QLatin1String(kFields[i].band));
        ring.append(qMakePair<QWidget *, QWidget *>(m_fields[size_t(i)],
                                                    m_fields[size_t((i + 1) % CardSettings::LineCount)]));
    }
    Conventions::setEnterRing(ring);
    for (int i = 0; i + 1 < CardSettings::LineCount; ++i)
        QWidget::setTabOrder(m_fields[size_t(i)], m_fields[size_t(i + 1)]);

    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnApplica = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    m_btnApplica->setObjectName(QStringLiteral("btnApplica"));
    for (QPushButton *b : {m_btnAnnulla, m_btnApplica}) {
        // Enter belongs to the fields' ring, not to a default button.
        b->setAutoDefault(false);
        b->setMinimumWidth(120);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnAnnulla);
    buttons->addWidget(m_btnApplica);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);
    layout->addWidget(instruction);
    layout->addWidget(band);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmDatiEnte::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDatiEnte::setTexts(const CardSettings::Association &texts)
{
    for (size_t i = 0; i < texts.size(); ++i)
        m_fields[i]->setText(trimBlanks(texts[i]));
}

void TfrmDatiEnte::setTarget(Target target)
{
    m_target = std::move(target);
}

CardSettings::Association TfrmDatiEnte::texts() const
{
    CardSettings::Association texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = trimBlanks(m_fields[i]->text());
    return texts;
}

void TfrmDatiEnte::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_fields[CardSettings::Name]->setFocus(Qt::OtherFocusReason);
}

void TfrmDatiEnte::btnApplicaClick()
{
    if (m_target)
        m_target(texts());
    accept();
}
