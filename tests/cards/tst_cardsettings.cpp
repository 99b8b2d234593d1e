// Tesserini.ini: the association texts with their defaults, the print margins and orientation,
// and what the "-", "+" and print steps make of a margin text.
#include "TestSupport.h"

#include "cards/CardSettings.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Association = CardSettings::Association;

} // namespace

Q_DECLARE_METATYPE(Association)

class TestCardSettings : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Tesserini.ini")); }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { QFile::remove(path()); }

    void associationRead_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<none>": no file at all
        QTest::addColumn<Association>("texts");
        const Association defaults = {"Denominazione Associazione", "Indirizzo", "Recapiti", "Note"};
        QTest::newRow("no file") << QByteArray("<none>") << defaults;
        QTest::newRow("no section") << QByteArray("[Margini Stampa]\r\nSuperiore=3\r\n") << defaults;
        QTest::newRow("all four")
            << QByteArray("[Associazione]\r\nDenominazione=A.S.D. Tiro a Segno\r\nIndirizzo=Via Roma 1\r\n"
                          "Recapiti=Tel. 06 123\r\nNote=Stagione 2024\r\n")
            << Association{"A.S.D. Tiro a Segno", "Via Roma 1", "Tel. 06 123", "Stagione 2024"};
        QTest::newRow("empty and blank values take their default")
            << QByteArray("[associazione]\r\nDENOMINAZIONE=Societ\xE0 \x80\r\nIndirizzo=\r\nRecapiti=   \r\n")
            << Association{"Società €", "Indirizzo", "Recapiti", "Note"};
    }
    void associationRead()
    {
        QFETCH(QByteArray, file);
        QFETCH(Association, texts);
        if (file != "<none>")
            writeFile(path(), file);
        QCOMPARE(CardSettings::load(path()).association, texts);
    }

    // What the card shows is written back trimmed, defaults included, and reads back the same.
    void associationRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<Association>("texts");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("first start writes the defaults")
            << QByteArray() << CardSettings::defaultAssociation()
            << QByteArray(
                   "[Associazione]\r\nDenominazione=Denominazione Associazione\r\nIndirizzo=Indirizzo\r\n"
                   "Recapiti=Recapiti\r\nNote=Note\r\n");
        QTest::newRow("trimmed, accents in Windows-1252, other sections kept")
            << QByteArray("[Margini Stampa]\r\nSuperiore=-2\r\n[Associazione]\r\nNote=vecchia\r\n")
            << Association{"  Società Sportiva €  ", "Via Po 2", "Tel.", " Anno 2024 "}
            << QByteArray(
                   "[Margini Stampa]\r\nSuperiore=-2\r\n[Associazione]\r\nNote=Anno 2024\r\n"
                   "Denominazione=Societ\xE0 Sportiva \x80\r\nIndirizzo=Via Po 2\r\nRecapiti=Tel.\r\n");
    }
    void associationRoundTrip()
    {
        QFETCH(QByteArray, before);
        QFETCH(Association, texts);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            writeFile(path(), before);
        CardSettings settings;
        settings.association = texts;
        QString error;
        QVERIFY2(settings.saveAssociation(&error, path()), qPrintable(error));
        QCOMPARE(readAll(path()), after);
        Association trimmed = texts;
        for (QString &t : trimmed)
            t = t.trimmed();
        QCOMPARE(CardSettings::load(path()).association, trimmed);
    }

    void printSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("no file") << QByteArray() << "0"
                                 << "0" << false;
        QTest::newRow("stored")
            << QByteArray("[Margini Stampa]\r\nSuperiore=-3\r\nSinistro=12\r\n[Stampa Tesserino]\r\n"
                          "Orientamento=Orizzontale\r\n")
            << "-3"
            << "12" << true;
        QTest::newRow("blank margins read 0, other orientation portrait")
            << QByteArray(
                   "[Margini Stampa]\r\nSuperiore=  \r\n[Stampa Tesserino]\r\nOrientamento=orizzontale\r\n")
            << "0"
            << "0" << false;
        QTest::newRow("hand-edited values kept as text")
            << QByteArray("[Margini Stampa]\r\nSuperiore=abc\r\nSinistro=1,5\r\n[Stampa Tesserino]\r\n"
                          "Orientamento= Orizzontale \r\n")
            << "abc"
            << "1,5" << true;
    }
    void printSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, landscape);
        if (!file.isEmpty())
            writeFile(path(), file);
        const CardSettings s = CardSettings::load(path());
        QCOMPARE(s.topMargin, top);
        QCOMPARE(s.leftMargin, left);
        QCOMPARE(s.orientation == CardSettings::Orientation::Landscape, landscape);

        // Written back, the same values come out, the association section untouched.
        writeFile(path(), readAll(path()) + "[Associazione]\r\nNote=resta\r\n");
        QVERIFY(s.savePrintSettings(nullptr, path()));
        const CardSettings again = CardSettings::load(path());
        QCOMPARE(again.topMargin, top);
        QCOMPARE(again.leftMargin, left);
        QCOMPARE(again.orientation, s.orientation);
        QCOMPARE(again.association[CardSettings::Notes], QStringLiteral("resta"));
    }

    void printSettingsFirstWrite()
    {
        CardSettings s;
        QVERIFY(s.savePrintSettings(nullptr, path()));
        QCOMPARE(readAll(path()),
                 QByteArray("[Margini Stampa]\r\nSuperiore=0\r\nSinistro=0\r\n[Stampa Tesserino]\r\n"
                            "Orientamento=Verticale\r\n"));
    }

    // A write that cannot reach the disk says so and leaves the file as it was.
    void failedWriteKeepsTheFile()
    {
        const QByteArray before = "[Associazione]\r\nDenominazione=Vecchia\r\n";
        writeFile(path(), before);
        CardSettings s;
        s.association[CardSettings::Name] = QStringLiteral("Nuova denominazione molto lunga");
        QString error;
        {
            const FileSizeLimit refused(8); // not even root can write the file
            QVERIFY(!s.saveAssociation(&error, path()));
            QVERIFY(!s.savePrintSettings(nullptr, path()));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path()), before);
    }

    void marginSteps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("result"); // "<error>": a conversion error, the value stays
        QTest::newRow("1 - 1") << "1" << -1 << "0";
        QTest::newRow("0 - 1 goes negative") << "0" << -1 << "-1";
        QTest::newRow("-2 + 1") << "-2" << 1 << "-1";
        QTest::newRow("blanks around") << " 7 " << 1 << "8";
        QTest::newRow("large") << "2000000000" << 1 << "2000000001";
        QTest::newRow("past the largest whole number") << "2147483647" << 1 << "<error>";
        QTest::newRow("too large to read") << "99999999999" << -1 << "<error>";
        QTest::newRow("decimal comma") << "1,5" << 1 << "<error>";
        QTest::newRow("letters") << "abc" << -1 << "<error>";
        QTest::newRow("empty") << "" << 1 << "<error>";
        QTest::newRow("sign alone") << "-" << 1 << "<error>";
    }
    void marginSteps()
    {
        QFETCH(QString, text);
        QFETCH(int, step);
        QFETCH(QString, result);
        const std::optional<QString> next = CardSettings::stepMargin(text, step);
        QCOMPARE(next.value_or(QStringLiteral("<error>")), result);
    }

    void marginMillimetres_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<double>("mm");
        QTest::newRow("whole") << "12" << true << 12.0;
        QTest::newRow("negative") << "-3" << true << -3.0;
        QTest::newRow("decimal comma") << "1,5" << true << 1.5;
        QTest::newRow("decimal point") << "-0.25" << true << -0.25;
        QTest::newRow("blanks around") << "  4  " << true << 4.0;
        QTest::newRow("comma first") << ",5" << true << 0.5;
        QTest::newRow("large") << "100000" << true << 100000.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("exponent") << "1e400" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("thousands") << "1.000,5" << false << 0.0;
        QTest::newRow("too many digits") << QString(400, QLatin1Char('9')) << false << 0.0;
    }
    void marginMillimetres()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(double, mm);
        const std::optional<double> value = CardSettings::marginMillimetres(text);
        QCOMPARE(value.has_value(), number);
        if (number)
            QCOMPARE(*value, mm);
    }
};

QTEST_MAIN(TestCardSettings)
#include "tst_cardsettings.moc"
