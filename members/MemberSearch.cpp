#include "members/MemberSearch.h"

#include "common/Formats.h"
#include "common/TextUtil.h"
#include "records/MemberArchive.h"

#include <QFileInfo>
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
    {"txtArmi",         "Praticante:",                   Praticante,         "effCampo08", "txtEnte"},
    {"txtEnte",         "Attività sportiva:",            Attivita,         "effCampo03", "txtNote"},
    {"txtNote",         "Note:",                         Note,         "effCampo04", "txtTiratore"},
}};

const ExpiryListInfo kExpiredCards = {FineTes, LineKind::Result, "Riepilogo tessere scadute"};
const ExpiryListInfo kExpiredCertificates = {ScadenzaCertificato, LineKind::Certificate,
                                             "Riepilogo certificati medici scaduti"};
// clang-format on

namespace {

const LineBuilder &builder(LineKind kind)
{
    static const LineBuilder result(layout(), linePieces(LineKind::Result));
    static const LineBuilder certificate(layout(), linePieces(LineKind::Certificate));
    return kind == LineKind::Result ? result : certificate;
}

std::vector<int> criterionFields()
{
    std::vector<int> fields;
    for (const CriterionInfo &c : kCriteria)
        fields.push_back(c.field);
    return fields;
}

QStringList textsOf(ListRows &&rows)
{
    QStringList lines;
    lines.reserve(qsizetype(rows.size()));
    for (ListRow &r : rows)
        lines.append(std::move(r.text));
    return lines;
}

} // namespace

bool isFilled(const QString &text)
{
    return !trimBlanks(text).isEmpty();
}

Criteria::Criteria(const QStringList &texts) : m_texts(layout(), criterionFields(), texts) {}

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
        {Attivita, 32, nullptr},
        {-1, 0, "  Scad. certificato: "},
        {ScadenzaCertificato, 0, nullptr},
    };
    // clang-format on
    return kind == LineKind::Result ? result : certificate;
}

void appendLine(LineKind kind, const char *record, QString &out)
{
    builder(kind).append(record, out);
}

QString buildLine(LineKind kind, const char *record)
{
    return builder(kind).line(record);
}

Expiry expiryOf(const QString &dateText, const QDate &today)
{
    return expiryOf(Formats::parseDateText(dateText), today);
}

Expiry expiryOf(const QDate &date, const QDate &today)
{
    if (!date.isValid())
        return Expiry::Unreadable;
    return today > date ? Expiry::Expired : Expiry::Current;
}

bool search(const Criteria &criteria, KeptRows &rows, QString *error)
{
    rows = KeptRows(builder(LineKind::Result));
    rows.reserve(QFileInfo(MemberArchive::filePath()).size() / kRecordSize);
    const bool ok = MemberArchive::scan(
        [&](qint64 index, const char *record) {
            if (criteria.matches(record))
                rows.append(index, record);
            return true;
        },
        error);
    if (!ok) {
        rows.clear();
        return false;
    }
    rows.sort();
    return true;
}

bool search(const Criteria &criteria, ListRows &rows, QString *error)
{
    KeptRows kept;
    const bool ok = search(criteria, kept, error);
    rows = kept.toListRows();
    return ok;
}

bool search(const Criteria &criteria, QStringList &lines, QString *error)
{
    ListRows rows;
    const bool ok = search(criteria, rows, error);
    lines = textsOf(std::move(rows));
    return ok;
}

bool expiredRows(const ExpiryListInfo &list, const QDate &today, KeptRows &rows, QString *error)
{
    rows = KeptRows(builder(list.line));
    rows.reserve(QFileInfo(MemberArchive::filePath()).size() / kRecordSize);
    const bool ok = MemberArchive::scan(
        [&](qint64 index, const char *record) {
            // A date that does not convert says nothing about expiry: the record is passed over
            // and the rest of the archive is still examined.
            const FieldBytes text = trimmedFieldBytes(record, layout().field(list.dateField));
            if (expiryOf(Formats::parseDateBytes(text.data, text.size), today) == Expiry::Expired)
                rows.append(index, record);
            return true;
        },
        error);
    rows.sort();
    return ok;
}

bool expiredRows(const ExpiryListInfo &list, const QDate &today, ListRows &rows, QString *error)
{
    KeptRows kept;
    const bool ok = expiredRows(list, today, kept, error);
    rows = kept.toListRows();
    return ok;
}

bool expiredLines(const ExpiryListInfo &list, const QDate &today, QStringList &lines, QString *error)
{
    ListRows rows;
    const bool ok = expiredRows(list, today, rows, error);
    lines = textsOf(std::move(rows));
    return ok;
}

bool findRecords(LineKind kind, const QString &line,
                 const std::function<void(qint64 index, const Member::Record &record)> &chosen,
                 QString *error)
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

} // namespace MemberSearch
