#pragma once

#include "members/MemberRecord.h"

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

// One criterion of the search window: its entry field, the label beside it, the record field it
// is tested against, its highlight band and where Enter moves the focus.
struct CriterionInfo
{
    const char *entryField;
    const char *label; // UTF-8
    Member::Field field;
    const char *band;
    const char *enterTarget;
};
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
    bool matches(const char *record) const;

private:
    struct Prepared
    {
        int offset;
        int width;
        QByteArray pattern; // Windows-1252, A-Z folded
        bool possible;      // false when the text holds a character no record can hold
    };
    std::vector<Prepared> m_filled;
};

// The fixed-column lines that stand for a member in the lists. A piece is either a fixed text or
// a record field, fitted to `width` characters (trimmed, then padded or cut), or just trimmed when
// `width` is 0.
struct LinePiece
{
    int field;         // Member::Field, or -1 for a fixed text
    int width;         // characters; 0: trimmed, not fitted
    const char *fixed; // UTF-8 fixed text, for field == -1
};
enum class LineKind {
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
enum class Expiry { Expired, Current, Unreadable };
Expiry expiryOf(const QString &dateText, const QDate &today);

// The two expiry lists: the date field tested, the line shown, the print title.
struct ExpiryListInfo
{
    Member::Field dateField;
    LineKind line;
    const char *printTitle;
};
extern const ExpiryListInfo kExpiredCards;
extern const ExpiryListInfo kExpiredCertificates;

// The list order: character codes, with a-z taken as A-Z and nothing else folded. Stable, so
// equal lines keep their archive order.
void sortLines(QStringList &lines);

// Reads the archive and returns, sorted, the result lines of the records the criteria match.
// False (with the reason) when the archive cannot be opened or read; `lines` then holds nothing.
bool search(const Criteria &criteria, QStringList &lines, QString *error = nullptr);

// Reads the archive and returns, sorted, the lines of the records whose date has expired by
// `today`. A record whose date is unreadable is passed over. On a failure the lines collected
// before it are kept (sorted) and false is returned.
bool expiredLines(const ExpiryListInfo &list, const QDate &today, QStringList &lines, QString *error = nullptr);

// Finds the records behind a list line: every record whose line, trimmed, equals `line` trimmed
// (case matters) is decoded and handed to `chosen` in archive order, so the caller can let the
// last one stay. False when the archive cannot be opened or read; records handed over before the
// failure stay handed over.
bool findRecords(LineKind kind, const QString &line,
                 const std::function<void(qint64 index, const Member::Record &record)> &chosen,
                 QString *error = nullptr);

// Find in list: true when `line`, with A-Z folded to a-z, contains `needle` (already folded).
bool containsFoldedAZ(QStringView line, QStringView needle);

// One press of "Trova" over `count` lines (count > 0). `selected` is the selected row (>= 0);
// `repeated` tells that the folded find text equals the last one. A new text examines the lines
// from the first; a repeated one from the line after the selected one, wrapping, the selected one
// last. Returns the row found, or -1 (always -1 for an empty text).
int findInList(int count, const std::function<QStringView(int row)> &lineAt, int selected,
               const QString &needle, bool repeated);

} // namespace MemberSearch
