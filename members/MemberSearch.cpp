#include "members/MemberSearch.h"

#include "common/Cp1252.h"
#include "common/Formats.h"
#include "common/TextUtil.h"
#include "members/MemberArchive.h"

#include <algorithm>
#include <utility>

namespace MemberSearch {

using namespace Member;

// clang-format off
const std::array<CriterionInfo, kCriterionCount> kCriteria = {{
    {"txtTiratore",     "Cognome e nome:",               Tiratore,     "effCampo01", "txtDataNasc"},
    {"txtDataNasc",     "Data di nascita (gg/mm/aaaa):", DataNasc,     "effCampo02", "txtCittadinanza"},
    {"txtCittadinanza", "Cittadinanza:",                 Cittadinanza, "effCampo09", "txtLuogoNasc"},
    {"txtLuogoNasc",    "Luogo di nascita:",             LuogoNasc,    "effCampo10", "txtCodFisc"},
    {"txtCodFisc",      "Codice fiscale:",               CodFisc,      "effCampo05", "txtGruppo"},
    {"txtGruppo",       "Gruppo sanguigno:",             Gruppo,       "effCampo06", "txtTessera"},
    {"txtTessera",      "Tessera n.",                    Tessera,      "effCampo07", "txtArmi"},
    {"txtArmi",         "Praticante:",                   Armi,         "effCampo08", "txtEnte"},
    {"txtEnte",         "Attività sportiva:",            Ente,         "effCampo03", "txtNote"},
    {"txtNote",         "Note:",                         Note,         "effCampo04", "txtTiratore"},
}};

const ExpiryListInfo kExpiredCards = {FineTes, LineKind::Result, "Riepilogo tessere scadute"};
const ExpiryListInfo kExpiredCertificates = {Studio, LineKind::Certificate,
                                             "Riepilogo certificati medici scaduti"};
// clang-format on

namespace {

inline char foldByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
inline char16_t foldChar(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
inline char16_t foldUpChar(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }

// The stored text of a field: the length byte (capped at the width) and the text bytes with
// leading and trailing bytes of code 32 or below removed. A Windows-1252 byte is 32 or below
// exactly when its character is, so this is the decoded field's trim.
struct FieldBytes
{
    const char *data;
    int size;
};
FieldBytes fieldBytes(const char *record, int offset, int width)
{
    const char *f = record + offset;
    int len = static_cast<unsigned char>(f[0]);
    if (len > width)
        len = width;
    const char *b = f + 1;
    const char *e = b + len;
    while (b < e && static_cast<unsigned char>(*b) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(e[-1]) <= 32)
        --e;
    return {b, int(e - b)};
}
FieldBytes fieldBytes(const char *record, int field)
{
    const FieldSpec &s = kFields[size_t(field)].layout;
    return fieldBytes(record, s.offset, s.width);
}

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

struct PreparedPiece
{
    int field;
    int width;
    QString fixed;
};

std::vector<PreparedPiece> prepare(const std::vector<LinePiece> &pieces)
{
    std::vector<PreparedPiece> out;
    for (const LinePiece &p : pieces)
        out.push_back({p.field, p.width, p.fixed ? QString::fromUtf8(p.fixed) : QString()});
    return out;
}

const std::vector<PreparedPiece> &preparedPieces(LineKind kind)
{
    static const std::vector<PreparedPiece> result = prepare(linePieces(LineKind::Result));
    static const std::vector<PreparedPiece> certificate = prepare(linePieces(LineKind::Certificate));
    return kind == LineKind::Result ? result : certificate;
}

} // namespace

bool isFilled(const QString &text) { return !trimBlanks(text).isEmpty(); }

Criteria::Criteria(const QStringList &texts)
{
    for (int i = 0; i < kCriterionCount && i < texts.size(); ++i) {
        const QString &text = texts[i];
        if (!isFilled(text))
            continue;
        const FieldSpec &s = kFields[size_t(kCriteria[size_t(i)].field)].layout;
        Prepared p{s.offset, s.width, QByteArray(), true};
        // Records hold only Windows-1252 text: a character outside the page can never occur in
        // a field, so such a criterion matches nothing.
        for (qsizetype k = 0; k < text.size(); ++k) {
            const int b = cp1252Byte(text[k].unicode());
            if (b < 0 || text[k].isSurrogate()) {
                p.possible = false;
                break;
            }
            p.pattern.append(foldByte(char(b)));
        }
        m_filled.push_back(std::move(p));
    }
}

bool Criteria::matches(const char *record) const
{
    for (const Prepared &p : m_filled) {
        if (!p.possible)
            return false;
        const FieldBytes f = fieldBytes(record, p.offset, p.width);
        const int n = int(p.pattern.size());
        const char *pat = p.pattern.constData();
        bool found = false;
        for (int i = 0; i + n <= f.size && !found; ++i) {
            int j = 0;
            while (j < n && foldByte(f.data[i + j]) == pat[j])
                ++j;
            found = j == n;
        }
        if (!found)
            return false;
    }
    return true;
}

const std::vector<LinePiece> &linePieces(LineKind kind)
{
    // clang-format off
    static const std::vector<LinePiece> result = {
        {Tiratore, 30, nullptr},
        {-1, 0, "  Tel. "},
        {Tel, 16, nullptr},
        {-1, 0, "  Cel. "},
        {Cel, 16, nullptr},
        {-1, 0, "  Tessera n. "},
        {Tessera, 24, nullptr},
        {-1, 0, "  Scad. "},
        {FineTes, 10, nullptr},
        {-1, 0, "  Quota: € "},
        {Quota, 0, nullptr},
    };
    static const std::vector<LinePiece> certificate = {
        {Tiratore, 32, nullptr},
        {-1, 0, "  Cel. "},
        {Cel, 20, nullptr},
        {-1, 0, "  C.F. "},
        {CodFisc, 16, nullptr},
        {-1, 0, "  Sport: "},
        {Ente, 32, nullptr},
        {-1, 0, "  Scad. certificato: "},
        {Studio, 0, nullptr},
    };
    // clang-format on
    return kind == LineKind::Result ? result : certificate;
}

void appendLine(LineKind kind, const char *record, QString &out)
{
    const std::array<char16_t, 256> &table = cp1252Table();
    for (const PreparedPiece &p : preparedPieces(kind)) {
        if (p.field < 0) {
            out += p.fixed;
            continue;
        }
        const FieldBytes f = fieldBytes(record, p.field);
        const int take = p.width > 0 ? std::min(f.size, p.width) : f.size;
        const int size = std::max(take, p.width);
        const qsizetype at = out.size();
        out.resize(at + size);
        char16_t *d = reinterpret_cast<char16_t *>(out.data()) + at;
        for (int i = 0; i < take; ++i)
            d[i] = table[static_cast<unsigned char>(f.data[i])];
        std::fill(d + take, d + size, u' ');
    }
}

QString buildLine(LineKind kind, const char *record)
{
    QString line;
    line.reserve(200);
    appendLine(kind, record, line);
    return line;
}

Expiry expiryOf(const QString &dateText, const QDate &today)
{
    const QDate date = Formats::parseDateText(dateText);
    if (!date.isValid())
        return Expiry::Unreadable;
    return today > date ? Expiry::Expired : Expiry::Current;
}

void sortLines(QStringList &lines)
{
    // Sorting on folded copies lets every comparison run as a plain code-unit compare, the same
    // order as compareFoldedAZ at a fraction of the cost for 100,000 lines.
    const qsizetype n = lines.size();
    std::vector<QString> keys;
    keys.reserve(size_t(n));
    for (const QString &l : std::as_const(lines)) {
        QString key(l.size(), Qt::Uninitialized);
        const char16_t *from = reinterpret_cast<const char16_t *>(l.constData());
        char16_t *to = reinterpret_cast<char16_t *>(key.data());
        for (qsizetype i = 0, size = l.size(); i < size; ++i)
            to[i] = foldUpChar(from[i]);
        keys.push_back(std::move(key));
    }
    std::vector<qsizetype> order(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
    QStringList sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

bool search(const Criteria &criteria, QStringList &lines, QString *error)
{
    lines.clear();
    const bool ok = MemberArchive::scan(
        [&](qint64, const char *record) {
            if (criteria.matches(record))
                lines.append(buildLine(LineKind::Result, record));
            return true;
        },
        error);
    if (!ok) {
        lines.clear();
        return false;
    }
    sortLines(lines);
    return true;
}

bool expiredLines(const ExpiryListInfo &list, const QDate &today, QStringList &lines, QString *error)
{
    lines.clear();
    const bool ok = MemberArchive::scan(
        [&](qint64, const char *record) {
            // A date that does not convert says nothing about expiry: the record is passed over
            // and the rest of the archive is still examined.
            if (expiryOf(decodeField(record, list.dateField), today) == Expiry::Expired)
                lines.append(buildLine(list.line, record));
            return true;
        },
        error);
    sortLines(lines);
    return ok;
}

bool findRecords(LineKind kind, const QString &line,
                 const std::function<void(qint64 index, const Member::Record &record)> &chosen, QString *error)
{
    const QStringView wanted = trimBlanksView(line);
    QString buffer;
    buffer.reserve(400);
    return MemberArchive::scan(
        [&](qint64 index, const char *record) {
            buffer.clear();
            appendLine(kind, record, buffer);
            if (trimBlanksView(buffer) == wanted)
                chosen(index, decode(QByteArray::fromRawData(record, kRecordSize)));
            return true;
        },
        error);
}

bool containsFoldedAZ(QStringView line, QStringView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    for (qsizetype i = 0; i + n <= line.size(); ++i) {
        qsizetype j = 0;
        while (j < n && foldChar(line[i + j].unicode()) == needle[j].unicode())
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

int findInList(int count, const std::function<QStringView(int row)> &lineAt, int selected, const QString &needle,
               bool repeated)
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

} // namespace MemberSearch
