// The receipt export window: the year's receipts in the grid, Ricevute.xls byte for byte, an empty
// year, a second year replacing the first, a year file that cannot be read, and the file read back
// cell by cell by LibreOffice.
#include "TestSupport.h"

#include "common/LibreOffice.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"
#include "receipts/ReceiptExport.h"
#include "receipts/TfrmExpRic.h"
#include "records/YearFile.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace Receipt;

namespace {

// The text of a cell of the export grid, as the grid shows it.
QString cellText(const QTableView *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

Record receipt(const QString &number, const QString &payer, const QString &whole)
{
    Record r;
    r[NumRic] = number;
    r[Data] = QStringLiteral("05/03/2024");
    r[Importo] = whole.section(QLatin1Char(','), 0, 0);
    r[Cents] = whole.section(QLatin1Char(','), 1);
    r[ImpLettere] = QStringLiteral("PAROLE");
    r[CentLettere] = r[Cents];
    r[Intero] = whole;
    r[Ricevente01] = QStringLiteral("A.S.D. Corvalla");
    r[Pagatore] = payer;
    r[CodFisc] = QStringLiteral("RSSMRA80A01H501U");
    r[Sport] = QStringLiteral("Tiro con l'arco");
    r[Dal] = QStringLiteral("01/03/2024");
    r[Al] = QStringLiteral("31/03/2024");
    r[Praticante] = QStringLiteral("Rossi Luca");
    r[LuogoNasc] = QStringLiteral("Forlì");
    r[DataNasc] = QStringLiteral("12/07/2012");
    r[Indirizzo] = QStringLiteral("Via dell'Unità d'Italia, 12");
    return r;
}

QByteArray headerCell(int width, const QByteArray &text)
{
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" +
           text + "</td>";
}

QByteArray cell(const QByteArray &text)
{
    return "<td style=\"text-align: left;\">" + text + "</td>";
}

// The header row as the file holds it, written out by hand (Windows-1252: the euro is 0x80).
QByteArray headerRow()
{
    return "<tr>" + headerCell(200, "Ricevuta n.") + headerCell(200, "Data emissione") +
           headerCell(300, "Pagatore") + headerCell(200, "Codice fiscale") +
           headerCell(400, "Attivit\xE0 sportiva") + headerCell(200, "Inizio periodo") +
           headerCell(200, "Fine periodo") + headerCell(300, "Praticante") +
           headerCell(350, "Luogo di nascita") + headerCell(200, "Data di nascita") +
           headerCell(400, "Indirizzo di residenza") + headerCell(200, "Totale: \x80") + "</tr>";
}

QByteArray dataRow(const QByteArray &number, const QByteArray &payer, const QByteArray &whole)
{
    return "<tr>" + cell(number) + cell("05/03/2024") + cell(payer) + cell("RSSMRA80A01H501U") +
           cell("Tiro con l'arco") + cell("01/03/2024") + cell("31/03/2024") + cell("Rossi Luca") +
           cell("Forl\xEC") + cell("12/07/2012") + cell("Via dell'Unit\xE0 d'Italia, 12") + cell(whole) +
           "</tr>";
}

} // namespace

class TestReceiptExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<MsgBox::Answer> m_answers;
    QStringList m_boxes;
    QStringList m_opened;

    QString exportPath() const { return programFolder() + QStringLiteral("Ricevute.xls"); }
    static QString yearPath(int year)
    {
        return programFolder() + QString::number(year) + QStringLiteral(".ric");
    }

    void writeYear(int year, const QList<Record> &receipts)
    {
        QFile::remove(yearPath(year));
        for (const Record &r : receipts)
            QVERIFY(YearFile(yearPath(year)).append(r) >= 0);
    }

    // Clicks Esporta answering Yes to the question and `open` to opening the file.
    void exportFrom(TfrmExpRic &window, MsgBox::Answer open = MsgBox::Answer::No)
    {
        m_answers = {MsgBox::Answer::Yes, open};
        m_boxes.clear();
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("cmdEsporta")), Qt::LeftButton);
        QCOMPARE(m_boxes.size(), 2);
        QCOMPARE(m_boxes[1], QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                            "Si vuole aprire il file di Excel?"));
    }

private slots:
    void initTestCase()
    {
        corvallaTestInit();
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        MsgBox::setTestHook([this](MsgBox::Kind, const QString &text) {
            m_boxes << text;
            return m_answers.isEmpty() ? MsgBox::Answer::No : m_answers.takeFirst();
        });
        TMisc::setTestHook([this](const QString &s) { m_opened << s; });
    }
    void cleanupTestCase()
    {
        MsgBox::setTestHook(nullptr);
        TMisc::setTestHook(nullptr);
    }
    void init()
    {
        m_answers.clear();
        m_boxes.clear();
        m_opened.clear();
        QFile::remove(exportPath());
    }

    // Five receipts: five rows numbered 1 to 5, and the file with the header row and five rows in
    // archive order, each cell trimmed.
    void yearExportsInArchiveOrder()
    {
        QList<Record> receipts;
        for (int i = 1; i <= 5; ++i)
            receipts << receipt(QString::number(100 + i), QStringLiteral("Pagatore %1").arg(i),
                                QStringLiteral("%1,50").arg(i * 10));
        writeYear(2024, receipts);
        TfrmExpRic window;
        QCOMPARE(window.windowTitle(), QStringLiteral(" Esporta archivio ricevute in Microsoft Excel"));
        window.setYearFilePath(QStringLiteral("  ") + yearPath(2024) + QStringLiteral(" "));
        window.show();
        auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(grid->model()->columnCount(), 13);
        QCOMPARE(grid->model()->headerData(11, Qt::Horizontal).toString(), QStringLiteral("Indirizzo"));
        QCOMPARE(grid->model()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Totale: €"));
        QCOMPARE(grid->columnWidth(11), 350);
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(cellText(grid, r, 0), QString::number(r + 1));
            QCOMPARE(cellText(grid, r, 1), QString::number(101 + r));
        }

        grid->model()->setData(grid->model()->index(3, 5),
                               QStringLiteral("  Nuoto  ")); // the grid is a working copy
        exportFrom(window, MsgBox::Answer::Yes);
        QByteArray expected = headerRow();
        for (int i = 1; i <= 5; ++i) {
            QByteArray row = dataRow(QByteArray::number(100 + i), "Pagatore " + QByteArray::number(i),
                                     QByteArray::number(i * 10) + ",50");
            if (i == 4)
                row.replace("<td style=\"text-align: left;\">Tiro con l'arco</td>",
                            "<td style=\"text-align: left;\">Nuoto</td>");
            expected += row;
        }
        const QByteArray written = readAll(exportPath());
        QVERIFY(written.contains("<x:Name>Riepilogo Ricevute</x:Name>"));
        QVERIFY(written.endsWith(expected + "</table></body></html>"));
        QVERIFY(!written.contains('\r') && !written.contains('\n'));
        QCOMPARE(m_opened, QStringList{QLatin1Char('"') + exportPath() + QLatin1Char('"')});

        // Nothing goes back into the year file.
        Record stored;
        QVERIFY(YearFile(yearPath(2024)).read(3, stored));
        QCOMPARE(stored[Sport], QStringLiteral("Tiro con l'arco"));
    }

    // An empty year keeps the ten starting rows on screen and exports the header row only; the
    // next year exported replaces the file.
    void emptyYearThenAnotherReplacesTheFile()
    {
        writeYear(2023, {});
        {
            TfrmExpRic window;
            window.setYearFilePath(yearPath(2023));
            window.show();
            QCOMPARE(window.findChild<QTableView *>(QStringLiteral("grdRecords"))->model()->rowCount(), 10);
            exportFrom(window);
        }
        QVERIFY(readAll(exportPath()).endsWith(headerRow() + "</table></body></html>"));

        writeYear(2025, {receipt(QStringLiteral("7"), QStringLiteral("Verdi Anna"), QStringLiteral("0,00"))});
        TfrmExpRic window;
        window.setYearFilePath(yearPath(2025));
        window.show();
        exportFrom(window);
        QVERIFY(readAll(exportPath())
                    .endsWith(headerRow() + dataRow("7", "Verdi Anna", "0,00") + "</table></body></html>"));
        QVERIFY(m_opened.isEmpty());
    }

    // A year file that cannot be opened fills nothing and says nothing; a missing one is created.
    void yearFileThatCannotBeRead()
    {
        QVERIFY(QDir().mkpath(yearPath(2022)));
        TfrmExpRic window;
        window.setYearFilePath(yearPath(2022));
        window.show();
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(window.findChild<QTableView *>(QStringLiteral("grdRecords"))->model()->rowCount(), 10);

        QFile::remove(yearPath(2021));
        TfrmExpRic missing;
        missing.setYearFilePath(yearPath(2021));
        missing.show();
        QVERIFY(QFile::exists(yearPath(2021)));
    }

    // LibreOffice reads every cell back as it was written, headers included.
    void libreOfficeReadsEveryCell()
    {
        QList<Record> receipts = {
            receipt(QStringLiteral("A-1"), QStringLiteral("Bianchi Niccolò"), QStringLiteral("120,50")),
            receipt(QStringLiteral("A-2"), QStringLiteral("D'Annunzio & Figli <s.r.l.>"),
                    QStringLiteral("0,00")),
        };
        receipts[1][Praticante] = QString(); // an empty cell in the middle of a row
        receipts[1][Sport] = QStringLiteral("Nuoto; àèéìòù ÀÈÉÌÒÙ €");
        writeYear(2024, receipts);
        TfrmExpRic window;
        window.setYearFilePath(yearPath(2024));
        window.show();
        exportFrom(window);

        QTemporaryDir work;
        QString error;
        const QList<QStringList> rows = LibreOffice::readBack(exportPath(), work.path(), &error);
        QVERIFY2(!rows.isEmpty(), qPrintable(error));
        QCOMPARE(rows.size(), 3);
        QStringList headers;
        for (const ExportColumn &c : ReceiptExport::kColumns)
            if (c.exportHeader)
                headers << QString::fromUtf8(c.exportHeader);
        QCOMPARE(rows[0], headers);
        for (int r = 0; r < receipts.size(); ++r) {
            QStringList expected;
            for (const ExportColumn &c : ReceiptExport::kColumns)
                if (c.exportHeader)
                    expected << receipts[r][c.field];
            QCOMPARE(rows[r + 1], expected);
        }
    }
};

QTEST_MAIN(TestReceiptExport)
#include "tst_receipt_export.moc"
