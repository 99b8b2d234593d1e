// Settings files read and written like the Windows profile functions do.
#include "TestSupport.h"

#include "common/IniFile.h"

#include <QStringEncoder>
#include <QtTest>

class TestIni : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { corvallaTestInit(); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QByteArray file =
            "[Accesso]\r\nValore=ABCD\r\n\r\n[Altro]\r\nvalore = x y \r\nQuoted=\"  q  \"\r\n";
        QTest::newRow("exact") << file << "Accesso"
                               << "Valore"
                               << "ABCD";
        QTest::newRow("case of names ignored") << file << "accesso"
                                               << "VALORE"
                                               << "ABCD";
        QTest::newRow("blanks around trimmed") << file << "Altro"
                                               << "Valore"
                                               << "x y";
        QTest::newRow("quotes removed") << file << "ALTRO"
                                        << "quoted"
                                        << "  q  ";
        QTest::newRow("missing key") << file << "Accesso"
                                     << "Altro"
                                     << "<none>";
        QTest::newRow("missing section") << file << "Nessuna"
                                         << "Valore"
                                         << "<none>";
        QTest::newRow("key of another section") << file << "Altro"
                                                << "Quoted2"
                                                << "<none>";
        QTest::newRow("LF line ends") << QByteArray("[A]\nk=1\nj=2\n") << "a"
                                      << "J"
                                      << "2";
        QTest::newRow("no final line end") << QByteArray("[A]\r\nk=last") << "A"
                                           << "k"
                                           << "last";
        QTest::newRow("cp1252 value") << QByteArray("[A]\r\nk=Societ\xE0 \x80\r\n") << "A"
                                      << "k"
                                      << "Società €";
        QTest::newRow("empty file") << QByteArray() << "A"
                                    << "k"
                                    << "<none>";
        QTest::newRow("lone CR line ends") << QByteArray("[A]\rk=1\rj=2\r") << "A"
                                           << "j"
                                           << "2";
        QTest::newRow("mixed line ends") << QByteArray("[A]\r\nk=1\rj=2\n[B]\rj=3") << "B"
                                         << "j"
                                         << "3";
        QTest::newRow("byte-order mark before the first section")
            << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=55C7\r\n") << "Accesso"
            << "Valore"
            << "55C7";
        QTest::newRow("byte-order mark: UTF-8 text")
            << QByteArray("\xEF\xBB\xBF[A]\nk=Societ\xC3\xA0 \xE2\x82\xAC\n") << "A"
            << "k"
            << "Società €";
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(Ini::readFromBytes(content, section, key, QStringLiteral("<none>")), value);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace keeps the rest")
            << QByteArray("; nota\r\n[Accesso]\r\nValore=OLD\r\nAltro=1\r\n\r\n[B]\r\nValore=keep\r\n")
            << "ACCESSO"
            << "valore"
            << "NEW"
            << QByteArray("; nota\r\n[Accesso]\r\nvalore=NEW\r\nAltro=1\r\n\r\n[B]\r\nValore=keep\r\n");
        QTest::newRow("add key after the section's last key")
            << QByteArray("[A]\r\nk=1\r\n\r\n[B]\r\nz=2\r\n") << "A"
            << "n"
            << "v" << QByteArray("[A]\r\nk=1\r\nn=v\r\n\r\n[B]\r\nz=2\r\n");
        QTest::newRow("add section at the end") << QByteArray("[A]\r\nk=1\r\n") << "Nuova"
                                                << "x"
                                                << "y" << QByteArray("[A]\r\nk=1\r\n[Nuova]\r\nx=y\r\n");
        QTest::newRow("add to file without final line end") << QByteArray("[A]\r\nk=1") << "A"
                                                            << "n"
                                                            << "v" << QByteArray("[A]\r\nk=1\r\nn=v\r\n");
        QTest::newRow("LF file stays LF") << QByteArray("[A]\nk=1\n") << "A"
                                          << "k"
                                          << "2" << QByteArray("[A]\nk=2\n");
        QTest::newRow("empty file") << QByteArray() << "Accesso"
                                    << "Valore"
                                    << "AB" << QByteArray("[Accesso]\r\nValore=AB\r\n");
        QTest::newRow("cp1252 written") << QByteArray() << "A"
                                        << "k"
                                        << "€ più" << QByteArray("[A]\r\nk=\x80 pi\xF9\r\n");
        QTest::newRow("add after a lone final CR") << QByteArray("[A]\r\nk=1\r") << "A"
                                                   << "n"
                                                   << "v" << QByteArray("[A]\r\nk=1\rn=v\r\n");
        QTest::newRow("new section after a lone final CR") << QByteArray("[A]\r\nk=1\r") << "B"
                                                           << "x"
                                                           << "y" << QByteArray("[A]\r\nk=1\r[B]\r\nx=y\r\n");
        QTest::newRow("CR file stays CR") << QByteArray("[A]\rk=1\r[B]\rz=2\r") << "A"
                                          << "n"
                                          << "v" << QByteArray("[A]\rk=1\rn=v\r[B]\rz=2\r");
        QTest::newRow("byte-order mark: replace in the first section")
            << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=OLD\r\n") << "Accesso"
            << "Valore"
            << "NEW" << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=NEW\r\n");
        QTest::newRow("byte-order mark: UTF-8 written")
            << QByteArray("\xEF\xBB\xBF[A]\r\n") << "A"
            << "k"
            << "€ più" << QByteArray("\xEF\xBB\xBF[A]\r\nk=\xE2\x82\xAC pi\xC3\xB9\r\n");
        QTest::newRow("byte-order mark: one inside the text is a character")
            << QByteArray("\xEF\xBB\xBF[A]\r\n\xEF\xBB\xBFk=1\r\n") << "A"
            << QString(QChar(0xFEFF)) + QLatin1Char('k') << "2"
            << QByteArray("\xEF\xBB\xBF[A]\r\n\xEF\xBB\xBFk=2\r\n");
        // Reading takes one pair of quotes off: a value with quotes of its own keeps them.
        QTest::newRow("value in double quotes")
            << QByteArray("[A]\r\nk=1\r\n") << "A"
            << "k"
            << "\"Sempre avanti\"" << QByteArray("[A]\r\nk=\"\"Sempre avanti\"\"\r\n");
        QTest::newRow("value in single quotes")
            << QByteArray() << "A"
            << "k"
            << "'tra apici'" << QByteArray("[A]\r\nk=\"'tra apici'\"\r\n");
        QTest::newRow("quotes at one end only") << QByteArray() << "A"
                                                << "k"
                                                << "\"aperta" << QByteArray("[A]\r\nk=\"aperta\r\n");
        QTest::newRow("a lone quote") << QByteArray() << "A"
                                      << "k"
                                      << "\"" << QByteArray("[A]\r\nk=\"\r\n");
        QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << "A"
                                               << "k"
                                               << "v" << QByteArray("\xEF\xBB\xBF[A]\r\nk=v\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QCOMPARE(Ini::writeToBytes(before, section, key, value), after);
        QCOMPARE(Ini::readFromBytes(after, section, key), value);
    }

    // A file that is there but cannot be read is not taken for a missing one.
    void file_unreadableIsNotMissing()
    {
        const QString path = m_dir.filePath(QStringLiteral("chiuso.ini"));
        writeFile(path, "[A]\r\nk=1\r\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        QString error;
        std::optional<QString> value;
        {
            FilePermissionsEnforced enforced;
            value = Ini::readExisting(path, QStringLiteral("A"), QStringLiteral("k"), QString(), &error);
        }
        QVERIFY(!value);
        QVERIFY(!error.isEmpty());
        QVERIFY(QFile::remove(path));
        QCOMPARE(Ini::readExisting(m_dir.filePath(QStringLiteral("assente.ini")), QStringLiteral("A"),
                                   QStringLiteral("k"), QStringLiteral("d")),
                 std::optional<QString>(QStringLiteral("d")));
    }

    void file_missingReadsDefaultAndWriteCreates()
    {
        const QString path = m_dir.filePath(QStringLiteral("nuovo.ini"));
        QCOMPARE(Ini::read(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QVERIFY(Ini::write(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[A]\r\nk=v\r\n"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("nuovo.ini")});
    }

    void file_unwritableKeepsOldContent()
    {
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        QFile b(blocker);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.close();
        QString error;
        QVERIFY(!Ini::write(blocker + QStringLiteral("/x.ini"), QStringLiteral("A"), QStringLiteral("k"),
                            QStringLiteral("v"), &error));
        QVERIFY(!error.isEmpty());
    }

    // A file saved as "Unicode" by a Windows editor (UTF-16 with its byte-order mark) reads as
    // its text, and a write keeps it UTF-16 in the same byte order.
    void utf16File_readsAndStaysUtf16_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("little-endian") << "UTF-16LE" << QByteArray("\xFF\xFE");
        QTest::newRow("big-endian") << "UTF-16BE" << QByteArray("\xFE\xFF");
    }
    void utf16File_readsAndStaysUtf16()
    {
        QFETCH(QString, codec);
        QFETCH(QByteArray, mark);
        const auto encoding = *QStringConverter::encodingForName(codec.toLatin1().constData());
        const auto encode = [&](const QString &text) {
            return mark + QByteArray(QStringEncoder(encoding).encode(text));
        };
        const QByteArray file = encode(QStringLiteral("[Accesso]\r\nValore=Città €\r\n"));
        QCOMPARE(Ini::readFromBytes(file, QStringLiteral("accesso"), QStringLiteral("valore")),
                 QStringLiteral("Città €"));
        const QByteArray written =
            Ini::writeToBytes(file, QStringLiteral("Accesso"), QStringLiteral("Altro"), QStringLiteral("sì"));
        QCOMPARE(written, encode(QStringLiteral("[Accesso]\r\nValore=Città €\r\nAltro=sì\r\n")));
    }

    // Two copies of the program writing keys of the same file at once: every write is kept.
    void twoProgramsWritingAtOnce_loseNothing()
    {
        const QString path = m_dir.filePath(QStringLiteral("insieme.ini"));
        constexpr int kEach = 150;
        QList<QList<QPair<QString, QString>>> writers;
        for (const char *tag : {"a", "b"})
            writers.append({{QStringLiteral("CORVALLA_INI_WRITE"), path},
                            {QStringLiteral("CORVALLA_INI_TAG"), QLatin1String(tag)},
                            {QStringLiteral("CORVALLA_INI_COUNT"), QString::number(kEach)}});
        QVERIFY(runChildrenAtOnce(writers));
        const Ini::Snapshot file(path);
        for (const char *tag : {"a", "b"})
            for (int i = 0; i < kEach; ++i)
                QCOMPARE(file.read(QStringLiteral("Numeri"), QLatin1String(tag) + QString::number(i)),
                         QString::number(i));
    }
};

int main(int argc, char *argv[])
{
    // Child mode of the two-programs test: write this copy's keys one by one.
    const QByteArray path = qgetenv("CORVALLA_INI_WRITE");
    if (!path.isEmpty()) {
        const QString tag = QString::fromLocal8Bit(qgetenv("CORVALLA_INI_TAG"));
        const int count = qEnvironmentVariableIntValue("CORVALLA_INI_COUNT");
        for (int i = 0; i < count; ++i)
            if (!Ini::write(QString::fromLocal8Bit(path), QStringLiteral("Numeri"), tag + QString::number(i),
                            QString::number(i)))
                return 1;
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestIni test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ini.moc"
