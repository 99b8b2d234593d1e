#include "common/FileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace FileLock {

namespace {
constexpr int kLockWaitMs = 2000;
} // namespace

bool take(int fd, int operation)
{
    QElapsedTimer clock;
    clock.start();
    int pauseMs = 1;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0)
            return true;
        const int reason = errno;
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

FolderLock::FolderLock(const QString &folder)
{
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd >= 0)
        m_held = take(m_fd, LOCK_EX);
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // also releases the lock
}

} // namespace FileLock
