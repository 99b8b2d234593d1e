// The tax code and VAT number checks, against check characters worked out here another way: for
// tax codes through the letters ordered by their odd-position value, for VAT numbers by adding
// the decimal digits of each doubled digit.
#include "TestSupport.h"

#include "common/TaxCode.h"
#include "common/VatNumber.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The letters in the order of their odd-position value: "B" counts 0, "A" 1, "K" 2 ... "X" 25.
// A digit counts as the letter of the same place in the alphabet.
const QString kByOddValue = QStringLiteral("BAKPLCQDREVOSFTGUHMINJWZYX");

QChar referenceCheckCharacter(const QString &code)
{
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        QChar c = code[i];
        const bool digit = c.isDigit();
        const int place = digit ? c.digitValue() : c.unicode() - 'A';
        if ((i + 1) % 2 == 1)
            sum += int(kByOddValue.indexOf(QChar(char16_t('A' + place))));
        else
            sum += place;
    }
    return QChar(char16_t('A' + sum % 26));
}

int referenceCheckDigit(const QString &first10)
{
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int digit = first10[i].digitValue();
        if ((i + 1) % 2 == 1) {
            sum += digit;
        } else {
            for (const QChar c : QString::number(2 * digit))
                sum += c.digitValue();
        }
    }
    return sum % 10 == 0 ? 0 : 10 - sum % 10;
}

QString randomCode(QRandomGenerator &rng)
{
    static const QString pool = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString code;
    for (int i = 0; i < 15; ++i)
        code += pool[rng.bounded(int(pool.size()))];
    return code;
}

} // namespace

class TestTaxId : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void taxCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("result");
        const int ok = int(TaxCode::Result::Valid);
        const int wrong = int(TaxCode::Result::Invalid);
        const int length = int(TaxCode::Result::WrongLength);
        QTest::newRow("valid") << "RSSMRA80A01H501U" << ok;
        QTest::newRow("valid, woman") << "BNCNNA90E45F205R" << ok;
        QTest::newRow("wrong check letter") << "RSSMRA80A01H501V" << wrong;
        QTest::newRow("one character changed") << "RSSMRB80A01H501U" << wrong;
        QTest::newRow("digit as check character") << "RSSMRA80A01H5017" << wrong;
        // Digits replaced by letters: only the check character counts.
        QTest::newRow("letters for digits") << "RSSMRAULALMHRLMD" << ok;
        QTest::newRow("fifteen characters") << "RSSMRA80A01H501" << length;
        QTest::newRow("seventeen characters") << "RSSMRA80A01H501UU" << length;
        QTest::newRow("empty") << "" << length;
        QTest::newRow("blank inside") << "RSSMRA80 01H501U" << wrong;
        QTest::newRow("hyphen") << "RSS-RA80A01H501U" << wrong;
        QTest::newRow("accented letter") << QString::fromUtf8("RSSMRÀ80A01H501U") << wrong;
        QTest::newRow("lower case is outside the tables") << "rssmra80a01h501u" << wrong;
    }

    void taxCode()
    {
        QFETCH(QString, code);
        QFETCH(int, result);
        if (code.size() == 16 && result == int(TaxCode::Result::Valid))
            QCOMPARE(referenceCheckCharacter(code), code[15]); // the row itself is right
        QCOMPARE(int(TaxCode::check(code)), result);
    }

    void taxCode_randomCodesAgreeWithTheReference()
    {
        QRandomGenerator rng(2718);
        for (int i = 0; i < 5000; ++i) {
            const QString first15 = randomCode(rng);
            const QChar expected = referenceCheckCharacter(first15);
            QCOMPARE(TaxCode::checkCharacter(first15).value_or(QChar()), expected);
            QCOMPARE(TaxCode::check(first15 + expected), TaxCode::Result::Valid);
            const QChar other(char16_t('A' + (expected.unicode() - 'A' + 1 + rng.bounded(25)) % 26));
            QCOMPARE(TaxCode::check(first15 + other), TaxCode::Result::Invalid);
        }
    }

    void vatNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("office");
        const int ok = int(VatNumber::Result::Valid);
        const int wrong = int(VatNumber::Result::Invalid);
        const int length = int(VatNumber::Result::WrongLength);
        QTest::newRow("all zeros, office not in the table") << "00000000000" << ok << "";
        QTest::newRow("Roma 1") << "00000000588" << ok << "Roma 1";
        QTest::newRow("wrong check digit") << "00000000580" << wrong << "Roma 1";
        QTest::newRow("ten digits") << "0000000058" << length << "Roma 1";
        QTest::newRow("twelve digits") << "000000005880" << length << "Roma 1";
        QTest::newRow("letters pasted in") << "0000000058A" << wrong << "Roma 1";
        QTest::newRow("blank pasted in") << "00000 00588" << wrong << "Roma 1";
    }

    void vatNumber()
    {
        QFETCH(QString, number);
        QFETCH(int, result);
        QFETCH(QString, office);
        QCOMPARE(int(VatNumber::check(number)), result);
        QCOMPARE(VatNumber::officeName(VatNumber::officeCode(number)), office);
    }

    void vatNumber_randomNumbersAgreeWithTheReference()
    {
        QRandomGenerator rng(1618);
        for (int i = 0; i < 5000; ++i) {
            QString first10;
            for (int k = 0; k < 10; ++k)
                first10 += QChar(char16_t('0' + rng.bounded(10)));
            const int expected = referenceCheckDigit(first10);
            QCOMPARE(VatNumber::check(first10 + QString::number(expected)), VatNumber::Result::Valid);
            QCOMPARE(VatNumber::check(first10 + QString::number((expected + 1 + rng.bounded(9)) % 10)),
                     VatNumber::Result::Invalid);
        }
    }

    void offices_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("first") << "001"
                               << "Torino";
        QTest::newRow("accented") << "040" << QString::fromUtf8("Forlì");
        QTest::newRow("with a second office") << "096"
                                              << "Monza (Milano 2)";
        QTest::newRow("102") << "102"
                             << "Napoli 2";
        QTest::newRow("120 as 101") << "120"
                                    << "Bologna 2";
        QTest::newRow("121 as 102") << "121"
                                    << "Napoli 2";
        QTest::newRow("gap") << "103"
                             << "";
        QTest::newRow("none") << "000"
                              << "";
    }

    void offices()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(VatNumber::officeName(code), office);
    }

    void whichCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("vat");
        QTest::newRow("eleven digits") << "01234567890" << true;
        QTest::newRow("one digit") << "7" << true;
        QTest::newRow("tax code") << "RSSMRA80A01H501U" << false;
        QTest::newRow("digits and a letter") << "0123456789X" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("other digits") << QString::fromUtf8("١٢٣") << false;
    }

    void whichCheck()
    {
        QFETCH(QString, text);
        QFETCH(bool, vat);
        QCOMPARE(VatNumber::looksLikeVatNumber(text), vat);
    }
};

QTEST_MAIN(TestTaxId)
#include "tst_taxid.moc"
