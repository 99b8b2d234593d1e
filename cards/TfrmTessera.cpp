#include "cards/TfrmTessera.h"

#include "cards/CardPictures.h"
#include "cards/TfrmAnteprimaTessera.h"
#include "cards/TfrmDatiEnte.h"
#include "cards/TfrmStampaTessera.h"
#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/FileDialogs.h"
#include "common/Formats.h"
#include "common/HelpTopics.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/SystemError.h"
#include "common/TextUtil.h"
#include "common/TfrmGuida.h"
#include "records/MemberArchive.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <cerrno>
#include <utility>

namespace {

// The association texts are the user's typing: losing them without a word is not an option.
const QString kSettingsNotSaved =
    QStringLiteral("Attenzione: non è stato possibile salvare i dati dell'associazione nel file "
                   "Tesserini.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                   "cartella di installazione del programma.");
const QString kAssociationHint = QStringLiteral("Fare clic per inserire i dati dell'associazione.");

// The member part of the card: the text each label shows after a reset and the member field
// that fills it.
struct MemberText
{
    CardPage::Text text;
    Member::Field field;
    const char *resetText; // UTF-8
};
constexpr MemberText kMemberTexts[] = {
    {CardPage::Tesserato, Member::Tiratore, "Cognome e nome Iscritto"},
    {CardPage::Attivita, Member::Attivita, "Attività sportiva"},
    {CardPage::NumTessera, Member::Tessera, "Tessera n."},
    {CardPage::DataRil, Member::InizioTes, "GG/MM/AAAA"},
    {CardPage::DataScade, Member::FineTes, "GG/MM/AAAA"},
};

// The association texts of the card, in the order of the settings.
constexpr CardPage::Text kAssociationTexts[CardSettings::LineCount] = {
    CardPage::Associazione, CardPage::Sottotitolo01, CardPage::Sottotitolo02, CardPage::Annotazioni};

// The card on screen: the page design's objects, scaled, with the card's outline at the origin.
constexpr double kPixelsPerMm = 7.0;
constexpr int kCardMargin = 12; // room around the card for its shadow

double pixels(double mm)
{
    return mm * kPixelsPerMm;
}

// A text of the card; the association texts react to a click.
class CardLabel : public QLabel, public Pressable
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void press() override
    {
        if (isEnabled())
            emit clicked();
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (focusPolicy() != Qt::NoFocus && Keyboard::isPressKey(event))
            return press();
        QLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        QPainter p(this);
        Keyboard::paintFocusFrame(p, this);
    }
};

// Paints the card's rectangles; its children are the texts and pictures of the design.
class CardView : public QWidget
{
public:
    explicit CardView(QWidget *parent) : QWidget(parent)
    {
        const QRectF outline = CardPage::cardOutline();
        setFixedSize(qRound(pixels(outline.width())) + 2 * kCardMargin,
                     qRound(pixels(outline.height())) + 2 * kCardMargin);
    }

    // The place of a design object on screen.
    static QRectF onScreen(const CardPage::Row &row)
    {
        const QPointF origin = CardPage::cardOutline().topLeft();
        return QRectF(pixels(row.left - origin.x()) + kCardMargin, pixels(row.top - origin.y()) + kCardMargin,
                      pixels(row.width), pixels(row.height));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF card = onScreen(CardPage::rows().front());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(card.translated(4, 5), 10, 10);
        for (const CardPage::Row &row : CardPage::rows()) {
            if (row.kind != Reports::ObjectKind::Rectangle)
                continue;
            const QRectF box = onScreen(row);
            p.setBrush(qAlpha(row.fill) ? QBrush(QColor::fromRgba(row.fill)) : QBrush(Qt::NoBrush));
            p.setPen(qAlpha(row.border) ? QPen(QColor::fromRgba(row.border), 1.0) : QPen(Qt::NoPen));
            const bool outline = &row == &CardPage::rows().front();
            if (outline)
                p.drawRoundedRect(box, 10, 10);
            else
                p.drawRect(box);
        }
    }
};

QFont cardFont(const CardPage::Row &row)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(1, qRound(pixels(row.pointSize * 25.4 / 72.0))));
    font.setBold(row.bold);
    return font;
}

// Where the buttons go: the toolbar's groups, left to right, then the card's pictures.
enum class Place
{
    Card,
    Print,
    Record,
    Exit,
    OnPhoto,
    OnLogo
};

} // namespace

struct TfrmTessera::Ui : public QObject
{
    explicit Ui(TfrmTessera *window) : QObject(window), q(window) {}

    TfrmTessera *q;
    std::array<QLabel *, CardPage::TextCount> texts{};
    PictureBox *imgLogo = nullptr;
    PictureBox *imgFoto = nullptr;
    MemberSearchOpener memberSearch;

    static const RecordWindow::Button<Ui, Place> kButtons[];

    QString text(CardPage::Text t) const { return texts[size_t(t)]->text(); }
    void setText(CardPage::Text t, const QString &text) { texts[size_t(t)]->setText(text); }

    // The member part back to its placeholders: texts, placeholder photo, no position.
    void resetMember()
    {
        for (const MemberText &m : kMemberTexts)
            setText(m.text, QString::fromUtf8(m.resetText));
        imgFoto->setImage(CardPictures::placeholderPhoto());
        q->clearPosition();
    }

    // A member of the archive on the card: the five member texts (trimmed), the position and the
    // member's photo.
    void showMember(const Member::Record &record, qint64 position)
    {
        for (const MemberText &m : kMemberTexts)
            setText(m.text, trimBlanks(record[m.field]));
        q->setPosition(position);
        imgFoto->setImage(CardPictures::loadPhoto(q->position()));
    }

    CardSettings::Association association() const
    {
        CardSettings::Association texts;
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = text(kAssociationTexts[i]);
        return texts;
    }

    void setAssociation(const CardSettings::Association &texts)
    {
        for (size_t i = 0; i < texts.size(); ++i)
            setText(kAssociationTexts[i], texts[i]);
    }

    // What the card shows now, as printing and previewing take it.
    CardPage::Content content() const
    {
        CardPage::Content c;
        for (int t = 0; t < CardPage::TextCount; ++t)
            c.texts[size_t(t)] = text(CardPage::Text(t));
        c.logo = imgLogo->image();
        c.photo = imgFoto->image();
        return c;
    }

    // Stores the logo on show as the card logo file and shows what was stored. A save that failed
    // is told, and keeps the user's logo on show (the file keeps the earlier one), so that the
    // card printed now has it and a later save can try again, never writing the placeholder.
    void saveLogo()
    {
        const QImage stored = CardPictures::saveLogo(imgLogo->image());
        if (!stored.isNull()) {
            imgLogo->setImage(stored);
            return;
        }
        const int reason = errno;
        MsgBox::warning(q, QStringLiteral("Attenzione: non è stato possibile salvare il logo nel file "
                                          "Anagrafica/Logo.bmp.\n\r\n\r") +
                               SystemError::writeAdvice(reason, QStringLiteral("l'operazione")));
    }

    void cmdNuovoClick() { resetMember(); }
    void cmdPrimoClick() { q->browse(RecordRules::Step::First); }
    void cmdIndietroClick() { q->browse(RecordRules::Step::Previous); }
    void cmdAvantiClick() { q->browse(RecordRules::Step::Next); }
    void cmdUltimoClick() { q->browse(RecordRules::Step::Last); }

    void cmdTrovaClick()
    {
        if (memberSearch)
            memberSearch(q, QStringLiteral("tessera"), *q);
    }

    template <typename W> void openPrintWindow()
    {
        saveLogo();
        QPointer<W> window = new W(q);
        window->setCard(content());
        window->exec();
        delete window.data();
    }
    void cmdAnteprimaClick() { openPrintWindow<TfrmAnteprimaTessera>(); }
    void cmdStampaClick() { openPrintWindow<TfrmStampaTessera>(); }

    void associationClick()
    {
        QPointer<TfrmDatiEnte> window = new TfrmDatiEnte(q);
        setCallerContext(window, QStringLiteral("tessera"));
        window->setTexts(association());
        window->setTarget([this](const CardSettings::Association &texts) { setAssociation(texts); });
        window->exec();
        delete window.data();
    }

    void imgLogoClick()
    {
        const QString path = FileDialogs::getOpenFileName(
            q, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
            QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
        if (path.isEmpty())
            return;
        const QImage picture = CardPictures::readPicture(path);
        imgLogo->setImage(picture.isNull() ? CardPictures::placeholderLogo() : picture);
    }

    void btnCancLogoClick() { imgLogo->setImage(CardPictures::whiteDot()); }
    void btnCancFotoClick() { imgFoto->setImage(CardPictures::whiteDot()); }
    void imgGuidaClick() { showHelpTopic(q, QStringLiteral("App Stampa Tessere")); }
    void imgEsciClick() { q->close(); }

    // Building the window, part by part.
    void build();
    CardView *makeCard(QWidget *parent);
    void makeClickable(CardView *card);
    QLayout *makeInstructions(QWidget *parent);
};

// clang-format off
const RecordWindow::Button<TfrmTessera::Ui, Place> TfrmTessera::Ui::kButtons[] = {
    {"cmdNuovo",     "nuovo",     nullptr,  Place::Card,    &Ui::cmdNuovoClick,
     "Predispone la schermata per la visualizzazione di una nuova scheda."},
    {"cmdTrova",     "trova",     nullptr,  Place::Card,    &Ui::cmdTrovaClick,
     "Trova una scheda in archivio."},
    {"cmdAnteprima", "anteprima", nullptr,  Place::Print,   &Ui::cmdAnteprimaClick,
     "Visualizza l'anteprima di stampa del tesserino corrente."},
    {"cmdStampa",    "stampa",    "Stampa", Place::Print,   &Ui::cmdStampaClick,
     "Stampa il tesserino corrente."},
    {"cmdPrimo",     "primo",     nullptr,  Place::Record,  &Ui::cmdPrimoClick,
     "Visualizza la prima scheda in archivio."},
    {"cmdIndietro",  "indietro",  nullptr,  Place::Record,  &Ui::cmdIndietroClick,
     "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti",    "avanti",    nullptr,  Place::Record,  &Ui::cmdAvantiClick,
     "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo",    "ultimo",    nullptr,  Place::Record,  &Ui::cmdUltimoClick,
     "Visualizza l'ultima scheda in archivio."},
    {"imgGuida",     "guida",     nullptr,  Place::Exit,    &Ui::imgGuidaClick,
     "Visualizza la pagina della guida sensibile al contesto."},
    {"imgEsci",      "esci",      nullptr,  Place::Exit,    &Ui::imgEsciClick,
     "Esci da questa schermata di lavoro."},
    {"btnCancFoto",  "cancfoto",  nullptr,  Place::OnPhoto, &Ui::btnCancFotoClick,
     "Cancella la foto corrente."},
    {"btnCancLogo",  "cancella",  nullptr,  Place::OnLogo,  &Ui::btnCancLogoClick,
     "Cancella il logo corrente."},
};
// clang-format on

namespace {

const char *const kInstructions[] = {
    "Per richiamare i dati di un iscritto dall'archivio, utilizzare il pulsante Trova o le frecce di "
    "scorrimento delle schede. ",
    "Inserire o modificare il logo e i dati dell'associazione facendo clic su di essi.",
    "Il logo e i dati testuali relativi all'associazione sono salvati in automatico all'uscita da questo "
    "ambiente di lavoro.",
};

// The panels of the toolbar's groups, in the order of the places.
const char *const kToolbarGroups[] = {"shpPulsanti01", "shpPulsanti02", "shpRecord", "shpPulsanti03"};

// The looks are set on the card area and the bar rather than on the window, so that they do not
// reach the one-use windows and message boxes that have the card window as parent.
const char *const kCardAreaStyle = R"(
QLabel[instruction="true"] { color: #1E2A4A; }
QToolButton {
    background: rgba(255, 255, 255, 200);
    border: 1px solid #C3D1F0;
    border-radius: 4px;
    padding: 1px;
}
QToolButton:hover { background: #FFF6C8; border-color: #E2C75A; }
)";

} // namespace
void TfrmTessera::Ui::build()
{
    q->makeToolbar(kButtons, this, kToolbarGroups, Place::Record);

    auto *panContainer = q->panel("panContainer", q);
    panContainer->setStyleSheet(QLatin1String(kCardAreaStyle) + Keyboard::toolButtonFocusRule(2, 0));
    q->addBackgrounds({panContainer});
    CardView *card = makeCard(panContainer);
    makeClickable(card);
    QLayout *instructions = makeInstructions(panContainer);
    auto *containerLayout = new QVBoxLayout(panContainer);
    containerLayout->setContentsMargins(16, 14, 16, 10);
    containerLayout->setSpacing(18);
    containerLayout->addStretch(1);
    if (RecordWindow::lowScreen()) {
        // No room below the card: the instructions go beside it.
        containerLayout->setContentsMargins(8, 6, 8, 6);
        auto *row = new QHBoxLayout;
        row->setSpacing(16);
        row->addStretch(1);
        row->addWidget(card, 0, Qt::AlignVCenter);
        row->addLayout(instructions, 1);
        row->addStretch(1);
        containerLayout->addLayout(row);
    } else {
        containerLayout->addWidget(card, 0, Qt::AlignHCenter);
        containerLayout->addLayout(instructions);
    }
    containerLayout->addStretch(2);

    q->layOut("scrTessera", panContainer);

    setAssociation(CardSettings::defaultAssociation());
    imgLogo->setImage(CardPictures::placeholderLogo());
    resetMember();
}

// The card, laid out from the page design.
CardView *TfrmTessera::Ui::makeCard(QWidget *parent)
{
    auto *card = new CardView(parent);
    card->setObjectName(QStringLiteral("shpSfondo"));
    q->addBackgrounds({card});
    for (const CardPage::Row &row : CardPage::rows()) {
        if (!row.control)
            continue;
        const QRect box = CardView::onScreen(row).toRect();
        if (row.kind == Reports::ObjectKind::Picture) {
            auto *picture = new PictureBox(card);
            picture->setObjectName(QLatin1String(row.control));
            picture->setGeometry(box);
            (row.filledFrom == CardPage::Logo ? imgLogo : imgFoto) = picture;
            continue;
        }
        auto *label = new CardLabel(QString::fromUtf8(row.text ? row.text : ""), card);
        label->setObjectName(QLatin1String(row.control));
        label->setGeometry(box);
        label->setFont(cardFont(row));
        label->setAlignment(row.alignment);
        label->setWordWrap(false);
        label->setTextFormat(Qt::PlainText);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgba(row.textColour));
        label->setPalette(palette);
        if (row.filledFrom >= 0)
            texts[size_t(row.filledFrom)] = label;
    }
    return card;
}

// The association texts and the logo react to a click; the clear buttons sit on the top right
// corner of their picture.
void TfrmTessera::Ui::makeClickable(CardView *card)
{
    // The association texts open one window: the first is the button that Tab reaches for all of
    // them, the others stay texts that a click opens it from too.
    auto *first = static_cast<CardLabel *>(texts[size_t(kAssociationTexts[0])]);
    Keyboard::setPressable(first, true, kAssociationHint);
    for (const CardPage::Text t : kAssociationTexts) {
        auto *label = static_cast<CardLabel *>(texts[size_t(t)]);
        label->setCursor(Qt::PointingHandCursor);
        connect(label, &CardLabel::clicked, this, &Ui::associationClick);
        q->addHint(label, kAssociationHint);
    }
    const QString logoHint = QStringLiteral("Fare clic per caricare il logo dell'associazione.");
    imgLogo->setClickable(logoHint);
    connect(imgLogo, &PictureBox::clicked, this, &Ui::imgLogoClick);
    q->addHint(imgLogo, logoHint);
    for (const auto &[place, picture] :
         {std::pair{Place::OnPhoto, imgFoto}, std::pair{Place::OnLogo, imgLogo}}) {
        for (QToolButton *b : q->buttons(place)) {
            b->setAutoRaise(false);
            b->setParent(card);
            b->setFixedSize(26, 26);
            b->move(picture->geometry().right() - b->width() + 4, picture->geometry().top() - 4);
            b->raise();
        }
    }
}

QLayout *TfrmTessera::Ui::makeInstructions(QWidget *parent)
{
    auto *instructions = new QVBoxLayout;
    instructions->setSpacing(4);
    instructions->addStretch(1);
    for (size_t i = 0; i < std::size(kInstructions); ++i) {
        auto *line = new QLabel(QString::fromUtf8(kInstructions[i]), parent);
        line->setObjectName(QStringLiteral("lblIstruzioni%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        line->setProperty("instruction", true);
        line->setAlignment(Qt::AlignHCenter);
        line->setWordWrap(true);
        instructions->addWidget(line);
    }
    instructions->addStretch(1);
    return instructions;
}

TfrmTessera::TfrmTessera(QWidget *parent)
    : RecordWindow({"TfrmTessera", " Corvalla - Stampa Tessere", "Pronto per stampare una nuova tessera...",
                    "L'archivio non contiene nessuna scheda.", MemberArchive::accessMessage()},
                   parent)
{
    ui = new Ui(this);
    ui->build();
    setWindowState(Qt::WindowMaximized);
}

void TfrmTessera::takeMember(qint64 position, const Member::Record &record)
{
    ui->showMember(record, position);
}

void TfrmTessera::setMemberSearch(MemberSearchOpener open)
{
    ui->memberSearch = std::move(open);
}

QImage TfrmTessera::logo() const
{
    return ui->imgLogo->image();
}

QImage TfrmTessera::photo() const
{
    return ui->imgFoto->image();
}

RecordArchive TfrmTessera::archive() const
{
    return MemberArchive::archive();
}

void TfrmTessera::saveLogo()
{
    ui->saveLogo();
}

void TfrmTessera::showRecord(qint64 index, const QByteArray &record)
{
    ui->showMember(Member::decode(record), index + 1);
}

void TfrmTessera::startVisit()
{
    ui->resetMember();
    ui->setAssociation(CardSettings::load().association);
    ui->imgLogo->setImage(CardPictures::loadLogo());
}

void TfrmTessera::endVisit()
{
    CardSettings settings;
    settings.association = ui->association();
    if (!settings.saveAssociation())
        MsgBox::error(this, kSettingsNotSaved);
    ui->saveLogo();
}

#include "TfrmTessera.moc"
