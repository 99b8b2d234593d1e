#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Writing a whole file so that a failed write leaves the previous file as it was.
namespace FileReplace {

// Failures give their reason in *error, the system's error number in Italian words
// (SystemError::text), and leave that number in errno.

// Ends a write through a temporary file: flushes it, then renames it over the target. A failed
// flush (a full disk, a file-size limit) is a failed write: the temporary file is dropped and the
// target keeps its old content. Returns false on failure.
bool commit(QSaveFile &file, QString *error = nullptr);

// Makes `bytes` the whole content of `path`: written to a temporary file beside it and renamed
// over it. When no temporary file can be made there (a folder the user may not write into) but
// the file itself exists and is writable, it is rewritten in place instead, and put back as it
// was should that write fail.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace FileReplace
