#include "TestSupport.h"

#include "common/SpreadsheetExport.h"
#include "members/MemberExport.h"
#include "members/MemberRecord.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The exported member file opened by a real spreadsheet program: LibreOffice converts it to CSV,
// and every cell must come back as it was written.
class TestSpreadsheetLibreOffice : public QObject
{
    Q_OBJECT

    // RFC 4180 fields, UTF-8.
    static QList<QStringList> parseCsv(const QString &text)
    {
        QList<QStringList> rows;
        QStringList row;
        QString field;
        bool quoted = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted) {
                if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else if (c == QLatin1Char('"')) {
                    quoted = false;
                } else {
                    field += c;
                }
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                row << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                row << field;
                rows << row;
                row.clear();
                field.clear();
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        if (!field.isEmpty() || !row.isEmpty())
            rows << (row << field);
        return rows;
    }

private slots:
    void initTestCase() { corvallaTestInit(); }

    void everyCellReadsBack()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QFAIL("soffice not found: scripts/install-deps.sh installs libreoffice-calc-nogui");

        // Texts a spreadsheet program could take for numbers or dates are left out: LibreOffice,
        // unlike Excel, does not honour the file's "all text" mark.
        QList<Member::Record> members(3);
        for (int r = 0; r < members.size(); ++r)
            for (int f = 0; f < Member::FieldCount; ++f)
                members[r][f] = QStringLiteral("r%1 %2").arg(r + 1).arg(Member::fieldName(f));
        members[0][Member::Tiratore] = QStringLiteral("Bianchi Niccolò");
        members[0][Member::Citta] = QStringLiteral("Forlì");
        members[0][Member::Note] = QStringLiteral("Quota < € dovuta & \"saldo\", già versata");
        members[1][Member::Ente] = QStringLiteral("Tiro a volo > fossa olimpica");
        members[1][Member::Email] = QString(); // an empty cell in the middle of a row
        members[2][Member::Professione] = QStringLiteral("Perito agrario; àèéìòù ÀÈÉÌÒÙ");
        members[2][Member::Quota] = QStringLiteral("€ dieci");
        members[2][Member::Armi] = QStringLiteral("Ωmega Ünal"); // outside the code page: a numeric reference

        const QList<SpreadsheetColumn> columns = MemberExport::exportColumns();
        SpreadsheetExport table;
        table.fileName = MemberExport::kFileName;
        table.sheetName = MemberExport::kSheetName;
        table.columns = columns;
        table.rowCount = members.size();
        table.cell = [&members](qsizetype r, int c) {
            return members[r][MemberExport::kColumns[size_t(MemberExport::gridColumnOf(c))].field];
        };

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString xls = dir.filePath(MemberExport::kFileName);
        QVERIFY(writeSpreadsheetFile(xls, table));

        QProcess office;
        office.setProgram(soffice);
        office.setArguments({QStringLiteral("--headless"), QStringLiteral("--norestore"),
                             QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString(),
                             QStringLiteral("--convert-to"),
                             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                             QStringLiteral("--outdir"), dir.filePath(QStringLiteral("csv")), xls});
        office.setProcessChannelMode(QProcess::MergedChannels);
        office.start();
        QVERIFY(office.waitForStarted());
        if (!office.waitForFinished(300000)) {
            office.kill();
            office.waitForFinished();
            QFAIL("LibreOffice did not finish the conversion in 5 minutes");
        }
        QFile csv(dir.filePath(QStringLiteral("csv/Archivio_Iscritti.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), office.readAll().constData());
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(csv.readAll()));

        QCOMPARE(rows.size(), 1 + members.size());
        QStringList headers;
        for (const SpreadsheetColumn &c : columns)
            headers << c.header;
        QCOMPARE(rows[0], headers);
        for (int r = 0; r < members.size(); ++r) {
            QStringList expected;
            for (int c = 0; c < columns.size(); ++c)
                expected << table.cell(r, c);
            QCOMPARE(rows[r + 1], expected);
        }
    }
};

QTEST_MAIN(TestSpreadsheetLibreOffice)
#include "tst_spreadsheet_libreoffice.moc"
