#include "common/IniFile.h"

#include "common/Cp1252.h"
#include "common/FileLock.h"
#include "common/FileReplace.h"
#include "common/SystemError.h"
#include "common/TextUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr qsizetype kUtf8BomSize = 3;

struct Line
{
    qsizetype begin; // first byte of the line
    qsizetype end;   // one past the last byte of its text (before its line end)
    qsizetype next;  // first byte of the following line
};

// A file saved by an editor as UTF-8 starts with a byte-order mark; its text is UTF-8 throughout.
// Any other file is Windows-1252.
struct Text
{
    const QByteArray &bytes;
    bool utf8 = bytes.startsWith(kUtf8Bom);

    qsizetype firstByte() const { return utf8 ? kUtf8BomSize : 0; }
    QString decode(qsizetype begin, qsizetype end) const
    {
        const QByteArrayView view(bytes.constData() + begin, end - begin);
        if (!utf8)
            return fromCp1252(view);
        // A byte-order mark inside the text is a character like any other (fromUtf8 would drop it
        // at the start of a line, and a key beginning with it could never be found again).
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(view);
    }
    QByteArray encode(const QString &text) const { return utf8 ? text.toUtf8() : toCp1252(text); }
};

// Lines end with CR LF, LF or a lone CR (files from old editors and other systems).
QList<Line> splitLines(const Text &t)
{
    const QByteArray &c = t.bytes;
    QList<Line> lines;
    qsizetype pos = t.firstByte();
    while (pos < c.size()) {
        qsizetype end = pos;
        while (end < c.size() && c[end] != '\n' && c[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < c.size())
            next += (c[next] == '\r' && next + 1 < c.size() && c[next + 1] == '\n') ? 2 : 1;
        lines.append({pos, end, next});
        pos = next;
    }
    return lines;
}

QString lineText(const Text &t, const Line &l)
{
    return t.decode(l.begin, l.end);
}

// The section name of a "[name]" line; false for any other line.
bool sectionName(const QString &text, QString &name)
{
    const QString t = trimBlanks(text);
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    name = trimBlanks(QStringView(t).mid(1, close < 0 ? -1 : close - 1));
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Key and value of a "key=value" line; false for lines without '='.
bool keyValue(const QString &text, QString &key, QString &value)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = trimBlanks(QStringView(text).left(eq));
    value = trimBlanks(QStringView(text).mid(eq + 1));
    return true;
}

// A value in one pair of double or single quotes, which reading takes off.
bool quoted(const QString &v)
{
    return v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) ||
                             (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\''))));
}

// A value as it is written: trimmed, as reading gives it back; one that has quotes of its own at
// both ends goes inside one more pair, so that reading takes off only those and gives back the
// value as it was written (the Windows functions read it the same way).
QString storedValue(const QString &value)
{
    const QString v = trimBlanks(value);
    return quoted(v) ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

struct Found
{
    int sectionLine = -1; // index of the section header
    int lastKeyLine = -1; // last key line of the section (or the header)
    int keyLine = -1;     // the key's line
};

Found locate(const Text &c, const QList<Line> &lines, const QString &section, const QString &key)
{
    Found f;
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lineText(c, lines[i]);
        QString name;
        if (sectionName(text, name)) {
            if (inside)
                break;
            inside = sameName(name, section);
            if (inside) {
                f.sectionLine = i;
                f.lastKeyLine = i;
            }
            continue;
        }
        if (!inside)
            continue;
        QString k, v;
        if (keyValue(text, k, v)) {
            f.lastKeyLine = i;
            if (f.keyLine < 0 && sameName(k, key))
                f.keyLine = i;
        }
    }
    return f;
}

// The line end the file already uses (that of its first line); CR LF for a file without one.
QByteArray lineEndingOf(const QList<Line> &lines, const QByteArray &c)
{
    for (const Line &l : lines)
        if (l.next > l.end)
            return c.mid(l.end, l.next - l.end);
    return QByteArrayLiteral("\r\n");
}

} // namespace

namespace Ini {

namespace {

// Files saved as "Unicode" by a Windows editor are UTF-16 with a byte-order mark. They are read as
// the same text in UTF-8 with its mark, and written back in UTF-16 as they came.
enum class Utf16
{
    None,
    LittleEndian,
    BigEndian
};

Utf16 utf16Kind(const QByteArray &content)
{
    if (content.startsWith("\xFF\xFE"))
        return Utf16::LittleEndian;
    if (content.startsWith("\xFE\xFF"))
        return Utf16::BigEndian;
    return Utf16::None;
}

QByteArray asUtf8(const QByteArray &content, Utf16 kind)
{
    QStringDecoder decoder(kind == Utf16::LittleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString text = decoder.decode(QByteArrayView(content).sliced(2));
    return QByteArray(kUtf8Bom) + text.toUtf8();
}

QByteArray asUtf16(const QByteArray &utf8, Utf16 kind)
{
    QStringEncoder encoder(kind == Utf16::LittleEndian ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
    const QString text = QString::fromUtf8(QByteArrayView(utf8).sliced(kUtf8BomSize));
    return (kind == Utf16::LittleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF")) +
           QByteArray(encoder.encode(text));
}

} // namespace

QString readFromBytes(const QByteArray &bytes, const QString &section, const QString &key,
                      const QString &defaultValue)
{
    const Utf16 utf16 = utf16Kind(bytes);
    const QByteArray content = utf16 == Utf16::None ? bytes : asUtf8(bytes, utf16);
    const Text text{content};
    const QList<Line> lines = splitLines(text);
    const Found f = locate(text, lines, section, key);
    if (f.keyLine < 0)
        return defaultValue;
    QString k, v;
    keyValue(lineText(text, lines[f.keyLine]), k, v);
    if (quoted(v))
        v = v.mid(1, v.size() - 2);
    return v;
}

QByteArray writeToBytes(const QByteArray &bytes, const QString &section, const QString &key,
                        const QString &value)
{
    const Utf16 utf16 = utf16Kind(bytes);
    if (utf16 != Utf16::None)
        return asUtf16(writeToBytes(asUtf8(bytes, utf16), section, key, value), utf16);
    const QByteArray &content = bytes;
    const Text text{content};
    const QList<Line> lines = splitLines(text);
    const Found f = locate(text, lines, section, key);
    const QByteArray eol = lineEndingOf(lines, content);
    const QByteArray newLine = text.encode(key) + '=' + text.encode(storedValue(value));
    QByteArray out = content;
    if (f.keyLine >= 0) {
        const Line &l = lines[f.keyLine];
        out.replace(l.begin, l.end - l.begin, newLine);
    } else if (f.sectionLine >= 0) {
        const Line &l = lines[f.lastKeyLine];
        QByteArray insert = newLine + eol;
        if (l.next == l.end) // the last line of the file has no line end yet
            insert.prepend(eol);
        out.insert(l.next, insert);
    } else {
        if (out.size() > text.firstByte() && !out.endsWith('\n') && !out.endsWith('\r'))
            out += eol;
        out += '[' + text.encode(section) + ']' + eol + newLine + eol;
    }
    return out;
}

QString read(const QString &path, const QString &section, const QString &key, const QString &defaultValue)
{
    return readExisting(path, section, key, defaultValue).value_or(defaultValue);
}

std::optional<QString> readExisting(const QString &path, const QString &section, const QString &key,
                                    const QString &defaultValue, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return defaultValue;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return readFromBytes(content, section, key, defaultValue);
}

Snapshot::Snapshot(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        m_content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        m_content.clear();
}

QString Snapshot::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    return readFromBytes(m_content, section, key, defaultValue);
}

bool write(const QString &path, const QString &section, const QString &key, const QString &value,
           QString *error)
{
    return write(path, QList<Entry>{{section, key, value}}, error);
}

bool write(const QString &path, const QList<Entry> &entries, QString *error)
{
    // Read, change and replace under one lock, so that two copies of the program writing the same
    // file at once both keep their change.
    const FileLock::FolderLock lock(QFileInfo(path).absolutePath());
    if (!lock.isHeld()) {
        if (error)
            *error = QStringLiteral("lock: ") + SystemError::text(errno);
        return false;
    }
    QByteArray content;
    QFile existing(path);
    if (existing.exists()) {
        errno = 0;
        if (!existing.open(QIODevice::ReadOnly)) {
            if (error)
                *error = SystemError::text(errno);
            return false;
        }
        content = existing.readAll();
        if (existing.error() != QFileDevice::NoError) {
            if (error)
                *error = SystemError::text(errno);
            return false;
        }
        existing.close();
    }
    QByteArray bytes = content;
    for (const Entry &e : entries)
        bytes = writeToBytes(bytes, e.section, e.key, e.value);
    return FileReplace::writeWhole(path, bytes, error);
}

} // namespace Ini
