#pragma once

#include <QList>
#include <QString>
#include <optional>

// Settings files in the manner of the Windows profile functions: "[Section]" lines followed by
// "Key=Value" lines, names compared without regard to case, Windows-1252 text, CRLF line ends
// (LF and lone CR line ends are read too). A file that starts with a UTF-8 byte-order mark, as
// some editors save it, is UTF-8 text throughout and is written back the same way.
namespace Ini {

// Reads a value; a missing file, section or key gives `defaultValue`. The value is trimmed and
// one pair of surrounding double (or single) quotes is removed, as the Windows functions do.
QString read(const QString &path, const QString &section, const QString &key,
             const QString &defaultValue = QString());

// The same, but a file that is there and cannot be read (no permission, an input error) is a
// failure, nullopt with the reason in *error, rather than a missing file.
std::optional<QString> readExisting(const QString &path, const QString &section, const QString &key,
                                    const QString &defaultValue = QString(), QString *error = nullptr);

// Replaces the key's line or adds it (and the section, if missing); every other byte of the file
// stays as it was. The value is written trimmed, and one with quotes of its own at both ends inside
// one more pair of double quotes, so that reading gives back the value written. The file is replaced
// atomically (temporary file, flush, rename); when its folder allows no temporary file, a writable file is
// rewritten in place (FileReplace::writeWhole). Returns false, with the reason in *error, when the file
// cannot be written.
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

// A settings file read once, for callers that read several values of it.
class Snapshot
{
public:
    // A missing or unreadable file reads as an empty one (every value its default).
    explicit Snapshot(const QString &path);
    QString read(const QString &section, const QString &key, const QString &defaultValue = QString()) const;

private:
    QByteArray m_content;
};

// The same operations on the file's bytes, for callers that already hold them.
QString readFromBytes(const QByteArray &content, const QString &section, const QString &key,
                      const QString &defaultValue = QString());
QByteArray writeToBytes(const QByteArray &content, const QString &section, const QString &key,
                        const QString &value);

} // namespace Ini
