#include "common/ListLines.h"

#include "common/Cp1252.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Windows-1252 byte to character, built once from the shared converter.
const std::array<char16_t, 256> &cp1252Table()
{
    static const std::array<char16_t, 256> table = [] {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = fromCp1252(all);
        std::array<char16_t, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[size_t(i)] = text[i].unicode();
        return t;
    }();
    return table;
}

// The order of `keys` (folded copies of the lines), stable.
std::vector<qsizetype> sortedOrder(const std::vector<QString> &keys)
{
    std::vector<qsizetype> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
    return order;
}

QString foldedKey(const QString &line)
{
    QString key(line.size(), Qt::Uninitialized);
    const char16_t *from = reinterpret_cast<const char16_t *>(line.constData());
    char16_t *to = reinterpret_cast<char16_t *>(key.data());
    for (qsizetype i = 0, size = line.size(); i < size; ++i)
        to[i] = foldUpAZ(from[i]);
    return key;
}

} // namespace

FieldBytes trimmedFieldBytes(const char *record, const FieldSpec &field)
{
    const char *f = record + field.offset;
    const char *b = f + 1;
    const char *e = b + fixedTextLength(f, field.width);
    while (b < e && static_cast<unsigned char>(*b) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(e[-1]) <= 32)
        --e;
    return {b, int(e - b)};
}

LineBuilder::LineBuilder(const RecordLayout &layout, const std::vector<LinePiece> &pieces)
{
    for (const LinePiece &p : pieces) {
        if (p.field < 0) {
            m_pieces.push_back({0, 0, 0, QString::fromUtf8(p.fixed), false});
        } else {
            const FieldSpec &f = layout.field(p.field);
            m_pieces.push_back({f.offset, f.width, p.width, QString(), true});
        }
    }
}

void LineBuilder::append(const char *record, QString &out) const
{
    const std::array<char16_t, 256> &table = cp1252Table();
    for (const Piece &p : m_pieces) {
        if (!p.isField) {
            out += p.fixed;
            continue;
        }
        const FieldBytes f = trimmedFieldBytes(record, FieldSpec{nullptr, p.offset, p.width});
        const int take = p.fit > 0 ? std::min(f.size, p.fit) : f.size;
        const int size = std::max(take, p.fit);
        const qsizetype at = out.size();
        out.resize(at + size);
        char16_t *d = reinterpret_cast<char16_t *>(out.data()) + at;
        for (int i = 0; i < take; ++i)
            d[i] = table[static_cast<unsigned char>(f.data[i])];
        std::fill(d + take, d + size, u' ');
    }
}

QString LineBuilder::line(const char *record) const
{
    QString line;
    line.reserve(200);
    append(record, line);
    return line;
}

TextCriteria::TextCriteria(const RecordLayout &layout, const std::vector<int> &fields,
                           const QStringList &texts)
{
    for (size_t i = 0; i < fields.size() && qsizetype(i) < texts.size(); ++i) {
        const QString &text = texts[qsizetype(i)];
        bool filled = false;
        for (const QChar c : text)
            filled = filled || c.unicode() > 32;
        if (!filled)
            continue;
        const FieldSpec &s = layout.field(fields[i]);
        Prepared p{s.offset, s.width, QByteArray(), true};
        // Records hold only Windows-1252 text: a character outside the page can never occur in
        // a field, so such a text matches nothing.
        for (qsizetype k = 0; k < text.size(); ++k) {
            const int b = cp1252Byte(text[k].unicode());
            if (b < 0 || text[k].isSurrogate()) {
                p.possible = false;
                break;
            }
            p.pattern.append(foldDownAZ(char(b)));
        }
        m_filled.push_back(std::move(p));
    }
}

bool TextCriteria::matches(const char *record) const
{
    for (const Prepared &p : m_filled) {
        if (!p.possible)
            return false;
        const FieldBytes f = trimmedFieldBytes(record, FieldSpec{nullptr, p.offset, p.width});
        const int n = int(p.pattern.size());
        const char *pat = p.pattern.constData();
        bool found = false;
        for (int i = 0; i + n <= f.size && !found; ++i) {
            int j = 0;
            while (j < n && foldDownAZ(f.data[i + j]) == pat[j])
                ++j;
            found = j == n;
        }
        if (!found)
            return false;
    }
    return true;
}

void sortRows(ListRows &rows)
{
    // Sorting on folded copies lets every comparison run as a plain code-unit compare.
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const ListRow &r : rows)
        keys.push_back(foldedKey(r.text));
    ListRows sorted;
    sorted.reserve(rows.size());
    for (const qsizetype i : sortedOrder(keys))
        sorted.push_back(std::move(rows[size_t(i)]));
    rows = std::move(sorted);
}

void sortLines(QStringList &lines)
{
    std::vector<QString> keys;
    keys.reserve(size_t(lines.size()));
    for (const QString &l : std::as_const(lines))
        keys.push_back(foldedKey(l));
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const qsizetype i : sortedOrder(keys))
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

bool containsFoldedAZ(QStringView line, QStringView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    for (qsizetype i = 0; i + n <= line.size(); ++i) {
        qsizetype j = 0;
        while (j < n && foldDownAZ(line[i + j].unicode()) == needle[j].unicode())
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

int findInList(int count, const std::function<QStringView(int row)> &lineAt, int selected,
               const QString &needle, bool repeated)
{
    if (count <= 0 || needle.isEmpty())
        return -1;
    const int start = repeated ? (selected + 1) % count : 0;
    for (int k = 0; k < count; ++k) {
        const int row = (start + k) % count;
        if (containsFoldedAZ(lineAt(row), needle))
            return row;
    }
    return -1;
}
