// Two copies of the program on one year of 100,000 receipts: while one saves receipts (new receipts
// and updates in place, as the receipt window saves them), every 20 ms (far quicker than anyone
// types a receipt) and then one after another without a pause, the other opens the year file to
// read a receipt (browsing) and to save one, and the time until it holds the lock is taken each
// time: at the first pace each time from the middle of a save of the other copy. Beside it, in the same run,
// the same saves with nobody else: the save alone. On the ordinary disk and on tmpfs. Prints a table; asserts
// nothing.
#include "GeneratedYear.h"
#include "common/RecordFile.h"
#include "common/RecordRules.h"
#include "records/ReceiptRecord.h"
#include "records/YearFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

constexpr qint64 kReceipts = 100000;
constexpr int kSavesAlone = 200;
constexpr int kWaits = 400;
constexpr int kWaitsBackToBack = 60;

QByteArray receiptBytes(int n)
{
    Receipt::Record r;
    r[Receipt::NumRic] = QString::number(n);
    r[Receipt::Data] = QStringLiteral("15/06/2024");
    r[Receipt::Importo] = QStringLiteral("35");
    r[Receipt::Cents] = QStringLiteral("50");
    r[Receipt::Pagatore] = QStringLiteral("Ferri Niccolò %1").arg(n);
    r[Receipt::Sport] = QStringLiteral("Tiro a segno");
    return Receipt::encode(r);
}

// One save as the receipt window makes it: every other one a new receipt, the others an update in
// place of a receipt picked at random. False when it failed.
bool save(const RecordArchive &year, int n, QRandomGenerator &random)
{
    const qint64 position = n % 2 == 0 ? 0 : 1 + qint64(random.bounded(quint32(kReceipts)));
    return RecordRules::save(year, position, receiptBytes(n)).outcome != RecordRules::Save::Outcome::Failed;
}

struct Times
{
    std::vector<double> ms;
    int failed = 0;

    double at(double share)
    {
        if (ms.empty())
            return 0;
        std::sort(ms.begin(), ms.end());
        return ms[std::min(ms.size() - 1, size_t(share * double(ms.size())))];
    }
    double longest() { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Milliseconds until `access` on the year file is had: the file opened and its lock taken.
double untilLocked(const QString &path, RecordFile::Access access, bool *ok)
{
    RecordFile file(path, Receipt::kRecordSize);
    QElapsedTimer clock;
    clock.start();
    *ok = file.open(access);
    return clock.nsecsElapsed() / 1e6;
}

// Whether another process holds the exclusive lock of the file with inode `inode` (a save under
// way), as the system's table of locks tells without taking any lock.
bool heldForWriting(quint64 inode)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray tail = ':' + QByteArray::number(inode);
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() > 5 && f[1] == "FLOCK" && f[3] == "WRITE" && f[5].endsWith(tail))
            return true;
    }
    return false;
}

// The waits of this copy for the lock while another copy saves a receipt every `pauseMs` (0:
// one save after another), `samples` times alternately to read and to save. With `duringSave`
// each wait starts while the other copy is in the middle of a save.
void waitsBeside(const QString &path, int pauseMs, int samples, bool duringSave, QRandomGenerator &random)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        qFatal("no year file");
    QProcess saver;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CORVALLA_BENCH_SAVER"), path);
    env.insert(QStringLiteral("CORVALLA_BENCH_PAUSE_MS"), QString::number(pauseMs));
    saver.setProcessEnvironment(env);
    saver.start(QCoreApplication::applicationFilePath(), {});
    if (!saver.waitForReadyRead(60000))
        qFatal("the other copy did not start saving");
    Times reading, saving;
    for (int i = 0; i < samples; ++i) {
        QElapsedTimer spin;
        spin.start();
        while (duringSave && !heldForWriting(quint64(st.st_ino)) && spin.elapsed() < 1000) {
        }
        bool ok = false;
        const bool write = i % 2 == 1;
        const double ms =
            untilLocked(path, write ? RecordFile::Access::Write : RecordFile::Access::Read, &ok);
        Times &t = write ? saving : reading;
        t.ms.push_back(ms);
        t.failed += ok ? 0 : 1;
        QThread::usleep(random.bounded(3000)); // out of step with the other copy
    }
    const bool stillSaving = saver.state() == QProcess::Running;
    saver.kill();
    saver.waitForFinished(30000);
    const QList<QByteArray> counts = saver.readAllStandardOutput().trimmed().split('\n');
    if (pauseMs > 0)
        std::printf("%-8s   from the middle of a save of a copy saving every %d ms (%s saves%s):\n", "",
                    pauseMs, counts.last().constData(), stillSaving ? "" : ", ENDED EARLY");
    else
        std::printf("%-8s   beside a copy saving one receipt after another (%s saves%s):\n", "",
                    counts.last().constData(), stillSaving ? "" : ", ENDED EARLY");
    for (auto [name, t] : {std::pair{"read", &reading}, std::pair{"save", &saving}})
        std::printf("%-8s     wait for the lock to %s: median %.2f ms, 99%% %.2f ms, longest %.2f ms "
                    "(%d of %zu gave up)\n",
                    "", name, t->at(0.5), t->at(0.99), t->longest(), t->failed, t->ms.size());
}

void measure(const QString &where, const QString &folder)
{
    const QString path = folder + QStringLiteral("/2024.ric");
    generateYear(path, kReceipts);
    const RecordArchive year(path, Receipt::layout());
    QRandomGenerator random(20240615);

    Times alone;
    for (int n = 0; n < kSavesAlone; ++n) {
        QElapsedTimer clock;
        clock.start();
        alone.failed += save(year, n, random) ? 0 : 1;
        alone.ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("%-8s save alone: median %.2f ms, 99%% %.2f ms, longest %.2f ms (%d failed)\n",
                qPrintable(where), alone.at(0.5), alone.at(0.99), alone.longest(), alone.failed);
    waitsBeside(path, 20, kWaits, true, random);
    waitsBeside(path, 0, kWaitsBackToBack, false, random);
}

} // namespace

int main(int argc, char **argv)
{
    // Child mode: the other copy of the program, saving receipt after receipt until it is ended;
    // prints "ready" once, then the number of saves made every 10.
    const QByteArray saverPath = qgetenv("CORVALLA_BENCH_SAVER");
    if (!saverPath.isEmpty()) {
        const RecordArchive year(QString::fromLocal8Bit(saverPath), Receipt::layout());
        QRandomGenerator random(7);
        const int pauseMs = qEnvironmentVariableIntValue("CORVALLA_BENCH_PAUSE_MS");
        for (int n = 0;; ++n) {
            if (pauseMs > 0)
                QThread::msleep(ulong(pauseMs));
            if (!save(year, n, random)) {
                std::fputs("a save failed\n", stderr);
                std::fflush(stderr);
            }
            if (n == 0)
                std::puts("ready");
            else if (n % 10 == 0)
                std::printf("%d\n", n);
            std::fflush(stdout);
        }
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir disk;
    measure(QStringLiteral("disk"), disk.path());
    QTemporaryDir shm(QStringLiteral("/dev/shm/corvalla-bench-XXXXXX"));
    if (shm.isValid())
        measure(QStringLiteral("tmpfs"), shm.path());
    return 0;
}
