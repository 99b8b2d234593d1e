#include "cards/TfrmStampaTessera.h"

#include "cards/CardDialogParts.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString kPrintFailed =
    QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\rAccertarsi che "
                   "la stampante sia configurata correttamente.");
// The margins are the user's trials with the printer: a failure to keep them is said, not hidden.
const QString kSettingsNotSaved = QStringLiteral(
    "Attenzione: non è stato possibile memorizzare i margini e l'orientamento di stampa nel file "
    "Tesserini.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella cartella di "
    "installazione del programma.");

// Beyond this distance the card lies wholly off any page; larger margins print the same empty
// page, so they are taken as this one.
constexpr double kFarOffPageMm = 1000.0;

QString notWholeNumber(const QString &text)
{
    return QStringLiteral("'%1' non è un valore intero valido.").arg(text);
}

} // namespace

TfrmStampaTessera::TfrmStampaTessera(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmStampaTessera"));
    setWindowTitle(QStringLiteral(" Stampa tesserino"));
    setModal(true);
    setStyleSheet(QStringLiteral("QDialog#TfrmStampaTessera { background: #FFFFFF; }"));

    QWidget *instructions = CardDialogParts::instructions(
        this, QStringLiteral(":/pictures/stampa_grande.svg"), QStringLiteral("Margini di stampa"),
        {QStringLiteral(
             "I margini superiore e sinistro servono ad adattare la stampa del tesserino al modello "
             "della propria stampante: i valori giusti si trovano per tentativi."),
         QStringLiteral(
             "I valori sono espressi in millimetri: valori maggiori spostano la stampa verso il basso e "
             "verso destra, valori minori, anche negativi se necessario, la spostano verso l'alto e "
             "verso sinistra.")});

    auto *orientation = new QLabel(QStringLiteral("Orientamento:"), this);
    m_optVerticale = new QRadioButton(QStringLiteral("Verticale"), this);
    m_optVerticale->setObjectName(QStringLiteral("optVerticale"));
    m_optOrizzontale = new QRadioButton(QStringLiteral("Orizzontale"), this);
    m_optOrizzontale->setObjectName(QStringLiteral("optOrizzontale"));
    auto *options = new QButtonGroup(this);
    options->addButton(m_optVerticale);
    options->addButton(m_optOrizzontale);
    m_optVerticale->setChecked(true);

    // One row per margin: the label, "-", the value, "+" and the unit.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(orientation, 0, 0);
    auto *optionRow = new QHBoxLayout;
    optionRow->addWidget(m_optVerticale);
    optionRow->addWidget(m_optOrizzontale);
    optionRow->addStretch(1);
    grid->addLayout(optionRow, 0, 1, 1, 4);
    struct MarginRow
    {
        const char *label;
        const char *minus;
        const char *field;
        const char *plus;
        QLineEdit **target;
    };
    const MarginRow margins[] = {
        {"Margine superiore:", "btnTopMinus", "txtTop", "btnTopPlus", &m_txtTop},
        {"Margine sinistro:", "btnLeftMinus", "txtLeft", "btnLeftPlus", &m_txtLeft},
    };
    int row = 1;
    for (const MarginRow &m : margins) {
        auto *field = new QLineEdit(QStringLiteral("0"), this);
        field->setObjectName(QLatin1String(m.field));
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignCenter);
        QFont bold = field->font();
        bold.setBold(true);
        field->setFont(bold);
        field->setFixedWidth(70);
        auto *minus = new QPushButton(QStringLiteral("-"), this);
        minus->setObjectName(QLatin1String(m.minus));
        auto *plus = new QPushButton(QStringLiteral("+"), this);
        plus->setObjectName(QLatin1String(m.plus));
        for (QPushButton *b : {minus, plus}) {
            b->setFixedWidth(34);
            b->setAutoDefault(false);
        }
        connect(minus, &QPushButton::clicked, this, [this, field] { stepMargin(field, -1); });
        connect(plus, &QPushButton::clicked, this, [this, field] { stepMargin(field, +1); });
        grid->addWidget(new QLabel(QLatin1String(m.label), this), row, 0);
        grid->addWidget(minus, row, 1);
        grid->addWidget(field, row, 2);
        grid->addWidget(plus, row, 3);
        grid->addWidget(new QLabel(QStringLiteral("mm"), this), row, 4);
        *m.target = field;
        ++row;
    }
    grid->setColumnStretch(5, 1);

    // Saving each margin is a step of printing, never a button of its own.
    for (const char *name : {"btnApplicaTop", "btnApplicaLeft"}) {
        auto *apply = new QPushButton(this);
        apply->setObjectName(QLatin1String(name));
        apply->hide();
        connect(apply, &QPushButton::clicked, this, &TfrmStampaTessera::saveSettings);
    }

    m_btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnStampa = new QPushButton(QStringLiteral("Stampa"), this);
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
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnStampa, &QPushButton::clicked, this, &TfrmStampaTessera::btnStampaClick);
}

void TfrmStampaTessera::setContent(const CardPage::Content &content)
{
    m_content = content;
}

void TfrmStampaTessera::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        const CardSettings settings = CardSettings::load();
        m_txtTop->setText(settings.topMargin);
        m_txtLeft->setText(settings.leftMargin);
        (settings.orientation == CardSettings::Orientation::Landscape ? m_optOrizzontale : m_optVerticale)
            ->setChecked(true);
    }
    QDialog::showEvent(event);
}

void TfrmStampaTessera::stepMargin(QLineEdit *field, int step)
{
    const std::optional<QString> next = CardSettings::stepMargin(field->text(), step);
    if (!next) {
        MsgBox::error(this, notWholeNumber(field->text()));
        return;
    }
    field->setText(*next);
}

void TfrmStampaTessera::saveSettings()
{
    CardSettings settings;
    settings.topMargin = m_txtTop->text();
    settings.leftMargin = m_txtLeft->text();
    settings.orientation = m_optVerticale->isChecked() ? CardSettings::Orientation::Portrait
                                                       : CardSettings::Orientation::Landscape;
    if (!settings.savePrintSettings())
        MsgBox::warning(this, kSettingsNotSaved);
}

void TfrmStampaTessera::btnStampaClick()
{
    // The settings on show are kept whatever becomes of the print.
    saveSettings();
    CardDialogParts::showBusy(m_lblAttendere);

    const std::optional<double> top = CardSettings::marginMillimetres(m_txtTop->text());
    const std::optional<double> left = CardSettings::marginMillimetres(m_txtLeft->text());
    bool ok = top && left;
    Reports::PreparedReport prepared;
    QString error;
    if (ok) {
        const QMarginsF margins(qBound(-kFarOffPageMm, *left, kFarOffPageMm),
                                qBound(-kFarOffPageMm, *top, kFarOffPageMm), 0, 0);
        ok = CardPage::prepare(CardPage::Copy::Print, m_content,
                               m_optVerticale->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape,
                               margins, &prepared, &error) &&
             Reports::print(prepared, this, &error);
    }
    m_lblAttendere->hide();
    if (!ok)
        MsgBox::warning(this, kPrintFailed);
    accept();
}
