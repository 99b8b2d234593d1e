#include "common/ListLines.h"

#include "common/Cp1252.h"
#include "common/HugePages.h"
#include "common/TextUtil.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
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

// The room a field takes among the kept bytes: its length byte and what its line shows of it.
int keptWidth(int width, int fit)
{
    return (fit > 0 ? std::min(width, fit) : width) + 1;
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
            m_keptSize += keptWidth(f.width, p.width);
        }
    }
}

// The characters of a record's line one by one, as LineBuilder::append writes them, without
// writing them anywhere.
class LineChars
{
public:
    LineChars(const std::vector<LineBuilder::Piece> &pieces, const char *record)
        : m_piece(pieces.data()), m_end(pieces.data() + pieces.size()), m_record(record)
    {
        enter();
    }

    // The next character, or -1 after the last one (so that a line sorts before its longer
    // continuations).
    int next()
    {
        while (m_at == m_size) {
            if (m_piece == m_end || ++m_piece == m_end)
                return -1;
            enter();
        }
        const int i = m_at++;
        if (!m_piece->isField)
            return m_piece->fixed[i].unicode();
        return i < m_take ? (*m_table)[static_cast<unsigned char>(m_bytes[i])] : u' ';
    }

private:
    void enter()
    {
        m_at = 0;
        m_size = 0;
        if (m_piece == m_end)
            return;
        if (!m_piece->isField) {
            m_size = int(m_piece->fixed.size());
            return;
        }
        const LineBuilder::Piece::Shown shown = m_piece->shownOf(m_record);
        m_bytes = shown.data;
        m_take = shown.take;
        m_size = shown.size;
    }

    const std::array<char16_t, 256> *m_table = &cp1252Table();
    const LineBuilder::Piece *m_piece;
    const LineBuilder::Piece *m_end;
    const char *m_record;
    const char *m_bytes = nullptr;
    int m_take = 0;
    int m_size = 0;
    int m_at = 0;
};

int LineBuilder::compare(const char *a, const char *b) const
{
    LineChars x(m_pieces, a), y(m_pieces, b);
    for (;;) {
        const int cx = x.next(), cy = y.next();
        if (cx < 0 || cy < 0 || cx != cy) {
            const int fx = cx < 0 ? -1 : foldUpAZ(char16_t(cx)), fy = cy < 0 ? -1 : foldUpAZ(char16_t(cy));
            if (fx != fy || cx < 0)
                return fx - fy;
        }
    }
}

void LineBuilder::sortKey(const char *record, char16_t *key, int size) const
{
    LineChars chars(m_pieces, record);
    for (int i = 0; i < size; ++i) {
        const int c = chars.next();
        key[i] = c < 0 ? u'\0' : foldUpAZ(char16_t(c));
    }
}

LineBuilder::Piece::Shown LineBuilder::Piece::shownOf(const char *record) const
{
    const FieldBytes f = isKept ? FieldBytes{record + offset + 1, fixedTextLength(record + offset, width)}
                                : trimmedFieldBytes(record, FieldSpec{nullptr, offset, width});
    const int take = fit > 0 ? std::min(f.size, fit) : f.size;
    return {f.data, take, std::max(take, fit)};
}

int LineBuilder::keep(const char *record, char *kept) const
{
    int length = 0;
    for (const Piece &p : m_pieces) {
        if (!p.isField) {
            length += int(p.fixed.size());
            continue;
        }
        const Piece::Shown f = p.shownOf(record);
        kept[0] = char(f.take);
        std::memcpy(kept + 1, f.data, size_t(f.take));
        kept += keptWidth(p.width, p.fit);
        length += f.size;
    }
    return length;
}

LineBuilder LineBuilder::kept() const
{
    LineBuilder over = *this;
    int offset = 0;
    for (Piece &p : over.m_pieces) {
        if (!p.isField)
            continue;
        p.offset = offset;
        p.width = keptWidth(p.width, p.fit) - 1;
        p.isKept = true;
        offset += p.width + 1;
    }
    over.m_keptSize = offset;
    return over;
}

void LineBuilder::append(const char *record, QString &out) const
{
    const std::array<char16_t, 256> &table = cp1252Table();
    for (const Piece &p : m_pieces) {
        if (!p.isField) {
            out += p.fixed;
            continue;
        }
        const auto [data, take, size] = p.shownOf(record);
        const qsizetype at = out.size();
        out.resize(at + size);
        char16_t *d = reinterpret_cast<char16_t *>(out.data()) + at;
        for (int i = 0; i < take; ++i)
            d[i] = table[static_cast<unsigned char>(data[i])];
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

KeptRows::KeptRows(const LineBuilder &builder) : m_source(builder), m_line(builder.kept()) {}

void KeptRows::reserve(qsizetype rows)
{
    // Capped, so that a file grown beyond any real archive never asks for more than some hundreds
    // of MB.
    const size_t capped = size_t(std::clamp<qsizetype>(rows, 0, 2000000));
    m_kept.reserve(capped * size_t(m_line.keptSize()));
    m_records.reserve(capped);
    preferHugePages(m_kept.data(), m_kept.capacity());
}

void KeptRows::append(qint64 index, const char *record)
{
    const size_t at = m_kept.size();
    m_kept.resize(at + size_t(m_line.keptSize()));
    m_longest = std::max(m_longest, m_source.keep(record, m_kept.data() + at));
    m_records.push_back(index);
}

void KeptRows::clear()
{
    *this = KeptRows(m_source);
}

QString KeptRows::lineAt(qsizetype row) const
{
    return m_line.line(keptOf(entry(row)));
}

ListRows KeptRows::toListRows() const
{
    ListRows rows;
    rows.reserve(m_records.size());
    for (qsizetype row = 0; row < size(); ++row)
        rows.push_back({lineAt(row), recordAt(row)});
    return rows;
}

void KeptRows::sort()
{
    // Most pairs differ within their first characters: those, folded, are written once per row,
    // big-endian so that a byte compare orders them as their codes, and decide; only rows that
    // share them all compare further, character by character. The keys are dropped once the
    // rows are in order.
    constexpr int kKey = 64;
    const size_t count = m_records.size();
    std::vector<char16_t> keys;
    keys.reserve(count * kKey);
    preferHugePages(keys.data(), keys.capacity() * sizeof(char16_t));
    keys.resize(count * kKey);
    for (size_t e = 0; e < count; ++e) {
        char16_t *key = keys.data() + e * kKey;
        m_line.sortKey(keptOf(e), key, kKey);
        qToBigEndian<quint16>(key, kKey, key);
    }
    std::vector<qint32> order(count);
    for (size_t e = 0; e < count; ++e)
        order[e] = qint32(e);
    std::stable_sort(order.begin(), order.end(), [this, &keys](qint32 a, qint32 b) {
        const int byKey = std::memcmp(keys.data() + size_t(a) * kKey, keys.data() + size_t(b) * kKey,
                                      kKey * sizeof(char16_t));
        if (byKey != 0)
            return byKey < 0;
        return m_line.compare(keptOf(size_t(a)), keptOf(size_t(b))) < 0;
    });
    m_order = std::move(order);
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
