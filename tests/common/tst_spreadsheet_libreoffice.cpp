#include "TestSupport.h"

#include "LibreOffice.h"

#include "common/SpreadsheetExport.h"
#include "members/MemberExport.h"
#include "records/MemberRecord.h"

#include <QTemporaryDir>
#include <QtTest>

// The exported member file opened by a real spreadsheet program: LibreOffice converts it to CSV,
// and every cell must come back as it was written.
class TestSpreadsheetLibreOffice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvallaTestInit(); }

    void everyCellReadsBack()
    {
        // Texts a spreadsheet program could take for numbers or dates are left out: LibreOffice,
        // unlike Excel, does not honour the file's "all text" mark.
        QList<Member::Record> members(3);
        for (int r = 0; r < members.size(); ++r)
            for (int f = 0; f < Member::FieldCount; ++f)
                members[r][f] = QStringLiteral("r%1 %2").arg(r + 1).arg(Member::fieldName(f));
        members[0][Member::Tiratore] = QStringLiteral("Bianchi Niccolò");
        members[0][Member::Citta] = QStringLiteral("Forlì");
        members[0][Member::Note] = QStringLiteral("Quota < € dovuta & \"saldo\", già versata");
        members[1][Member::Attivita] = QStringLiteral("Tiro a volo > fossa olimpica");
        members[1][Member::Email] = QString(); // an empty cell in the middle of a row
        members[2][Member::Professione] = QStringLiteral("Perito agrario; àèéìòù ÀÈÉÌÒÙ");
        members[2][Member::Quota] = QStringLiteral("€ dieci");
        members[2][Member::Praticante] =
            QStringLiteral("Ωmega Ünal"); // outside the code page: a numeric reference

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

        QString error;
        const QList<QStringList> rows = LibreOffice::readBack(xls, dir.path(), &error);
        QVERIFY2(!rows.isEmpty(), qPrintable(error));
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
