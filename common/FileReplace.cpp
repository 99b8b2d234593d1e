#include "common/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace FileReplace {

namespace {
bool failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Writes `bytes` from the start of the open file and cuts it to their size, then syncs it.
bool overwrite(QFile &file, const QByteArray &bytes)
{
    return file.seek(0) && file.write(bytes) == bytes.size() && file.flush() && file.resize(bytes.size()) &&
           ::fsync(file.handle()) == 0;
}

bool rewriteInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return failed(error, file.errorString());
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(error, file.errorString());
    if (overwrite(file, bytes))
        return true;
    const QString reason = file.errorString();
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
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting(); // the temporary file goes with the object
        return failed(error, reason);
    }
    if (!file.commit())
        return failed(error, file.errorString());
    return true;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        const QString reason = out.errorString();
        const QFileInfo info(path);
        if (info.isFile() && info.isWritable())
            return rewriteInPlace(path, bytes, error);
        return failed(error, reason);
    }
    if (out.write(bytes) != bytes.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return failed(error, reason);
    }
    return commit(out, error);
}

} // namespace FileReplace
