// The takings summary of a generated year file of 100,000 receipts, with and without filters,
// beside reading the same file into memory and beside SQLite running the same filtered count and
// sum over the same receipts held in one table. Then what the user waits for: from the click on
// "Visualizza riepilogo" to the list on screen, and scrolling it to its end, beside SQLite's count
// and sum over the receipts in an in-memory table. Prints tables; asserts only that SQLite and
// the summary agree.
#include "BenchTiming.h"
#include "ScreenWait.h"
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "common/TextUtil.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"
#include "takings/Summary.h"
#include "takings/TfrmMenuRiepCosti.h"
#include "takings/TfrmRiepCosti.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <sqlite3.h>

using namespace Receipt;
using namespace Takings;

namespace {

constexpr int kReceipts = 100000;

// One generated receipt: the record and what SQLite holds of it.
struct Generated
{
    Record record;
    QDate date;
    std::optional<qint64> cents; // none for a receipt without an amount
};

Generated generate(int i, QRandomGenerator &rng)
{
    static const char *const surnames[] = {"Rossi",  "Russo",    "Ferrari", "Esposito", "Bianchi",
                                           "Romano", "Colombo",  "Ricci",   "Marino",   "Greco",
                                           "Bruno",  "Gallo",    "Conti",   "De Luca",  "Mancini",
                                           "Costa",  "Giordano", "Rizzo",   "Lombardi", "Moretti"};
    static const char *const names[] = {"Mario", "Luca", "Giulia", "Anna",
                                        "Marco", "Sara", "Paolo",  "Chiara"};
    static const char *const sports[] = {"Tiro a volo", "Tiro con l'arco", "Nuoto", "Nuoto agonistico",
                                         "Atletica",    "Ciclismo",        "Tennis"};
    Generated g;
    Record &r = g.record;
    g.date = QDate(2024, 1, 1).addDays(rng.bounded(366));
    r[NumRic] = QString::number(i + 1);
    r[Data] = g.date.toString(QStringLiteral("dd/MM/yyyy"));
    r[Pagatore] = QStringLiteral("%1 %2").arg(QString::fromLatin1(surnames[rng.bounded(20)]),
                                              QString::fromLatin1(names[rng.bounded(8)]));
    r[Sport] = QString::fromLatin1(sports[rng.bounded(7)]);
    r[Dal] = QDate(2024, g.date.month(), 1).toString(QStringLiteral("dd/MM/yyyy"));
    r[Al] = QDate(2024, g.date.month(), g.date.daysInMonth()).toString(QStringLiteral("dd/MM/yyyy"));
    if (rng.bounded(50) != 0) { // one receipt in fifty has no amount
        const qint64 cents = rng.bounded(500, 30000) / 50 * 50;
        g.cents = cents;
        r[Intero] = cents % 100 == 0
                        ? QString::number(cents / 100)
                        : QStringLiteral("%1,%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
    }
    return g;
}

void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("sqlite: %s: %s", what, sqlite3_errmsg(db));
}

// The receipts in one table, dates as ISO text so that they order as dates, amounts in cents.
sqlite3 *buildDatabase(const QString &path, const QList<Generated> &receipts)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db, "open");
    check(
        sqlite3_exec(db,
                     "CREATE TABLE receipts (num TEXT, data TEXT, cents INTEGER, pagatore TEXT, sport TEXT, "
                     "dal TEXT, al TEXT)",
                     nullptr, nullptr, nullptr),
        db, "create");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO receipts VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", -1, &insert,
                             nullptr),
          db, "prepare insert");
    for (const Generated &g : receipts) {
        const QByteArray texts[] = {g.record.f[NumRic].toUtf8(),   g.date.toString(Qt::ISODate).toUtf8(),
                                    g.record.f[Pagatore].toUtf8(), g.record.f[Sport].toUtf8(),
                                    g.record.f[Dal].toUtf8(),      g.record.f[Al].toUtf8()};
        sqlite3_bind_text(insert, 1, texts[0].constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, texts[1].constData(), -1, SQLITE_TRANSIENT);
        if (g.cents)
            sqlite3_bind_int64(insert, 3, *g.cents);
        else
            sqlite3_bind_null(insert, 3);
        for (int c = 2; c < 6; ++c)
            sqlite3_bind_text(insert, c + 2, texts[c].constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    return db;
}

struct SqlResult
{
    qint64 count = 0;
    qint64 cents = 0;
};

// The summary's rule in SQL: every active filter occurs in its field with A-Z folded (SQLite's
// lower() folds only A-Z), an amount, the date inside the interval.
SqlResult sqlSummary(sqlite3 *db, sqlite3_stmt *query, const SummaryFilter &f)
{
    const QByteArray start = f.start.toString(Qt::ISODate).toUtf8(),
                     end = f.end.toString(Qt::ISODate).toUtf8();
    const QByteArray payer = trimBlanksView(f.payer).isEmpty() ? QByteArray() : lowerAZ(f.payer).toUtf8();
    const QByteArray activity =
        trimBlanksView(f.activity).isEmpty() ? QByteArray() : lowerAZ(f.activity).toUtf8();
    sqlite3_bind_text(query, 1, start.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(query, 2, end.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(query, 3, payer.constData(), payer.size(), SQLITE_TRANSIENT);
    sqlite3_bind_text(query, 4, activity.constData(), activity.size(), SQLITE_TRANSIENT);
    SqlResult r;
    check(sqlite3_step(query), db, "query");
    r.count = sqlite3_column_int64(query, 0);
    r.cents = sqlite3_column_int64(query, 1);
    sqlite3_reset(query);
    return r;
}

struct UserWait
{
    double shown = -1;    // from the click to the list on screen
    double scrolled = -1; // from scrolling to its end to the last lines on screen
};

// The period as the user chooses it in the period window, then the click on "Visualizza
// riepilogo"; the list window is closed once its end has been shown.
UserWait visualizza(TfrmMenuRiepCosti &menu, const QDate &start, const QDate &end)
{
    const auto pick = [&menu](const char *name, const QString &text) {
        auto *box = menu.findChild<QComboBox *>(QLatin1String(name));
        box->setCurrentIndex(box->findText(text));
    };
    const QStringList months = monthNames();
    menu.findChild<QLineEdit *>(QStringLiteral("txtAnno"))->setText(QString::number(start.year()));
    pick("txtGiornoInizio", start.toString(QStringLiteral("dd")));
    pick("txtMeseInizio", months[start.month() - 1]);
    pick("txtGiornoFine", end.toString(QStringLiteral("dd")));
    pick("txtMeseFine", months[end.month() - 1]);

    UserWait wait;
    const auto summaryList = [](QWidget *painted) -> QAbstractScrollArea * {
        auto *list = qobject_cast<QListView *>(painted->parentWidget());
        return list && list->objectName() == QLatin1String("lstRecords") &&
                       qobject_cast<TfrmRiepCosti *>(list->window())
                   ? list
                   : nullptr;
    };
    const auto listed = [](QAbstractScrollArea *view) {
        return static_cast<QListView *>(view)->model()->rowCount() > 0;
    };
    const auto toTheEnd = [&wait, listed](QAbstractScrollArea *view) {
        auto *list = static_cast<QListView *>(view);
        wait.scrolled =
            ScreenWait::measure([list] { list->scrollToBottom(); }, ScreenWait::the(list), listed);
        list->window()->findChild<QPushButton *>(QStringLiteral("btnEsci"))->click();
    };
    wait.shown = ScreenWait::measure(
        [&menu] { menu.findChild<QPushButton *>(QStringLiteral("btnVisualizza"))->click(); }, summaryList,
        listed, toTheEnd);
    return wait;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    corvallaTestInit();
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    const QString yearFile = YearFile::pathFor(QStringLiteral("2024"));

    QRandomGenerator rng(20240301);
    QList<Generated> receipts;
    receipts.reserve(kReceipts);
    QByteArray bytes;
    bytes.reserve(qsizetype(kReceipts) * kRecordSize);
    for (int i = 0; i < kReceipts; ++i) {
        receipts.append(generate(i, rng));
        bytes += encode(receipts.last().record);
    }
    writeFile(yearFile, bytes);
    bytes.clear();

    sqlite3 *db = buildDatabase(dir.filePath(QStringLiteral("receipts.sqlite")), receipts);
    sqlite3_stmt *query = nullptr;
    check(sqlite3_prepare_v2(db,
                             "SELECT COUNT(*), SUM(cents) FROM receipts WHERE cents IS NOT NULL "
                             "AND data BETWEEN ?1 AND ?2 "
                             "AND (?3 = '' OR instr(lower(pagatore), ?3) > 0) "
                             "AND (?4 = '' OR instr(lower(sport), ?4) > 0)",
                             -1, &query, nullptr),
          db, "prepare query");

    const QDate jan1(2024, 1, 1), dec31(2024, 12, 31);
    const struct
    {
        const char *name;
        SummaryFilter filter;
    } cases[] = {
        {"whole year, no filter", {QString(), QString(), jan1, dec31}},
        {"March to May, no filter", {QString(), QString(), QDate(2024, 3, 1), QDate(2024, 5, 31)}},
        {"whole year, payer \"ross\"", {QStringLiteral("ross"), QString(), jan1, dec31}},
        {"whole year, payer + activity", {QStringLiteral("ROSS"), QStringLiteral("nuoto"), jan1, dec31}},
        {"one day, no filter", {QString(), QString(), QDate(2024, 6, 15), QDate(2024, 6, 15)}},
    };

    const int runs = 5;
    const double read = bestOf(runs, [&] {
        QFile f(yearFile);
        if (!f.open(QIODevice::ReadOnly) || f.readAll().size() != qint64(kReceipts) * kRecordSize)
            qFatal("cannot read the year file");
    });
    std::printf("year file of %d receipts, %.1f MB; reading it into memory: %.1f ms (best of %d)\n\n",
                kReceipts, double(kReceipts) * kRecordSize / 1e6, read, runs);
    std::printf("%-30s %8s %14s %12s %12s %10s %10s\n", "summary", "listed", "total", "summary ms", "x read",
                "sqlite ms", "x sqlite");
    for (const auto &c : cases) {
        Summary s;
        const double summary = bestOf(runs, [&] { s = buildSummary(yearFile, c.filter); });
        if (s.error)
            qFatal("the summary failed: %s", qPrintable(s.error->message));
        SqlResult sql;
        const double sqlite = bestOf(runs, [&] { sql = sqlSummary(db, query, c.filter); });
        if (sql.count != s.lines.size() || sql.cents * 100 != s.total10000)
            qFatal("sqlite and the summary disagree on \"%s\": %lld/%lld against %lld/%lld", c.name,
                   sql.count, sql.cents, qint64(s.lines.size()), s.total10000 / 100);
        std::printf("%-30s %8lld %14s %12.1f %12.1f %10.1f %10.1f\n", c.name, qint64(s.lines.size()),
                    qPrintable(s.total), summary, summary / read, sqlite, summary / sqlite);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);

    // What the user waits for, beside SQLite over the same receipts in memory.
    sqlite3 *memory = buildDatabase(QStringLiteral(":memory:"), receipts);
    check(sqlite3_prepare_v2(memory,
                             "SELECT COUNT(*), SUM(cents) FROM receipts WHERE cents IS NOT NULL "
                             "AND data BETWEEN ?1 AND ?2 "
                             "AND (?3 = '' OR instr(lower(pagatore), ?3) > 0) "
                             "AND (?4 = '' OR instr(lower(sport), ?4) > 0)",
                             -1, &query, nullptr),
          memory, "prepare query");
    std::printf("\n%-30s %16s %16s %16s %10s\n", "click to list on screen", "on screen ms", "to the end ms",
                "sqlite mem. ms", "x sqlite");
    TfrmMenuRiepCosti menu;
    menu.show();
    for (const auto &c : {cases[0], cases[4]}) {
        double shown = -1, scrolled = -1;
        const double sqlite = bestOf(runs, [&] { sqlSummary(memory, query, c.filter); });
        for (int run = 0; run < runs; ++run) {
            const UserWait wait = visualizza(menu, c.filter.start, c.filter.end);
            shown = shown < 0 ? wait.shown : std::min(shown, wait.shown);
            scrolled = scrolled < 0 ? wait.scrolled : std::min(scrolled, wait.scrolled);
        }
        std::printf("%-30s %16.1f %16.1f %16.2f %10.1f\n", c.name, shown, scrolled, sqlite, shown / sqlite);
        std::fflush(stdout);
    }
    sqlite3_finalize(query);
    sqlite3_close(memory);
    return 0;
}
