// Windows-1252 text, fixed text fields and the member record layout.
#include "TestSupport.h"

#include "common/Cp1252.h"
#include "common/FixedText.h"
#include "common/TextUtil.h"
#include "records/MemberRecord.h"

#include <QtTest>

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { corvallaTestInit(); }

    void cp1252_roundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toCp1252(fromCp1252(all)), all);
    }

    void cp1252_encodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("euro") << QStringLiteral("€ 10") << QByteArray("\x80 10");
        QTest::newRow("accents") << QStringLiteral("àèéìòù") << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9");
        QTest::newRow("quotes and dashes")
            << QStringLiteral("‘’“”–—…") << QByteArray("\x91\x92\x93\x94\x96\x97\x85");
        QTest::newRow("greek becomes ?") << QStringLiteral("αβ") << QByteArray("??");
        QTest::newRow("emoji is one ?") << QString::fromUtf8("a\xF0\x9F\x98\x80z") << QByteArray("a?z");
    }
    void cp1252_encodes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1252(text), bytes);
    }

    void fixedText_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("field"); // length byte + width bytes
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << 5 << QStringLiteral("Ciao")
                               << QByteArray("\x04"
                                             "Ciao\0",
                                             6)
                               << QStringLiteral("Ciao");
        QTest::newRow("trimmed") << 5 << QStringLiteral("  ab \t")
                                 << QByteArray("\x02"
                                               "ab\0\0\0",
                                               6)
                                 << QStringLiteral("ab");
        QTest::newRow("only blanks") << 3 << QStringLiteral("   ") << QByteArray("\0\0\0\0", 4) << QString();
        QTest::newRow("cut to width") << 3 << QStringLiteral("abcdef")
                                      << QByteArray("\x03"
                                                    "abc",
                                                    4)
                                      << QStringLiteral("abc");
        QTest::newRow("euro one byte") << 3 << QStringLiteral("5 €")
                                       << QByteArray("\x03"
                                                     "5 \x80",
                                                     4)
                                       << QStringLiteral("5 €");
    }
    void fixedText()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QByteArray, field);
        QFETCH(QString, readBack);
        QByteArray buf(width + 1, '\x55');
        encodeFixedText(buf.data(), width, text);
        QCOMPARE(buf, field);
        QCOMPARE(decodeFixedText(buf.constData(), width), readBack);
    }

    void fixedText_readsDefensively_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("length 255 reads as width") << QByteArray("\xFF"
                                                                 "abcd",
                                                                 5)
                                                   << QStringLiteral("abcd");
        QTest::newRow("length beyond width") << QByteArray("\x09"
                                                           "ab  ",
                                                           5)
                                             << QStringLiteral("ab");
        QTest::newRow("garbage after text ignored") << QByteArray("\x02"
                                                                  "abXY",
                                                                  5)
                                                    << QStringLiteral("ab");
        QTest::newRow("stored blanks trimmed") << QByteArray("\x04"
                                                             " x \x01",
                                                             5)
                                               << QStringLiteral("x");
    }
    void fixedText_readsDefensively()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        QCOMPARE(decodeFixedText(field.constData(), 4), text);
    }

    // The layout written out by hand: every field's offset and width, and 3189 bytes in all.
    void memberLayout_offsets()
    {
        const int expected[32][2] = {
            {0, 50},     {51, 1},     {53, 10},    {64, 50},    {115, 50},   {166, 120},  {287, 50},
            {338, 10},   {349, 50},   {400, 16},   {417, 50},   {468, 120},  {589, 120},  {710, 120},
            {831, 50},   {882, 30},   {913, 30},   {944, 50},   {995, 50},   {1046, 10},  {1057, 10},
            {1068, 50},  {1119, 50},  {1170, 10},  {1181, 250}, {1432, 250}, {1683, 250}, {1934, 250},
            {2185, 250}, {2436, 250}, {2687, 250}, {2938, 250}};
        for (int i = 0; i < Member::FieldCount; ++i) {
            QCOMPARE(Member::kFields[size_t(i)].layout.offset, expected[i][0]);
            QCOMPARE(Member::kFields[size_t(i)].layout.width, expected[i][1]);
        }
        QCOMPARE(recordSize(Member::fieldSpecs(), Member::FieldCount), Member::kRecordSize);
        QCOMPARE(Member::fieldIndex(QStringLiteral("lblFile01")), int(Member::File01));
        QCOMPARE(Member::fieldIndex(QStringLiteral("lblDesc01")), int(Member::Desc01));
        QCOMPARE(Member::fieldIndex(QStringLiteral("nope")), -1);
    }

    void memberRecord_bytesByHand()
    {
        Member::Record r;
        r[Member::Tiratore] = QStringLiteral("Rossi Mario");
        r[Member::Quota] = QStringLiteral("25,00");
        r[Member::Note] = QString(251, QLatin1Char('n'));
        r[Member::Desc03] = QStringLiteral("ultimo");
        r[Member::Citta] = QStringLiteral("Forlì");
        const QByteArray bytes = Member::encode(r);
        QCOMPARE(bytes.size(), 3189);
        QCOMPARE(bytes.mid(0, 12), QByteArray("\x0BRossi Mario"));
        QCOMPARE(bytes.mid(995, 6), QByteArray("\x05"
                                               "25,00"));
        QCOMPARE(quint8(bytes[1432]), quint8(250)); // a 251st character is cut
        QCOMPARE(bytes.mid(2938, 7), QByteArray("\x06ultimo"));
        QCOMPARE(bytes.mid(287, 6), QByteArray("\x05"
                                               "Forl\xEC"));
        QCOMPARE(bytes[51], '\0'); // empty field: length 0

        const Member::Record back = Member::decode(bytes);
        QCOMPARE(back[Member::Note], QString(250, QLatin1Char('n')));
        QCOMPARE(back[Member::Citta], QStringLiteral("Forlì"));
        QCOMPARE(Member::decodeField(bytes.constData(), Member::Desc03), QStringLiteral("ultimo"));
    }

    void textUtil_fitAndFold()
    {
        QCOMPARE(fitText(u"  ab ", 4), QStringLiteral("ab  "));
        QCOMPARE(fitText(u"abcdef", 4), QStringLiteral("abcd"));
        QCOMPARE(lowerAZ(u"ÀBC à"), QStringLiteral("Àbc à"));
        QCOMPARE(upperAZ(u"àbc"), QStringLiteral("àBC"));
        QVERIFY(compareFoldedAZ(u"abc", u"ABD") < 0);
        QCOMPARE(compareFoldedAZ(u"Rossi", u"ROSSI"), 0);
        QVERIFY(compareFoldedAZ(u"Z", u"à") < 0); // accented letters sort by code, after A-Z
        QCOMPARE(trimBlanks(u"\t\r\n x \x01"), QStringLiteral("x"));
    }
};

QTEST_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
