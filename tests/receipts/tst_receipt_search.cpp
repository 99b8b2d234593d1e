// The receipt search: criteria against a year file, the fixed-column line, and the window driven
// through its widgets (search, count line, double click, failures, printing the list).
#include "TestSupport.h"

#include "common/CallerContext.h"
#include "common/ProgramFolder.h"
#include "receipts/ReceiptSearch.h"
#include "receipts/TfrmTrovaRic.h"
#include "records/YearFile.h"
#include "reports/ListPanel.h"
#include "reports/Report.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Receipt;

namespace {

Record receipt(const QString &number, const QString &date, const QString &payer, const QString &sport,
               const QString &whole = QStringLiteral("50,00"))
{
    Record r;
    r[NumRic] = number;
    r[Data] = date;
    r[Pagatore] = payer;
    r[Sport] = sport;
    r[Dal] = QStringLiteral("01/03/2024");
    r[Al] = QStringLiteral("31/03/2024");
    r[Intero] = whole;
    r[CodFisc] = QStringLiteral("RSSMRA80A01H501U");
    r[Praticante] = payer;
    r[LuogoNasc] = QStringLiteral("Forlì");
    r[DataNasc] = QStringLiteral("12/07/2012");
    r[Indirizzo] = QStringLiteral("Via dell'Unità d'Italia, 12");
    return r;
}

// Five receipts of 2024, in file order.
QList<Record> fiveReceipts()
{
    QList<Record> list = {
        receipt("1", "05/03/2024", "Rossi Mario", "Tiro a volo"),
        receipt("2", "06/03/2024", "Bianchi Anna", "Nuoto agonistico", "120,50"),
        receipt("3", "01/04/2024", "ROSSINI Luca", "Tiro con l'arco"),
        receipt("4", "15/04/2024", "Verdi Nicolò", "Nuoto libero"),
        receipt("5", "02/05/2024", "Rossi Mario", "Atletica"),
    };
    list[3][LuogoNasc] = QStringLiteral("Città di Castello");
    return list;
}

// The line as a user reads it: each piece fitted by hand.
QString lineOf(const QString &number, const QString &date, const QString &payer, const QString &sport,
               const QString &from, const QString &to, const QString &whole)
{
    auto fit = [](const QString &s, int n) { return s.trimmed().leftJustified(n, QLatin1Char(' '), true); };
    return QStringLiteral("Ric. n. ") + fit(number, 12) + QStringLiteral("  Data: ") + fit(date, 10) +
           QStringLiteral("  ") + fit(payer, 26) + QStringLiteral("  Sport: ") + fit(sport, 30) +
           QStringLiteral("  Dal ") + fit(from, 10) + QStringLiteral("  Al ") + fit(to, 10) +
           QStringLiteral("  Tot. € ") + whole.trimmed();
}

QStringList criteria(const QList<QPair<const char *, QString>> &byField)
{
    QStringList texts;
    for (const SearchCriterion &c : ReceiptSearch::kCriteria) {
        QString text;
        for (const auto &b : byField)
            if (qstrcmp(b.first, c.entryField) == 0)
                text = b.second;
        texts.append(text);
    }
    return texts;
}

template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no %s", name);
    return c;
}

void doubleClickRow(QWidget *window, int row)
{
    auto *list = child<QListView>(window, "lstRecords");
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QVERIFY(r.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");

} // namespace

class TestReceiptSearch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString yearPath() const { return programFolder() + QStringLiteral("2024.ric"); }

    void writeYear(const QList<Record> &receipts)
    {
        QFile::remove(yearPath());
        for (const Record &r : receipts)
            QVERIFY(YearFile(yearPath()).append(r) >= 0);
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }
    void cleanup()
    {
        MsgBox::setTestHook(nullptr);
        Reports::setOutputHook(nullptr);
        QDir(yearPath()).removeRecursively();
        QFile::remove(yearPath());
    }

    void lineHasFixedColumns()
    {
        Record r =
            receipt(" 17 ", "05/03/2024", "De Santis Bartolomeo Maria Luisa", "Tiro a volo", " 1250,75 ");
        r[Dal] = QStringLiteral("1/3/2024");
        const QString line = ReceiptSearch::buildLine(r);
        QCOMPARE(line, lineOf("17", "05/03/2024", "De Santis Bartolomeo Maria Luisa", "Tiro a volo",
                              "1/3/2024", "31/03/2024", "1250,75"));
        QCOMPARE(line.indexOf(QStringLiteral("1250,75")), 145);
        QVERIFY(line.contains(QStringLiteral("  De Santis Bartolomeo Maria  Sport: ")));
    }

    void matching_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("listed"); // receipt numbers, in file order
        QTest::newRow("nothing filled: every receipt, in file order")
            << criteria({}) << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("blanks only count as nothing")
            << criteria({{"txtPagatore", "   "}, {"txtSport", " "}}) << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("surname in any letter case")
            << criteria({{"txtPagatore", "rossi"}}) << QList<int>{1, 3, 5};
        QTest::newRow("surname and sport together")
            << criteria({{"txtPagatore", "rossi"}, {"txtSport", "TIRO"}}) << QList<int>{1, 3};
        QTest::newRow("a trailing blank must be followed by a blank")
            << criteria({{"txtPagatore", "rossi "}}) << QList<int>{1, 5};
        QTest::newRow("month and year of the issue date")
            << criteria({{"txtData", "03/2024"}}) << QList<int>{1, 2};
        QTest::newRow("accented letters compare as they are")
            << criteria({{"txtPagatore", "NICOLÒ"}}) << QList<int>{};
        QTest::newRow("accented letter as typed") << criteria({{"txtPagatore", "nicolò"}}) << QList<int>{4};
        QTest::newRow("birth place") << criteria({{"txtLuogoNasc", "città"}}) << QList<int>{4};
        QTest::newRow("a character no record holds") << criteria({{"txtSport", "Ω"}}) << QList<int>{};
        QTest::newRow("number and practitioner")
            << criteria({{"txtNumRic", "5"}, {"txtPraticante", "mario"}}) << QList<int>{5};
    }
    void matching()
    {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, listed);
        writeYear(fiveReceipts());
        ListRows rows;
        QVERIFY(ReceiptSearch::search(YearFile(yearPath()), texts, rows));
        QList<int> numbers;
        for (const ListRow &row : rows) {
            Record r;
            QVERIFY(YearFile(yearPath()).read(row.index, r));
            QCOMPARE(row.text, ReceiptSearch::buildLine(r));
            numbers << r[NumRic].toInt();
        }
        QCOMPARE(numbers, listed);
    }

    // A missing year file is created empty; one that cannot be read fails without rows.
    void yearFileMissingOrUnreadable()
    {
        ListRows rows;
        QVERIFY(ReceiptSearch::search(YearFile(yearPath()), criteria({}), rows));
        QVERIFY(rows.empty());
        QVERIFY(QFile::exists(yearPath()));
        QFile::remove(yearPath());
        QVERIFY(QDir().mkpath(yearPath()));
        QVERIFY(!ReceiptSearch::search(YearFile(yearPath()), criteria({}), rows));
    }

    // Search, count line, and a double click on the first of two identical lines: it opens the
    // first receipt, and the window closes.
    void doubleClickOpensThatRowsReceipt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("context");
        QTest::addColumn<qint64>("opened"); // -1: nothing handed over
        QTest::newRow("first of two identical lines") << 0 << "ricevuta" << qint64(1);
        QTest::newRow("second of two identical lines") << 1 << "ricevuta" << qint64(3);
        QTest::newRow("no target opens nothing") << 0 << "" << qint64(-1);
    }
    void doubleClickOpensThatRowsReceipt()
    {
        QFETCH(int, row);
        QFETCH(QString, context);
        QFETCH(qint64, opened);
        QList<Record> receipts = fiveReceipts();
        // Receipts 2 and 4 give the same line; they differ in fields the line does not show.
        receipts[3] = receipts[1];
        receipts[3][Praticante] = QStringLiteral("Bianchi Giulia");
        writeYear(receipts);

        TfrmTrovaRic search;
        search.setYearFilePath(yearPath());
        setCallerContext(&search, context);
        qint64 index = -1;
        Record got;
        int calls = 0;
        if (!context.isEmpty())
            search.setOpenReceipt([&](qint64 i, const Record &r) {
                index = i;
                got = r;
                ++calls;
            });
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        auto *count = child<QLabel>(&search, "lblTrovate");
        QCOMPARE(count->text(), QStringLiteral("Il presente riepilogo contiene 0 schede"));
        child<QLineEdit>(&search, "txtPagatore")->setText(QStringLiteral("bianchi"));
        QTest::mouseClick(child<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
        QVERIFY(child<QWidget>(&search, "panAvvio")->isHidden());
        QVERIFY(child<QWidget>(&search, "panContainer")->isVisible());
        QCOMPARE(count->text(), QStringLiteral("Il presente elenco contiene 2 schede."));
        QCOMPARE(search.resultPanel()->lines()[0], search.resultPanel()->lines()[1]);

        doubleClickRow(&search, row);
        QVERIFY(!search.isVisible());
        QCOMPARE(index, opened);
        if (opened >= 0) {
            QCOMPARE(calls, 1);
            QCOMPARE(got, receipts[int(opened)]);
        } else {
            QCOMPARE(calls, 0);
        }
    }

    // The criteria fields, their labels and the Enter ring as the table gives them.
    void criteriaPage()
    {
        TfrmTrovaRic search;
        QCOMPARE(search.windowTitle(), QStringLiteral(" Trova ricevute in archivio"));
        QCOMPARE(int(search.criteriaFields().size()), 10);
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&search, "txtNumRic"));
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(visited,
                 (QStringList{"txtNumRic", "txtData", "txtPagatore", "txtCodFisc", "txtSport", "txtDal",
                              "txtPraticante", "txtDataNasc", "txtLuogoNasc", "txtIndirizzo"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtNumRic"));
        QVERIFY(child<QWidget>(&search, "effDataNasc"));
    }

    // A very large year file is searched on a thread of its own: the search returns at once, the
    // window keeps answering, and the results come when the whole file has been read.
    void hugeYearFileIsSearchedOnItsOwnThread()
    {
        Record last = fiveReceipts().first();
        last[Pagatore] = QStringLiteral("Ultimo Pagatore");
        writeHugeFile(yearPath(), kRecordSize, encode(last));
        TfrmTrovaRic search;
        search.setYearFilePath(yearPath());
        search.show();
        QTest::keyClicks(child<QWidget>(&search, "txtPagatore"), QStringLiteral("ultimo"));
        search.search();
        QVERIFY(child<QWidget>(&search, "panAvvio")->isVisible()); // not read yet
        QTRY_VERIFY_WITH_TIMEOUT(child<QWidget>(&search, "panContainer")->isVisible(), 120000);
        QCOMPARE(search.resultPanel()->lineCount(), 1);
        QVERIFY(search.resultPanel()->lines()[0].contains(QStringLiteral("Ultimo Pagatore")));
        QFile::remove(yearPath());
    }

    // A year file that cannot be read: the access message, and the criteria page stays.
    void unreadableYearFileKeepsTheCriteria()
    {
        QVERIFY(QDir().mkpath(yearPath()));
        BoxRecorder boxes;
        TfrmTrovaRic search;
        search.setYearFilePath(yearPath());
        search.show();
        search.search();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].first, MsgBox::Kind::Plain);
        QCOMPARE(boxes.boxes[0].second, kAccess);
        QVERIFY(child<QWidget>(&search, "panAvvio")->isVisible());
        QVERIFY(child<QWidget>(&search, "panContainer")->isHidden());
    }

    // "Stampa" prints the list, as listed, under its own title.
    void printsTheListWithItsTitle()
    {
        writeYear(fiveReceipts());
        QList<Reports::PreparedReport> printed;
        Reports::setOutputHook([&](const Reports::PreparedReport &r, Reports::Destination d, QString *) {
            if (d == Reports::Destination::Printer)
                printed << r;
            return true;
        });
        TfrmTrovaRic search;
        search.setYearFilePath(yearPath());
        search.show();
        search.search();
        QTest::mouseClick(child<QPushButton>(&search, "btnStampa"), Qt::LeftButton);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].find(0, QStringLiteral("txtTitolo"))->design.text,
                 QStringLiteral("Riepilogo ricevute emesse"));
        QCOMPARE(printed[0].find(0, QStringLiteral("txtRiepilogo"))->design.text.split(QLatin1Char('\n')),
                 search.resultPanel()->lines());
    }
};

QTEST_MAIN(TestReceiptSearch)
#include "tst_receipt_search.moc"
