#include "common/IniFile.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <QFile>
#include <QSaveFile>

namespace {

struct Line
{
    qsizetype begin; // first byte of the line
    qsizetype end;   // one past the last byte of its text (before CR/LF)
    qsizetype next;  // first byte of the following line
};

QList<Line> splitLines(const QByteArray &c)
{
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < c.size()) {
        qsizetype lf = c.indexOf('\n', pos);
        const qsizetype next = lf < 0 ? c.size() : lf + 1;
        qsizetype end = lf < 0 ? c.size() : lf;
        if (end > pos && c[end - 1] == '\r')
            --end;
        lines.append({pos, end, next});
        pos = next;
    }
    return lines;
}

QString lineText(const QByteArray &c, const Line &l)
{
    return fromCp1252(QByteArrayView(c.constData() + l.begin, l.end - l.begin));
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

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

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

struct Found
{
    int sectionLine = -1; // index of the section header
    int lastKeyLine = -1; // last key line of the section (or the header)
    int keyLine = -1;     // the key's line
};

Found locate(const QByteArray &c, const QList<Line> &lines, const QString &section, const QString &key)
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

QByteArray lineEndingOf(const QByteArray &c)
{
    const qsizetype lf = c.indexOf('\n');
    return (lf < 0 || (lf > 0 && c[lf - 1] == '\r')) ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

} // namespace

namespace Ini {

QString readFromBytes(const QByteArray &content, const QString &section, const QString &key,
                      const QString &defaultValue)
{
    const QList<Line> lines = splitLines(content);
    const Found f = locate(content, lines, section, key);
    if (f.keyLine < 0)
        return defaultValue;
    QString k, v;
    keyValue(lineText(content, lines[f.keyLine]), k, v);
    if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) ||
                          (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
        v = v.mid(1, v.size() - 2);
    return v;
}

QByteArray writeToBytes(const QByteArray &content, const QString &section, const QString &key,
                        const QString &value)
{
    const QList<Line> lines = splitLines(content);
    const Found f = locate(content, lines, section, key);
    const QByteArray eol = lineEndingOf(content);
    const QByteArray newLine = toCp1252(key) + '=' + toCp1252(value);
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
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += eol;
        out += '[' + toCp1252(section) + ']' + eol + newLine + eol;
    }
    return out;
}

QString read(const QString &path, const QString &section, const QString &key, const QString &defaultValue)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    return readFromBytes(file.readAll(), section, key, defaultValue);
}

bool write(const QString &path, const QString &section, const QString &key, const QString &value,
           QString *error)
{
    return write(path, QList<Entry>{{section, key, value}}, error);
}

bool write(const QString &path, const QList<Entry> &entries, QString *error)
{
    QByteArray content;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            if (error)
                *error = existing.errorString();
            return false;
        }
        content = existing.readAll();
        existing.close();
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    QByteArray bytes = content;
    for (const Entry &e : entries)
        bytes = writeToBytes(bytes, e.section, e.key, e.value);
    // commit() does not see a failure of the final flush (a full disk), so flush first.
    if (out.write(bytes) != bytes.size() || !out.flush() || !out.commit()) {
        if (error)
            *error = out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}

} // namespace Ini
