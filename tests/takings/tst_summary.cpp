// The takings summary over a year file (filters, interval, lines, exact total, damaged receipts)
// and the checks of the period choice.
#include "SummaryFixtures.h"
#include "TestSupport.h"

#include "common/Formats.h"
#include "common/ProgramFolder.h"
#include "common/ReadProgress.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"
#include "takings/Summary.h"

#include <QDir>
#include <QtTest>

using namespace Receipt;
using namespace Takings;
using SummaryFixtures::receipt;

namespace {

QDate d(int day, int month, int year = 2024)
{
    return QDate(year, month, day);
}

// Bytes as written, a zero byte included.
template <size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QStringList numbersOf(const QStringList &lines)
{
    QStringList numbers;
    for (const QString &line : lines)
        numbers << line.mid(8, 12).trimmed();
    return numbers;
}

} // namespace

class TestSummary : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

    void store(const QList<Record> &receipts) { SummaryFixtures::storeReceipts(m_path, receipts); }

    Summary march(const QString &payer = QString(), const QString &activity = QString())
    {
        return buildSummary(m_path, SummaryFilter{payer, activity, d(1, 3), d(31, 3)});
    }

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        setProgramFolder(m_dir.path());
        m_path = YearFile::pathFor(QStringLiteral("2024"));
        QFile::remove(m_path);
    }

    void filtersAndInterval_data()
    {
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("total");
        QTest::newRow("no filters") << ""
                                    << "" << QStringList{"1", "2", "3", "4", "8"} << "66,75";
        QTest::newRow("blank filters") << "   "
                                       << " " << QStringList{"1", "2", "3", "4", "8"} << "66,75";
        QTest::newRow("part of a name") << "ross"
                                        << "" << QStringList{"1", "2", "3"} << "60,75";
        QTest::newRow("upper case") << "ROSS"
                                    << "" << QStringList{"1", "2", "3"} << "60,75";
        QTest::newRow("accented letters are not folded")
            << QString::fromUtf8("rossì") << "" << QStringList{} << "0,00";
        QTest::newRow("same accented letter")
            << QString::fromUtf8("ROSSÌ") << "" << QStringList{"3"} << "20,25";
        QTest::newRow("trailing blank is matched") << "rossi "
                                                   << "" << QStringList{"1"} << "30,00";
        QTest::newRow("activity") << ""
                                  << "nuoto" << QStringList{"1", "3", "4"} << "55,25";
        QTest::newRow("both filters") << "ross"
                                      << "NUOTO" << QStringList{"1", "3"} << "50,25";
        QTest::newRow("nothing matches") << "verdi"
                                         << "" << QStringList{} << "0,00";
    }

    // Receipts 1-4 and 8 lie in March with an amount; 5 has no amount, 6 and 7 lie a day outside.
    void filtersAndInterval()
    {
        QFETCH(QString, payer);
        QFETCH(QString, activity);
        QFETCH(QStringList, listed);
        QFETCH(QString, total);
        store({receipt("1", "05/03/2024", "Rossi Mario", "Nuoto", "30,00"),
               receipt("2", "10/03/2024", "Mario Rossini", "Tennis", "10,50"),
               receipt("3", "15/03/2024", QString::fromUtf8("ROSSÌ Luigi"), "Nuoto libero", "20,25"),
               receipt("4", "31/03/2024", "Bianchi Anna", "Nuoto agonistico", "5"),
               receipt("5", "01/03/2024", "Verdi Carlo", "Nuoto", ""),
               receipt("6", "29/02/2024", "Neri Ugo", "Tennis", "7,00"),
               receipt("7", "01/04/2024", "Gialli Eva", "Tennis", "8,00"),
               receipt("8", "01/03/2024", "Blu Sara", "Tennis", "1,00")});
        const Summary s = march(payer, activity);
        QVERIFY(!s.error);
        QCOMPARE(numbersOf(s.lines), listed);
        QCOMPARE(s.total, total);
        QCOMPARE(s.interval, QStringLiteral("Dal   01/03/2024   al   31/03/2024"));
    }

    void totals_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::newRow("mixed forms") << QStringList{"10,50", "20,25", "5"} << "35,75";
        QTest::newRow("one decimal") << QStringList{"12,5"} << "12,50";
        QTest::newRow("whole euros") << QStringList{"30"} << "30,00";
        QTest::newRow("zero") << QStringList{"0,00"} << "0,00";
        QTest::newRow("large") << QStringList{"99999999,99", "99999999,99"} << "199999999,98";
        QStringList tenCents;
        for (int i = 0; i < 100; ++i)
            tenCents << "0,10";
        QTest::newRow("a hundred times ten cents") << tenCents << "10,00";
        QStringList sevenCents;
        for (int i = 0; i < 1000; ++i)
            sevenCents << "0,07";
        QTest::newRow("a thousand times seven cents") << sevenCents << "70,00";
        // Year files made elsewhere or by hand: the total keeps three or four decimals, and a sum
        // beyond four is brought to them by adding one half.
        QTest::newRow("three and four decimals") << QStringList{"10,125", "5,3333", "0,0002"} << "15,4585";
        QTest::newRow("decimals that cancel out") << QStringList{"0,1", "0,2", "-0,3"} << "0,00";
        QTest::newRow("half a ten-thousandth rounds up") << QStringList{"0,00005"} << "0,0001";
        QTest::newRow("less than half is dropped") << QStringList{"2,00004"} << "2,00";
        QTest::newRow("cents only") << QStringList{"0,05"} << "0,05";
        QTest::newRow("negative") << QStringList{"-3,10"} << "-3,10";
    }

    void totals()
    {
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        QList<Record> receipts;
        for (const QString &a : amounts)
            receipts << receipt(QString::number(receipts.size() + 1), "10/03/2024", "Rossi", "Nuoto", a);
        store(receipts);
        const Summary s = march();
        QVERIFY(!s.error);
        QCOMPARE(s.lines.size(), amounts.size());
        QCOMPARE(s.total, total);
    }

    void lineLayout()
    {
        Record r = receipt("15", "05/03/2024", "Rossi Mario", "Nuoto", "30,00");
        const QString expected =
            QStringLiteral("Ric. n. 15          ") + QStringLiteral("  Data: 05/03/2024") +
            QStringLiteral("  Rossi Mario               ") +
            QStringLiteral("  Sport: Nuoto                         ") +
            QStringLiteral("  Dal 01/03/2024  Al 31/03/2024") + QStringLiteral("  Tot. € 30,00");
        const QString line = summaryLine(encode(r).constData());
        QCOMPARE(line, expected);
        QCOMPARE(line.size(), 150);

        // Long texts are cut in their columns; the amount keeps its own length.
        r[NumRic] = QStringLiteral("2024/000000015-BIS");
        r[Pagatore] = QStringLiteral("Rossi Mario Giuseppe Antonio Maria");
        r[Sport] = QString(40, u'S');
        r[Intero] = QStringLiteral("1234,56");
        const QString cut = summaryLine(encode(r).constData());
        QCOMPARE(cut.size(), 152);
        QCOMPARE(cut.mid(8, 12), QStringLiteral("2024/0000000"));
        QCOMPARE(cut.mid(40, 26), QStringLiteral("Rossi Mario Giuseppe Anton"));
        QVERIFY(cut.endsWith(QStringLiteral("  Tot. € 1234,56")));
    }

    // Amounts read exactly, in ten-thousandths here (all rows but the last hold at most four
    // decimals); -999999 for "not an amount".
    void exactAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units");
        const qint64 none = -999999;
        QTest::newRow("two decimals") << "30,00" << qint64(300000);
        QTest::newRow("whole") << "5" << qint64(50000);
        QTest::newRow("one decimal") << "120,5" << qint64(1205000);
        QTest::newRow("comma first") << ",5" << qint64(5000);
        QTest::newRow("comma last") << "5," << qint64(50000);
        QTest::newRow("negative") << "-3,10" << qint64(-31000);
        QTest::newRow("blanks around") << " 7,25 " << qint64(72500);
        QTest::newRow("three decimals") << "10,125" << qint64(101250);
        QTest::newRow("four decimals") << "0,0001" << qint64(1);
        QTest::newRow("decimal point") << "10.50" << none;
        QTest::newRow("letters") << "dieci" << none;
        QTest::newRow("comma alone") << "," << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("thousands separator") << "1.000,00" << none;
    }
    void exactAmount()
    {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        const std::optional<Takings::ExactAmount> amount = Takings::exactAmount(text);
        QCOMPARE(amount ? Takings::toTenThousandths(*amount) : -999999, units);
    }

    // A receipt that would be listed but whose date or amount cannot be read stops the summary:
    // no lines, no total, and a message naming its position and number.
    void damagedReceipts_data()
    {
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad date") << ""
                                  << "31/02/2024"
                                  << "5,00" << true
                                  << QString::fromUtf8(
                                         "Attenzione: la ricevuta n. 77 (posizione 2 dell'archivio) ha "
                                         "una data di emissione non valida: \"31/02/2024\".\n\r\n\rIl "
                                         "riepilogo non è stato calcolato.");
        QTest::newRow("bad amount") << ""
                                    << "10/03/2024"
                                    << "dieci" << true
                                    << QString::fromUtf8(
                                           "Attenzione: la ricevuta n. 77 (posizione 2 dell'archivio) "
                                           "ha un importo non valido: \"dieci\".\n\r\n\rIl riepilogo "
                                           "non è stato calcolato.");
        QTest::newRow("bad date, filtered out") << "rossi"
                                                << "31/02/2024"
                                                << "5,00" << false << QString();
        QTest::newRow("bad date, no amount") << ""
                                             << "xx"
                                             << "" << false << QString();
        QTest::newRow("bad amount, outside the interval") << ""
                                                          << "10/04/2024"
                                                          << "dieci" << false << QString();
    }

    void damagedReceipts()
    {
        QFETCH(QString, payer);
        QFETCH(QString, date);
        QFETCH(QString, amount);
        QFETCH(bool, fails);
        QFETCH(QString, message);
        store({receipt("1", "05/03/2024", "Rossi Mario", "Nuoto", "30,00"),
               receipt("77", date, "Bianchi Anna", "Nuoto", amount),
               receipt("3", "06/03/2024", "Rossi Luca", "Nuoto", "10,00")});
        const Summary s = march(payer);
        QCOMPARE(bool(s.error), fails);
        if (!fails) {
            QCOMPARE(s.lines.size(), 2);
            QCOMPARE(s.total, QStringLiteral("40,00"));
            return;
        }
        QCOMPARE(s.error->position, qint64(2));
        QCOMPARE(s.error->number, QStringLiteral("77"));
        QCOMPARE(s.error->message, message);
        QVERIFY(s.lines.isEmpty());
        QVERIFY(s.total.isEmpty());
    }

    // Issue dates and whole amounts stored in every form, plain ASCII or not, with blanks and
    // control bytes around them: each receipt is listed, skipped or stops the summary exactly as
    // its decoded texts read with the date and amount rules say.
    void storedDateAndAmountForms_data()
    {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("amount");
        const QByteArray goodDate = raw("05/03/2024");
        const QByteArray goodAmount = raw("10,00");
        for (const QByteArray &date :
             {raw("5/3/2024"), raw("05/03/2024"), raw("\t5/3/2024\0"), raw("005/3/2024"), raw("5/3/24"),
              raw("31/02/2024"), raw("05-03-2024"), raw("5/3/20245"), raw("5/3/2024x"), raw("5/3/2024\xE9"),
              raw("\xB2/03/2024"), raw("5 /3/2024"), raw("05/13/2024"), raw("/3/2024"), raw("29/02/2024"),
              raw("31/03/2024"), raw("01/04/2024")})
            QTest::addRow("date %s", date.toPercentEncoding().constData()) << date << goodAmount;
        for (const QByteArray &amount :
             {raw("5"), raw("+5"), raw("-5,5"), raw(",5"), raw("5,"), raw(","), raw("-"), raw("  7,25\0"),
              raw("10.50"), raw("5 0"), raw("1\xE9"), raw("\x80"), raw("1234567,901"), raw("0,00005"),
              raw("   "), raw("\t")})
            QTest::addRow("amount %s", amount.toPercentEncoding().constData()) << goodDate << amount;
    }
    void storedDateAndAmountForms()
    {
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, amount);
        QByteArray record = encode(receipt("9", "01/03/2024", "Rossi Mario", "Nuoto", "1,00"));
        const auto put = [&record](int field, const QByteArray &bytes) {
            const FieldSpec &f = kFields[size_t(field)];
            record[f.offset] = char(bytes.size());
            record.replace(f.offset + 1, f.width, bytes.leftJustified(f.width, '\0', true));
        };
        put(Data, date);
        put(Intero, amount);
        {
            QFile f(m_path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(record);
        }
        QVERIFY(date.size() <= fieldWidth(Data) && amount.size() <= fieldWidth(Intero));
        // What the rules say of the decoded texts.
        const QString wholeText = decodeField(record.constData(), Intero);
        const QDate issued = Formats::parseDateText(decodeField(record.constData(), Data));
        const std::optional<ExactAmount> exact = Takings::exactAmount(wholeText);

        const Summary s = march();
        if (wholeText.isEmpty() || (issued.isValid() && (issued < d(1, 3) || issued > d(31, 3)))) {
            QVERIFY(!s.error);
            QVERIFY(s.lines.isEmpty());
        } else if (!issued.isValid() || !exact) {
            QVERIFY(s.error);
            QCOMPARE(s.error->position, qint64(1));
        } else {
            QVERIFY(!s.error);
            QCOMPARE(s.lines.size(), 1);
            QCOMPARE(s.total10000, toTenThousandths(*exact));
            QCOMPARE(s.lines[0], summaryLine(record.constData()));
        }
    }

    // Work stopped by the user (see ReadProgress): the summary stops, with neither lines nor total
    // nor an error.
    void stoppedSummary()
    {
        store({receipt("1", "05/03/2024", "Rossi Mario", "Nuoto", "30,00")});
        ReadProgress progress;
        progress.cancelled = true;
        const ReadProgress::Scope scope(&progress);
        const Summary s = march();
        QVERIFY(s.cancelled);
        QVERIFY(!s.error);
        QVERIFY(s.lines.isEmpty());
        QVERIFY(s.total.isEmpty());
    }

    void missingYearFile_isCreatedAndListsNothing()
    {
        const Summary s = march();
        QVERIFY(!s.error);
        QVERIFY(s.lines.isEmpty());
        QCOMPARE(s.total, QStringLiteral("0,00"));
        QVERIFY(QFileInfo(m_path).isFile());
    }

    void unreadableYearFile_givesNoTotal()
    {
        QVERIFY(QDir().mkpath(m_path)); // exists, but cannot be opened as a file
        const Summary s = march();
        QVERIFY(s.error);
        QCOMPARE(s.error->position, qint64(0));
        QCOMPARE(s.error->message,
                 QString::fromUtf8("Attenzione: il file di archivio non risulta accessibile.\n\r\n\r"
                                   "Il riepilogo non è stato calcolato."));
        QVERIFY(s.total.isEmpty());
        QVERIFY(QFileInfo(m_path).isDir());
        QDir(m_path).removeRecursively();
    }

    void monthsAndDays()
    {
        QCOMPARE(monthNames().size(), 12);
        QCOMPARE(monthNames().first(), QStringLiteral("Gennaio"));
        QCOMPARE(monthNames().last(), QStringLiteral("Dicembre"));
        QCOMPARE(monthNumber(QStringLiteral(" SETTEMBRE ")), 9);
        QCOMPARE(monthNumber(QStringLiteral("settembr")), 0);
        QCOMPARE(dayNames().size(), 31);
        QVERIFY(isListedDay(QStringLiteral("01")));
        QVERIFY(isListedDay(QStringLiteral("31 ")));
        QVERIFY(!isListedDay(QStringLiteral("1")));
        QVERIFY(!isListedDay(QStringLiteral("32")));
    }

    void periodChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // year, start day, start month, end day, end month
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<int>("focus");
        const QString advice =
            QString::fromUtf8("\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una "
                              "data valida.");
        const QString year = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
        QTest::newRow("good") << QStringList{"2024", "01", "Marzo", "31", "Marzo"} << QString() << false
                              << int(PeriodField::None);
        QTest::newRow("one day") << QStringList{"2024", "15", "Marzo", "15", "marzo"} << QString() << false
                                 << int(PeriodField::None);
        QTest::newRow("three-digit year")
            << QStringList{"202", "", "", "", ""} << year << false << int(PeriodField::Year);
        QTest::newRow("year with a blank")
            << QStringList{"2024 ", "01", "Marzo", "31", "Marzo"} << year << false << int(PeriodField::Year);
        QTest::newRow("start day")
            << QStringList{"2024", " ", "", "", ""}
            << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco "
               "a cascata."
            << false << int(PeriodField::StartDay);
        QTest::newRow("start month")
            << QStringList{"2024", "01", "", "", ""}
            << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco "
               "a cascata."
            << false << int(PeriodField::StartMonth);
        QTest::newRow("end day")
            << QStringList{"2024", "01", "Marzo", "", ""}
            << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a "
               "cascata."
            << false << int(PeriodField::EndDay);
        QTest::newRow("end month")
            << QStringList{"2024", "01", "Marzo", "31", ""}
            << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
               "cascata."
            << false << int(PeriodField::EndMonth);
        QTest::newRow("29 February 2023")
            << QStringList{"2023", "29", "Febbraio", "31", "Marzo"}
            << "Attenzione: la data 29/02/2023 di inizio intervallo non esiste." + advice << true
            << int(PeriodField::StartDay);
        QTest::newRow("29 February 2024") << QStringList{"2024", "29", "Febbraio", "31", "Marzo"} << QString()
                                          << false << int(PeriodField::None);
        QTest::newRow("31 April") << QStringList{"2024", "01", "Aprile", "31", "Aprile"}
                                  << "Attenzione: la data 31/04/2024 di fine intervallo non esiste." + advice
                                  << true << int(PeriodField::EndDay);
        QTest::newRow("end before start")
            << QStringList{"2024", "01", "Dicembre", "01", "Gennaio"}
            << QString::fromUtf8(
                   "Attenzione: la data di fine intervallo (01/01/2024) non può essere anteriore a "
                   "quella di inizio intervallo (01/12/2024).\n\r\n\rPer poter visualizzare il "
                   "riepilogo è necessario indicare un intervallo di tempo valido.")
            << true << int(PeriodField::None);
    }

    void periodChecksInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(bool, plain);
        QFETCH(int, focus);
        const PeriodCheck c =
            checkPeriod(PeriodChoice{fields[0], fields[1], fields[2], fields[3], fields[4]});
        QCOMPARE(c.message, message);
        QCOMPARE(int(c.focus), focus);
        if (!c.ok()) {
            QCOMPARE(c.box == PeriodCheck::Box::Plain, plain);
            return;
        }
        QCOMPARE(c.startText, Formats::formatDate(c.start));
        QCOMPARE(c.endText, Formats::formatDate(c.end));
        QVERIFY(c.start <= c.end);
    }
};

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
