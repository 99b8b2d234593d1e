// The secretary's day through the real program, from the access password on: a member saved with
// a photo and found again, the member's card printed, a receipt for that member (payer taken from
// the member archive) saved, printed and found again, the takings summary listing it, both exports
// read back by a spreadsheet program, and every work area leading back to the main menu.
//
// The journeys move only by clicks and keys on the windows on show, answer the modal windows as a
// user does, and read the stored files with a decoder of their own, written from the record
// layouts below. They build on one another, in the order they are declared.
#include "AppTestSupport.h"
#include "TestSupport.h"
#include "common/LibreOffice.h"
#include "reports/PrintQueue.h"

#include "app/Startup.h"
#include "common/FileDialogs.h"
#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

namespace {

// --- The stored files, read without the program's own code ----------------------------------

// A fixed text field: the offset of its length byte in the record and its width; the text bytes
// follow the length byte.
struct StoredField
{
    const char *name;
    int offset;
    int width;
};

constexpr int kMemberRecordSize = 3189;
const QList<StoredField> kMemberLayout = {
    {"txtTiratore", 0, 50},    {"txtSesso", 51, 1},     {"txtCodFisc", 400, 16}, {"txtStudio", 589, 120},
    {"txtEnte", 710, 120},     {"txtTessera", 944, 50}, {"txtQuota", 995, 50},   {"txtInizioTes", 1046, 10},
    {"txtFineTes", 1057, 10},  {"txtArmi", 1068, 50},   {"txtPorto", 1119, 50},  {"txtInizioPor", 1170, 10},
    {"txtFinePor", 1181, 250}, {"txtNote", 1432, 250},
};

constexpr int kReceiptRecordSize = 1099;
const QList<StoredField> kReceiptLayout = {
    {"txtNumRic", 0, 30},     {"txtData", 31, 10},         {"txtImporto", 42, 8},
    {"txtCents", 51, 2},      {"txtImpLettere", 54, 250},  {"txtCentLettere", 305, 2},
    {"txtIntero", 308, 11},   {"txtRicevente01", 320, 50}, {"txtPagatore", 524, 50},
    {"txtCodFisc", 575, 16},  {"txtSport", 592, 120},      {"txtDal", 713, 10},
    {"txtAl", 724, 10},       {"txtPraticante", 735, 50},  {"txtLuogoNasc", 786, 50},
    {"txtDataNasc", 837, 10}, {"txtIndirizzo", 848, 250},
};

// Windows-1252: the bytes 0x80 to 0x9F are its own (U+FFFD where it leaves a byte unused), the
// others stand for the same code in Latin-1.
QString fromWindows1252(const QByteArray &bytes)
{
    static const char16_t k80to9F[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                         0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString text;
    for (const char c : bytes) {
        const uchar b = uchar(c);
        text += b >= 0x80 && b < 0xA0 ? QChar(k80to9F[b - 0x80]) : QChar(b);
    }
    return text;
}

using Fields = QMap<QString, QString>;

// Every record of a file of fixed-size records, the layout's fields decoded by name. `problem`
// says what is wrong with the file when it cannot be read so.
QList<Fields> readRecords(const QString &path, int recordSize, const QList<StoredField> &layout,
                          QString *problem)
{
    const QByteArray bytes = readAll(path);
    if (bytes.isEmpty() || bytes.size() % recordSize != 0) {
        *problem = QStringLiteral("%1 holds %2 bytes, not whole records of %3")
                       .arg(path)
                       .arg(bytes.size())
                       .arg(recordSize);
        return {};
    }
    QList<Fields> records;
    for (qsizetype at = 0; at < bytes.size(); at += recordSize) {
        Fields record;
        for (const StoredField &f : layout) {
            const int length = uchar(bytes.at(at + f.offset));
            if (length > f.width)
                *problem = QStringLiteral("%1: length byte %2 over the width %3")
                               .arg(f.name)
                               .arg(length)
                               .arg(f.width);
            record[QLatin1String(f.name)] =
                fromWindows1252(bytes.mid(at + f.offset + 1, qMin(length, f.width)));
        }
        records << record;
    }
    return records;
}

// --- What the secretary types and what the program must keep --------------------------------

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// One member sheet field: what is typed into it and, where the sheet changes it, the text stored.
// A field without typing is a date field filled from the calendar, which stores today.
struct Entry
{
    const char *field;
    QString typed;
    QString stored = {};
};

const QList<Entry> kOtherMember = {
    {"txtTiratore", QStringLiteral("Ferrini Anna")},
    {"txtStudio", {}},
    {"txtEnte", QStringLiteral("Nuoto")},
    {"txtTessera", QStringLiteral("T-2024/001")},
    {"txtQuota", QStringLiteral("20"), QStringLiteral("20,00")},
    {"txtInizioTes", {}},
    {"txtFineTes", {}},
};

const QList<Entry> kMember = {
    {"txtTiratore", QStringLiteral("Ferri Niccolò")},
    {"txtSesso", QStringLiteral("m"), QStringLiteral("M")},
    {"txtCodFisc", QStringLiteral("frrncc80a01d704x"), QStringLiteral("FRRNCC80A01D704X")},
    {"txtStudio", {}},
    {"txtEnte", QStringLiteral("Tiro a segno")},
    {"txtTessera", QStringLiteral("T-2024/017")},
    {"txtQuota", QStringLiteral("35,5"), QStringLiteral("35,50")},
    {"txtInizioTes", {}},
    {"txtFineTes", {}},
    {"txtArmi", QStringLiteral("  Ferri Luca  "), QStringLiteral("Ferri Luca")},
    {"txtPorto", QStringLiteral("Forlì")},
    {"txtInizioPor", QStringLiteral("12/07/2012")},
    {"txtFinePor", QStringLiteral("Via dell'Unità d'Italia, 12")},
    {"txtNote", QStringLiteral("Quota di € 35,50 già versata")},
};

QString keptText(const Entry &e)
{
    if (e.typed.isEmpty())
        return today();
    return e.stored.isEmpty() ? e.typed : e.stored;
}

Fields storedMember(const QList<Entry> &entries)
{
    Fields fields;
    for (const Entry &e : entries)
        fields[QLatin1String(e.field)] = keptText(e);
    return fields;
}

// The member's portrait: a plain colour that no picture of the program has.
const QColor kPortrait(230, 120, 20);

// Near enough for a JPEG of a plain colour.
bool isPortraitColour(const QColor &c)
{
    return qAbs(c.red() - kPortrait.red()) < 24 && qAbs(c.green() - kPortrait.green()) < 24 &&
           qAbs(c.blue() - kPortrait.blue()) < 24;
}

const QStringList kExportQuestions = {
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
                   "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"),
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file "
                   "di Excel?"),
};

// The receipt fields that the red arrow fills, and the member field each one takes.
const QList<QPair<QString, QString>> kPayerFromMember = {
    {"txtPagatore", "txtTiratore"}, {"txtCodFisc", "txtCodFisc"}, {"txtSport", "txtEnte"},
    {"txtPraticante", "txtArmi"},   {"txtLuogoNasc", "txtPorto"}, {"txtDataNasc", "txtInizioPor"},
    {"txtIndirizzo", "txtFinePor"},
};

const QString kHeading = QStringLiteral("A.S.D. Tiro a Segno Corvalla");

// The receipt the journey issues: the member pays 35 euros 50 for today.
Fields expectedReceipt()
{
    Fields r = {{"txtNumRic", "1"},
                {"txtData", today()},
                {"txtImporto", "35"},
                {"txtCents", "50"},
                {"txtImpLettere", "TRENTACINQUE"},
                {"txtCentLettere", "50"},
                {"txtIntero", "35,50"},
                {"txtRicevente01", kHeading},
                {"txtDal", today()},
                {"txtAl", today()}};
    const Fields member = storedMember(kMember);
    for (const auto &p : kPayerFromMember)
        r[p.first] = member[p.second];
    return r;
}

// Exported columns checked, by their header, and the stored field each one shows.
const QList<QPair<QString, QString>> kMemberColumns = {
    {"Cognome e nome", "txtTiratore"},
    {"Codice fiscale", "txtCodFisc"},
    {"Scad. certificato medico", "txtStudio"},
    {QStringLiteral("Attività sportiva"), "txtEnte"},
    {"Tessera n.", "txtTessera"},
    {"Quota", "txtQuota"},
    {"Data di rilascio", "txtInizioTes"},
    {"Data di scadenza", "txtFineTes"},
    {"Praticante", "txtArmi"},
    {"Indirizzo", "txtFinePor"},
    {"Note", "txtNote"},
};
// All twelve, in their order.
const QList<QPair<QString, QString>> kReceiptColumns = {
    {"Ricevuta n.", "txtNumRic"},
    {"Data emissione", "txtData"},
    {"Pagatore", "txtPagatore"},
    {"Codice fiscale", "txtCodFisc"},
    {QStringLiteral("Attività sportiva"), "txtSport"},
    {"Inizio periodo", "txtDal"},
    {"Fine periodo", "txtAl"},
    {"Praticante", "txtPraticante"},
    {"Luogo di nascita", "txtLuogoNasc"},
    {"Data di nascita", "txtDataNasc"},
    {"Indirizzo di residenza", "txtIndirizzo"},
    {QStringLiteral("Totale: €"), "txtIntero"},
};

const QStringList kMonths = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                             "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

// --- The windows on show ------------------------------------------------------------------

// A work area: the main menu's tile that opens it (and, for the receipt window, the year menu's
// button after it) and the control that leaves it.
struct Area
{
    const char *window;
    const char *tile;
    const char *then;
    const char *exit;
};

const QList<Area> kAreas = {
    {"TfrmTiratori", "btnApp01", nullptr, "cmdEsci"},
    {"TfrmTessera", "btnApp02", nullptr, "imgEsci"},
    {"TfrmMenuRicevute", "btnApp03", nullptr, "imgEsci"},
    {"TfrmRicevuta", "btnApp03", "btnApriPreventivi", "cmdEsci"},
    {"TfrmMenuRiepCosti", "btnApp04", nullptr, "btnEsci"},
};

const Area *areaOf(const QWidget *window)
{
    for (const Area &a : kAreas)
        if (window && window->inherits(a.window))
            return &a;
    return nullptr;
}

// The one window on show; null when none or several are.
QWidget *windowOnShow()
{
    QWidget *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
            continue;
        if (shown)
            return nullptr;
        shown = w;
    }
    return shown;
}

QByteArray shownClass()
{
    const QWidget *w = windowOnShow();
    return w ? QByteArray(w->metaObject()->className()) : QByteArray("<not one window on show>");
}

template <typename T = QWidget> T *control(QWidget *window, const char *name)
{
    T *c = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!c)
        qWarning("no control %s in %s", name, window ? window->metaObject()->className() : "no window");
    return c;
}

bool click(QWidget *window, const char *name)
{
    QWidget *c = control(window, name);
    if (c)
        QTest::mouseClick(c, Qt::LeftButton);
    return c;
}

QString textOf(QWidget *window, const char *name)
{
    const QWidget *c = control(window, name);
    return c ? c->property("text").toString() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// "name=text" for each control, so that a difference names its field.
QStringList textsOf(QWidget *window, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << n + QLatin1Char('=') + textOf(window, n.toLatin1().constData());
    return out;
}

QStringList namedTexts(const Fields &fields, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << n + QLatin1Char('=') + fields.value(n);
    return out;
}

// Clicks into the field, takes away what it holds and types `text`. The right arrow and Backspace
// are the keys that every field takes, the amount and year fields included.
bool type(QWidget *window, const char *field, const QString &text)
{
    auto *edit = control<QLineEdit>(window, field);
    if (!edit)
        return false;
    QTest::mouseClick(edit, Qt::LeftButton);
    const qsizetype held = edit->text().size();
    for (qsizetype i = 0; i < held; ++i)
        QTest::keyClick(edit, Qt::Key_Right);
    for (qsizetype i = 0; i < held; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    typeKeys(edit, text);
    return true;
}

// The window on show, active as the desktop keeps it: the offscreen platform leaves no window
// active once a modal window has closed, and without an active window no field would see the
// focus leave it.
QWidget *activeWindowOnShow()
{
    QWidget *shown = windowOnShow();
    if (shown && !shown->isActiveWindow()) {
        shown->activateWindow();
        if (!QTest::qWaitForWindowActive(shown))
            qWarning("%s did not become active", shown->metaObject()->className());
    }
    return shown;
}

// Runs `act`, which opens a modal window of class `windowClass`, and `respond` on that window once
// it is on screen; a window the response leaves open is closed, so a journey never hangs. True
// when the window showed.
bool answer(const char *windowClass, const std::function<void()> &act,
            const std::function<void(QWidget *)> &respond)
{
    bool shown = false;
    QObject scope;
    Modal::whenShown<QWidget>(
        [&](QWidget *modal) {
            shown = true;
            QPointer<QWidget> guard(modal);
            respond(modal);
            if (guard && guard->isVisible())
                guard->close();
        },
        30000, [windowClass](QWidget *modal) { return modal->inherits(windowClass); }, &scope);
    act();
    activeWindowOnShow();
    return shown;
}

// A date field filled from the calendar: a key in the field opens it, "Importa" takes today.
bool pickToday(QWidget *window, const char *field)
{
    QWidget *edit = control(window, field);
    if (!edit)
        return false;
    QTest::mouseClick(edit, Qt::LeftButton);
    return answer(
        "TfrmCalendario", [edit] { QTest::keyClick(edit, Qt::Key_D); },
        [](QWidget *picker) { click(picker, "btnImportaData"); });
}

// In a search window: one criterion typed, "Cerca", then a double click on the one line that
// holds `line`, as the user picks a result.
void pickFromSearch(QWidget *search, const char *criterion, const QString &typed, const QString &line)
{
    QVERIFY(type(search, criterion, typed));
    QVERIFY(click(search, "btnCerca"));
    auto *list = control<QListView>(search, "lstRecords");
    QVERIFY(list);
    QStringList lines;
    int row = -1;
    for (int r = 0; r < list->model()->rowCount(); ++r) {
        lines << list->model()->index(r, 0).data().toString();
        if (lines.last().contains(line))
            row = r;
    }
    QVERIFY2(lines.filter(line).size() == 1, qPrintable(lines.join(QLatin1Char('\n'))));
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// A line of a list-only field chosen as the user does: F4 opens the list, the line is typed to
// find it there and Enter takes it.
bool chooseFromList(QWidget *window, const char *field, const QString &line)
{
    auto *list = control<QComboBox>(window, field);
    if (!list)
        return false;
    QTest::mouseClick(list, Qt::LeftButton);
    QTest::keyClick(list, Qt::Key_F4);
    if (!list->view()->isVisible())
        return false;
    QTest::keyClicks(list->view(), line);
    QTest::keyClick(list->view(), Qt::Key_Return);
    return list->currentText() == line;
}

QStringList listLines(QWidget *window)
{
    QStringList lines;
    if (auto *list = control<QListView>(window, "lstRecords"))
        for (int r = 0; r < list->model()->rowCount(); ++r)
            lines << list->model()->index(r, 0).data().toString();
    return lines;
}

// Prints from `window` through its print window (opened by the button `opens`) and the print
// dialog, onto the private queue; the PDF that the queue wrote, empty when none.
QString printOnQueue(QWidget *window, const char *opens, const char *printWindow)
{
    const QString folder = PrintQueue::pdfFolder();
    if (folder.isEmpty() || QPrinterInfo::defaultPrinterName() != PrintQueue::kQueue) {
        qWarning("printing needs the private queue: run under ctest with the corvalla_cups fixture");
        return {};
    }
    const QStringList before = PrintQueue::pdfFiles(folder);
    bool dialogShown = false;
    const bool opened = answer(
        printWindow, [&] { click(window, opens); },
        [&](QWidget *small) {
            dialogShown = answer(
                "QPrintDialog", [small] { click(small, "btnStampa"); },
                [](QWidget *dialog) {
                    QDialogButtonBox *buttons = dialog->findChild<QDialogButtonBox *>();
                    if (QPushButton *ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr)
                        QTest::mouseClick(ok, Qt::LeftButton);
                });
        });
    if (!opened || !dialogShown) {
        qWarning("%s: the print window or the print dialog did not show", printWindow);
        return {};
    }
    return PrintQueue::waitForNewPdf(folder, before);
}

QString cellUnder(const QList<QStringList> &rows, int row, const QString &header)
{
    const int column = rows.isEmpty() ? -1 : int(rows.first().indexOf(header));
    if (column < 0 || row >= rows.size() || column >= rows[row].size())
        return QStringLiteral("<no cell under %1 in row %2>").arg(header).arg(row);
    return rows[row][column];
}

// --- The keyboard alone -------------------------------------------------------------------

// The control that has the focus, where a keyboard's keys go. After a message box the window on
// show is made active again first, as the desktop does.
QWidget *focused()
{
    if (!QApplication::focusWidget() && !QApplication::activeModalWidget())
        activeWindowOnShow();
    return QApplication::focusWidget();
}

// A key pressed on the keyboard: it goes to the control that has the focus.
bool press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *f = focused();
    if (!f) {
        qWarning("no control has the focus for key %x", key);
        return false;
    }
    QTest::keyClick(f, Qt::Key(key), modifiers);
    return true;
}

// Text typed on the keyboard into the control that has the focus.
bool typeHere(const QString &text)
{
    if (!focused())
        return false;
    typeKeys(focused(), text);
    return true;
}

// Tab, as often as needed, until the control called `name` has the focus; false when a whole round
// of the window never reaches it.
bool tabTo(const char *name)
{
    for (int i = 0; i < 120; ++i) {
        if (focused() && focused()->objectName() == QLatin1String(name))
            return true;
        if (!press(Qt::Key_Tab))
            return false;
    }
    qWarning("Tab never reached %s", name);
    return false;
}

// A modal window opened by `key` on the focused control, `respond` run on it (by keys only), the
// window closed by Esc if the response leaves it open. True when a window of `windowClass` showed.
bool answerByKeys(const char *windowClass, int key, Qt::KeyboardModifiers modifiers,
                  const std::function<void(QWidget *)> &respond)
{
    bool shown = false;
    QObject scope;
    Modal::whenShown<QWidget>(
        [&](QWidget *modal) {
            shown = true;
            // Made active as a desktop makes a window that opens: the keys go to its focused control.
            modal->activateWindow();
            QApplication::setActiveWindow(modal);
            if (!QTest::qWaitFor([modal] { return focused() && focused()->window() == modal; }, 3000))
                qWarning("%s did not become active", windowClass);
            QPointer<QWidget> guard(modal);
            respond(modal);
            if (guard && guard->isVisible())
                press(Qt::Key_Escape);
            if (guard && guard->isVisible()) {
                qWarning("%s stayed open after Esc", windowClass);
                guard->close(); // never a journey left hanging
            }
        },
        30000, [windowClass](QWidget *modal) { return modal->inherits(windowClass); }, &scope);
    press(key, modifiers);
    activeWindowOnShow();
    return shown;
}

// From the main menu by keys: Tab to the tile and Enter; the window opened, once it is a
// `windowClass` on show.
QWidget *openFromMenuByKeys(const char *tile, const char *windowClass)
{
    QWidget *menu = windowOnShow();
    if (!menu || !menu->inherits("TfrmAvvio") || !tabTo(tile) || !press(Qt::Key_Return))
        return nullptr;
    QWidget *opened = activeWindowOnShow();
    return opened && opened->inherits(windowClass) ? opened : nullptr;
}

// Back to the main menu by keys: Tab to the window's exit and Enter.
bool backToMenuByKeys(const char *exit)
{
    return tabTo(exit) && press(Qt::Key_Return) && shownClass() == "TfrmAvvio";
}

// A date field filled from the calendar by keys: a key in the field opens the picker, whose
// calendar has the focus on today, and Enter imports it.
bool pickTodayByKeys(const char *field)
{
    return tabTo(field) && answerByKeys("TfrmCalendario", Qt::Key_Space, Qt::NoModifier,
                                        [](QWidget *) { press(Qt::Key_Return); });
}

} // namespace

class TestJourneys : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder; // the program folder
    QTemporaryDir m_work;   // the test's own files: the photo to load, the spreadsheet program's work
    std::unique_ptr<Corvalla::Startup> m_startup;
    QStringList m_boxes;  // the texts of the message boxes shown, answered OK or Yes
    QStringList m_opened; // what went to the system open operation
    QString m_photo;
    bool m_memberSaved = false;
    bool m_payerImported = false;
    bool m_receiptSaved = false;

    QString year() const { return QString::number(QDate::currentDate().year()); }
    QString inFolder(const QString &name) const { return m_folder.filePath(name); }

    // From the main menu, the area's tile (and the year menu's button for the receipt window):
    // the area's window, once it is the one window on show.
    QWidget *enter(const char *window)
    {
        const auto area = std::find_if(kAreas.begin(), kAreas.end(),
                                       [window](const Area &a) { return qstrcmp(a.window, window) == 0; });
        if (shownClass() != "TfrmAvvio" || area == kAreas.end() || !click(windowOnShow(), area->tile))
            return nullptr;
        if (area->then && !click(activeWindowOnShow(), area->then))
            return nullptr;
        QWidget *shown = activeWindowOnShow();
        return shown && shown->inherits(window) ? shown : nullptr;
    }

    // The area's own exit: the main menu is then the one window on show.
    bool leave(QWidget *window)
    {
        const Area *area = areaOf(window);
        return area && click(window, area->exit) && shownClass() == "TfrmAvvio" && !window->isVisible();
    }

    // Back to the main menu from wherever an earlier journey stopped.
    bool atMainMenu()
    {
        if (QWidget *w = windowOnShow(); shownClass() != "TfrmAvvio" && areaOf(w))
            leave(w);
        return shownClass() == "TfrmAvvio";
    }

    // The export window that `area` opens: its own Esporta, both questions answered Yes (the file
    // goes to the system open operation), then its Esci.
    void exportFrom(QWidget *area, const char *exportWindow, const QString &file)
    {
        m_boxes.clear();
        m_opened.clear();
        QVERIFY(answer(
            exportWindow, [area] { click(area, "cmdEsporta"); },
            [](QWidget *exporter) {
                click(exporter, "cmdEsporta");
                click(exporter, "cmdEsci");
            }));
        QCOMPARE(m_boxes, kExportQuestions);
        QCOMPARE(m_opened, QStringList{QLatin1Char('"') + programFolder() + file + QLatin1Char('"')});
        QCOMPARE(shownClass(), QByteArray(area->metaObject()->className()));
    }

    void fillSheet(QWidget *sheet, const QList<Entry> &entries)
    {
        for (const Entry &e : entries)
            QVERIFY2(e.typed.isEmpty() ? pickToday(sheet, e.field) : type(sheet, e.field, e.typed), e.field);
    }

    QList<Fields> members()
    {
        QString problem;
        const QList<Fields> records = readRecords(inFolder(QStringLiteral("Archivio_Iscritti.pro")),
                                                  kMemberRecordSize, kMemberLayout, &problem);
        if (!problem.isEmpty())
            qWarning("%s", qPrintable(problem));
        return records;
    }

    QList<QStringList> readBack(const QString &file)
    {
        QString error;
        const QList<QStringList> rows =
            LibreOffice::readBack(inFolder(file), m_work.filePath(QStringLiteral("office")), &error);
        if (rows.isEmpty())
            qWarning("%s", qPrintable(error));
        return rows;
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_folder.isValid() && m_work.isValid());
        setProgramFolder(m_folder.path());
        // The folder as the installation leaves it: the initial password file.
        writeFile(inFolder(QStringLiteral("unins000.dll")),
                  readAll(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../assets/install/unins000.dll")));

        MsgBox::setTestHook([this](MsgBox::Kind kind, const QString &text) {
            m_boxes << text;
            return kind == MsgBox::Kind::Confirmation ? MsgBox::Answer::Yes : MsgBox::Answer::Ok;
        });
        TMisc::setTestHook([this](const QString &command) { m_opened << command; });
        m_photo = m_work.filePath(QStringLiteral("ritratto.jpg"));
        QImage portrait(150, 200, QImage::Format_RGB32);
        portrait.fill(kPortrait);
        QVERIFY(portrait.save(m_photo, "JPG", 95));
        FileDialogs::setTestHook([this](const FileDialogs::Request &request) {
            return request.kind == FileDialogs::Request::Kind::Open ? m_photo : QString();
        });

        m_startup = std::make_unique<Corvalla::Startup>();
        QWidget *access = windowOnShow();
        QVERIFY(access && access->inherits("TfrmPassword"));
        QVERIFY(QTest::qWaitForWindowExposed(access));
        QWidget *password = control(access, "txtPassword");
        QVERIFY(password);
        typeKeys(password, QStringLiteral("iscrizionesoci"));
        QVERIFY(click(access, "cmdOK"));
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(shownClass(), QByteArray("TfrmAvvio"));
    }

    void cleanupTestCase()
    {
        m_startup.reset();
        MsgBox::setTestHook(nullptr);
        FileDialogs::setTestHook(nullptr);
        TMisc::setTestHook(nullptr);
    }

    // Two members saved from the member sheet, the second with a photo; the second one found
    // again by the member search and shown on the sheet, photo included.
    void memberSavedWithPhotoAndFoundAgain()
    {
        QVERIFY(atMainMenu());
        QWidget *sheet = enter("TfrmTiratori");
        QVERIFY(sheet);

        m_boxes.clear();
        fillSheet(sheet, kOtherMember);
        QVERIFY(click(sheet, "cmdSalva"));
        QVERIFY(click(sheet, "cmdNuovo"));
        fillSheet(sheet, kMember);
        QVERIFY(click(sheet, "btnCaricaFoto"));
        QVERIFY(click(sheet, "cmdSalva"));
        const QString inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
        QCOMPARE(m_boxes, QStringList({inserted, inserted}));
        QCOMPARE(textOf(sheet, "lblPosizione"), QStringLiteral("2"));

        const QList<Fields> stored = members();
        QCOMPARE(stored.size(), 2);
        const QStringList names = storedMember(kMember).keys();
        QCOMPARE(namedTexts(stored[0], storedMember(kOtherMember).keys()),
                 namedTexts(storedMember(kOtherMember), storedMember(kOtherMember).keys()));
        QCOMPARE(namedTexts(stored[1], names), namedTexts(storedMember(kMember), names));
        m_memberSaved = true;

        // The photo follows the position: the loaded portrait for 2, the placeholder for 1.
        const QByteArray jpeg = readAll(inFolder(QStringLiteral("Anagrafica/Scheda_Iscritto_2.jpg")));
        QVERIFY(jpeg.startsWith("\xFF\xD8\xFF"));
        const QImage photo = QImage::fromData(jpeg, "JPG");
        QCOMPARE(photo.size(), QSize(150, 200));
        QVERIFY(isPortraitColour(photo.pixelColor(75, 100)));
        QCOMPARE(QImage(inFolder(QStringLiteral("Anagrafica/Scheda_Iscritto_1.jpg"))).size(),
                 QSize(307, 394));

        // An empty sheet, then the member picked in the search.
        QVERIFY(click(sheet, "cmdNuovo"));
        QWidget *frame = control(sheet, "imgFoto");
        QVERIFY(frame);
        const auto portraitShown = [frame] {
            const QImage shown = frame->grab().toImage();
            return isPortraitColour(shown.pixelColor(shown.rect().center()));
        };
        QVERIFY(!portraitShown());
        QVERIFY(answer(
            "TfrmTrovaTiratori", [sheet] { click(sheet, "cmdTrova"); },
            [](QWidget *search) {
                pickFromSearch(search, "txtTiratore", QStringLiteral("ferri"),
                               QStringLiteral("Ferri Niccolò"));
            }));
        QCOMPARE(shownClass(), QByteArray("TfrmTiratori"));
        QCOMPARE(textsOf(sheet, names), namedTexts(storedMember(kMember), names));
        QCOMPARE(textOf(sheet, "lblPosizione"), QStringLiteral("2"));
        QVERIFY(portraitShown());
        QCOMPARE(m_boxes.size(), 2);
        QVERIFY(leave(sheet));
    }

    // The member's card: chosen with the card window's search and printed.
    void memberCardPrinted()
    {
        if (!m_memberSaved)
            QSKIP("the card needs the member saved by the first journey");
        QVERIFY(atMainMenu());
        QWidget *card = enter("TfrmTessera");
        QVERIFY(card);
        QVERIFY(answer(
            "TfrmTrovaTiratori", [card] { click(card, "cmdTrova"); },
            [](QWidget *search) {
                pickFromSearch(search, "txtTiratore", QStringLiteral("ferri"),
                               QStringLiteral("Ferri Niccolò"));
            }));
        QCOMPARE(textsOf(card, {"txtTesserato", "txtNumTessera", "lblPosizione"}),
                 QStringList({QStringLiteral("txtTesserato=Ferri Niccolò"), "txtNumTessera=T-2024/017",
                              "lblPosizione=2"}));

        m_boxes.clear();
        const QString pdf = printOnQueue(card, "cmdStampa", "TfrmStampaTessera");
        QVERIFY2(!pdf.isEmpty(), "no card was printed");
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString page = PdfText::text(pdf).simplified();
        for (const QString &expected :
             {QStringLiteral("Ferri Niccolò"), QStringLiteral("T-2024/017"), QStringLiteral("Tiro a segno")})
            QVERIFY2(page.contains(expected), qPrintable(expected + QStringLiteral(" not in: ") + page));
        QVERIFY(leave(card));
    }

    // A new receipt of this year: the red arrow takes the payer and the practitioner from the
    // member archive.
    void receiptPayerFromTheMemberArchive()
    {
        if (!m_memberSaved)
            QSKIP("the receipt needs the member saved by the first journey");
        QVERIFY(atMainMenu());
        QWidget *years = enter("TfrmMenuRicevute");
        QVERIFY(years);
        QVERIFY(type(years, "txtAnnoPreventivi", year()));
        QVERIFY(click(years, "btnApriPreventivi"));
        QWidget *receipt = activeWindowOnShow();
        QVERIFY(receipt && receipt->inherits("TfrmRicevuta"));
        QCOMPARE(receipt->windowTitle(), QStringLiteral(" Corvalla - Archivio ricevute anno ") + year());

        QVERIFY(type(receipt, "txtRicevente01", kHeading));
        QVERIFY(click(receipt, "cmdNuovo"));
        QCOMPARE(textOf(receipt, "txtNumRic"), QStringLiteral("1"));
        QVERIFY(answer(
            "TfrmTrovaTiratori", [receipt] { click(receipt, "impPagatore"); },
            [](QWidget *search) {
                pickFromSearch(search, "txtTiratore", QStringLiteral("ferri"),
                               QStringLiteral("Ferri Niccolò"));
            }));
        QCOMPARE(shownClass(), QByteArray("TfrmRicevuta"));
        QStringList payer;
        for (const auto &p : kPayerFromMember)
            payer << p.first;
        QCOMPARE(textsOf(receipt, payer), namedTexts(expectedReceipt(), payer));
        // Nothing else of the receipt changes.
        QCOMPARE(textsOf(receipt, {"txtNumRic", "lblPosizione"}),
                 QStringList({"txtNumRic=1", "lblPosizione="}));
        m_payerImported = true;
    }

    // The same receipt completed, saved, printed in its two copies and found again by the receipt
    // search.
    void receiptSavedPrintedAndFoundAgain()
    {
        if (!m_payerImported)
            QSKIP("the receipt needs the payer that the red arrow fills (previous journey)");
        QWidget *receipt = activeWindowOnShow();
        QVERIFY(receipt && receipt->inherits("TfrmRicevuta"));
        QVERIFY(pickToday(receipt, "txtDal"));
        QVERIFY(pickToday(receipt, "txtAl"));
        QVERIFY(type(receipt, "txtImporto", QStringLiteral("35")));
        QVERIFY(type(receipt, "txtCents", QStringLiteral("5")));
        QTest::keyClick(control(receipt, "txtCents"), Qt::Key_Return); // leaving the box completes the cents
        QCOMPARE(textsOf(receipt, {"txtImpLettere", "txtCents", "txtCentLettere"}),
                 QStringList({"txtImpLettere=TRENTACINQUE", "txtCents=50", "txtCentLettere=50"}));

        m_boxes.clear();
        QVERIFY(click(receipt, "cmdSalva"));
        QCOMPARE(m_boxes, QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
        QCOMPARE(textOf(receipt, "lblPosizione"), QStringLiteral("1"));
        QString problem;
        const QList<Fields> stored = readRecords(inFolder(year() + QStringLiteral(".ric")),
                                                 kReceiptRecordSize, kReceiptLayout, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(stored.size(), 1);
        const Fields expected = expectedReceipt();
        QCOMPARE(namedTexts(stored[0], expected.keys()), namedTexts(expected, expected.keys()));
        m_receiptSaved = true;

        m_boxes.clear();
        const QString pdf = printOnQueue(receipt, "cmdStampa", "TfrmStampaRic");
        QVERIFY2(!pdf.isEmpty(), "no receipt was printed");
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(PdfText::pageCount(pdf), 1);
        const QString page = PdfText::text(pdf).simplified();
        const QStringList copies = {page.section(QStringLiteral("COPIA PER IL PAGATORE"), 0, 0),
                                    page.section(QStringLiteral("COPIA PER IL PAGATORE"), 1)};
        QVERIFY2(copies[1].contains(QStringLiteral("COPIA PER IL RICEVENTE")), qPrintable(page));
        for (const QString &copy : copies)
            for (const QString &text :
                 {QStringLiteral("Ricevuta n. 1"), QStringLiteral("Data: ") + today(), kHeading,
                  expected["txtPagatore"], expected["txtCodFisc"], expected["txtSport"],
                  expected["txtPraticante"], QStringLiteral("TRENTACINQUE/50")})
                QVERIFY2(copy.contains(text), qPrintable(text + QStringLiteral(" not in: ") + copy));

        // A new receipt on show, then the saved one picked in the receipt search.
        QVERIFY(click(receipt, "cmdNuovo"));
        QCOMPARE(textOf(receipt, "txtPagatore"), QString());
        QVERIFY(answer(
            "TfrmTrovaRic", [receipt] { click(receipt, "cmdTrova"); },
            [](QWidget *search) {
                pickFromSearch(search, "txtPagatore", QStringLiteral("ferri"),
                               QStringLiteral("Ferri Niccolò"));
            }));
        QCOMPARE(textsOf(receipt, expected.keys()), namedTexts(expected, expected.keys()));
        QCOMPARE(textOf(receipt, "lblPosizione"), QStringLiteral("1"));
        QVERIFY(leave(receipt));
    }

    // The takings summary from the first of this month to today lists the receipt and its total.
    void takingsSummaryListsTheReceipt()
    {
        if (!m_receiptSaved)
            QSKIP("the summary needs the receipt saved by the receipt journey");
        QVERIFY(atMainMenu());
        QWidget *period = enter("TfrmMenuRiepCosti");
        QVERIFY(period);
        const QDate now = QDate::currentDate();
        const QString month = kMonths[now.month() - 1];
        QVERIFY(type(period, "txtAnno", year()));
        QVERIFY(chooseFromList(period, "txtGiornoInizio", QStringLiteral("01")));
        QVERIFY(chooseFromList(period, "txtMeseInizio", month));
        QVERIFY(chooseFromList(period, "txtGiornoFine", now.toString(QStringLiteral("dd"))));
        QVERIFY(chooseFromList(period, "txtMeseFine", month));

        m_boxes.clear();
        QStringList lines;
        QString total, interval;
        QVERIFY(answer(
            "TfrmRiepCosti", [period] { click(period, "btnVisualizza"); },
            [&](QWidget *summary) {
                lines = listLines(summary);
                total = textOf(summary, "lblTotCosti");
                interval = textOf(summary, "lblIntervallo");
                click(summary, "btnEsci");
            }));
        QCOMPARE(m_boxes, QStringList());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(QStringLiteral("Ric. n. 1 ")), qPrintable(lines[0]));
        QVERIFY2(lines[0].contains(QStringLiteral("Ferri Niccolò")), qPrintable(lines[0]));
        QVERIFY2(lines[0].endsWith(QStringLiteral("Tot. € 35,50")), qPrintable(lines[0]));
        QCOMPARE(total, QStringLiteral("35,50"));
        QCOMPARE(
            interval,
            QStringLiteral("Dal   01/%1   al   %2").arg(now.toString(QStringLiteral("MM/yyyy")), today()));
        QCOMPARE(shownClass(), QByteArray("TfrmMenuRiepCosti"));
        QVERIFY(leave(period));
    }

    // The member sheet's export, opened by the spreadsheet program: a header row and both members.
    void memberExportReadsBack()
    {
        if (!m_memberSaved)
            QSKIP("the export needs the members saved by the first journey");
        QVERIFY(atMainMenu());
        QWidget *sheet = enter("TfrmTiratori");
        QVERIFY(sheet);
        exportFrom(sheet, "TfrmExpTiratori", QStringLiteral("Archivio_Iscritti.xls"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(leave(sheet));

        const QList<QStringList> rows = readBack(QStringLiteral("Archivio_Iscritti.xls"));
        QCOMPARE(rows.size(), 3);
        const Fields other = storedMember(kOtherMember), member = storedMember(kMember);
        for (const auto &column : kMemberColumns) {
            QCOMPARE(cellUnder(rows, 1, column.first), other.value(column.second));
            QCOMPARE(cellUnder(rows, 2, column.first), member.value(column.second));
        }
    }

    // The receipt window's export of this year, opened by the spreadsheet program.
    void receiptExportReadsBack()
    {
        if (!m_receiptSaved)
            QSKIP("the export needs the receipt saved by the receipt journey");
        QVERIFY(atMainMenu());
        QWidget *receipt = enter("TfrmRicevuta");
        QVERIFY(receipt);
        exportFrom(receipt, "TfrmExpRic", QStringLiteral("Ricevute.xls"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(leave(receipt));

        const QList<QStringList> rows = readBack(QStringLiteral("Ricevute.xls"));
        QCOMPARE(rows.size(), 2);
        QStringList headers, cells;
        const Fields expected = expectedReceipt();
        for (const auto &column : kReceiptColumns) {
            headers << column.first;
            cells << expected.value(column.second);
        }
        QCOMPARE(rows[0], headers);
        QCOMPARE(rows[1], cells);
    }

    // Each work area, left by its exit or by its window's close box, shows the main menu alone.
    void everyAreaLeadsBackToTheMainMenu_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("closeBox");
        for (const Area &a : kAreas) {
            QTest::addRow("%s, %s", a.window, a.exit) << QString::fromLatin1(a.window) << false;
            QTest::addRow("%s, close box", a.window) << QString::fromLatin1(a.window) << true;
        }
    }
    void everyAreaLeadsBackToTheMainMenu()
    {
        QFETCH(QString, window);
        QFETCH(bool, closeBox);
        QVERIFY(atMainMenu());
        QWidget *area = enter(window.toLatin1().constData());
        QVERIFY(area);
        if (closeBox)
            area->windowHandle()->close(); // as the title bar's close button asks
        else
            QVERIFY(click(area, areaOf(area)->exit));
        QCOMPARE(shownClass(), QByteArray("TfrmAvvio"));
        QVERIFY(!area->isVisible());
    }

    // A day's work with the keyboard alone, from the login on: the program started again, a member
    // filled in and saved, a receipt for that member (payer by the red arrow, dates from the date
    // picker) saved, the takings summary for today listed, and the program ended. Only keys reach
    // the program; the windows are made active again as a desktop does when a modal window closes.
    void keyboardOnlyDay()
    {
        m_startup.reset();
        m_startup = std::make_unique<Corvalla::Startup>();
        QWidget *access = windowOnShow();
        QVERIFY(access && access->inherits("TfrmPassword"));
        QVERIFY(QTest::qWaitForWindowActive(access));
        QCOMPARE(focused()->objectName(), QStringLiteral("txtPassword"));
        QVERIFY(typeHere(QStringLiteral("iscrizionesoci")));
        QVERIFY(press(Qt::Key_Return));
        QWidget *menu = activeWindowOnShow();
        QVERIFY(menu && menu->inherits("TfrmAvvio"));

        keyboardMember();
        if (QTest::currentTestFailed())
            return;
        keyboardReceipt();
        if (QTest::currentTestFailed())
            return;
        keyboardSummary();
        if (QTest::currentTestFailed())
            return;

        // The program ends from the main menu's exit.
        QVERIFY(tabTo("imgEsci"));
        QVERIFY(endsProgram([] { press(Qt::Key_Return); }));
    }

private:
    // The keyboard-only day: a member filled in and saved on the member sheet.
    void keyboardMember()
    {
        QWidget *sheet = openFromMenuByKeys("imgApp01", "TfrmTiratori");
        QVERIFY(sheet);
        m_boxes.clear();
        QVERIFY(tabTo("txtTiratore") && typeHere(QStringLiteral("Tastiera Lucia")));
        QVERIFY(tabTo("txtCodFisc") && typeHere(QStringLiteral("tstlcu85m41h501s")));
        QVERIFY(pickTodayByKeys("txtStudio"));
        QVERIFY(tabTo("txtEnte") && typeHere(QStringLiteral("Scherma")));
        QVERIFY(tabTo("txtTessera") && typeHere(QStringLiteral("T-2024/090")));
        QVERIFY(tabTo("txtQuota") && typeHere(QStringLiteral("42,5"))); // over the "0,00" that Tab selected
        QVERIFY(pickTodayByKeys("txtInizioTes"));
        QVERIFY(pickTodayByKeys("txtFineTes"));
        QVERIFY(press(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(m_boxes, QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
        const QList<Fields> stored = members();
        QVERIFY(!stored.isEmpty());
        const Fields expectedMember = {{"txtTiratore", "Tastiera Lucia"},
                                       {"txtCodFisc", "TSTLCU85M41H501S"},
                                       {"txtStudio", today()},
                                       {"txtEnte", "Scherma"},
                                       {"txtTessera", "T-2024/090"},
                                       {"txtQuota", "42,50"},
                                       {"txtInizioTes", today()},
                                       {"txtFineTes", today()}};
        QCOMPARE(namedTexts(stored.last(), expectedMember.keys()),
                 namedTexts(expectedMember, expectedMember.keys()));
        QVERIFY(backToMenuByKeys("cmdEsci"));
    }

    // The keyboard-only day: a receipt for that member, the payer by the red arrow.
    void keyboardReceipt()
    {
        QWidget *years = openFromMenuByKeys("imgApp03", "TfrmMenuRicevute");
        QVERIFY(years);
        QCOMPARE(focused()->objectName(), QStringLiteral("txtAnnoPreventivi"));
        QCOMPARE(textOf(years, "txtAnnoPreventivi"), year());
        QVERIFY(press(Qt::Key_Return) && press(Qt::Key_Return));
        QWidget *receipt = activeWindowOnShow();
        QVERIFY(receipt && receipt->inherits("TfrmRicevuta"));
        QVERIFY(press(Qt::Key_N, Qt::ControlModifier));
        if (textOf(receipt, "txtRicevente01").isEmpty())
            QVERIFY(tabTo("txtRicevente01") && typeHere(kHeading));
        const QString number = textOf(receipt, "txtNumRic");
        QVERIFY(tabTo("impPagatore"));
        QVERIFY(answerByKeys("TfrmTrovaTiratori", Qt::Key_Return, Qt::NoModifier, [](QWidget *) {
            QVERIFY(tabTo("txtTiratore") && typeHere(QStringLiteral("tastiera")));
            QVERIFY(tabTo("btnCerca") && press(Qt::Key_Return));
            QVERIFY(tabTo("lstRecords") && press(Qt::Key_Return)); // the one line found has the focus
        }));
        QCOMPARE(textOf(receipt, "txtPagatore"), QStringLiteral("Tastiera Lucia"));
        QCOMPARE(textOf(receipt, "txtSport"), QStringLiteral("Scherma"));
        QVERIFY(pickTodayByKeys("txtDal"));
        QVERIFY(pickTodayByKeys("txtAl"));
        QVERIFY(tabTo("txtImporto") && typeHere(QStringLiteral("42")));
        QVERIFY(tabTo("txtCents") && typeHere(QStringLiteral("50")));
        m_boxes.clear();
        QVERIFY(press(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(m_boxes, QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});
        QString problem;
        const QList<Fields> receipts = readRecords(inFolder(year() + QStringLiteral(".ric")),
                                                   kReceiptRecordSize, kReceiptLayout, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const Fields expectedReceipt = {{"txtNumRic", number},
                                        {"txtData", today()},
                                        {"txtDal", today()},
                                        {"txtAl", today()},
                                        {"txtPagatore", "Tastiera Lucia"},
                                        {"txtSport", "Scherma"},
                                        {"txtImpLettere", "QUARANTADUE"},
                                        {"txtIntero", "42,50"}};
        QCOMPARE(namedTexts(receipts.last(), expectedReceipt.keys()),
                 namedTexts(expectedReceipt, expectedReceipt.keys()));
        QVERIFY(backToMenuByKeys("cmdEsci"));
    }

    // The keyboard-only day: the takings summary for today, listed.
    void keyboardSummary()
    {
        QWidget *period = openFromMenuByKeys("imgApp04", "TfrmMenuRiepCosti");
        QVERIFY(period);
        const QDate now = QDate::currentDate();
        const QString month = kMonths[now.month() - 1];
        QVERIFY(tabTo("txtAnno"));
        QCOMPARE(textOf(period, "txtAnno"), year());
        for (const char *day : {"txtGiornoInizio", "txtGiornoFine"})
            QVERIFY(tabTo(day) && typeHere(now.toString(QStringLiteral("dd"))));
        for (const char *list : {"txtMeseInizio", "txtMeseFine"})
            QVERIFY(tabTo(list) && typeHere(month.left(3).toLower()));
        QStringList chosen;
        for (const char *list : {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"})
            chosen << control<QComboBox>(period, list)->currentText();
        const QString day = now.toString(QStringLiteral("dd"));
        QCOMPARE(chosen, QStringList({day, month, day, month}));
        QStringList lines;
        QVERIFY(tabTo("btnVisualizza"));
        QVERIFY(answerByKeys("TfrmRiepCosti", Qt::Key_Return, Qt::NoModifier,
                             [&](QWidget *summary) { lines = listLines(summary); }));
        QVERIFY2(!lines.filter(QStringLiteral("Tastiera Lucia")).isEmpty(), qPrintable(lines.join('\n')));
        QVERIFY(backToMenuByKeys("btnEsci"));
    }
};

QTEST_MAIN(TestJourneys)
#include "tst_journeys.moc"
