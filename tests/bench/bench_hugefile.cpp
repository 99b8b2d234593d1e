// A damaged year file of about 2 GB (1.95 million receipts, one in eight damaged in its last tenth),
// read for the first time (out of the system's cache): the receipt search with no criteria, the takings
// summary of the whole year and the export window. For each: the time until the result is on screen, the
// longest the window went without answering (the gap between ticks of a 10 ms timer on the
// interface thread), and the most memory the process held beyond what it held before, beside the
// size of the file: all of it (the file's pages mapped in included) and its own (private) memory.
#include "GeneratedYear.h"
#include "TestSupport.h"

#include "common/MsgBox.h"
#include "common/ProgramFolder.h"
#include "receipts/TfrmExpRic.h"
#include "receipts/TfrmTrovaRic.h"
#include "records/YearFile.h"
#include "reports/ListPanel.h"
#include "takings/TfrmRiepCosti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {
constexpr qint64 kReceipts = 1950000;

// The process's resident memory and its peak, in MB, from the system's account of it.
double statusMB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

// Starts the peak over from the memory held now.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Drops the file from the system's cache, so that it is read as on the first time.
void forget(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

struct Figures
{
    double ms = -1;       // until the result was on screen; negative when it never came
    double gapMs = 0;     // the longest time the interface thread did not answer
    double extraMB = 0;   // the peak memory beyond what was held before, the file's pages included
    double privateMB = 0; // the peak private memory beyond what was held before
    QStringList messages; // the messages shown meanwhile
};

// Runs `act` and turns the event loop until `done`, timing it and watching the interface thread.
Figures watch(const std::function<void()> &act, const std::function<bool()> &done)
{
    Figures f;
    const double before = statusMB("VmRSS:"), privateBefore = statusMB("RssAnon:");
    resetPeak();
    MsgBox::setTestHook([&f](MsgBox::Kind, const QString &text) {
        f.messages << text;
        return MsgBox::Answer::Ok;
    });
    QElapsedTimer clock, sinceTick;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        f.gapMs = qMax(f.gapMs, sinceTick.nsecsElapsed() / 1e6);
        f.privateMB = qMax(f.privateMB, statusMB("RssAnon:") - privateBefore);
        sinceTick.restart();
    });
    clock.start();
    sinceTick.start();
    tick.start();
    act();
    f.gapMs = qMax(f.gapMs, sinceTick.nsecsElapsed() / 1e6); // what `act` itself held the thread
    while (!done() && clock.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (done())
        f.ms = clock.nsecsElapsed() / 1e6;
    tick.stop();
    // A message comes once the result is in: it is waited for too.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    f.extraMB = statusMB("VmHWM:") - before;
    f.privateMB = qMax(f.privateMB, statusMB("RssAnon:") - privateBefore);
    MsgBox::setTestHook(nullptr);
    return f;
}

void print(const char *what, const Figures &f, double fileMB)
{
    std::printf("  %-34s %8.0f ms   longest without answering %6.1f ms   memory +%6.0f MB (%.2f x the "
                "file), private +%6.0f MB (%.2f x)\n",
                what, f.ms, f.gapMs, f.extraMB, f.extraMB / fileMB, f.privateMB, f.privateMB / fileMB);
    for (const QString &m : f.messages)
        std::printf("    message: %s\n", qPrintable(m));
    std::fflush(stdout);
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
    const QString year = YearFile::pathFor(QStringLiteral("2024"));
    generateYear(year, kReceipts, 8, kReceipts * 9 / 10);
    const double fileMB = QFile(year).size() / 1048576.0;
    std::printf("damaged year file: %lld receipts, %.0f MB, read out of the cache each time\n", kReceipts,
                fileMB);

    {
        TfrmTrovaRic search;
        search.setYearFilePath(year);
        search.show();
        QCoreApplication::processEvents();
        forget(year);
        auto *results = search.findChild<QWidget *>(QStringLiteral("panContainer"));
        print("search, no criteria", watch([&] { search.search(); }, [&] { return results->isVisible(); }),
              fileMB);
    }
    {
        TfrmRiepCosti summary;
        summary.setRequest({year, {QString(), QString(), QDate(2024, 1, 1), QDate(2024, 12, 31)}, {}});
        forget(year);
        auto *total = summary.findChild<QLabel *>(QStringLiteral("lblTotCosti"));
        const QString before = total->text();
        print("summary, whole year", watch([&] { summary.show(); }, [&] { return total->text() != before; }),
              fileMB);
    }
    {
        TfrmExpRic exporter;
        exporter.setYearFilePath(year);
        forget(year);
        auto *grid = exporter.findChild<QTableView *>(QStringLiteral("grdRecords"));
        print("export window, grid filled",
              watch([&] { exporter.show(); },
                    [&] { return !exporter.isFilling() && grid->model()->rowCount() > 10; }),
              fileMB);
        QScrollBar *bar = grid->verticalScrollBar();
        print("export window, scrolled to the end",
              watch([&] { bar->setValue(bar->maximum()); }, [] { return true; }), fileMB);
    }
    return 0;
}
