#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>

// The best of `runs` timings of `work`, in milliseconds: the least disturbed by the machine.
template <typename F> double bestOf(int runs, F &&work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// The reference for reading an archive: the file read whole, as `dd` would, through one 4 MB
// buffer used again for each read (no new memory to fill). Returns the bytes read.
inline qint64 readThroughBuffer(const QString &path)
{
    static QByteArray buffer(4 << 20, Qt::Uninitialized);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 total = 0;
    for (qint64 got; (got = f.read(buffer.data(), buffer.size())) > 0;)
        total += got;
    return total;
}
