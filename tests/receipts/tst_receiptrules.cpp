// What Salva and Nuovo decide without a window: the completed amount with its words, the eight
// checks in their order with their messages, the numbering and the settings file.
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "receipts/ReceiptRules.h"
#include "receipts/ReceiptSettings.h"
#include "records/YearFile.h"

#include <QtTest>

using namespace Receipt;

namespace {

Record complete()
{
    Record r;
    r[NumRic] = QStringLiteral("15");
    r[Data] = QStringLiteral("05/03/2024");
    r[Pagatore] = QStringLiteral("Rossi Mario");
    r[CodFisc] = QStringLiteral("RSSMRA80A01H501U");
    r[Sport] = QStringLiteral("Nuoto");
    r[Dal] = QStringLiteral("01/03/2024");
    r[Al] = QStringLiteral("31/03/2024");
    setAmount(r, completeAmount(QStringLiteral("120"), QStringLiteral("50")));
    return r;
}

} // namespace

class TestReceiptRules : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { corvallaTestInit(); }
    void init()
    {
        setProgramFolder(m_dir.path());
        QFile::remove(ReceiptSettings::filePath());
    }

    void centsOnLeavingTheBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cents");
        QTest::newRow("empty") << ""
                               << "00";
        QTest::newRow("blank") << "  "
                               << "00";
        QTest::newRow("one digit means tens of cents") << "5"
                                                       << "50";
        QTest::newRow("two digits") << "05"
                                    << "05";
    }

    void centsOnLeavingTheBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cents);
        QCOMPARE(completeCents(typed), cents);
    }

    // The words always follow the completed euros, whatever the words label held before.
    void salvaCompletesTheAmount_data()
    {
        QTest::addColumn<QString>("euros");
        QTest::addColumn<QString>("cents");
        QTest::addColumn<QString>("storedEuros");
        QTest::addColumn<QString>("storedCents");
        QTest::addColumn<QString>("whole");
        QTest::addColumn<QString>("words");
        QTest::newRow("one cent digit") << "120"
                                        << "5"
                                        << "120"
                                        << "50"
                                        << "120,50"
                                        << "CENTOVENTI";
        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << "0"
                                       << "00"
                                       << "0,00"
                                       << "ZERO";
        QTest::newRow("blank euros") << "   "
                                     << "99"
                                     << "0"
                                     << "99"
                                     << "0,99"
                                     << "ZERO";
        QTest::newRow("leading zeros kept") << "007"
                                            << "00"
                                            << "007"
                                            << "00"
                                            << "007,00"
                                            << "SETTE";
        QTest::newRow("cents cut to two") << "1000"
                                          << "123"
                                          << "1000"
                                          << "12"
                                          << "1000,12"
                                          << "MILLE";
        QTest::newRow("blanks around") << " 45 "
                                       << " 7 "
                                       << "45"
                                       << "70"
                                       << "45,70"
                                       << "QUARANTACINQUE";
        QTest::newRow("largest") << "99999999"
                                 << "99"
                                 << "99999999"
                                 << "99"
                                 << "99999999,99"
                                 << "NOVANTANOVEMILIONINOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE";
    }

    void salvaCompletesTheAmount()
    {
        QFETCH(QString, euros);
        QFETCH(QString, cents);
        QFETCH(QString, storedEuros);
        QFETCH(QString, storedCents);
        QFETCH(QString, whole);
        QFETCH(QString, words);
        const Amount a = completeAmount(euros, cents);
        QCOMPARE(a.euros, storedEuros);
        QCOMPARE(a.cents, storedCents);
        QCOMPARE(a.whole, whole);
        QCOMPARE(a.words, words);

        Record r;
        r[ImpLettere] = QStringLiteral("MILLE"); // stale words from an earlier amount
        setAmount(r, a);
        QCOMPARE(r[Importo], storedEuros);
        QCOMPARE(r[Cents], storedCents);
        QCOMPARE(r[CentLettere], storedCents);
        QCOMPARE(r[Intero], whole);
        QCOMPARE(r[ImpLettere], words);
    }

    // Each row changes a complete receipt; the first failing check in the fixed order answers.
    void checksInOrder_data()
    {
        QTest::addColumn<QStringList>("changes"); // "field=text"
        QTest::addColumn<int>("field");           // -1: the receipt may be stored
        QTest::addColumn<QString>("message");
        const QString number =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero "
                           "progressivo della ricevuta.");
        const QString date =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di "
                           "emissione della ricevuta.");
        const QString badDate =
            QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la "
                           "scheda è necessario indicare una data valida nel formato gg/mm/anno.");
        const QString payer =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.");
        const QString taxCode =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il codice "
                           "fiscale del pagatore.");
        const QString sport =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'attività "
                           "sportiva praticata.");
        const QString start =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di "
                           "inizio del periodo a cui il pagamento si riferisce.");
        const QString end =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di "
                           "scadenza del periodo a cui il pagamento si riferisce.");
        const QStringList allBlank = {"0=", "1=", "11=", "12=", "13=", "14=", "15="};
        QTest::newRow("complete") << QStringList() << -1 << QString();
        QTest::newRow("all blank") << allBlank << int(NumRic) << number;
        QTest::newRow("number of blanks") << QStringList{"0=   "} << int(NumRic) << number;
        QTest::newRow("date first after number") << allBlank.mid(1) << int(Data) << date;
        QTest::newRow("29 February of 2023") << QStringList{"1=29/02/2023", "11="} << int(Data) << badDate;
        QTest::newRow("not a date") << QStringList{"1=ieri"} << int(Data) << badDate;
        QTest::newRow("29 February of 2024") << QStringList{"1=29/02/2024"} << -1 << QString();
        QTest::newRow("payer") << QStringList{"11=", "12=", "15="} << int(Pagatore) << payer;
        QTest::newRow("tax code") << QStringList{"12=", "13="} << int(CodFisc) << taxCode;
        QTest::newRow("sport") << QStringList{"13= ", "14="} << int(Sport) << sport;
        QTest::newRow("period start") << QStringList{"14=", "15="} << int(Dal) << start;
        QTest::newRow("period end") << QStringList{"15="} << int(Al) << end;
        // Period dates and birth date are not examined beyond being present.
        QTest::newRow("end before start") << QStringList{"14=31/03/2024", "15=01/03/2024"} << -1 << QString();
        QTest::newRow("free period text") << QStringList{"14=marzo", "15=aprile"} << -1 << QString();
        // Figures that no words can state come only from a damaged year file; they are checked
        // after the eight.
        const QString badAmount = QStringLiteral(
            "Attenzione: l'importo indicato non è valido.\n\r\n\rPer poter salvare la scheda "
            "è necessario indicare gli euro con al massimo otto cifre e i centesimi con due cifre.");
        QTest::newRow("eight-digit euros") << QStringList{"2=99999999"} << -1 << QString();
        QTest::newRow("leading zeros") << QStringList{"2=007"} << -1 << QString();
        QTest::newRow("letters in euros") << QStringList{"2=12a"} << int(Importo) << badAmount;
        QTest::newRow("letters in cents") << QStringList{"3=5x"} << int(Cents) << badAmount;
        QTest::newRow("blank field before bad euros") << QStringList{"2=12a", "15="} << int(Al) << end;
    }

    void checksInOrder()
    {
        QFETCH(QStringList, changes);
        QFETCH(int, field);
        QFETCH(QString, message);
        Record r = complete();
        for (const QString &change : changes) {
            const qsizetype eq = change.indexOf(QLatin1Char('='));
            r[change.left(eq).toInt()] = change.mid(eq + 1);
        }
        const std::optional<CheckFailure> failure = checkForSave(r);
        if (field < 0) {
            QVERIFY2(!failure, failure ? qPrintable(failure->message) : "");
            return;
        }
        QVERIFY(failure);
        QCOMPARE(failure->field, field);
        QCOMPARE(failure->message, message);
    }

    void numbering_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<qint64>("number");
        QTest::newRow("no start number, empty year") << "" << qint64(0) << true << qint64(1);
        QTest::newRow("no start number, five receipts") << "" << qint64(5) << true << qint64(6);
        QTest::newRow("blank start number") << "   " << qint64(2) << true << qint64(3);
        QTest::newRow("start 100") << "100" << qint64(0) << true << qint64(100);
        QTest::newRow("start 100, five receipts") << "100" << qint64(5) << true << qint64(105);
        QTest::newRow("start 50, three receipts") << "50" << qint64(3) << true << qint64(53);
        QTest::newRow("start 0") << "0" << qint64(0) << true << qint64(0);
        QTest::newRow("leading zeros") << "0100" << qint64(1) << true << qint64(101);
        QTest::newRow("letters") << "abc" << qint64(3) << false << qint64(0);
        QTest::newRow("digits then letters") << "12abc" << qint64(3) << false << qint64(0);
        QTest::newRow("decimal comma") << "1,5" << qint64(3) << false << qint64(0);
        QTest::newRow("decimal point") << "1.5" << qint64(3) << false << qint64(0);
        QTest::newRow("year file not counted") << "" << qint64(-1) << false << qint64(0);
        QTest::newRow("too long to be a number") << QString(30, u'9') << qint64(0) << false << qint64(0);
    }

    void numbering()
    {
        QFETCH(QString, start);
        QFETCH(qint64, count);
        QFETCH(bool, numbered);
        QFETCH(qint64, number);
        const std::optional<qint64> n = ReceiptSettings::receiptNumber(start, count);
        QCOMPARE(bool(n), numbered);
        if (numbered)
            QCOMPARE(*n, number);
    }

    // The number counts the records of the year file, never the numbers already given: with five
    // receipts and receipt 3 renumbered 40 by hand, the next one is still 6.
    void numbering_countsRecordsNotNumbers()
    {
        const YearFile file(YearFile::pathFor(QStringLiteral("2024")));
        for (const char *n : {"1", "2", "40", "4", "5"}) {
            Record r = complete();
            r[NumRic] = QLatin1String(n);
            QVERIFY(file.append(r) >= 0);
        }
        QCOMPARE(ReceiptSettings::receiptNumber(ReceiptSettings::startNumber(), file.count()).value_or(-1),
                 qint64(6));
        QVERIFY(ReceiptSettings::writeStartNumber(QStringLiteral("100")));
        QCOMPARE(ReceiptSettings::receiptNumber(ReceiptSettings::startNumber(), file.count()).value_or(-1),
                 qint64(105));
    }

    void settings_missingFileReadsEmpty()
    {
        QCOMPARE(ReceiptSettings::startNumber(), QString());
        for (const QString &line : ReceiptSettings::headingLines())
            QCOMPARE(line, QString());
    }

    void settings_roundTripTrimmedInTheirSections()
    {
        const ReceiptSettings::HeadingLines lines = {QStringLiteral("  A.S.D. Corvalla "),
                                                     QStringLiteral("Via dello Sport 1"), QString(),
                                                     QStringLiteral("P.IVA 00000000588")};
        QVERIFY(ReceiptSettings::writeHeadingLines(lines));
        QVERIFY(ReceiptSettings::writeStartNumber(QStringLiteral(" 50 ")));
        const ReceiptSettings::HeadingLines back = ReceiptSettings::headingLines();
        QCOMPARE(back[0], QStringLiteral("A.S.D. Corvalla"));
        QCOMPARE(back[1], QStringLiteral("Via dello Sport 1"));
        QCOMPARE(back[2], QString());
        QCOMPARE(back[3], QStringLiteral("P.IVA 00000000588"));
        QCOMPARE(ReceiptSettings::startNumber(), QStringLiteral("50"));
        const QByteArray file = readAll(ReceiptSettings::filePath());
        QVERIFY(file.contains("[Ricevente]\r\nRigo 1=A.S.D. Corvalla\r\n"));
        QVERIFY(file.contains("[Numerazione Ricevute]\r\nInizio=50\r\n"));
    }

    void settings_writeFailureIsReported()
    {
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        writeFile(blocker, "x");
        setProgramFolder(blocker + QStringLiteral("/sub"));
        QString error;
        QVERIFY(!ReceiptSettings::writeStartNumber(QStringLiteral("5"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!ReceiptSettings::writeHeadingLines({}, &error));
    }

    void startNumberNormalised_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("blank") << "   "
                               << "1";
        QTest::newRow("leading zeros") << "0100"
                                       << "100";
        QTest::newRow("plain") << "7"
                               << "7";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("half goes up") << "12,5"
                                      << "13";
        QTest::newRow("below half") << "12,49"
                                    << "12";
        QTest::newRow("comma alone") << ","
                                     << "1";
        QTest::newRow("comma first") << ",5"
                                     << "1";
        QTest::newRow("comma last") << "5,"
                                    << "5";
        QTest::newRow("letters") << "abc"
                                 << "1";
        QTest::newRow("decimal point") << "1.5"
                                       << "1";
    }

    void startNumberNormalised()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(ReceiptSettings::normaliseStartNumber(typed), normalised);
    }
};

QTEST_MAIN(TestReceiptRules)
#include "tst_receiptrules.moc"
