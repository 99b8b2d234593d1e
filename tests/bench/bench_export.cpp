// Member export speed: the spreadsheet file of generated archives of 1,000, 10,000 and 100,000
// members, against writing the same number of bytes with a plain buffered write, in the same run.
// Prints figures only.
#include "BenchTiming.h"
#include "ScreenWait.h"
#include "TestSupport.h"

#include "common/ProgramFolder.h"
#include "common/SpreadsheetExport.h"
#include "members/MemberExport.h"
#include "members/TfrmExpTiratori.h"
#include "records/MemberArchive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <vector>

namespace {

using namespace Member;

Record generated(int i)
{
    static const char *const towns[] = {"Forlì", "Cesena", "Città di Castello", "Perugia",
                                        "Bagno di Romagna"};
    static const char *const sports[] = {"Tiro a segno", "Tiro a volo, fossa olimpica", "Tiro con l'arco",
                                         "Tiro dinamico sportivo"};
    Record r;
    const QString town = QString::fromUtf8(towns[i % 5]);
    r[Tiratore] = QStringLiteral("Cognome%1 Nome%2").arg(i).arg(i % 97);
    r[Sesso] = (i % 2) ? QStringLiteral("M") : QStringLiteral("F");
    r[DataNasc] = QStringLiteral("%1/%2/19%3")
                      .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                      .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                      .arg(40 + i % 60);
    r[Cittadinanza] = QStringLiteral("Italiana");
    r[LuogoNasc] = town;
    r[Indirizzo] = QStringLiteral("Via dell'Unità d'Italia, %1").arg(i % 300);
    r[Citta] = town;
    r[Cap] = QStringLiteral("47%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
    r[Nazione] = QStringLiteral("Italia");
    r[CodFisc] = QStringLiteral("RSSMRA70D12D%1X").arg(i % 1000, 3, 10, QLatin1Char('0'));
    r[Gruppo] = QStringLiteral("0 Rh+");
    r[Professione] = QStringLiteral("Impiegato");
    r[ScadenzaCertificato] = QStringLiteral("31/12/2025");
    r[Attivita] = QString::fromUtf8(sports[i % 4]);
    r[Email] = QStringLiteral("socio%1@example.it").arg(i);
    r[Tel] = QStringLiteral("0547 %1").arg(100000 + i % 900000);
    r[Cel] = QStringLiteral("333 %1").arg(1000000 + i);
    r[Tessera] = QStringLiteral("A-%1").arg(i);
    r[Quota] = QStringLiteral("50,00");
    r[InizioTes] = QStringLiteral("01/01/2025");
    r[FineTes] = QStringLiteral("31/12/2025");
    r[Praticante] = r[Tiratore];
    r[LuogoNascPraticante] = town;
    r[DataNascPraticante] = r[DataNasc];
    r[IndirizzoPraticante] = r[Indirizzo];
    r[Note] = (i % 10 == 0) ? QStringLiteral("Quota < 60 € & saldo in contanti") : QString();
    return r;
}

// Counts and discards: the export's own work without the disk.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        written += len;
        return len;
    }
};

qint64 fileSize(const QString &path)
{
    return QFileInfo(path).size();
}

bool plainWrite(const QString &path, qint64 bytes)
{
    static const QByteArray block(64 * 1024, 'x');
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (qint64 left = bytes; left > 0; left -= block.size())
        if (f.write(block.constData(), std::min<qint64>(left, block.size())) < 0)
            return false;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    corvallaTestInit();
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    setProgramFolder(dir.path());
    const QString xls = dir.filePath(QStringLiteral("Archivio_Iscritti.xls"));
    const QString raw = dir.filePath(QStringLiteral("plain.bin"));

    std::printf("%-9s %9s %11s %11s %11s %7s %13s %13s %15s %15s\n", "members", "file MB", "export ms",
                "no-disk ms", "plain ms", "ratio", "grid fill ms", "grid exp. ms", "on screen ms",
                "to the end ms");
    for (const int members : {1000, 10000, 100000}) {
        // The cells, as the export window holds them after reading the archive.
        std::vector<std::array<QString, 25>> cells(static_cast<size_t>(members));
        for (int i = 0; i < members; ++i) {
            const Record r = generated(i);
            for (int c = 0; c < 25; ++c)
                cells[size_t(i)][size_t(c)] = r[MemberExport::kColumns[size_t(c + 1)].field];
        }
        SpreadsheetExport table;
        table.fileName = MemberExport::kFileName;
        table.sheetName = MemberExport::kSheetName;
        table.columns = MemberExport::exportColumns();
        table.rowCount = members;
        table.cell = [&cells](qsizetype r, int c) { return cells[size_t(r)][size_t(c)]; };

        bool ok = true;
        const double exportMs = bestOf(3, [&] { ok = writeSpreadsheetFile(xls, table) && ok; });
        const qint64 bytes = fileSize(xls);
        const double memoryMs = bestOf(3, [&] {
            NullDevice sink;
            SpreadsheetWriter w(&sink);
            w.writeHead(table.sheetName, table.columns);
            for (qsizetype r = 0; r < table.rowCount; ++r) {
                w.beginRow();
                for (int c = 0; c < 25; ++c)
                    w.writeCell(table.cell(r, c));
                w.endRow();
            }
            ok = w.finish() && sink.written == bytes && ok;
        });
        const double plainMs = bestOf(3, [&] { ok = plainWrite(raw, bytes) && ok; });

        // The generated cells go first: the window's figures are the window's memory alone.
        table.cell = nullptr;
        std::vector<std::array<QString, 25>>().swap(cells);

        // The whole path the user takes: the archive read into the window's grid, then exported.
        {
            QFile archive(MemberArchive::filePath());
            ok = archive.open(QIODevice::WriteOnly | QIODevice::Truncate) && ok;
            for (int i = 0; i < members; ++i)
                archive.write(encode(generated(i)));
        }
        double fillMs = 0, gridExportMs = 0;
        {
            TfrmExpTiratori window;
            QElapsedTimer t;
            t.start();
            window.fillGrid();
            fillMs = t.nsecsElapsed() / 1e6;
            gridExportMs = bestOf(3, [&] { ok = writeSpreadsheetFile(xls, window.exportTable()) && ok; });
        }
        // What the user waits for: the window opened until its grid is on screen, and the grid
        // scrolled to its end.
        const std::pair<double, double> waits = openAndScroll(
            [] {
                auto *window = new TfrmExpTiratori;
                window->show();
                return window;
            },
            "grdRecords", members);
        if (!ok) {
            std::fprintf(stderr, "writing failed\n");
            return 1;
        }
        std::printf("%-9d %9.1f %11.1f %11.1f %11.1f %7.2f %13.1f %13.1f %15.1f %15.1f\n", members,
                    bytes / 1e6, exportMs, memoryMs, plainMs, exportMs / plainMs, fillMs, gridExportMs,
                    waits.first, waits.second);
        std::fflush(stdout);
    }
    return 0;
}
