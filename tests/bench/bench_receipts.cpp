// Receipt search, double-click identification and export on generated year files, each beside the
// time it takes just to read the same file into memory in the same run. Prints a table; asserts
// nothing.
#include "BenchTiming.h"
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

namespace {

void generateYear(const QString &path, int count)
{
    static const char *const surnames[] = {"Rossi",  "Russo",    "Ferrari", "Esposito", "Bianchi",
                                           "Romano", "Colombo",  "Ricci",   "Marino",   "Greco",
                                           "Bruno",  "Gallo",    "Conti",   "De Luca",  "Mancini",
                                           "Costa",  "Giordano", "Rizzo",   "Lombardi", "Moretti"};
    static const char *const names[] = {"Mario",  "Luca",      "Giulia", "Anna",   "Marco",
                                        "Sara",   "Paolo",     "Chiara", "Andrea", "Elena",
                                        "Davide", "Francesca", "Matteo", "Laura",  "Simone"};
    static const char *const sports[] = {"Tiro a volo", "Tiro con l'arco", "Nuoto agonistico",
                                         "Atletica leggera", "Ciclismo su strada"};
    QRandomGenerator rng(20240615);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the year file");
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        Record r;
        const int month = 1 + i * 12 / count;
        const QString euros = QString::number(rng.bounded(10, 2000));
        const QString cents = QStringLiteral("%1").arg(rng.bounded(100), 2, 10, QLatin1Char('0'));
        r[NumRic] = QString::number(i + 1);
        r[Data] = QStringLiteral("%1/%2/2024")
                      .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                      .arg(month, 2, 10, QLatin1Char('0'));
        r[Importo] = euros;
        r[Cents] = cents;
        r[ImpLettere] = amountInWords(euros);
        r[CentLettere] = cents;
        r[Intero] = euros + QLatin1Char(',') + cents;
        r[Ricevente01] = QStringLiteral("A.S.D. Tiro a Segno Corvalla");
        r[Ricevente02] = QStringLiteral("Via dello Sport, 12");
        r[Ricevente03] = QStringLiteral("47121 Forlì (FC)");
        r[Ricevente04] = QStringLiteral("C.F. 92012345678");
        r[Pagatore] = QStringLiteral("%1 %2").arg(QString::fromLatin1(surnames[rng.bounded(20)]),
                                                  QString::fromLatin1(names[rng.bounded(15)]));
        r[CodFisc] = QStringLiteral("RSSMRA80A01H%1U").arg(i % 1000, 3, 10, QLatin1Char('0'));
        r[Sport] = QString::fromLatin1(sports[rng.bounded(5)]);
        r[Dal] = QStringLiteral("01/%1/2024").arg(month, 2, 10, QLatin1Char('0'));
        r[Al] = QStringLiteral("28/%1/2024").arg(month, 2, 10, QLatin1Char('0'));
        r[Praticante] = r[Pagatore];
        r[LuogoNasc] = QStringLiteral("Forlì");
        r[DataNasc] = QStringLiteral("12/07/2012");
        r[Indirizzo] = QStringLiteral("Via dell'Unità d'Italia, %1").arg(i % 300);
        block += encode(r);
        if (block.size() > 8 * 1024 * 1024) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

} // namespace

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
    // The list as the user gets it: filled, laid out and first painted.
    auto fill = [&](ListRows rows) {
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
            QFile f(year);
            if (!f.open(QIODevice::ReadOnly) || f.readAll().size() != qint64(n) * kRecordSize)
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
            ListRows rows;
            if (!ReceiptSearch::search(YearFile(year), none, rows))
                qFatal("search failed");
            listed = qsizetype(rows.size());
            fill(std::move(rows));
        });
        const double searchPayer = bestOf(runs, [&] {
            ListRows rows;
            ReceiptSearch::search(YearFile(year), payer, rows);
            byPayer = qsizetype(rows.size());
            fill(std::move(rows));
        });

        // The double click: the row keeps its record, which is read on its own. Beside it, for
        // comparison, identifying the row by rebuilding the line of every receipt.
        ListRows rows;
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
