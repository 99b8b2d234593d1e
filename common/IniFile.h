#pragma once

#include <QList>
#include <QString>

// Settings files in the manner of the Windows profile functions: "[Section]" lines followed by
// "Key=Value" lines, names compared without regard to case, Windows-1252 text, CRLF line ends
// (LF-only files are read too).
namespace Ini {

// Reads a value; a missing file, section or key gives `defaultValue`. The value is trimmed and
// one pair of surrounding double quotes is removed, as the Windows functions do.
QString read(const QString &path, const QString &section, const QString &key,
             const QString &defaultValue = QString());

// Replaces the key's line or adds it (and the section, if missing); every other byte of the file
// stays as it was. The file is replaced atomically (temporary file, flush, rename).
// Returns false, with the reason in *error, when the file cannot be written.
bool write(const QString &path, const QString &section, const QString &key, const QString &value,
           QString *error = nullptr);

// Several keys in one replacement of the file, in the order given: either all of them reach the
// disk or the file stays as it was.
struct Entry
{
    QString section;
    QString key;
    QString value;
};
bool write(const QString &path, const QList<Entry> &entries, QString *error = nullptr);

// The same operations on the file's bytes, for callers that already hold them.
QString readFromBytes(const QByteArray &content, const QString &section, const QString &key,
                      const QString &defaultValue = QString());
QByteArray writeToBytes(const QByteArray &content, const QString &section, const QString &key,
                        const QString &value);

} // namespace Ini
