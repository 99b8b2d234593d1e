#include "TestSupport.h"
#include "app/Crypt.h"
#include "common/Cp1252.h"
#include "common/IniFile.h"
#include "common/ProgramFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The characters of the Windows-1252 bytes from..to.
QString codes(int from, int to)
{
    QByteArray bytes;
    for (int c = from; c <= to; ++c)
        bytes += char(c);
    return fromCp1252(bytes);
}
} // namespace

class tst_Crypt : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { corvallaTestInit(); }

    void encode_firstPairsFollowTheKey()
    {
        // 'I' ^ (7391 >> 8) = 0x55; the key then becomes ((0x55 + 7391) * 37117 + 30871) mod 65536
        // = 0x94FB, so 'S' ^ 0x94 = 0xC7.
        QCOMPARE(Crypt::encode(u"IS").value(), QStringLiteral("55C7"));
        // A character is scrambled as its Windows-1252 byte: the euro sign is 0x80, 0x80 ^ 0x1C = 0x9C.
        QCOMPARE(Crypt::encode(u"€").value(), QStringLiteral("9C"));
    }

    void shippedFile_holdsInitialPassword()
    {
        const QString path = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../assets/install/unins000.dll");
        QVERIFY(QFile::exists(path));
        const QString stored = Ini::read(path, QStringLiteral("Accesso"), QStringLiteral("Valore"));
        QCOMPARE(Crypt::decode(stored).value(), QStringLiteral("ISCRIZIONESOCI"));
        QCOMPARE(Crypt::encode(u"ISCRIZIONESOCI").value(), stored);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("initial password") << QStringLiteral("ISCRIZIONESOCI");
        QTest::newRow("blanks and punctuation") << QStringLiteral(" A B!\"=[]; ");
        QTest::newRow("accented letters") << QStringLiteral("PERCHÉ ÀÈÌÒÙ ñ");
        QTest::newRow("Windows-1252 signs") << QStringLiteral("€ Š Œ Ž “SOCI” ‘A’ … ™");
        QTest::newRow("codes 0-127") << codes(0, 127);
        QTest::newRow("codes 128-255") << codes(128, 255);
        QTest::newRow("codes 1-255, longest") << codes(1, 255);
        QTest::newRow("255 times the same byte") << QString(255, QChar(0xFF));
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        const std::optional<QString> hex = Crypt::encode(text);
        QVERIFY(hex);
        QCOMPARE(hex->size(), text.size() * 2);
        static const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
        QVERIFY2(upperHex.match(*hex).hasMatch(), qPrintable(*hex));
        QCOMPARE(Crypt::decode(*hex).value(), text);
    }

    void roundTrip_everySingleCode()
    {
        for (int c = 0; c <= 255; ++c) {
            const QString text = codes(c, c);
            QCOMPARE(Crypt::decode(Crypt::encode(text).value()).value(), text);
        }
    }

    void encode_refusesWhatCannotComeBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("256 characters") << QString(256, QLatin1Char('A'));
        QTest::newRow("Greek letters") << QStringLiteral("ΑΒΓ");
        QTest::newRow("control character that Windows-1252 replaces") << QStringLiteral("A\u0080");
        QTest::newRow("character beyond the basic plane") << QStringLiteral("A\U0001F600");
    }
    void encode_refusesWhatCannotComeBack()
    {
        QFETCH(QString, text);
        QVERIFY(!Crypt::encode(text));
    }

    void decode_data()
    {
        const QString ab = Crypt::encode(u"AB").value();
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString() << true << QString();
        QTest::newRow("lone digit ignored") << QStringLiteral("5") << true << QString();
        QTest::newRow("odd last digit ignored") << ab + QLatin1Char('7') << true << QStringLiteral("AB");
        QTest::newRow("odd last non-digit ignored") << ab + QLatin1Char('Z') << true << QStringLiteral("AB");
        QTest::newRow("lower-case digits") << ab.toLower() << true << QStringLiteral("AB");
        QTest::newRow("letter beyond F") << QStringLiteral("5G") << false << QString();
        QTest::newRow("bad pair after good ones") << ab + QStringLiteral("X1") << false << QString();
        QTest::newRow("blank inside") << QStringLiteral("55 7") << false << QString();
        QTest::newRow("sign") << QStringLiteral("-1") << false << QString();
    }
    void decode()
    {
        QFETCH(QString, hex);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        const std::optional<QString> plain = Crypt::decode(hex);
        QCOMPARE(bool(plain), ok);
        if (ok)
            QCOMPARE(*plain, text);
    }

    void normalise_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal");
        QTest::newRow("lower") << QStringLiteral("iscrizionesoci") << QStringLiteral("ISCRIZIONESOCI");
        QTest::newRow("mixed, blanks around")
            << QStringLiteral(" \tIscrizioneSoci  ") << QStringLiteral("ISCRIZIONESOCI");
        QTest::newRow("inner blank kept") << QStringLiteral("a b") << QStringLiteral("A B");
        QTest::newRow("accents left alone") << QStringLiteral("perché") << QStringLiteral("PERCHé");
        QTest::newRow("only blanks") << QStringLiteral("   ") << QString();
    }
    void normalise()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QCOMPARE(Crypt::normalisePassword(typed), normal);
    }

    void readStoredPassword_data()
    {
        const QString hexWithBlanks = Crypt::encode(u"  SOCI \t").value();
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("password");
        QTest::newRow("no file") << QByteArray() << true << QString();
        QTest::newRow("other section") << QByteArray("[Altro]\r\nValore=55C7\r\n") << true << QString();
        QTest::newRow("other key") << QByteArray("[Accesso]\r\nChiave=55C7\r\n") << true << QString();
        QTest::newRow("names in other case")
            << QByteArray("[ACCESSO]\r\nvalore=55C7\r\n") << true << QStringLiteral("IS");
        QTest::newRow("decoded text trimmed")
            << ("[Accesso]\r\nValore=" + hexWithBlanks.toLatin1() + "\r\n") << true << QStringLiteral("SOCI");
        QTest::newRow("odd digits") << QByteArray("[Accesso]\nValore=55C7D\n") << true
                                    << QStringLiteral("IS");
        QTest::newRow("not hexadecimal")
            << QByteArray("[Accesso]\r\nValore=iscrizionesoci\r\n") << false << QString();
        QTest::newRow("byte-order mark, lone CR line ends")
            << QByteArray("\xEF\xBB\xBF[Accesso]\rValore=55C7\r") << true << QStringLiteral("IS");
        // Saved as "Unicode" by a Windows text editor.
        const QString text = QStringLiteral("[Accesso]\r\nValore=55C7\r\n");
        QTest::newRow("UTF-16 little-endian")
            << (QByteArray("\xFF\xFE") +
                QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2))
            << true << QStringLiteral("IS");
        QTest::newRow("UTF-16 big-endian")
            << (QByteArray("\xFE\xFF") + QByteArray(QStringEncoder(QStringEncoder::Utf16BE).encode(text)))
            << true << QStringLiteral("IS");
    }
    void readStoredPassword()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(QString, password);
        QTemporaryDir dir;
        setProgramFolder(dir.path());
        if (!file.isEmpty()) {
            QFile f(Crypt::passwordFilePath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        const std::optional<QString> stored = Crypt::readStoredPassword();
        QCOMPARE(bool(stored), ok);
        if (ok)
            QCOMPARE(*stored, password);
        setProgramFolder(QString());
    }

    void readStoredPassword_unreadableFileIsAnError()
    {
        QTemporaryDir dir;
        setProgramFolder(dir.path());
        writeFile(Crypt::passwordFilePath(), "[Accesso]\r\nValore=55C7\r\n");
        QVERIFY(QFile::setPermissions(Crypt::passwordFilePath(), QFileDevice::Permissions()));
        {
            FilePermissionsEnforced enforced;
            QVERIFY(!Crypt::readStoredPassword());
        }
        setProgramFolder(QString());
    }

    void writeStoredPassword_replacesOnlyTheValue()
    {
        QTemporaryDir dir;
        setProgramFolder(dir.path());
        QFile f(Crypt::passwordFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Accesso]\r\nValore=55C7\r\n[Altro]\r\nX=1\r\n");
        f.close();

        QVERIFY(Crypt::writeStoredPassword(QStringLiteral("NUOVA")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 "[Accesso]\r\nValore=" + Crypt::encode(u"NUOVA")->toLatin1() + "\r\n[Altro]\r\nX=1\r\n");
        QCOMPARE(Crypt::readStoredPassword().value(), QStringLiteral("NUOVA"));
        setProgramFolder(QString());
    }
};

QTEST_MAIN(tst_Crypt)
#include "tst_crypt.moc"
