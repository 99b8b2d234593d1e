// Receipt search, double-click identification and export on generated year files, each beside the
// time it takes just to read the same file through a reused 4 MB buffer in the same run. Prints a table;
// asserts nothing.
#include "BenchTiming.h"
#include "GeneratedYear.h"
#include "ScreenWait.h"
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "common/SpreadsheetExport.h"
#include "receipts/AmountInWords.h"
#include "receipts/ReceiptSearch.h"
#include "receipts/TfrmExpRic.h"
#include "records/YearFile.h"
#include "reports/ListPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using namespace Receipt;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    corvallaTestInit();
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    const QString year = YearFile::pathFor(QStringLiteral("2024"));
    const QString xls = dir.filePath(QStringLiteral("Ricevute.xls"));

    ListPanel::Texts texts;
    texts.countLine = QStringLiteral("Il presente elenco contiene %1 schede.");
    ListPanel panel(texts);
    panel.resize(1000, 600);
    panel.show();
    // The list as the user gets it: filled as the search window fills it, laid out and first
    // painted.
    auto fill = [&](KeptRows rows) {
        panel.setRows(std::move(rows));
        panel.listView()->doItemsLayout();
        panel.listView()->viewport()->repaint();
    };

    std::printf("%9s %9s | %14s %14s %14s %14s | %14s %14s %14s\n", "receipts", "read ms", "search all",
                "search payer", "dblclick row", "by line scan", "grid fill", "export file", "grid + file");
    for (const int n : {10000, 100000}) {
        generateYear(year, n);
        const int runs = n >= 100000 ? 3 : 5;
        const double read = bestOf(runs, [&] {
            if (readThroughBuffer(year) != qint64(n) * kRecordSize)
                qFatal("cannot read the year file");
        });
        auto rel = [read](double ms) {
            return QStringLiteral("%1 (%2x)").arg(ms, 0, 'f', 1).arg(ms / read, 0, 'f', 2);
        };

        // The search with every receipt listed, and with a payer's surname.
        QStringList none(ReceiptSearch::kCriterionCount);
        QStringList payer(ReceiptSearch::kCriterionCount);
        payer[2] = QStringLiteral("rossi");
        qsizetype listed = 0, byPayer = 0;
        const double searchAll = bestOf(runs, [&] {
            KeptRows rows;
            if (!ReceiptSearch::search(YearFile(year), none, rows))
                qFatal("search failed");
            listed = qsizetype(rows.size());
            fill(std::move(rows));
        });
        const double searchPayer = bestOf(runs, [&] {
            KeptRows rows;
            ReceiptSearch::search(YearFile(year), payer, rows);
            byPayer = qsizetype(rows.size());
            fill(std::move(rows));
        });

        // The double click: the row keeps its record, which is read on its own. Beside it, for
        // comparison, identifying the row by rebuilding the line of every receipt.
        KeptRows rows;
        ReceiptSearch::search(YearFile(year), none, rows);
        fill(std::move(rows));
        const int row = int(listed / 2);
        Record chosen;
        const double identify = bestOf(runs, [&] {
            if (!YearFile(year).read(panel.recordOf(row), chosen))
                qFatal("the row's receipt cannot be read");
        });
        const QString wanted = panel.lines()[row];
        int hits = 0;
        const double byLine = bestOf(runs, [&] {
            hits = 0;
            YearFile(year).scan([&](qint64, const char *record) {
                hits += ReceiptSearch::buildLine(record) == wanted;
                return true;
            });
        });
        if (ReceiptSearch::buildLine(chosen) != wanted || hits < 1)
            qFatal("the double click opened another receipt");

        // The export: the year file read into the window's grid, then the grid written out.
        double gridFill = 0, exportFile = 0;
        {
            TfrmExpRic window;
            window.setYearFilePath(year);
            QElapsedTimer t;
            t.start();
            window.fillGrid();
            gridFill = t.nsecsElapsed() / 1e6;
            exportFile = bestOf(runs, [&] {
                if (!writeSpreadsheetFile(xls, window.exportTable()))
                    qFatal("the export failed");
            });
        }
        // What the user waits for: the export window opened until its grid is on screen, and the
        // grid scrolled to its end.
        const std::pair<double, double> waits = openAndScroll(
            [&year] {
                auto *window = new TfrmExpRic;
                window->setYearFilePath(year);
                window->show();
                return window;
            },
            "grdRecords", n);
        std::printf("%9d %9.1f | %14s %14s %14s %14s | %14s %14s %14s | grid on screen %s, scrolled to the "
                    "end %s   (%lld listed, %lld by payer, %.1f MB exported)\n",
                    n, read, qPrintable(rel(searchAll)), qPrintable(rel(searchPayer)),
                    qPrintable(rel(identify)), qPrintable(rel(byLine)), qPrintable(rel(gridFill)),
                    qPrintable(rel(exportFile)), qPrintable(rel(gridFill + exportFile)),
                    qPrintable(rel(waits.first)), qPrintable(rel(waits.second)), qint64(listed),
                    qint64(byPayer), QFileInfo(xls).size() / 1e6);
        std::fflush(stdout);
    }
    return 0;
}
