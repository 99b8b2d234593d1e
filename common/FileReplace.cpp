#include "common/FileReplace.h"

#include "common/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace FileReplace {

namespace {
// Fails with the system's error number `number`: told in *error, and left in errno for the caller.
bool failed(QString *error, int number)
{
    if (error)
        *error = SystemError::text(number);
    errno = number;
    return false;
}

// Writes `bytes` from the start of the open file and cuts it to their size, then syncs it. On
// failure errno holds the cause.
bool overwrite(QFile &file, const QByteArray &bytes)
{
    errno = 0;
    return file.seek(0) && file.write(bytes) == bytes.size() && file.flush() && file.resize(bytes.size()) &&
           ::fsync(file.handle()) == 0;
}

bool rewriteInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadWrite))
        return failed(error, errno);
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(error, errno);
    if (overwrite(file, bytes))
        return true;
    const int reason = errno;
    // The old content fits in the space it already had, so putting it back does not need more.
    file.unsetError();
    overwrite(file, previous);
    return failed(error, reason);
}
} // namespace

bool commit(QSaveFile &file, QString *error)
{
    // commit() alone does not see a failure of the final flush, and would rename a truncated file
    // over the good one.
    errno = 0;
    if (!file.flush()) {
        const int reason = errno;
        file.cancelWriting(); // the temporary file goes with the object
        return failed(error, reason);
    }
    errno = 0;
    if (!file.commit())
        return failed(error, errno);
    return true;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly)) {
        const int reason = errno;
        const QFileInfo info(path);
        if (info.isFile() && info.isWritable())
            return rewriteInPlace(path, bytes, error);
        return failed(error, reason);
    }
    errno = 0;
    if (out.write(bytes) != bytes.size()) {
        const int reason = errno;
        out.cancelWriting();
        return failed(error, reason);
    }
    return commit(out, error);
}

} // namespace FileReplace
