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
#include "common/MsgBox.h"
#include "common/PictureBox.h"
#include "common/RecordRules.h"
#include "common/RecordWindowFrame.h"
#include "common/TextUtil.h"
#include "common/TfrmGuida.h"
#include "records/MemberArchive.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <utility>

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kRestingInfo = QStringLiteral("Pronto per stampare una nuova tessera...");
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
    {CardPage::Carica, Member::Ente, "Attività sportiva"},
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
class CardLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
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
    QLabel *lblPosizione = nullptr;
    QLabel *panInfo = nullptr;
    MemberSearchOpener memberSearch;

    using Action = void (Ui::*)();
    struct Button
    {
        const char *name;
        const char *icon;
        const char *text; // caption beside the picture, if any
        Place place;
        Action action;
        const char *hint;
    };
    static const Button kButtons[];

    void accessError() { MsgBox::error(q, MemberArchive::accessMessage()); }

    QString text(CardPage::Text t) const { return texts[size_t(t)]->text(); }
    void setText(CardPage::Text t, const QString &text) { texts[size_t(t)]->setText(text); }

    void resetMember()
    {
        for (const MemberText &m : kMemberTexts)
            setText(m.text, QString::fromUtf8(m.resetText));
        imgFoto->setImage(CardPictures::placeholderPhoto());
        lblPosizione->clear();
    }

    void showMember(const Member::Record &record, qint64 position)
    {
        for (const MemberText &m : kMemberTexts)
            setText(m.text, trimBlanks(record[m.field]));
        lblPosizione->setText(QString::number(position));
        imgFoto->setImage(CardPictures::loadPhoto(lblPosizione->text()));
    }

    // Puts record `index` on the card; a failed read leaves the card as it was.
    void showRecord(qint64 index)
    {
        Member::Record record;
        if (!MemberArchive::read(index, record)) {
            accessError();
            return;
        }
        showMember(record, index + 1);
    }

    void browse(RecordRules::Step step)
    {
        const RecordRules::Browse move = RecordRules::browse(
            step, RecordRules::positionNumber(lblPosizione->text()), [] { return MemberArchive::count(); });
        if (move.clearPosition)
            lblPosizione->clear();
        switch (move.outcome) {
        case RecordRules::Browse::Outcome::Show:
            showRecord(move.index);
            break;
        case RecordRules::Browse::Outcome::EmptyArchive:
            MsgBox::information(q, kEmptyArchive);
            break;
        case RecordRules::Browse::Outcome::AccessError:
            accessError();
            break;
        case RecordRules::Browse::Outcome::NoMove:
            break;
        }
    }

    void cmdNuovoClick() { resetMember(); }
    void cmdPrimoClick() { browse(RecordRules::Step::First); }
    void cmdIndietroClick() { browse(RecordRules::Step::Previous); }
    void cmdAvantiClick() { browse(RecordRules::Step::Next); }
    void cmdUltimoClick() { browse(RecordRules::Step::Last); }

    void cmdTrovaClick()
    {
        if (memberSearch)
            memberSearch(q, QStringLiteral("tessera"), *q);
    }

    template <typename W> void openPrintWindow()
    {
        q->saveLogo();
        QPointer<W> window = new W(q);
        window->setCard(q->content());
        window->exec();
        delete window.data();
    }
    void cmdAnteprimaClick() { openPrintWindow<TfrmAnteprimaTessera>(); }
    void cmdStampaClick() { openPrintWindow<TfrmStampaTessera>(); }

    void associationClick()
    {
        QPointer<TfrmDatiEnte> window = new TfrmDatiEnte(q);
        setCallerContext(window, QStringLiteral("tessera"));
        window->setTexts(q->association());
        window->setTarget([this](const CardSettings::Association &texts) { q->setAssociation(texts); });
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

    void build();
};

// clang-format off
const TfrmTessera::Ui::Button TfrmTessera::Ui::kButtons[] = {
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

// Background panels: a pointer moving over them empties the information bar.
const char *const kToolbarGroups[] = {"shpPulsanti01", "shpPulsanti02", "shpRecord", "shpPulsanti03"};
const Place kToolbarPlaces[] = {Place::Card, Place::Print, Place::Record, Place::Exit};

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

using RecordWindowFrame::panel;

} // namespace

void TfrmTessera::Ui::build()
{
    QList<QPair<QWidget *, QString>> hints;
    QMap<Place, QList<QToolButton *>> placed;
    for (const Button &b : kButtons) {
        const bool small = b.place == Place::OnPhoto || b.place == Place::OnLogo;
        QToolButton *button = RecordWindowFrame::pictureButton(q, b.name, b.icon, b.text, b.hint,
                                                               small ? QSize(20, 20) : QSize(36, 36));
        button->setAutoRaise(!small);
        const Action action = b.action;
        connect(button, &QToolButton::clicked, this, [this, action] { (this->*action)(); });
        placed[b.place].append(button);
        hints.append({button, QString::fromUtf8(b.hint)});
    }

    // Toolbar.
    QList<RecordWindowFrame::ToolbarGroup> toolbarGroups;
    for (size_t g = 0; g < std::size(kToolbarGroups); ++g)
        toolbarGroups.append(
            {kToolbarGroups[g], placed.value(kToolbarPlaces[g]), kToolbarPlaces[g] == Place::Record});
    const RecordWindowFrame::Toolbar toolbar = RecordWindowFrame::toolbar(q, toolbarGroups);
    QFrame *shpContainer = toolbar.band;
    lblPosizione = toolbar.position;
    QList<QWidget *> backgrounds{q};
    backgrounds << toolbar.panels;

    // The card, laid out from the page design.
    auto *panContainer = panel("panContainer", q);
    panContainer->setStyleSheet(QLatin1String(kCardAreaStyle));
    auto *card = new CardView(panContainer);
    card->setObjectName(QStringLiteral("shpSfondo"));
    backgrounds << panContainer << card;
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
    for (const CardPage::Text t : kAssociationTexts) {
        auto *label = static_cast<CardLabel *>(texts[size_t(t)]);
        label->setCursor(Qt::PointingHandCursor);
        connect(label, &CardLabel::clicked, this, &Ui::associationClick);
        hints.append({label, kAssociationHint});
    }
    imgLogo->setCursor(Qt::PointingHandCursor);
    connect(imgLogo, &PictureBox::clicked, this, &Ui::imgLogoClick);
    hints.append({imgLogo, QStringLiteral("Fare clic per caricare il logo dell'associazione.")});
    // The clear buttons sit on the top right corner of their picture.
    for (const auto &[place, picture] :
         {std::pair{Place::OnPhoto, imgFoto}, std::pair{Place::OnLogo, imgLogo}}) {
        for (QToolButton *b : placed.value(place)) {
            b->setParent(card);
            b->setFixedSize(26, 26);
            b->move(picture->geometry().right() - b->width() + 4, picture->geometry().top() - 4);
            b->raise();
        }
    }

    auto *instructions = new QVBoxLayout;
    instructions->setSpacing(4);
    for (size_t i = 0; i < std::size(kInstructions); ++i) {
        auto *line = new QLabel(QString::fromUtf8(kInstructions[i]), panContainer);
        line->setObjectName(QStringLiteral("lblIstruzioni%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        line->setProperty("instruction", true);
        line->setAlignment(Qt::AlignHCenter);
        instructions->addWidget(line);
    }

    auto *containerLayout = new QVBoxLayout(panContainer);
    containerLayout->setContentsMargins(16, 14, 16, 10);
    containerLayout->setSpacing(18);
    containerLayout->addStretch(1);
    containerLayout->addWidget(card, 0, Qt::AlignHCenter);
    containerLayout->addLayout(instructions);
    containerLayout->addStretch(2);

    panInfo = RecordWindowFrame::layOut(q, "scrTessera", shpContainer, panContainer, backgrounds);

    Conventions::setupInfoBar(panInfo, kRestingInfo, hints, backgrounds);

    q->setAssociation(CardSettings::defaultAssociation());
    imgLogo->setImage(CardPictures::placeholderLogo());
    resetMember();
}

TfrmTessera::TfrmTessera(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TfrmTessera"));
    setWindowTitle(QStringLiteral(" Corvalla - Stampa Tessere"));
    Formats::applyProcessFormats();
    ui = new Ui(this);
    ui->build();
    setWindowState(Qt::WindowMaximized);
}

void TfrmTessera::resetMember()
{
    ui->resetMember();
}

void TfrmTessera::showMember(const Member::Record &record, qint64 position)
{
    ui->showMember(record, position);
}

void TfrmTessera::setMemberSearch(MemberSearchOpener open)
{
    ui->memberSearch = std::move(open);
}

void TfrmTessera::takeMember(qint64 position, const Member::Record &record)
{
    showMember(record, position);
}

CardPage::Content TfrmTessera::content() const
{
    CardPage::Content c;
    for (int t = 0; t < CardPage::TextCount; ++t)
        c.texts[size_t(t)] = ui->text(CardPage::Text(t));
    c.logo = logo();
    c.photo = photo();
    return c;
}

CardSettings::Association TfrmTessera::association() const
{
    CardSettings::Association texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = ui->text(kAssociationTexts[i]);
    return texts;
}

void TfrmTessera::setAssociation(const CardSettings::Association &texts)
{
    for (size_t i = 0; i < texts.size(); ++i)
        ui->setText(kAssociationTexts[i], texts[i]);
}

QString TfrmTessera::position() const
{
    return ui->lblPosizione->text();
}

QImage TfrmTessera::logo() const
{
    return ui->imgLogo->image();
}

QImage TfrmTessera::photo() const
{
    return ui->imgFoto->image();
}

void TfrmTessera::setLogo(const QImage &logo)
{
    ui->imgLogo->setImage(logo);
}

void TfrmTessera::saveLogo()
{
    // What was stored, as it will print; a save that failed keeps the user's logo on show (the file
    // keeps the earlier one), so that a later save can try again and never writes the placeholder.
    const QImage stored = CardPictures::saveLogo(logo());
    if (!stored.isNull())
        setLogo(stored);
}

void TfrmTessera::showEvent(QShowEvent *event)
{
    // A window coming back from the task bar is not a new visit: the card stays as it is.
    if (!event->spontaneous()) {
        resetMember();
        setAssociation(CardSettings::load().association);
        setLogo(CardPictures::loadLogo());
        ui->panInfo->setText(kRestingInfo);
    }
    QWidget::showEvent(event);
}

void TfrmTessera::closeEvent(QCloseEvent *event)
{
    CardSettings settings;
    settings.association = association();
    if (!settings.saveAssociation())
        MsgBox::error(this, kSettingsNotSaved);
    saveLogo();
    emit closed();
    event->accept(); // hides the window; it lives on for the next visit
}

#include "TfrmTessera.moc"
