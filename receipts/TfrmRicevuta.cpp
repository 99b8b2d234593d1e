#include "receipts/TfrmRicevuta.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/Formats.h"
#include "common/HelpTopics.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"
#include "common/TfrmCodFisc.h"
#include "common/TfrmGuida.h"
#include "receipts/AmountInWords.h"
#include "receipts/ReceiptLogo.h"
#include "receipts/ReceiptRules.h"
#include "receipts/ReceiptSettings.h"
#include "receipts/ReceiptWindows.h"
#include "receipts/TfrmLogo.h"
#include "receipts/TfrmNumerazione.h"
#include "records/YearFile.h"

#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using namespace Receipt;

const QString kDigits = QStringLiteral("0123456789");
const QString kHelpTopic = QStringLiteral("App Stampa Ricevute");

enum class Kind
{
    Text,
    Upper,  // upper-cased while typing
    Date,   // filled only by the date picker
    Digits, // digits only, however the text arrives
};

// Where an entry field sits: the heading beside the logo, the body of the receipt, the amount.
enum class Area
{
    Heading,
    Body,
    Amount
};

// The receipt's entry fields, one row each, in the order of the Enter ring. Names and maximum
// lengths come from the record layout; this table adds how each field behaves and where it sits.
struct EntryRow
{
    Field field;
    Field next; // where Enter goes
    Kind kind;
    const char *context; // date picker caller context
    const char *label;   // the label beside the field (UTF-8), nullptr for none
    bool restsWhite;     // the amount boxes rest white, the others in the optional-field colour
    Area area;
    int row, column, span; // place in the area's grid of label-and-field cells
    int chars;             // a narrow field's width in characters (0: as wide as its cell)
    const char *button;    // picture button right of the field
};

// clang-format off
const EntryRow kEntries[] = {
    {Ricevente01, Ricevente02, Kind::Text,   nullptr, nullptr,                   false, Area::Heading, 0, 0, 1, 0,  nullptr},
    {Ricevente02, Ricevente03, Kind::Text,   nullptr, nullptr,                   false, Area::Heading, 1, 0, 1, 0,  nullptr},
    {Ricevente03, Ricevente04, Kind::Text,   nullptr, nullptr,                   false, Area::Heading, 2, 0, 1, 0,  nullptr},
    {Ricevente04, NumRic,      Kind::Text,   nullptr, nullptr,                   false, Area::Heading, 3, 0, 1, 0,  nullptr},
    {NumRic,      Data,        Kind::Text,   nullptr, "RICEVUTA n.",             false, Area::Heading, 0, 1, 1, 10, nullptr},
    {Data,        Pagatore,    Kind::Date,   "data",  "Data:",                   false, Area::Heading, 1, 1, 1, 10, nullptr},
    {Pagatore,    CodFisc,     Kind::Text,   nullptr, "Riceviamo da",            false, Area::Body,    0, 0, 2, 0,  "impPagatore"},
    {CodFisc,     Sport,       Kind::Upper,  nullptr, "C.F.",                    false, Area::Body,    0, 2, 1, 0,  "btnCodFisc"},
    {Sport,       Dal,         Kind::Text,   nullptr, "per l'attività sportiva", false, Area::Body,    1, 0, 3, 0,  nullptr},
    {Dal,         Al,          Kind::Date,   "dal",   "dal",                     false, Area::Body,    2, 0, 1, 10, nullptr},
    {Al,          Praticante,  Kind::Date,   "Al",    "al",                      false, Area::Body,    2, 1, 1, 10, nullptr},
    {Praticante,  LuogoNasc,   Kind::Text,   nullptr, "Praticante:",             false, Area::Body,    4, 0, 3, 0,  nullptr},
    {LuogoNasc,   DataNasc,    Kind::Text,   nullptr, "Luogo di nascita:",       false, Area::Body,    5, 0, 2, 0,  nullptr},
    {DataNasc,    Indirizzo,   Kind::Text,   nullptr, "Data di nascita:",        false, Area::Body,    5, 2, 1, 10, nullptr},
    {Indirizzo,   Importo,     Kind::Text,   nullptr, "Indirizzo:",              false, Area::Body,    6, 0, 3, 0,  nullptr},
    {Importo,     Cents,       Kind::Digits, nullptr, "TOTALE :",                true,  Area::Amount,  0, 0, 1, 9,  nullptr},
    {Cents,       Ricevente01, Kind::Digits, nullptr, nullptr,                   true,  Area::Amount,  0, 1, 1, 3,  nullptr},
};
// clang-format on
constexpr int kEntryCount = int(std::size(kEntries));
static_assert(kEntryCount == FieldCount - 3, "every receipt field but the words, cents copy and whole "
                                             "amount is an entry field");

// What a screen reader says of a field that has no label beside it.
QString spokenName(Field field)
{
    if (field == Cents)
        return QStringLiteral("Centesimi");
    return QStringLiteral("Intestazione, riga %1").arg(int(field) - int(Ricevente01) + 1);
}

// The grid row before which a rule separates the practitioner from the payer.
constexpr int kPractitionerRow = 3;

// Where the buttons go: the toolbar's groups, left to right, then beside the fields.
enum class Place
{
    Group1,
    Group2,
    Group3,
    Record,
    Group4,
    Group5,
    Group6,
    BesideField
};

// The panels of the toolbar's groups, in the order of the places.
const char *const kToolbarGroups[] = {"shpPulsanti01", "shpPulsanti02", "shpPulsanti03", "shpRecord",
                                      "shpPulsanti04", "shpPulsanti05", "shpPulsanti06"};

// The looks are set on the receipt and the bar rather than on the window, so that they do not
// reach the one-use windows and message boxes that have the receipt window as parent.
const char *const kReceiptStyle = R"(
QFrame#shpRicevuta {
    background: #FFFFFF;
    border: 1px solid #B4C6EC;
    border-radius: 8px;
}
QFrame#shpImporto {
    background: #EEF3FD;
    border: 1px solid #C3D1F0;
    border-radius: 6px;
}
QFrame#bkgLettere { background: #FFFFFF; border: 1px solid #C3D1F0; border-radius: 3px; }
QFrame#rulePraticante, QFrame#ruleIntestazione { background: #C9D6F2; border: none; }
QLabel[fieldLabel="true"] { color: #1E2A4A; }
QLabel#titNumRic { color: #00008B; font-size: 15pt; font-weight: bold; }
QLabel#txtImpLettere, QLabel#txtCentLettere { color: #00008B; }
QLabel[amountSign="true"] { color: #00008B; font-size: 13pt; font-weight: bold; }
QLabel[amountCaption="true"] { color: #5A6B8C; font-size: 8pt; }
QToolButton { border: 1px solid transparent; border-radius: 5px; padding: 2px; }
QToolButton:hover { background: #FFF6C8; border-color: #E2C75A; }
QToolButton:pressed { background: #FFE98A; }
)";

QLabel *amountText(const QString &text, const char *property, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setProperty(property, true);
    return label;
}

QString today()
{
    return Formats::formatDate(QDate::currentDate());
}

// Puts an entry field of the heading or the body in its cell of `grid`, in the panel `parent`: its
// label (if any) in the cell's label column, the field with its button (if any) beside it. Each
// cell is a label column and a field column; a field without a label takes both. A narrow field
// is measured in the window's type, `metrics`.
void placeEntry(const EntryRow &row, QLineEdit *f, QToolButton *button, QWidget *parent, QGridLayout *grid,
                const QFontMetrics &metrics)
{
    f->setParent(parent);
    f->setFixedHeight(24);
    if (row.chars > 0)
        f->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('W')) * row.chars + 12);

    auto *fieldRow = new QHBoxLayout;
    fieldRow->setSpacing(3);
    fieldRow->addWidget(f, row.chars > 0 ? 0 : 1);
    if (button) {
        button->setParent(parent);
        button->setFixedSize(26, 26);
        fieldRow->addWidget(button);
    }
    if (row.chars > 0)
        fieldRow->addStretch(1);

    const int column = row.column * 2;
    if (row.label) {
        auto *label = new QLabel(QString::fromUtf8(row.label), parent);
        label->setObjectName(QLatin1String("tit") + fieldName(row.field).mid(3));
        label->setProperty("fieldLabel", true);
        label->setBuddy(f);
        grid->addWidget(label, row.row, column, Qt::AlignRight | Qt::AlignVCenter);
        grid->addLayout(fieldRow, row.row, column + 1, 1, row.span * 2 - 1);
    } else {
        grid->addLayout(fieldRow, row.row, column, 1, row.span * 2);
        f->setAccessibleName(spokenName(row.field));
    }
}

} // namespace

TfrmRicevuta::TfrmRicevuta(QWidget *parent)
    : RecordWindow({"TfrmRicevuta", " Corvalla - Stampa Ricevute",
                    "Pronto per archiviare una nuova ricevuta...",
                    "L'archivio non contiene nessuna ricevuta.", accessMessage()},
                   parent)
{
    build();
    setWindowState(Qt::WindowMaximized);
}

void TfrmRicevuta::build()
{
    makeFields();
    makeButtons();

    auto *panContainer = panel("panContainer", this);
    panContainer->setStyleSheet(QLatin1String(kReceiptStyle) + Keyboard::toolButtonFocusRule(2, 1));
    addBackgrounds({panContainer});
    QFrame *shpRicevuta = makeReceipt(panContainer);
    auto *receiptRow = new QHBoxLayout;
    receiptRow->addStretch(0);
    receiptRow->addWidget(shpRicevuta, 1, Qt::AlignTop);
    receiptRow->addStretch(0);
    auto *containerLayout = new QVBoxLayout(panContainer);
    if (lowScreen())
        containerLayout->setContentsMargins(8, 4, 8, 4);
    else
        containerLayout->setContentsMargins(16, 14, 16, 10);
    containerLayout->addStretch(1);
    containerLayout->addLayout(receiptRow);
    containerLayout->addStretch(3);

    layOut("scrRicevuta", panContainer);
    applyConventions();

    // The words follow the euros and the cents copy the cents, whatever changes them.
    connect(m_entries[Importo], &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString t = trimBlanks(text);
        m_labels[ImpLettere]->setText(t.isEmpty() ? QString() : amountInWords(t));
        fitWords();
    });
    connect(m_entries[Cents], &QLineEdit::textChanged, this,
            [this](const QString &text) { m_labels[CentLettere]->setText(trimBlanks(text)); });
    m_entries[Cents]->setText(QStringLiteral("00"));
}

// Entry fields from the record layout; the words, the cents copy and the whole amount are labels.
void TfrmRicevuta::makeFields()
{
    for (const EntryRow &row : kEntries) {
        auto *f = new QLineEdit(this);
        f->setObjectName(fieldName(row.field));
        f->setMaxLength(fieldWidth(row.field));
        m_entries[size_t(row.field)] = f;
    }
    for (const Field f : {ImpLettere, CentLettere, Intero}) {
        auto *l = new QLabel(this);
        l->setObjectName(fieldName(f));
        m_labels[size_t(f)] = l;
    }
    m_labels[Intero]->hide();
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    lblInizio = new QLabel(this);
    lblInizio->setObjectName(QStringLiteral("lblInizio"));
    lblInizio->hide();
}

// The buttons, with the hint each shows in the information bar, and the toolbar.
void TfrmRicevuta::makeButtons()
{
    // clang-format off
    static const Button<TfrmRicevuta, Place> kButtons[] = {
        {"cmdNuovo",       "nuovo",         nullptr,  Place::Group1, &TfrmRicevuta::cmdNuovoClick,
         "Prepara la schermata per l'emissione di una nuova ricevuta."},
        {"cmdDuplica",     "duplica",       nullptr,  Place::Group1, &TfrmRicevuta::cmdDuplicaClick,
         "Prepara la schermata per l'emissione di una nuova ricevuta duplicando i dati correnti."},
        {"cmdSalva",       "salva",         nullptr,  Place::Group1, &TfrmRicevuta::cmdSalvaClick,
         "Salva o aggiorna la ricevuta corrente."},
        {"cmdTrova",       "trova",         nullptr,  Place::Group2, &TfrmRicevuta::cmdTrovaClick,
         "Trova una ricevuta in archivio."},
        {"cmdAnteprima",   "anteprima",     nullptr,  Place::Group3, &TfrmRicevuta::cmdAnteprimaClick,
         "Visualizza l'anteprima di stampa della ricevuta corrente."},
        {"cmdStampa",      "stampa",        "Stampa", Place::Group3, &TfrmRicevuta::cmdStampaClick,
         "Stampa la ricevuta corrente."},
        {"cmdPrimo",       "primo",         nullptr,  Place::Record, &TfrmRicevuta::cmdPrimoClick,
         "Visualizza la prima ricevuta in archivio."},
        {"cmdIndietro",    "indietro",      nullptr,  Place::Record, &TfrmRicevuta::cmdIndietroClick,
         "Visualizza la ricevuta precedente in archivio."},
        {"cmdAvanti",      "avanti",        nullptr,  Place::Record, &TfrmRicevuta::cmdAvantiClick,
         "Visualizza la ricevuta successiva in archivio."},
        {"cmdUltimo",      "ultimo",        nullptr,  Place::Record, &TfrmRicevuta::cmdUltimoClick,
         "Visualizza l'ultima ricevuta in archivio."},
        {"cmdEsporta",     "esporta",       nullptr,  Place::Group4, &TfrmRicevuta::cmdEsportaClick,
         "Esporta l'archivio annuale delle ricevute in un foglio di lavoro di Microsoft Excel."},
        {"cmdNumerazione", "numerazione",   nullptr,  Place::Group4, &TfrmRicevuta::cmdNumerazioneClick,
         "Imposta il numero iniziale per la numerazione automatica delle ricevute."},
        {"cmdGuida",       "guida",         nullptr,  Place::Group5, &TfrmRicevuta::cmdGuidaClick,
         "Visualizza la guida in linea sensibile al contesto."},
        {"cmdEsci",        "esci",          nullptr,  Place::Group6, &TfrmRicevuta::cmdEsciClick,
         "Esci da questo ambiente di lavoro."},
        {"cmdLogo",        "logo_ricevuta", nullptr,  Place::BesideField, &TfrmRicevuta::cmdLogoClick,
         "Carica il logo dell'Associazione Sportiva Dilettantistica."},
        {"impPagatore",    "freccia_rossa", nullptr,  Place::BesideField, &TfrmRicevuta::impPagatoreClick,
         "Importa i dati dall'archivio degli iscritti."},
        {"btnCodFisc",     "codfisc",       nullptr,  Place::BesideField, &TfrmRicevuta::btnCodFiscClick,
         "Controlla il codice fiscale."},
    };
    // clang-format on
    makeToolbar(kButtons, this, kToolbarGroups, Place::Record);
    cmdLogo = button("cmdLogo");
}

// The receipt: heading (logo, receiver lines, number, date), body, amount.
QFrame *TfrmRicevuta::makeReceipt(QWidget *parent)
{
    auto *shpRicevuta = panel("shpRicevuta", parent);
    shpRicevuta->setMaximumWidth(1180);
    shpRicevuta->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    auto *shpIntestazione = panel("shpIntestazione", shpRicevuta);
    auto *shpCorpo = panel("shpCorpo", shpRicevuta);
    auto *shpImporto = panel("shpImporto", shpRicevuta);
    addBackgrounds({shpRicevuta, shpIntestazione, shpCorpo, shpImporto});

    layHeadingAndBody(shpIntestazione, shpCorpo);
    makeAmount(shpImporto);

    auto *ruleHeading = new QFrame(shpRicevuta);
    ruleHeading->setObjectName(QStringLiteral("ruleIntestazione"));
    ruleHeading->setFixedHeight(1);
    ruleHeading->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *receiptLayout = new QVBoxLayout(shpRicevuta);
    if (lowScreen()) {
        receiptLayout->setContentsMargins(14, 8, 14, 8);
        receiptLayout->setSpacing(5);
    } else {
        receiptLayout->setContentsMargins(20, 16, 20, 18);
        receiptLayout->setSpacing(12);
    }
    receiptLayout->addWidget(shpIntestazione);
    receiptLayout->addWidget(ruleHeading);
    receiptLayout->addWidget(shpCorpo);
    receiptLayout->addWidget(shpImporto);
    return shpRicevuta;
}

// The heading: the logo button beside the four receiver lines, the number and date on the right.
// The body: payer, activity and period, a rule, the practitioner.
void TfrmRicevuta::layHeadingAndBody(QFrame *heading, QFrame *body)
{
    auto *headingGrid = new QGridLayout;
    headingGrid->setHorizontalSpacing(10);
    headingGrid->setVerticalSpacing(lowScreen() ? 2 : 4);
    auto *bodyGrid = new QGridLayout;
    bodyGrid->setHorizontalSpacing(10);
    bodyGrid->setVerticalSpacing(lowScreen() ? 3 : 8);
    const QFontMetrics metrics(font());
    for (const EntryRow &row : kEntries) {
        if (row.area == Area::Amount)
            continue;
        const bool inHeading = row.area == Area::Heading;
        placeEntry(row, m_entries[size_t(row.field)], row.button ? button(row.button) : nullptr,
                   inHeading ? heading : body, inHeading ? headingGrid : bodyGrid, metrics);
    }
    for (int c = 1; c < 6; c += 2)
        bodyGrid->setColumnStretch(c, 1);
    headingGrid->setColumnStretch(0, 1);
    auto *rule = new QFrame(body);
    rule->setObjectName(QStringLiteral("rulePraticante"));
    rule->setFixedHeight(1);
    rule->setAttribute(Qt::WA_TransparentForMouseEvents);
    bodyGrid->addWidget(rule, kPractitionerRow, 0, 1, 6);
    bodyGrid->setRowMinimumHeight(kPractitionerRow, lowScreen() ? 6 : 12);

    cmdLogo->setParent(heading);
    cmdLogo->setIconSize(QSize(148, 92));
    // A frame of its own, so the place to click shows even when the logo is the white dot
    // ("Nessun logo").
    cmdLogo->setStyleSheet(
        QStringLiteral("QToolButton#cmdLogo { background: #FFFFFF; border: 1px solid #87A2D8; "
                       "border-radius: 3px; padding: 2px; }") +
        Keyboard::toolButtonFocusRule(2, 1, QStringLiteral("QToolButton#cmdLogo")));
    auto *headingRow = new QHBoxLayout(heading);
    headingRow->setContentsMargins(0, 0, 0, 0);
    headingRow->setSpacing(14);
    headingRow->addWidget(cmdLogo, 0, Qt::AlignTop);
    headingRow->addLayout(headingGrid, 1);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(bodyGrid);
}

// The amount: the words with the cents copy over the figures.
void TfrmRicevuta::makeAmount(QFrame *parent)
{
    const QFontMetrics metrics(font());
    QLabel *words = m_labels[ImpLettere];
    QLabel *centsCopy = m_labels[CentLettere];
    bkgLettere = panel("bkgLettere", parent);
    words->setParent(bkgLettere);
    words->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    words->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    words->setMinimumHeight(26);
    words->setCursor(Qt::PointingHandCursor);
    bkgLettere->setCursor(Qt::PointingHandCursor);
    auto *wordsBox = new QHBoxLayout(bkgLettere);
    wordsBox->setContentsMargins(6, 0, 6, 0);
    wordsBox->addWidget(words);
    centsCopy->setParent(parent);
    centsCopy->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00")) + 8);
    words->installEventFilter(this);
    bkgLettere->installEventFilter(this);
    QFont bold = font();
    bold.setBold(true);
    words->setFont(bold);
    centsCopy->setFont(bold);

    QLineEdit *euros = m_entries[Importo];
    QLineEdit *cents = m_entries[Cents];
    for (QLineEdit *box : {euros, cents}) {
        box->setParent(parent);
        box->setFixedHeight(26);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    euros->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('9')) * 9 + 16);
    cents->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('9')) * 2 + 16);
    cents->setAccessibleName(spokenName(Cents));
    auto *total = new QLabel(QStringLiteral("TOTALE :"), parent);
    total->setObjectName(QStringLiteral("titImporto"));
    total->setProperty("amountSign", true);
    total->setBuddy(euros);

    auto *amount = new QGridLayout(parent);
    amount->setContentsMargins(12, 8, 12, 6);
    amount->setHorizontalSpacing(6);
    amount->setVerticalSpacing(0);
    amount->addWidget(amountText(QStringLiteral("€"), "amountSign", parent), 0, 0);
    amount->addWidget(bkgLettere, 0, 1);
    amount->addWidget(amountText(QStringLiteral("/"), "amountSign", parent), 0, 2);
    amount->addWidget(centsCopy, 0, 3);
    amount->addWidget(amountText(QStringLiteral("(IN LETTERE)"), "amountCaption", parent), 1, 1,
                      Qt::AlignRight);
    auto *figures = new QHBoxLayout;
    figures->setSpacing(6);
    figures->addStretch(1);
    figures->addWidget(total);
    figures->addWidget(amountText(QStringLiteral("€"), "amountSign", parent));
    figures->addWidget(euros);
    figures->addWidget(amountText(QStringLiteral("/"), "amountSign", parent));
    figures->addWidget(cents);
    amount->addLayout(figures, 2, 0, 1, 4);
    amount->addWidget(amountText(QStringLiteral("(IN CIFRE)"), "amountCaption", parent), 3, 0, 1, 4,
                      Qt::AlignRight);
    amount->setColumnStretch(1, 1);
}

// Entry conventions: colours, Enter ring, typing rules, date fields, the digit boxes; Tab follows
// the Enter ring.
void TfrmRicevuta::applyConventions()
{
    for (const EntryRow &row : kEntries) {
        QLineEdit *f = m_entries[size_t(row.field)];
        QLineEdit *next = m_entries[size_t(row.next)];
        std::function<void()> onExit;
        if (row.field == Cents)
            onExit = [f] { f->setText(completeCents(f->text())); };
        Conventions::applyFieldColour(f, row.restsWhite ? QColor(Qt::white) : Conventions::kOptionalColour,
                                      onExit);
        switch (row.kind) {
        case Kind::Date:
            Conventions::makeDatePickerField(f, QLatin1String(row.context), next);
            break;
        case Kind::Digits:
            Conventions::setCharacterFilter(f, kDigits, next);
            Conventions::refuseOtherCharacters(f, kDigits);
            break;
        case Kind::Upper:
            Conventions::setUpperCaseWhileTyping(f);
            Conventions::setEnterTarget(f, next);
            break;
        case Kind::Text:
            Conventions::setEnterTarget(f, next);
            break;
        }
        if (row.next != kEntries[0].field)
            QWidget::setTabOrder(f, next);
    }
}

QString TfrmRicevuta::textOf(int field) const
{
    if (const QLineEdit *f = m_entries[size_t(field)])
        return f->text();
    return m_labels[size_t(field)]->text();
}

void TfrmRicevuta::setTextOf(int field, const QString &text)
{
    if (QLineEdit *f = m_entries[size_t(field)])
        f->setText(text);
    else
        m_labels[size_t(field)]->setText(text);
}

void TfrmRicevuta::openYear(const QString &year)
{
    const QString y = trimBlanks(year);
    lblFile->setText(YearFile::pathFor(y));
    setWindowTitle(QStringLiteral(" Corvalla - Archivio ricevute anno ") + y);
}

QString TfrmRicevuta::yearFilePath() const
{
    return lblFile->text();
}

Receipt::Record TfrmRicevuta::currentReceipt() const
{
    Receipt::Record r;
    for (int i = 0; i < FieldCount; ++i)
        r[i] = textOf(i);
    return r;
}

void TfrmRicevuta::showReceipt(qint64 index, const Receipt::Record &receipt)
{
    m_givenNumber.clear();
    // The words and the cents copy are those of the amount shown (see the class comment).
    for (int i = 0; i < FieldCount; ++i)
        if (i != ImpLettere && i != CentLettere)
            setTextOf(i, trimBlanks(receipt[i]));
    setPosition(index + 1);
}

QLineEdit *TfrmRicevuta::field(const QString &name) const
{
    const int i = fieldIndex(name);
    return i >= 0 ? m_entries[size_t(i)] : nullptr;
}

QLabel *TfrmRicevuta::label(const QString &name) const
{
    for (QLabel *l : {positionLabel(), lblFile, lblInizio})
        if (l->objectName() == name)
            return l;
    const int i = fieldIndex(name);
    return i >= 0 ? m_labels[size_t(i)] : nullptr;
}

RecordArchive TfrmRicevuta::archive() const
{
    return YearFile(yearFilePath()).archive();
}

void TfrmRicevuta::showRecord(qint64 index, const QByteArray &record)
{
    showReceipt(index, decode(record));
}

void TfrmRicevuta::accessError(std::optional<RecordRules::Step> step)
{
    // A save and "first" warn of a failure, the other three moves report it as an error.
    showAccessError(!step || *step == RecordRules::Step::First ? MsgBox::Kind::Warning : MsgBox::Kind::Error);
}

void TfrmRicevuta::clearReceipt(const QString &whole)
{
    m_givenNumber.clear();
    for (const Field f :
         {NumRic, Importo, Pagatore, CodFisc, Sport, Dal, Al, Praticante, LuogoNasc, DataNasc, Indirizzo})
        m_entries[size_t(f)]->clear();
    m_entries[Data]->setText(today());
    m_entries[Cents]->setText(QStringLiteral("00"));
    m_labels[ImpLettere]->clear();
    m_labels[CentLettere]->setText(QStringLiteral("00"));
    m_labels[Intero]->setText(whole);
    clearPosition();
    m_entries[Pagatore]->setFocus(Qt::OtherFocusReason);
}

void TfrmRicevuta::fitWords()
{
    // The longest amounts take some 80 letters: on a narrow screen they get a smaller type rather
    // than lose their first words.
    QLabel *words = m_labels[ImpLettere];
    QFont type = words->font();
    const qreal full = font().pointSizeF();
    const int room = bkgLettere->contentsRect().width() - 12;
    type.setPointSizeF(full);
    while (type.pointSizeF() > 6 && QFontMetrics(type).horizontalAdvance(words->text()) > room)
        type.setPointSizeF(type.pointSizeF() - 0.5);
    words->setFont(type);
}

void TfrmRicevuta::showLogo()
{
    cmdLogo->setIcon(QIcon(QPixmap::fromImage(ReceiptLogo::load())));
}

void TfrmRicevuta::startVisit()
{
    const ReceiptSettings::HeadingLines lines = ReceiptSettings::headingLines();
    for (int i = 0; i < ReceiptSettings::kHeadingLineCount; ++i)
        m_entries[size_t(Ricevente01 + i)]->setText(lines[size_t(i)]);
    clearReceipt(QString());
    showLogo();
}

void TfrmRicevuta::endVisit()
{
    ReceiptSettings::HeadingLines lines;
    for (int i = 0; i < ReceiptSettings::kHeadingLineCount; ++i)
        lines[size_t(i)] = m_entries[size_t(Ricevente01 + i)]->text();
    if (!ReceiptSettings::writeHeadingLines(lines))
        MsgBox::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare l'intestazione delle "
                                             "ricevute nel file Ricevute_Generiche.ini.\n\r\n\rAccertarsi di "
                                             "possedere i privilegi di scrittura nella cartella di "
                                             "installazione del programma."));
}

bool TfrmRicevuta::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == bkgLettere && event->type() == QEvent::Resize)
        fitWords();
    // A click on the amount in words explains where the amount is typed.
    if ((watched == m_labels[ImpLettere] || watched == bkgLettere) &&
        event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        MsgBox::information(this,
                            QStringLiteral("Digitare l'importo in cifre nella casella del Totale.\n\r\n\r"
                                           "L'importo in lettere apparirà in automatico."));
        m_entries[Importo]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmRicevuta::cmdNuovoClick()
{
    const QString start = ReceiptSettings::startNumber();
    lblInizio->setText(trimBlanks(start).isEmpty() ? QStringLiteral("1") : trimBlanks(start));
    const qint64 count = YearFile(yearFilePath()).count();
    if (count < 0) {
        showAccessError(MsgBox::Kind::Error);
        return;
    }
    clearReceipt(QStringLiteral("0,00"));
    // A start number that is not a whole number gives no number: the user is told, the number
    // stays empty.
    const std::optional<qint64> number = ReceiptSettings::receiptNumber(start, count);
    if (!number) {
        showAccessError(MsgBox::Kind::Error);
        return;
    }
    m_entries[NumRic]->setText(QString::number(*number));
    m_givenNumber = QString::number(*number);
}

void TfrmRicevuta::cmdDuplicaClick()
{
    if (trimBlanks(position()).isEmpty()) {
        MsgBox::warning(this,
                        QStringLiteral("Attenzione: questa funzione serve a duplicare una ricevuta che è "
                                       "già stata salvata in archivio.\n\r\n\rVisualizzare la ricevuta "
                                       "da duplicare e fare clic sul pulsante Duplica."));
        return;
    }
    clearPosition();
    if (YearFile(yearFilePath()).count() < 0) {
        showAccessError(MsgBox::Kind::Error);
        return;
    }
    m_entries[NumRic]->clear();
    m_entries[Data]->setText(today());
    m_entries[NumRic]->setFocus(Qt::OtherFocusReason);
    MsgBox::information(this,
                        QStringLiteral("E' ora possibile apportare le proprie modifiche alla ricevuta "
                                       "corrente.\n\r\n\rAl termine premere Salva per registrare i dati "
                                       "in archivio."));
}

void TfrmRicevuta::cmdSalvaClick()
{
    std::optional<Receipt::Record> receipt;
    QString taken; // the number the stored receipt carries, when it was appended
    const auto checked = [this, &receipt]() -> std::optional<QByteArray> {
        receipt = checkedReceipt();
        return receipt ? std::optional<QByteArray>(encode(*receipt)) : std::nullopt;
    };
    // A new receipt whose number is still the one Nuovo gave takes its number as it is written, so
    // that a receipt saved meanwhile by another copy of the program never shares it.
    const RecordArchive::Maker makeNew = [this, &receipt, &taken](qint64 count) {
        return Receipt::newReceipt(*receipt, m_givenNumber, &taken)(count);
    };
    const auto written = [this, &receipt, &taken](qint64) {
        m_givenNumber.clear();
        const QString typed = trimBlanks((*receipt)[NumRic]);
        if (taken.isEmpty() || taken == typed)
            return;
        setTextOf(NumRic, taken);
        MsgBox::information(this, QStringLiteral("Attenzione: il numero %1 è stato assegnato nel frattempo a "
                                                 "un'altra ricevuta.\n\r\n\rLa ricevuta corrente è stata "
                                                 "archiviata con il numero %2.")
                                      .arg(typed, taken));
    };
    save(checked, written, makeNew);
}

std::optional<Receipt::Record> TfrmRicevuta::checkedReceipt()
{
    // The amount is completed first and stays completed even when a check fails.
    const Amount amount = completeAmount(textOf(Importo), textOf(Cents));
    setTextOf(Importo, amount.euros);
    setTextOf(Cents, amount.cents);
    setTextOf(CentLettere, amount.cents);
    setTextOf(Intero, amount.whole);
    setTextOf(ImpLettere, amount.words);

    const Receipt::Record receipt = currentReceipt();
    if (const std::optional<CheckFailure> failure = checkForSave(receipt)) {
        MsgBox::warning(this, failure->message);
        m_entries[size_t(failure->field)]->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    return receipt;
}

void TfrmRicevuta::cmdPrimoClick()
{
    browse(RecordRules::Step::First);
}
void TfrmRicevuta::cmdIndietroClick()
{
    browse(RecordRules::Step::Previous);
}
void TfrmRicevuta::cmdAvantiClick()
{
    browse(RecordRules::Step::Next);
}
void TfrmRicevuta::cmdUltimoClick()
{
    browse(RecordRules::Step::Last);
}

void TfrmRicevuta::cmdTrovaClick()
{
    openReceiptSearch(this);
}
void TfrmRicevuta::cmdAnteprimaClick()
{
    openReceiptPreview(this);
}
void TfrmRicevuta::cmdStampaClick()
{
    openReceiptPrint(this);
}
void TfrmRicevuta::cmdEsportaClick()
{
    openReceiptExport(this);
}

void TfrmRicevuta::cmdNumerazioneClick()
{
    QPointer<TfrmNumerazione> window = new TfrmNumerazione(this);
    setCallerContext(window, QStringLiteral("ricevute"));
    window->setStore({&ReceiptSettings::startNumber,
                      [](const QString &start) { return ReceiptSettings::writeStartNumber(start); }});
    window->setWindowTitle(QStringLiteral(" Impostazione inizio numerazione ricevute"));
    window->exec();
    delete window.data();
}

void TfrmRicevuta::cmdLogoClick()
{
    QPointer<TfrmLogo> window = new TfrmLogo(this);
    window->exec();
    delete window.data();
    showLogo();
}

void TfrmRicevuta::impPagatoreClick()
{
    if (m_memberSearch)
        m_memberSearch(this, QStringLiteral("ricevuta"), *this);
}

void TfrmRicevuta::takeMember(qint64, const Member::Record &member)
{
    for (const Receipt::PayerField &f : Receipt::kPayerImport)
        setTextOf(f.receipt, trimBlanks(member[f.member]));
}

void TfrmRicevuta::btnCodFiscClick()
{
    openTaxIdCheck(this, trimBlanks(textOf(CodFisc)));
}

void TfrmRicevuta::cmdGuidaClick()
{
    showHelpTopic(this, kHelpTopic);
}

void TfrmRicevuta::cmdEsciClick()
{
    close();
}
