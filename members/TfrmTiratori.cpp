#include "members/TfrmTiratori.h"

#include "common/CallerContext.h"
#include "common/FieldConventions.h"
#include "common/FileDialogs.h"
#include "common/Formats.h"
#include "common/HelpTopics.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/PictureBox.h"
#include "common/PictureButton.h"
#include "common/RecordRules.h"
#include "common/TextUtil.h"
#include "common/TfrmCodFisc.h"
#include "common/TfrmGuida.h"
#include "common/TfrmPartitaIva.h"
#include "members/TfrmAllegaCartella.h"
#include "members/TfrmAnteprimaTiratori.h"
#include "members/TfrmCertScaduti.h"
#include "members/TfrmExpTiratori.h"
#include "members/TfrmStampaTiratori.h"
#include "members/TfrmTessereScadute.h"
#include "members/TfrmTrovaTiratori.h"
#include "members/TfrmWebCam.h"
#include "members/TfrmZoom.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Member::Field;

const QString kPhotoNotSaved =
    QStringLiteral("Attenzione: non è stato possibile salvare la foto dell'iscritto; "
                   "il file della foto è rimasto quello precedente.\n\r\n\r"
                   "Accertarsi che il disco non sia pieno e di possedere i privilegi "
                   "di scrittura nella cartella di installazione del programma.");

enum class Kind
{
    Text,
    Upper,  // upper-cased while typing
    Trim,   // trimmed while typing
    Date,   // filled only by the date picker
    Amount, // digits and comma, normalised on leaving
};

// The sheet's entry fields, one row each, in record order (which is also the order in which a save
// checks the required ones). Names, labels, widths and the required flag come from the record
// layout; this table adds how each field behaves and where it sits.
struct SheetField
{
    Field field;
    Field next; // where Enter goes
    Kind kind;
    const char *context; // date picker caller context
    Qt::Alignment align;
    int row, column, span; // place in the four-column grid
    int chars;             // a narrow field's width in characters (0: as wide as its cell)
    const char *button;    // button beside the field
    const char *labelIcon; // picture beside the label
    const char *missing;   // message when a save finds the field empty
};

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment C = Qt::AlignHCenter;
constexpr Qt::Alignment R = Qt::AlignRight;

// clang-format off
const SheetField kSheet[] = {
    {Member::Tiratore,     Member::Sesso,        Kind::Text,   nullptr, L, 0, 0, 3, 0,  nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare cognome e nome dell'iscritto."},
    {Member::Sesso,        Member::DataNasc,     Kind::Upper,  nullptr, C, 0, 3, 1, 3,  nullptr, nullptr, nullptr},
    {Member::DataNasc,     Member::Cittadinanza, Kind::Text,   nullptr, L, 1, 0, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Cittadinanza, Member::LuogoNasc,    Kind::Text,   nullptr, L, 1, 1, 1, 0,  nullptr, nullptr, nullptr},
    {Member::LuogoNasc,    Member::Indirizzo,    Kind::Text,   nullptr, L, 1, 2, 2, 0,  nullptr, nullptr, nullptr},
    {Member::Indirizzo,    Member::Citta,        Kind::Text,   nullptr, L, 2, 0, 2, 0,  nullptr, nullptr, nullptr},
    {Member::Citta,        Member::Cap,          Kind::Text,   nullptr, L, 2, 2, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Cap,          Member::Nazione,      Kind::Text,   nullptr, L, 2, 3, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Nazione,      Member::CodFisc,      Kind::Text,   nullptr, L, 3, 0, 1, 0,  nullptr, nullptr, nullptr},
    {Member::CodFisc,      Member::Gruppo,       Kind::Upper,  nullptr, L, 3, 1, 1, 0,  "btnCodFisc", nullptr, nullptr},
    {Member::Gruppo,       Member::Professione,  Kind::Text,   nullptr, L, 3, 2, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Professione,  Member::ScadenzaCertificato,       Kind::Text,   nullptr, L, 3, 3, 1, 0,  nullptr, nullptr, nullptr},
    {Member::ScadenzaCertificato,       Member::Attivita,         Kind::Date,   "tiratori_studio", L, 4, 0, 1, 0, nullptr, "croce_rossa",
     "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del certificato medico."},
    {Member::Attivita,         Member::Email,        Kind::Text,   nullptr, L, 4, 1, 3, 0,  nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare l'attività sportiva praticata."},
    {Member::Email,        Member::Tel,          Kind::Trim,   nullptr, L, 5, 0, 2, 0,  "btnEmail", nullptr, nullptr},
    {Member::Tel,          Member::Cel,          Kind::Text,   nullptr, L, 5, 2, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Cel,          Member::Tessera,      Kind::Text,   nullptr, L, 5, 3, 1, 0,  nullptr, nullptr, nullptr},
    {Member::Tessera,      Member::Quota,        Kind::Text,   nullptr, L, 6, 0, 1, 0,  nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare il numero di tessera dell'iscritto."},
    {Member::Quota,        Member::InizioTes,    Kind::Amount, nullptr, R, 6, 1, 1, 0,  nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare la quota versata dall'iscritto."},
    {Member::InizioTes,    Member::FineTes,      Kind::Date,   "tiratori_iniziotes", L, 6, 2, 1, 0, nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare la data di rilascio della tessera."},
    {Member::FineTes,      Member::Praticante,         Kind::Date,   "tiratori_finetes", L, 6, 3, 1, 0, nullptr, nullptr,
     "Attenzione: per salvare la scheda è necessario indicare la data di scadenza della tessera."},
    {Member::Praticante,         Member::LuogoNascPraticante,        Kind::Text,   nullptr, L, 7, 0, 2, 0,  nullptr, nullptr, nullptr},
    {Member::LuogoNascPraticante,        Member::DataNascPraticante,    Kind::Text,   nullptr, L, 7, 2, 1, 0,  nullptr, nullptr, nullptr},
    {Member::DataNascPraticante,    Member::IndirizzoPraticante,      Kind::Text,   nullptr, L, 7, 3, 1, 0,  nullptr, nullptr, nullptr},
    {Member::IndirizzoPraticante,      Member::Note,         Kind::Text,   nullptr, L, 8, 0, 4, 0,  nullptr, nullptr, nullptr},
    {Member::Note,         Member::Tiratore,     Kind::Text,   nullptr, L, 9, 0, 4, 0,  nullptr, nullptr, nullptr},
};
// clang-format on
static_assert(std::size(kSheet) == Member::kSheetFieldCount, "one row per entry field");

// The required fields in the order a save checks them, with their messages, from the table above.
const std::vector<RecordRules::RequiredField> &requiredFields()
{
    static const std::vector<RecordRules::RequiredField> required = [] {
        std::vector<RecordRules::RequiredField> rows;
        for (const SheetField &row : kSheet)
            if (row.missing)
                rows.push_back({row.field, row.missing});
        return rows;
    }();
    return required;
}

constexpr int kGridColumns = 4;
// The row after which the practitioner's fields begin: a rule separates them from the member's.
constexpr int kPractitionerRow = 7;

// Where the buttons go: the toolbar's groups, left to right, then the sheet's own places.
enum class Place
{
    Group1,
    Group2,
    Group3,
    Record,
    Group4,
    Group5,
    Group6,
    Photo,
    BesideField
};

// The panels of the toolbar's groups, in the order of the places above.
const char *const kToolbarGroups[] = {"shpPulsanti01", "shpPulsanti02", "shpPulsanti03", "shpRecord",
                                      "shpPulsanti04", "shpPulsanti05", "shpPulsanti06"};

// The looks are set on the sheet area and the bar rather than on the window, so that they do not
// reach the one-use windows and message boxes that have the sheet as parent.
const char *const kSheetStyle = R"(
QFrame#shpSfondo, QFrame#shpFoto {
    background: #FFFFFF;
    border: 1px solid #B4C6EC;
    border-radius: 8px;
}
QFrame#bkgPulsantiFoto {
    background: #EEF3FD;
    border: 1px solid #C3D1F0;
    border-radius: 6px;
}
QFrame#rulePraticante { background: #C9D6F2; border: none; }
QLabel[fieldLabel="true"] { color: #1E2A4A; }
QLabel[fieldLabel="true"][required="true"] { color: #8B4513; }
QToolButton { border: 1px solid transparent; border-radius: 5px; padding: 2px; }
QToolButton:hover { background: #FFF6C8; border-color: #E2C75A; }
QToolButton:pressed { background: #FFE98A; }
)";

} // namespace

// The window's controls and behaviour; a child object of the window, so it goes with it.
struct TfrmTiratori::Ui : public QObject
{
    explicit Ui(TfrmTiratori *window) : QObject(window), q(window) {}

    TfrmTiratori *q;
    QLineEdit *fields[Member::kSheetFieldCount] = {};
    QLabel *hidden[Member::FieldCount - Member::kSheetFieldCount] = {};
    PictureBox *imgFoto = nullptr;
    PictureBox *imgBianco = nullptr;

    static const RecordWindow::Button<Ui, Place> kButtons[];

    QLineEdit *entry(Field f) const { return fields[f]; }
    QLabel *hiddenLabel(int field) const { return hidden[field - Member::kSheetFieldCount]; }

    QImage placeholderPhoto()
    {
        // Rendered on first use rather than at start-up.
        if (imgBianco->image().isNull())
            imgBianco->setImage(MemberPhoto::placeholder());
        return imgBianco->image();
    }

    // Empty sheet: all fields empty but the fee ("0,00"), no attachments, placeholder photo, no
    // position, focus in txtTiratore.
    void clearSheet()
    {
        for (QLineEdit *f : fields)
            f->clear();
        entry(Member::Quota)->setText(QStringLiteral("0,00"));
        for (QLabel *l : hidden)
            l->clear();
        imgFoto->setImage(placeholderPhoto());
        q->clearPosition();
        entry(Member::Tiratore)->setFocus(Qt::OtherFocusReason);
    }

    // A record from the archive on the sheet: its fields (the fee as stored), its position and
    // its photo (the placeholder when it cannot be read).
    void showMember(const Member::Record &record, qint64 position)
    {
        for (int i = 0; i < Member::kSheetFieldCount; ++i)
            fields[i]->setText(trimBlanks(record[i]));
        for (int i = Member::kSheetFieldCount; i < Member::FieldCount; ++i)
            hiddenLabel(i)->setText(trimBlanks(record[i]));
        q->setPosition(position);
        imgFoto->setImage(MemberPhoto::load(q->position()));
    }

    void cmdNuovoClick() { clearSheet(); }

    void cmdDuplicaClick()
    {
        if (trimBlanks(q->position()).isEmpty()) {
            MsgBox::warning(q,
                            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                           "dopo che questa è stata inserita in archivio."));
            return;
        }
        for (QLabel *l : hidden)
            l->clear();
        q->clearPosition();
        imgFoto->setImage(placeholderPhoto());
        entry(Member::Tiratore)->setFocus(Qt::OtherFocusReason);
        MsgBox::information(q, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                              "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                              "scheda in archivio."));
    }

    // The sheet as a record to save; nothing when a required field is empty (the user is told and
    // the focus goes to the field).
    std::optional<QByteArray> checkedRecord()
    {
        if (const RecordRules::RequiredField *missing = RecordRules::firstMissingField(
                requiredFields(), [this](int field) { return entry(Field(field))->text(); })) {
            MsgBox::warning(q, QString::fromUtf8(missing->message));
            entry(Field(missing->field))->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        return Member::encode(q->sheetRecord());
    }

    // The sheet's photo to the photo file of a saved record; never stops a save. The photo file
    // keeps its previous picture and the sheet the new one, so that a later save can try again.
    void savePhoto(qint64 position)
    {
        if (!MemberPhoto::save(imgFoto->image(), QString::number(position)))
            MsgBox::warning(q, kPhotoNotSaved);
    }

    void cmdSalvaClick()
    {
        q->save([this] { return checkedRecord(); }, [this](qint64 position) { savePhoto(position); });
    }

    void cmdPrimoClick() { q->browse(RecordRules::Step::First); }
    void cmdUltimoClick() { q->browse(RecordRules::Step::Last); }
    void cmdAvantiClick() { q->browse(RecordRules::Step::Next); }
    void cmdIndietroClick() { q->browse(RecordRules::Step::Previous); }

    // One-use windows: created over the sheet, with the caller context the sheet writes into
    // them, given what they need by `prepare`, shown modally and destroyed.
    template <typename W, typename Prepare = void (*)(W &)>
    void openOneUse(
        const QString &context = QString(), Prepare prepare = [](W &) {})
    {
        QPointer<W> window = new W(q);
        if (!context.isEmpty())
            setCallerContext(window, context);
        prepare(*window);
        window->exec();
        delete window.data();
    }

    void cmdTrovaClick() { openMemberSearch(q, QStringLiteral("tiratori"), *q); }
    void cmdFileClick()
    {
        openOneUse<TfrmAllegaCartella>(QStringLiteral("tiratori"), [this](TfrmAllegaCartella &w) {
            w.setAttachments(sheetAttachments());
            w.setApply([this](const TfrmAllegaCartella::Attachments &list) { setSheetAttachments(list); });
        });
    }
    void cmdAnteprimaClick()
    {
        openOneUse<TfrmAnteprimaTiratori>(QString(), [this](MemberSheetDialog &w) { w.setSheet(q); });
    }
    void cmdStampaClick()
    {
        openOneUse<TfrmStampaTiratori>(QString(), [this](MemberSheetDialog &w) { w.setSheet(q); });
    }
    void cmdScadCertClick()
    {
        openOneUse<TfrmCertScaduti>(QString(), [this](ExpiryListWindow &w) { w.setTarget(q); });
    }
    void cmdScaduteClick()
    {
        openOneUse<TfrmTessereScadute>(QString(), [this](ExpiryListWindow &w) { w.setTarget(q); });
    }
    void cmdEsportaClick() { openOneUse<TfrmExpTiratori>(); }
    void cmdGuidaClick() { showHelpTopic(q, QStringLiteral("App Archivio Iscritti")); }
    void cmdEsciClick() { q->close(); }

    void btnCaricaFotoClick()
    {
        const QString path = FileDialogs::getOpenFileName(
            q, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
            QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp"));
        if (path.isEmpty())
            return;
        const QImage picture = MemberPhoto::readPicture(path);
        imgFoto->setImage(picture.isNull() ? placeholderPhoto() : picture);
    }

    void btnWebcamClick()
    {
        openOneUse<TfrmWebCam>(QStringLiteral("euro_01"), [this](TfrmWebCam &w) {
            w.setPhotoTarget([this](const QImage &photo) { imgFoto->setImage(photo); });
        });
    }

    TfrmAllegaCartella::Attachments sheetAttachments() const
    {
        TfrmAllegaCartella::Attachments list;
        for (int i = 0; i < TfrmAllegaCartella::kSlots; ++i)
            list[size_t(i)] = {trimBlanks(hiddenLabel(Member::File01 + i)->text()),
                               trimBlanks(hiddenLabel(Member::Desc01 + i)->text())};
        return list;
    }
    void setSheetAttachments(const TfrmAllegaCartella::Attachments &list)
    {
        for (int i = 0; i < TfrmAllegaCartella::kSlots; ++i) {
            hiddenLabel(Member::File01 + i)->setText(list[size_t(i)].file);
            hiddenLabel(Member::Desc01 + i)->setText(list[size_t(i)].description);
        }
    }

    void btnSalvaFotoClick()
    {
        const QString path = FileDialogs::getSaveFileName(
            q, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
            QStringLiteral("File Jpeg (*.jpg)|*.jpg"), QStringLiteral("Foto.jpg"));
        if (path.isEmpty())
            return;
        if (!MemberPhoto::writeJpeg(imgFoto->image(), path))
            imgFoto->setImage(placeholderPhoto());
    }

    void btnCancFotoClick() { imgFoto->setImage(placeholderPhoto()); }

    void btnZoomFotoClick()
    {
        QPointer<TfrmZoom> zoom = new TfrmZoom(q);
        zoom->setPhoto(imgFoto->image());
        zoom->exec();
        delete zoom.data();
    }

    void btnEmailClick()
    {
        TMisc::Open(QStringLiteral("\"mailto:") + trimBlanks(entry(Member::Email)->text()) +
                    QLatin1Char('"'));
    }

    void btnCodFiscClick() { openTaxIdCheck(q, entry(Member::CodFisc)->text()); }

    // Building the window, part by part.
    void build();
    void makeFields();
    QFrame *makeSheet(QWidget *parent);
    QLayout *fieldCell(const SheetField &row, QWidget *parent);
    QFrame *makePhotoPanel(QWidget *parent);
    void applyConventions();
};

// clang-format off
const RecordWindow::Button<TfrmTiratori::Ui, Place> TfrmTiratori::Ui::kButtons[] = {
    {"cmdNuovo",      "nuovo",         nullptr,  Place::Group1, &Ui::cmdNuovoClick,
     "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"cmdDuplica",    "duplica",       nullptr,  Place::Group1, &Ui::cmdDuplicaClick,
     "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
    {"cmdSalva",      "salva",         nullptr,  Place::Group1, &Ui::cmdSalvaClick,
     "Salva la scheda in archivio."},
    {"cmdTrova",      "trova",         nullptr,  Place::Group2, &Ui::cmdTrovaClick,
     "Trova una scheda in archivio."},
    {"cmdFile",       "allega",        nullptr,  Place::Group2, &Ui::cmdFileClick,
     "Allega file alla scheda."},
    {"cmdAnteprima",  "anteprima",     nullptr,  Place::Group3, &Ui::cmdAnteprimaClick,
     "Visualizza l'anteprima di stampa della scheda."},
    {"cmdStampa",     "stampa",        "Stampa", Place::Group3, &Ui::cmdStampaClick,
     "Stampa la scheda."},
    {"cmdPrimo",      "primo",         nullptr,  Place::Record, &Ui::cmdPrimoClick,
     "Visualizza la prima scheda in archivio."},
    {"cmdIndietro",   "indietro",      nullptr,  Place::Record, &Ui::cmdIndietroClick,
     "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti",     "avanti",        nullptr,  Place::Record, &Ui::cmdAvantiClick,
     "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo",     "ultimo",        nullptr,  Place::Record, &Ui::cmdUltimoClick,
     "Visualizza l'ultima scheda in archivio."},
    {"cmdScadCert",   "scadcert",      nullptr,  Place::Group4, &Ui::cmdScadCertClick,
     "Visualizza il riepilogo dei certificati medici scaduti."},
    {"cmdScadute",    "scadute",       nullptr,  Place::Group4, &Ui::cmdScaduteClick,
     "Visualizza il riepilogo delle tessere scadute."},
    {"cmdEsporta",    "esporta",       nullptr,  Place::Group5, &Ui::cmdEsportaClick,
     "Esporta l'archivio in un file di Microsoft Excel."},
    {"cmdGuida",      "guida",         nullptr,  Place::Group5, &Ui::cmdGuidaClick,
     "Visualizza la guida in linea."},
    {"cmdEsci",       "esci",          nullptr,  Place::Group6, &Ui::cmdEsciClick,
     "Esci da questa schermata di lavoro."},
    {"btnCaricaFoto", "carica",        "Carica", Place::Photo,  &Ui::btnCaricaFotoClick,
     "Carica una foto esistente."},
    {"btnWebcam",     "webcam_icona",  nullptr,  Place::Photo,  &Ui::btnWebcamClick,
     "Cattura la foto con una webcam."},
    {"btnSalvaFoto",  "salvafoto",     nullptr,  Place::Photo,  &Ui::btnSalvaFotoClick,
     "Salva la foto su disco."},
    {"btnCancFoto",   "cancfoto",      nullptr,  Place::Photo,  &Ui::btnCancFotoClick,
     "Cancella la foto."},
    {"btnZoomFoto",   "zoom",          nullptr,  Place::Photo,  &Ui::btnZoomFotoClick,
     "Visualizza la foto nelle sue dimensioni reali."},
    {"btnEmail",      "email_icona",   nullptr,  Place::BesideField, &Ui::btnEmailClick,
     "Invia una e-mail all'indirizzo indicato."},
    {"btnCodFisc",    "codfisc",       nullptr,  Place::BesideField, &Ui::btnCodFiscClick,
     "Controlla il codice fiscale."},
};
// clang-format on

void TfrmTiratori::Ui::build()
{
    makeFields();
    q->makeToolbar(kButtons, this, kToolbarGroups, Place::Record);

    // The sheet beside its photo.
    auto *panContainer = q->panel("panContainer", q);
    panContainer->setStyleSheet(QLatin1String(kSheetStyle) + Keyboard::toolButtonFocusRule(2, 1));
    q->addBackgrounds({panContainer});
    QFrame *shpSfondo = makeSheet(panContainer);
    QFrame *shpFoto = makePhotoPanel(panContainer);
    auto *sheetRow = new QHBoxLayout;
    sheetRow->setSpacing(16);
    sheetRow->addStretch(0);
    sheetRow->addWidget(shpSfondo, 1, Qt::AlignTop);
    sheetRow->addWidget(shpFoto, 0, Qt::AlignTop);
    sheetRow->addStretch(0);
    auto *containerLayout = new QVBoxLayout(panContainer);
    containerLayout->setContentsMargins(16, 14, 16, 10);
    // On a tall screen the sheet sits a little below the toolbar rather than glued to it.
    containerLayout->addStretch(1);
    containerLayout->addLayout(sheetRow);
    containerLayout->addStretch(3);

    q->layOut("scrScheda", panContainer);
    applyConventions();
}

// Entry fields and the hidden attachment labels, from the record layout.
void TfrmTiratori::Ui::makeFields()
{
    for (int i = 0; i < Member::kSheetFieldCount; ++i) {
        const Member::FieldInfo &info = Member::kFields[size_t(i)];
        auto *f = new QLineEdit(q);
        f->setObjectName(QLatin1String(info.layout.name));
        f->setMaxLength(info.layout.width);
        fields[i] = f;
    }
    for (int i = Member::kSheetFieldCount; i < Member::FieldCount; ++i) {
        auto *l = new QLabel(q);
        l->setObjectName(Member::fieldName(i));
        l->hide();
        hidden[i - Member::kSheetFieldCount] = l;
    }
    imgBianco = new PictureBox(q);
    imgBianco->setObjectName(QStringLiteral("imgBianco"));
    imgBianco->hide();
}

// The sheet: heading picture over the grid of fields, with a rule before the practitioner's.
QFrame *TfrmTiratori::Ui::makeSheet(QWidget *parent)
{
    auto *shpSfondo = q->panel("shpSfondo", parent);
    shpSfondo->setMaximumWidth(1180);
    shpSfondo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    auto *shpSezione01 = q->panel("shpSezione01", shpSfondo);
    q->addBackgrounds({shpSfondo, shpSezione01});

    auto *heading =
        new PictureButton(QStringLiteral(":/pictures/scheda_titolo.svg"), QSize(500, 60), shpSfondo);
    heading->setObjectName(QStringLiteral("imgTitolo"));
    heading->setFixedSize(400, 48);

    auto *grid = new QGridLayout(shpSezione01);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    for (int c = 0; c < kGridColumns; ++c) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, 180);
    }
    for (const SheetField &row : kSheet) {
        // Room for the separating rule before the practitioner's fields.
        const int gridRow = row.row * 2 + (row.row >= kPractitionerRow ? 1 : 0);
        grid->addLayout(fieldCell(row, shpSezione01), gridRow, row.column, 1, row.span);
    }
    auto *rule = new QFrame(shpSezione01);
    rule->setObjectName(QStringLiteral("rulePraticante"));
    rule->setFixedHeight(1);
    rule->setAttribute(Qt::WA_TransparentForMouseEvents);
    grid->addWidget(rule, kPractitionerRow * 2, 0, 1, kGridColumns);
    grid->setRowMinimumHeight(kPractitionerRow * 2, 14);

    auto *sheetLayout = new QVBoxLayout(shpSfondo);
    sheetLayout->setContentsMargins(20, 14, 20, 18);
    sheetLayout->setSpacing(12);
    sheetLayout->addWidget(heading);
    sheetLayout->addWidget(shpSezione01);
    return shpSfondo;
}

// One cell of the grid: the field's label (with its picture, if any) over the field (with its
// button, if any).
QLayout *TfrmTiratori::Ui::fieldCell(const SheetField &row, QWidget *parent)
{
    const Member::FieldInfo &info = Member::kFields[size_t(row.field)];
    QLineEdit *f = entry(row.field);
    f->setParent(parent);
    f->setAlignment(row.align | Qt::AlignVCenter);
    f->setFixedHeight(24);
    if (row.chars > 0)
        f->setFixedWidth(QFontMetrics(q->font()).horizontalAdvance(QLatin1Char('W')) * row.chars + 12);

    auto *label = new QLabel(QString::fromUtf8(info.label), parent);
    label->setObjectName(QLatin1String("tit") + QLatin1String(info.layout.name + 3));
    label->setProperty("fieldLabel", true);
    label->setProperty("required", info.required);
    label->setBuddy(f);

    auto *labelRow = new QHBoxLayout;
    labelRow->setSpacing(4);
    if (row.labelIcon) {
        auto *icon = new PictureButton(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(row.labelIcon)),
                                       QSize(14, 14), parent);
        icon->setObjectName(QLatin1String("ico") + QLatin1String(info.layout.name + 3));
        icon->setFixedSize(14, 14);
        labelRow->addWidget(icon);
    }
    labelRow->addWidget(label);
    labelRow->addStretch(1);

    auto *fieldRow = new QHBoxLayout;
    fieldRow->setSpacing(3);
    fieldRow->addWidget(f, row.chars > 0 ? 0 : 1);
    if (row.button) {
        QToolButton *button = q->button(row.button);
        button->setParent(parent);
        button->setFixedSize(24, 24);
        fieldRow->addWidget(button);
    }
    if (row.chars > 0)
        fieldRow->addStretch(1);

    auto *cell = new QVBoxLayout;
    cell->setSpacing(2);
    cell->addLayout(labelRow);
    cell->addLayout(fieldRow);
    return cell;
}

// The photo panel: the frame and its five tools.
QFrame *TfrmTiratori::Ui::makePhotoPanel(QWidget *parent)
{
    auto *shpFoto = q->panel("shpFoto", parent);
    imgFoto = new PictureBox(shpFoto);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setFixedSize(307, 394);
    imgFoto->setBackground(QColor(0xF2, 0xF6, 0xFE));
    auto *bkgPulsantiFoto = q->panel("bkgPulsantiFoto", shpFoto);
    auto *tools = new QHBoxLayout(bkgPulsantiFoto);
    tools->setContentsMargins(4, 3, 4, 3);
    tools->setSpacing(2);
    for (QToolButton *b : q->buttons(Place::Photo)) {
        b->setIconSize(QSize(28, 28));
        tools->addWidget(b);
    }
    auto *photoLayout = new QVBoxLayout(shpFoto);
    photoLayout->setContentsMargins(12, 12, 12, 12);
    photoLayout->setSpacing(10);
    photoLayout->addWidget(imgFoto, 0, Qt::AlignHCenter);
    photoLayout->addWidget(bkgPulsantiFoto);
    q->addBackgrounds({shpFoto, imgFoto, bkgPulsantiFoto});
    return shpFoto;
}

// Entry conventions: colours, Enter ring, typing rules, date fields, the fee filter; Tab follows
// the Enter ring.
void TfrmTiratori::Ui::applyConventions()
{
    for (const SheetField &row : kSheet) {
        QLineEdit *f = entry(row.field);
        const bool required = Member::kFields[size_t(row.field)].required;
        std::function<void()> onExit;
        if (row.kind == Kind::Amount)
            onExit = [f] { f->setText(Formats::normaliseAmount(f->text())); };
        Conventions::applyFieldColour(
            f, required ? Conventions::kRequiredColour : Conventions::kOptionalColour, onExit);
        QLineEdit *next = entry(row.next);
        switch (row.kind) {
        case Kind::Date:
            Conventions::makeDatePickerField(f, QLatin1String(row.context), next);
            break;
        case Kind::Amount:
            Conventions::makeAmountField(f, next);
            break;
        case Kind::Upper:
            Conventions::setUpperCaseWhileTyping(f);
            Conventions::setEnterTarget(f, next);
            break;
        case Kind::Trim:
            Conventions::setTrimWhileTyping(f);
            Conventions::setEnterTarget(f, next);
            break;
        case Kind::Text:
            Conventions::setEnterTarget(f, next);
            break;
        }
    }
    entry(Member::Quota)->setText(QStringLiteral("0,00"));
    for (const SheetField &row : kSheet)
        if (row.next != Member::Tiratore)
            QWidget::setTabOrder(entry(row.field), entry(row.next));
}

TfrmTiratori::TfrmTiratori(QWidget *parent)
    : RecordWindow({"TfrmTiratori", " Corvalla - Archivio Iscritti",
                    "Pronto per archiviare una nuova scheda...", "L'archivio non contiene nessuna scheda.",
                    MemberArchive::accessMessage()},
                   parent)
{
    ui = new Ui(this);
    ui->build();
    setWindowState(Qt::WindowMaximized);
}

Member::Record TfrmTiratori::sheetRecord() const
{
    Member::Record record;
    for (int i = 0; i < Member::kSheetFieldCount; ++i)
        record[i] = ui->fields[i]->text();
    for (int i = Member::kSheetFieldCount; i < Member::FieldCount; ++i)
        record[i] = ui->hiddenLabel(i)->text();
    return record;
}

QImage TfrmTiratori::photo() const
{
    return ui->imgFoto->image();
}

void TfrmTiratori::takeMember(qint64 position, const Member::Record &record)
{
    ui->showMember(record, position);
}

QLineEdit *TfrmTiratori::field(const QString &name) const
{
    const int i = Member::fieldIndex(name);
    return i >= 0 && i < Member::kSheetFieldCount ? ui->fields[i] : nullptr;
}

QLabel *TfrmTiratori::label(const QString &name) const
{
    if (name == QLatin1String("lblPosizione"))
        return positionLabel();
    const int i = Member::fieldIndex(name);
    return i >= Member::kSheetFieldCount ? ui->hiddenLabel(i) : nullptr;
}

RecordArchive TfrmTiratori::archive() const
{
    return MemberArchive::archive();
}

void TfrmTiratori::showRecord(qint64 index, const QByteArray &record)
{
    ui->showMember(Member::decode(record), index + 1);
}

void TfrmTiratori::startVisit()
{
    ui->clearSheet();
}
