#include "cards/TfrmStampaTessera.h"

#include "cards/CardSettings.h"
#include "common/MsgBox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const PrintWindow::Texts kTexts = {
    "TfrmStampaTessera",
    " Stampa tesserino",
    "Stampa",
    "Margini di stampa",
    "I margini superiore e sinistro servono ad adattare la stampa del tesserino al modello della propria "
    "stampante: i valori giusti si trovano per tentativi.",
    "I valori sono espressi in millimetri: valori maggiori spostano la stampa verso il basso e verso destra, "
    "valori minori, anche negativi se necessario, la spostano verso l'alto e verso sinistra.",
    ":/pictures/stampa_grande.svg",
    "Attenzione: la stampa non è andata a buon fine.\n\r\n\rAccertarsi che la stampante sia configurata "
    "correttamente.",
};

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

// One row per margin: the label, "-", the value, "+" and the unit; what a screen reader calls the
// two buttons.
struct MarginRow
{
    const char *label;
    const char *minus;
    const char *field;
    const char *plus;
    const char *minusSpoken;
    const char *plusSpoken;
};
constexpr int kMarginFieldWidth = 70;
constexpr int kMarginFieldPadding = 16; // frame and inner margins of the field

constexpr MarginRow kMargins[] = {
    {"Margine superiore:", "btnTopMinus", "txtTop", "btnTopPlus", "Diminuisci il margine superiore",
     "Aumenta il margine superiore"},
    {"Margine sinistro:", "btnLeftMinus", "txtLeft", "btnLeftPlus", "Diminuisci il margine sinistro",
     "Aumenta il margine sinistro"},
};

// The controls of one margin's row.
struct MarginControls
{
    QLineEdit *field;
    QPushButton *minus;
    QPushButton *plus;
};

// One margin's row of `grid`: its label, "-", the value, "+" and the unit.
MarginControls addMarginRow(const MarginRow &m, int row, QGridLayout *grid, QWidget *panel)
{
    auto *field = new QLineEdit(QStringLiteral("0"), panel);
    field->setObjectName(QLatin1String(m.field));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->setFixedWidth(kMarginFieldWidth);
    // A margin edited by hand may be longer than any the buttons make: the field grows to show it.
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        const int text = field->fontMetrics().horizontalAdvance(field->text()) + kMarginFieldPadding;
        field->setFixedWidth(qMax(kMarginFieldWidth, text));
    });
    auto *minus = new QPushButton(QStringLiteral("-"), panel);
    minus->setObjectName(QLatin1String(m.minus));
    minus->setAccessibleName(QString::fromUtf8(m.minusSpoken));
    auto *plus = new QPushButton(QStringLiteral("+"), panel);
    plus->setObjectName(QLatin1String(m.plus));
    plus->setAccessibleName(QString::fromUtf8(m.plusSpoken));
    for (QPushButton *b : {minus, plus}) {
        b->setFixedWidth(34);
        b->setAutoDefault(false);
    }
    // Each button is described by its field: the margin it changes, as it stands now.
    const auto describe = [field, minus, plus, label = QString::fromUtf8(m.label)] {
        const QString said = QStringLiteral("%1 %2 mm").arg(label, field->text());
        minus->setAccessibleDescription(said);
        plus->setAccessibleDescription(said);
    };
    QObject::connect(field, &QLineEdit::textChanged, minus, describe);
    describe();
    auto *label = new QLabel(QLatin1String(m.label), panel);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(minus, row, 1);
    grid->addWidget(field, row, 2);
    grid->addWidget(plus, row, 3);
    grid->addWidget(new QLabel(QStringLiteral("mm"), panel), row, 4);
    return {field, minus, plus};
}

} // namespace

TfrmStampaTessera::TfrmStampaTessera(QWidget *parent) : PrintWindow(Output::Print, kTexts, parent)
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panMargini"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);

    m_optVerticale = new QRadioButton(QStringLiteral("Verticale"), panel);
    m_optVerticale->setObjectName(QStringLiteral("optVerticale"));
    m_optOrizzontale = new QRadioButton(QStringLiteral("Orizzontale"), panel);
    m_optOrizzontale->setObjectName(QStringLiteral("optOrizzontale"));
    auto *options = new QButtonGroup(panel);
    options->addButton(m_optVerticale);
    options->addButton(m_optOrizzontale);
    m_optVerticale->setChecked(true);
    auto *optionRow = new QHBoxLayout;
    optionRow->addWidget(m_optVerticale);
    optionRow->addWidget(m_optOrizzontale);
    optionRow->addStretch(1);
    grid->addWidget(new QLabel(QStringLiteral("Orientamento:"), panel), 0, 0);
    grid->addLayout(optionRow, 0, 1, 1, 4);

    QLineEdit **fields[] = {&m_txtTop, &m_txtLeft};
    for (int row = 0; row < int(std::size(kMargins)); ++row) {
        const MarginControls c = addMarginRow(kMargins[row], row + 1, grid, panel);
        connect(c.minus, &QPushButton::clicked, this, [this, field = c.field] { stepMargin(field, -1); });
        connect(c.plus, &QPushButton::clicked, this, [this, field = c.field] { stepMargin(field, +1); });
        *fields[row] = c.field;
    }
    grid->setColumnStretch(5, 1);

    // Saving the margins is a step of printing, never a button of the user's.
    for (const char *name : {"btnApplicaTop", "btnApplicaLeft"}) {
        auto *apply = new QPushButton(panel);
        apply->setObjectName(QLatin1String(name));
        apply->hide();
        connect(apply, &QPushButton::clicked, this, &TfrmStampaTessera::saveSettings);
    }

    setContent(panel);
    setBusyText(QStringLiteral("Elaborazione in corso. Attendere..."));
    setOnShow([this] {
        const CardSettings settings = CardSettings::load();
        m_txtTop->setText(settings.topMargin);
        m_txtLeft->setText(settings.leftMargin);
        (settings.orientation == CardSettings::Orientation::Landscape ? m_optOrizzontale : m_optVerticale)
            ->setChecked(true);
    });
    setPrepare([this](Reports::PreparedReport *out, QString *error) { return prepareCard(out, error); });
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

bool TfrmStampaTessera::prepareCard(Reports::PreparedReport *out, QString *error)
{
    // The settings on show are kept whatever becomes of the print.
    saveSettings();
    const std::optional<double> top = CardSettings::marginMillimetres(m_txtTop->text());
    const std::optional<double> left = CardSettings::marginMillimetres(m_txtLeft->text());
    if (!top || !left) {
        *error = QStringLiteral("Il margine \"%1\" non è un numero.")
                     .arg(top ? m_txtLeft->text() : m_txtTop->text());
        return false;
    }
    const QMarginsF margins(qBound(-kFarOffPageMm, *left, kFarOffPageMm),
                            qBound(-kFarOffPageMm, *top, kFarOffPageMm), 0, 0);
    return CardPage::prepare(CardPage::Copy::Print, m_card,
                             m_optVerticale->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape,
                             margins, out, error);
}
