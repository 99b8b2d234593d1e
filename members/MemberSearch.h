#pragma once

#include "common/ListLines.h"
#include "records/MemberRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <vector>

// Finding and listing members: the search criteria, the fixed-column list lines, the expiry test,
// and the whole-archive passes behind the search window and the two expiry lists. No widgets here.
// Everything works on the raw record bytes and decodes only the fields it needs, because every
// search, list and double click reads the whole archive.
namespace MemberSearch {

// The ten criteria of the search window (common/ListLines.h), tested against member fields.
using CriterionInfo = SearchCriterion;
constexpr int kCriterionCount = 10;
extern const std::array<CriterionInfo, kCriterionCount> kCriteria;

// A criterion takes part in a search when its text, trimmed, is not empty.
bool isFilled(const QString &text);

// The criterion texts of one search, prepared for matching. A filled criterion matches a record
// when its text exactly as typed (blanks kept), with A-Z folded to a-z, occurs in the record
// field folded the same way; accented letters compare as they are.
class Criteria
{
public:
    Criteria() = default;
    // One text per row of kCriteria, in table order; missing texts count as empty.
    explicit Criteria(const QStringList &texts);

    // True when every filled criterion matches (always true with none filled).
    bool matches(const char *record) const { return m_texts.matches(record); }

private:
    TextCriteria m_texts;
};

// The fixed-column lines that stand for a member in the lists. A piece is either a fixed text or
// a record field, fitted to `width` characters (trimmed, then padded or cut), or just trimmed when
// `width` is 0.
using LinePiece = ::LinePiece;
enum class LineKind
{
    Result,     // name, telephones, card number and expiry, fee
    Certificate // name, mobile, tax code, activity, certificate expiry
};
const std::vector<LinePiece> &linePieces(LineKind kind);

// The line of a record (Member::kRecordSize raw bytes).
QString buildLine(LineKind kind, const char *record);
// The same, appended to `out` (no allocation when `out` has room).
void appendLine(LineKind kind, const char *record, QString &out);

// Expiry of a date text against a day: expired when `today` is later than the date; a text that
// is not a dd/mm/yyyy date is unreadable.
enum class Expiry
{
    Expired,
    Current,
    Unreadable
};
Expiry expiryOf(const QString &dateText, const QDate &today);
// The same for a date read already (invalid: unreadable).
Expiry expiryOf(const QDate &date, const QDate &today);

// The two expiry lists: the date field tested, the line shown, the print title.
struct ExpiryListInfo
{
    Member::Field dateField;
    LineKind line;
    const char *printTitle;
};
extern const ExpiryListInfo kExpiredCards;
extern const ExpiryListInfo kExpiredCertificates;

// Reads the archive and returns, sorted, the result lines of the records the criteria match.
// False (with the reason) when the archive cannot be opened or read; `lines` then holds nothing.
bool search(const Criteria &criteria, QStringList &lines, QString *error = nullptr);
// The same, each line with the record it stands for.
bool search(const Criteria &criteria, ListRows &rows, QString *error = nullptr);
// The same, as the list keeps them (lines built when shown).
bool search(const Criteria &criteria, KeptRows &rows, QString *error = nullptr);

// Reads the archive and returns, sorted, the lines of the records whose date has expired by
// `today`. A record whose date is unreadable is passed over. On a failure the lines collected
// before it are kept (sorted) and false is returned.
bool expiredLines(const ExpiryListInfo &list, const QDate &today, QStringList &lines,
                  QString *error = nullptr);
// The same, each line with the record it stands for.
bool expiredRows(const ExpiryListInfo &list, const QDate &today, ListRows &rows, QString *error = nullptr);
// The same, as the list keeps them (lines built when shown).
bool expiredRows(const ExpiryListInfo &list, const QDate &today, KeptRows &rows, QString *error = nullptr);

// Finds the records behind a list line by reading the whole archive: every record whose line,
// trimmed, equals `line` trimmed (case matters) is decoded and handed to `chosen` in archive
// order. The lists do not need it: their rows keep their record. False when the archive cannot be opened or
// read; records handed over before the failure stay handed over.
bool findRecords(LineKind kind, const QString &line,
                 const std::function<void(qint64 index, const Member::Record &record)> &chosen,
                 QString *error = nullptr);

// Find in list and "Trova": the rules every result list shares (common/ListLines.h).
using ::containsFoldedAZ;
using ::findInList;

} // namespace MemberSearch
