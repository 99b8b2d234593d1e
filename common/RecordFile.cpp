#include "common/RecordFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Another copy of the program holds the lock only for the moment of one read or write; waiting
// longer than this means it is stuck, and the user is told rather than left with a frozen window.
constexpr int kLockWaitMs = 2000;

// Takes the lock without ever blocking: tries, and retries with short pauses until the time is up.
bool lockFile(int fd, int operation)
{
    QElapsedTimer clock;
    clock.start();
    int pauseMs = 1;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0)
            return true;
        const int reason = errno;
        // A file system that cannot lock at all (some network shares) is used without the lock,
        // as the program always did before it locked its files.
        if (reason == ENOLCK || reason == EOPNOTSUPP || reason == ENOSYS)
            return true;
        if (reason != EWOULDBLOCK && reason != EINTR)
            return false;
        const qint64 left = kLockWaitMs - clock.elapsed();
        if (left <= 0) {
            errno = EWOULDBLOCK;
            return false;
        }
        QThread::msleep(ulong(qMin<qint64>(pauseMs, left)));
        pauseMs = qMin(pauseMs * 2, 20);
    }
}
} // namespace

RecordFile::RecordFile(const QString &path, int recordSize) : m_path(path), m_recordSize(recordSize) {}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::fail(const QString &what) const
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool RecordFile::open(Access access)
{
    close();
    const QByteArray name = QFile::encodeName(m_path);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0 && access == Access::Read && (errno == EACCES || errno == EROFS))
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC); // an existing file in a read-only place
    if (m_fd < 0)
        return fail(QStringLiteral("open"));
    if (!lockFile(m_fd, access == Access::Write ? LOCK_EX : LOCK_SH)) {
        fail(QStringLiteral("lock"));
        close();
        return false;
    }
    return true;
}

void RecordFile::close()
{
    if (m_fd >= 0) {
        ::close(m_fd); // also releases the lock
        m_fd = -1;
    }
}

qint64 RecordFile::count() const
{
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        fail(QStringLiteral("stat"));
        return -1;
    }
    return qint64(st.st_size) / m_recordSize;
}

qint64 RecordFile::readMany(qint64 first, qint64 n, QByteArray &out) const
{
    out.resize(qsizetype(n * m_recordSize));
    qint64 done = 0;
    const qint64 want = n * m_recordSize;
    while (done < want) {
        const ssize_t got =
            ::pread(m_fd, out.data() + done, size_t(want - done), off_t(first * m_recordSize + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(QStringLiteral("read"));
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    const qint64 records = done / m_recordSize;
    out.resize(qsizetype(records * m_recordSize));
    return records;
}

bool RecordFile::read(qint64 index, QByteArray &out) const
{
    if (index < 0) {
        m_error = QStringLiteral("read: negative index");
        return false;
    }
    const qint64 got = readMany(index, 1, out);
    if (got != 1) {
        if (got == 0)
            m_error = QStringLiteral("read: beyond the last record");
        return false;
    }
    return true;
}

bool RecordFile::write(qint64 index, const QByteArray &record)
{
    if (record.size() != m_recordSize || index < 0) {
        m_error = QStringLiteral("write: bad record");
        return false;
    }
    qint64 done = 0;
    while (done < m_recordSize) {
        const ssize_t put = ::pwrite(m_fd, record.constData() + done, size_t(m_recordSize - done),
                                     off_t(index * m_recordSize + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return fail(QStringLiteral("write"));
        }
        if (put == 0) {
            errno = ENOSPC;
            return fail(QStringLiteral("write"));
        }
        done += put;
    }
    if (::fdatasync(m_fd) != 0)
        return fail(QStringLiteral("sync"));
    return true;
}

qint64 RecordFile::append(const QByteArray &record)
{
    const qint64 n = count();
    if (n < 0)
        return -1;
    if (!write(n, record)) {
        // A short write at the end must not leave a partial record that later counts as one.
        if (::ftruncate(m_fd, off_t(n * m_recordSize)) != 0) {
            // nothing more to do: the count ignores an incomplete tail anyway
        }
        return -1;
    }
    return n;
}
