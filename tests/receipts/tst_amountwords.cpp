// The amount in words: the worked examples, and a wide sample of amounts checked against words
// built here from the rules by another route (whole words for 0-19, tens stems with their joining
// vowel, and the groups read as millions, thousands and units).
#include "TestSupport.h"

#include "receipts/AmountInWords.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Words of 0-999 built from stems: 0-19 whole, then a tens stem, its vowel unless "uno" follows
// (the only vowel the rules drop), and the units; the hundreds in front, never shortened.
QString referenceGroup(int g)
{
    static const QStringList upTo19 = {QString(),
                                       QStringLiteral("UNO"),
                                       QStringLiteral("DUE"),
                                       QStringLiteral("TRE"),
                                       QStringLiteral("QUATTRO"),
                                       QStringLiteral("CINQUE"),
                                       QStringLiteral("SEI"),
                                       QStringLiteral("SETTE"),
                                       QStringLiteral("OTTO"),
                                       QStringLiteral("NOVE"),
                                       QStringLiteral("DIECI"),
                                       QStringLiteral("UNDICI"),
                                       QStringLiteral("DODICI"),
                                       QStringLiteral("TREDICI"),
                                       QStringLiteral("QUATTORDICI"),
                                       QStringLiteral("QUINDICI"),
                                       QStringLiteral("SEDICI"),
                                       QStringLiteral("DICIASSETTE"),
                                       QStringLiteral("DICIOTTO"),
                                       QStringLiteral("DICIANNOVE")};
    static const QStringList stems = {QString(),
                                      QString(),
                                      QStringLiteral("VENT"),
                                      QStringLiteral("TRENT"),
                                      QStringLiteral("QUARANT"),
                                      QStringLiteral("CINQUANT"),
                                      QStringLiteral("SESSANT"),
                                      QStringLiteral("SETTANT"),
                                      QStringLiteral("OTTANT"),
                                      QStringLiteral("NOVANT")};
    const int hundreds = g / 100;
    const int rest = g % 100;
    QString words;
    if (hundreds == 1)
        words = QStringLiteral("CENTO");
    else if (hundreds > 1)
        words = upTo19[hundreds] + QStringLiteral("CENTO");
    if (rest < 20)
        return words + upTo19[rest];
    const int tens = rest / 10;
    const int units = rest % 10;
    words += stems[tens];
    if (units == 1)
        return words + QStringLiteral("UNO");
    return words + (tens == 2 ? QStringLiteral("I") : QStringLiteral("A")) + upTo19[units];
}

QString reference(qint64 n)
{
    if (n == 0)
        return QStringLiteral("ZERO");
    const int millions = int(n / 1000000);
    const int thousands = int(n / 1000 % 1000);
    QString words;
    if (millions == 1)
        words += QStringLiteral("UNMILIONE");
    else if (millions > 0)
        words += referenceGroup(millions) + QStringLiteral("MILIONI");
    if (thousands == 1)
        words += QStringLiteral("MILLE");
    else if (thousands > 0)
        words += referenceGroup(thousands) + QStringLiteral("MILA");
    return words + referenceGroup(int(n % 1000));
}

} // namespace

class TestAmountWords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void workedExamples_data()
    {
        QTest::addColumn<QString>("euros");
        QTest::addColumn<QString>("words");
        const char *const rows[][2] = {
            {"0", "ZERO"},
            {"1", "UNO"},
            {"8", "OTTO"},
            {"10", "DIECI"},
            {"16", "SEDICI"},
            {"21", "VENTUNO"},
            {"28", "VENTIOTTO"},
            {"33", "TRENTATRE"},
            {"88", "OTTANTAOTTO"},
            {"100", "CENTO"},
            {"101", "CENTOUNO"},
            {"108", "CENTOOTTO"},
            {"111", "CENTOUNDICI"},
            {"180", "CENTOOTTANTA"},
            {"250", "DUECENTOCINQUANTA"},
            {"999", "NOVECENTONOVANTANOVE"},
            {"1000", "MILLE"},
            {"1001", "MILLEUNO"},
            {"1021", "MILLEVENTUNO"},
            {"1500", "MILLECINQUECENTO"},
            {"2000", "DUEMILA"},
            {"2008", "DUEMILAOTTO"},
            {"21000", "VENTUNOMILA"},
            {"101000", "CENTOUNOMILA"},
            {"999999", "NOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE"},
            {"1000000", "UNMILIONE"},
            {"1000001", "UNMILIONEUNO"},
            {"1001000", "UNMILIONEMILLE"},
            {"2500000", "DUEMILIONICINQUECENTOMILA"},
            {"12345678", "DODICIMILIONITRECENTOQUARANTACINQUEMILASEICENTOSETTANTAOTTO"},
            {"99999999", "NOVANTANOVEMILIONINOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE"},
            {"007", "SETTE"},
            // Cases of our own, from the same rules.
            {"000", "ZERO"},
            {"00000000", "ZERO"},
            {"23", "VENTITRE"},
            {"91", "NOVANTUNO"},
            {"121", "CENTOVENTUNO"},
            {"11000", "UNDICIMILA"},
            {"100000", "CENTOMILA"},
            {"1000100", "UNMILIONECENTO"},
            {"21000000", "VENTUNOMILIONI"},
            {"01000000", "UNMILIONE"},
            {"54454454",
             "CINQUANTAQUATTROMILIONIQUATTROCENTOCINQUANTAQUATTROMILAQUATTROCENTOCINQUANTAQUATTRO"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void workedExamples()
    {
        QFETCH(QString, euros);
        QFETCH(QString, words);
        QCOMPARE(amountInWords(QStringView(euros)), words);
        QCOMPARE(reference(euros.toLongLong()), words); // the reference agrees with the examples too
    }

    // Every amount below 2100 (all groups, all joins with MILLE and MILA), every thousand below
    // 1,000,000 and a wide random sample up to 99,999,999.
    void sampleAgreesWithIndependentReading()
    {
        QList<qint64> amounts;
        for (qint64 n = 0; n < 2100; ++n)
            amounts << n;
        for (qint64 n = 0; n < 1000000; n += 1000)
            amounts << n << n + 1 << n + 21;
        QRandomGenerator rng(31415);
        for (int i = 0; i < 20000; ++i)
            amounts << qint64(rng.bounded(100000000));
        amounts << 99999999 << 1000000 << 2000001 << 91091091;
        for (qint64 n : amounts) {
            const QString text = QString::number(n);
            if (amountInWords(QStringView(text)) != reference(n))
                QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                     .arg(text, amountInWords(QStringView(text)), reference(n))));
        }
    }

    // Only a text of digits 0-9 worth at most 99,999,999 has words; the receipt window empties the
    // words itself for an empty box.
    void textsWithoutWords_data()
    {
        QTest::addColumn<QString>("euros");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral(" ");
        QTest::newRow("letters") << QStringLiteral("12a");
        QTest::newRow("comma") << QStringLiteral("12,50");
        QTest::newRow("sign") << QStringLiteral("-5");
        QTest::newRow("nine digits") << QStringLiteral("100000000");
        QTest::newRow("other digits") << QStringLiteral("١٢");
    }

    void textsWithoutWords()
    {
        QFETCH(QString, euros);
        QCOMPARE(amountInWords(QStringView(euros)), QString());
    }

    void numbersOutsideTheRange_haveNoWords()
    {
        QCOMPARE(amountInWords(qint64(-1)), QString());
        QCOMPARE(amountInWords(qint64(100000000)), QString());
        QCOMPARE(amountInWords(qint64(7)), QStringLiteral("SETTE"));
    }
};

QTEST_MAIN(TestAmountWords)
#include "tst_amountwords.moc"
