// Dates and the member fee normalisation.
#include "TestSupport.h"

#include "common/Cp1252.h"
#include "common/Formats.h"

#include <QtTest>

class TestFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { corvallaTestInit(); }

    void normaliseAmount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        const char *rows[][2] = {
            {"", "0,00"},
            {"   ", "0,00"},
            {",", "0,00"},
            {"25", "25,00"},
            {"25,5", "25,50"},
            {"25,55", "25,55"},
            {"7,125", "7,13"},
            {"1,999", "2,00"},
            {",5", "0,50"},
            {"1,005", "1,01"},
            {"2,675", "2,68"},
            {"0,004", "0,00"},
            {"0,005", "0,01"},
            {"1,,2", "0,00"},
            {"12a", "0,00"},
            {"1.5", "0,00"},
            {" 25 ", "25,00"},
            {"007", "7,00"},
            {"25,", "25,00"},
            {"99,995", "100,00"},
            {"0", "0,00"},
            {"10,10", "10,10"},
            {"-5", "-5,00"},
            {"-1,005", "-1,01"},
            {"12345678901234567890,125", "12345678901234567890,13"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0][0] ? r[0] : "(empty)") << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]);
    }
    void normaliseAmount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QCOMPARE(Formats::normaliseAmount(typed), result);
    }

    void dates()
    {
        QCOMPARE(Formats::formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
        QCOMPARE(Formats::parseDateText(QStringLiteral("05/03/2024")), QDate(2024, 3, 5));
        QCOMPARE(Formats::parseDateText(QStringLiteral(" 5/3/2024 ")), QDate(2024, 3, 5));
        QVERIFY(!Formats::parseDateText(QStringLiteral("31/02/2024")).isValid());
        QVERIFY(!Formats::parseDateText(QString()).isValid());
        QVERIFY(!Formats::parseDateText(QStringLiteral("2024-03-05")).isValid());
        QVERIFY(!Formats::parseDateText(QStringLiteral("05/03/24")).isValid());
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }

    // Reading a date, from typed text and from a stored field's bytes alike: the edges of the form.
    void readingDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: no date
        QTest::newRow("two-digit day and month") << QStringLiteral("05/03/2024") << QDate(2024, 3, 5);
        QTest::newRow("one-digit, blanks around") << QStringLiteral(" \t5/3/2024 \n") << QDate(2024, 3, 5);
        QTest::newRow("five-digit year") << QStringLiteral("05/03/20245") << QDate();
        QTest::newRow("three-digit day") << QStringLiteral("005/03/2024") << QDate();
        QTest::newRow("blank inside") << QStringLiteral("05/ 3/2024") << QDate();
        QTest::newRow("year 0") << QStringLiteral("01/01/0000") << QDate();
        QTest::newRow("other digits") << QString::fromUtf8("\xd9\xa3/3/2024") << QDate();
    }

    void readingDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Formats::parseDateText(text), date);
        const QByteArray bytes = toCp1252(text);
        QCOMPARE(Formats::parseDateBytes(bytes.constData(), int(bytes.size())), date);
    }
};

QTEST_MAIN(TestFormats)
#include "tst_formats.moc"
