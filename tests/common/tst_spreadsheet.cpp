#include "TestSupport.h"

#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"
#include "common/SpreadsheetExportFlow.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAsk =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
                   "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDone = QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                     "Si vuole aprire il file di Excel?");
const QString kFailedHead =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r");
const QString kFailed = kFailedHead + QStringLiteral("Accertarsi che il file di Excel non sia già aperto.");

const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Foglio</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
    "</head><body><table x:str>";
const QByteArray kTail = "</table></body></html>";

SpreadsheetExport table(const QList<QStringList> &rows, const QString &fileName = QStringLiteral("Prova.xls"))
{
    SpreadsheetExport t;
    t.fileName = fileName;
    t.sheetName = QStringLiteral("Foglio");
    t.columns = {{QStringLiteral("Nome"), 250}, {QStringLiteral("Totale: €"), 200}};
    t.rowCount = rows.size();
    t.cell = [rows](qsizetype r, int c) { return rows[r].value(c); };
    return t;
}

} // namespace

class TestSpreadsheet : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_boxes;
    QList<MsgBox::Answer> m_answers;
    QStringList m_opened;

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        MsgBox::setTestHook([this](MsgBox::Kind kind, const QString &text) {
            m_boxes << QStringLiteral("%1|%2").arg(int(kind)).arg(text);
            return m_answers.isEmpty() ? MsgBox::Answer::No : m_answers.takeFirst();
        });
        TMisc::setTestHook([this](const QString &s) { m_opened << s; });
    }
    void init()
    {
        m_boxes.clear();
        m_answers.clear();
        m_opened.clear();
    }

    void wholeFileIsExact()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        SpreadsheetWriter w(&out);
        w.writeHead(u"Foglio", {{QStringLiteral("Nome"), 250}, {QStringLiteral("Totale: €"), 200}});
        w.beginRow();
        w.writeCell(u"  Rossi Mario ");
        w.writeCell(u"");
        w.endRow();
        QVERIFY(w.finish());
        const QByteArray expected =
            kHead +
            "<tr><td style=\"text-align: left; font-weight: bold;\" width=250>Nome</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=200>Totale: \x80</td></tr>"
            "<tr><td style=\"text-align: left;\">Rossi Mario</td><td style=\"text-align: left;\"></td></tr>" +
            kTail;
        QCOMPARE(out.data(), expected);
    }

    void cellText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QStringLiteral("Via Roma 1") << QByteArray("Via Roma 1");
        QTest::newRow("blanks trimmed") << QStringLiteral(" \t Bianchi  ") << QByteArray("Bianchi");
        QTest::newRow("accents") << QStringLiteral("Città àèéìòù")
                                 << QByteArray("Citt\xE0 \xE0\xE8\xE9\xEC\xF2\xF9");
        QTest::newRow("euro is 0x80") << QStringLiteral("€ 12,50") << QByteArray("\x80 12,50");
        QTest::newRow("less-than") << QStringLiteral("<da rinnovare>") << QByteArray("&lt;da rinnovare&gt;");
        QTest::newRow("ampersand") << QStringLiteral("Sci & Snowboard") << QByteArray("Sci &amp; Snowboard");
        QTest::newRow("entity-like text") << QStringLiteral("&amp;") << QByteArray("&amp;amp;");
        QTest::newRow("outside the code page") << QStringLiteral("Ωmega") << QByteArray("&#937;mega");
        QTest::newRow("beyond 16 bits")
            << QString::fromUtf8("ok \xF0\x9F\x98\x80") << QByteArray("ok &#128512;");
        QTest::newRow("inner line break")
            << QStringLiteral("riga 1\r\nriga 2") << QByteArray("riga 1&#13;&#10;riga 2");
        QTest::newRow("quotes as they are")
            << QStringLiteral("\"Il Falco\" d'oro") << QByteArray("\"Il Falco\" d'oro");
    }
    void cellText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        SpreadsheetWriter w(&out);
        w.writeCell(text);
        QVERIFY(w.finish());
        QCOMPARE(out.data(), "<td style=\"text-align: left;\">" + bytes + "</td>" + kTail);
    }

    void noRowsEndsWithHeaderRow()
    {
        QVERIFY(writeSpreadsheetFile(m_dir.filePath(QStringLiteral("vuoto.xls")), table({})));
        const QByteArray bytes = readAll(m_dir.filePath(QStringLiteral("vuoto.xls")));
        QVERIFY(bytes.startsWith(kHead));
        QVERIFY(bytes.endsWith("width=200>Totale: \x80</td></tr>" + kTail));
        QCOMPARE(bytes.count("<tr>"), 1);
    }

    void manyRowsHaveNoLineBreakAndAreComplete()
    {
        // Rows well past the writer's buffer, with line breaks in the texts.
        QList<QStringList> rows;
        for (int i = 0; i < 20000; ++i)
            rows << QStringList{QStringLiteral("Socio %1\n").arg(i), QStringLiteral("nota\r\nsu due righe")};
        const QString path = m_dir.filePath(QStringLiteral("grande.xls"));
        QVERIFY(writeSpreadsheetFile(path, table(rows)));
        const QByteArray bytes = readAll(path);
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(!bytes.contains('\n'));
        QCOMPARE(bytes.count("<tr>"), 20001);
        QVERIFY(bytes.contains("<td style=\"text-align: left;\">Socio 19999</td>"));
        QVERIFY(bytes.endsWith(kTail));
    }

    void exportOperation_data()
    {
        QTest::addColumn<QList<MsgBox::Answer>>("answers");
        QTest::addColumn<bool>("blocked"); // a folder stands where the file goes
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("opened");
        using A = MsgBox::Answer;
        // A folder in the way is not an open spreadsheet: the message gives the system's reason.
        const QString ask = QStringLiteral("3|") + kAsk, done = QStringLiteral("3|") + kDone,
                      failed = QStringLiteral("4|") + kFailedHead + QStringLiteral("Errore del sistema: ");
        QTest::newRow("no: nothing written")
            << QList<A>{A::No} << false << QStringList{ask} << false << false;
        QTest::newRow("yes, do not open")
            << QList<A>{A::Yes, A::No} << false << QStringList{ask, done} << true << false;
        QTest::newRow("yes, open") << QList<A>{A::Yes, A::Yes} << false << QStringList{ask, done} << true
                                   << true;
        QTest::newRow("cannot write")
            << QList<A>{A::Yes, A::Ok} << true << QStringList{ask, failed} << false << false;
    }

    // The spreadsheet program keeps a lock file beside a file it has open: such a file is not
    // overwritten behind its back.
    void exportOperation_fileOpenInSpreadsheet()
    {
        const QString path = programFolder() + QStringLiteral("Prova.xls");
        const QString lock = programFolder() + QStringLiteral(".~lock.Prova.xls#");
        writeFile(path, "vecchio");
        writeFile(lock, ",utente,macchina,01.01.2025 10:00,file:///home/utente/.config/libreoffice/4;");
        m_answers = {MsgBox::Answer::Yes, MsgBox::Answer::Ok};
        runSpreadsheetExport(nullptr, table({{QStringLiteral("Rossi"), QStringLiteral("10,00")}}));
        QCOMPARE(m_boxes, (QStringList{QStringLiteral("3|") + kAsk, QStringLiteral("4|") + kFailed}));
        QCOMPARE(readAll(path), QByteArray("vecchio"));
        QVERIFY(m_opened.isEmpty());
        QFile::remove(lock);
        QString error;
        QVERIFY2(writeSpreadsheetFile(path, table({{QStringLiteral("Rossi"), QString()}}), &error),
                 qPrintable(error));
    }
    void exportOperation()
    {
        QFETCH(QList<MsgBox::Answer>, answers);
        QFETCH(bool, blocked);
        QFETCH(QStringList, boxes);
        QFETCH(bool, written);
        QFETCH(bool, opened);

        const QString path = programFolder() + QStringLiteral("Prova.xls");
        QDir(path).removeRecursively();
        QFile::remove(path);
        if (blocked) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("vecchio");
        }
        m_answers = answers;
        runSpreadsheetExport(nullptr, table({{QStringLiteral("Rossi"), QStringLiteral("10,00")}}));
        QCOMPARE(m_boxes.size(), boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i)
            QVERIFY2(m_boxes[i].startsWith(boxes[i]), qPrintable(m_boxes[i]));
        if (!blocked)
            QCOMPARE(readAll(path).startsWith("<html"), written);
        QCOMPARE(m_opened, opened ? QStringList{QLatin1Char('"') + path + QLatin1Char('"')} : QStringList());
        QDir(path).removeRecursively();
    }

    // A disk that fills up during the export: the previous file stays whole, no temporary file is
    // left, and the message gives the cause instead of blaming an open spreadsheet.
    void fullDiskKeepsThePreviousFile()
    {
        const QString path = programFolder() + QStringLiteral("Pieno.xls");
        writeFile(path, "esportazione precedente");
        QList<QStringList> rows;
        for (int i = 0; i < 2000; ++i)
            rows.append({QStringLiteral("Socio %1").arg(i), QStringLiteral("10,00")});
        m_answers = {MsgBox::Answer::Yes, MsgBox::Answer::Ok};
        {
            const FileSizeLimit full(20000);
            runSpreadsheetExport(nullptr, table(rows, QStringLiteral("Pieno.xls")));
        }
        QCOMPARE(readAll(path), QByteArray("esportazione precedente"));
        QCOMPARE(m_boxes.size(), 2);
        QVERIFY2(m_boxes[1].startsWith(QStringLiteral("4|") + kFailedHead), qPrintable(m_boxes[1]));
        QVERIFY2(!m_boxes[1].contains(QStringLiteral("Excel")), qPrintable(m_boxes[1]));
        QCOMPARE(QDir(programFolder()).entryList({QStringLiteral("Pieno*")}, QDir::Files),
                 QStringList{QStringLiteral("Pieno.xls")});
        QFile::remove(path);
    }

    // A disk that fills part way through the export (a small tmpfs with 8 to 40 KB free, less than
    // the file): the message says the disk is full, the previous file stays byte for byte and no
    // temporary file is left.
    void exportOnADiskThatFills_data()
    {
        QTest::addColumn<int>("freeKB");
        for (const int kb : {8, 20, 40})
            QTest::addRow("%d KB free", kb) << kb;
    }
    void exportOnADiskThatFills()
    {
        QFETCH(int, freeKB);
        SmallDisk disk(256 * 1024);
        if (!disk.isMounted())
            QSKIP("this machine does not allow mounting a small disk");
        setProgramFolder(disk.path());
        const QString path = disk.path() + QStringLiteral("Pieno.xls");
        writeFile(path, "esportazione precedente");
        QVERIFY(disk.fill(freeKB * 1024));
        QList<QStringList> rows;
        for (int i = 0; i < 2000; ++i) // about 150 KB
            rows.append({QStringLiteral("Socio %1").arg(i), QStringLiteral("10,00")});
        m_answers = {MsgBox::Answer::Yes, MsgBox::Answer::Ok};
        runSpreadsheetExport(nullptr, table(rows, QStringLiteral("Pieno.xls")));
        setProgramFolder(m_dir.path());
        QCOMPARE(m_boxes, (QStringList{QStringLiteral("3|") + kAsk,
                                       QStringLiteral("4|") + kFailedHead +
                                           QStringLiteral("Lo spazio sul disco è esaurito: liberare spazio e "
                                                          "ripetere l'esportazione.")}));
        QCOMPARE(readAll(path), QByteArray("esportazione precedente"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("Pieno.xls"), QStringLiteral("riempitivo")}));
    }

    void secondExportReplacesFirst()
    {
        const QString path = m_dir.filePath(QStringLiteral("due.xls"));
        QVERIFY(writeSpreadsheetFile(
            path, table({{QStringLiteral("primo"), QString()}, {QStringLiteral("x"), QString()}})));
        QVERIFY(writeSpreadsheetFile(path, table({{QStringLiteral("secondo"), QString()}})));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.contains(">secondo<"));
        QVERIFY(!bytes.contains(">primo<"));
        QCOMPARE(bytes.count("<tr>"), 2);
    }
};

QTEST_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
