#pragma once

#include "common/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

// The lines of the result lists (member search, expiry lists, receipt search, takings summary):
// how a record becomes a fixed-column line, how a search text matches a record, the list order
// and the find-in-list rule. No widgets here; everything works on raw record bytes.

// One piece of a list line: a fixed text, or a record field fitted to `width` characters
// (trimmed, then padded or cut), or just trimmed when `width` is 0.
struct LinePiece
{
    int field;         // index in the record layout, or -1 for a fixed text
    int width;         // characters; 0: trimmed, not fitted
    const char *fixed; // UTF-8 fixed text, for field == -1
};

// One criterion of a search window: its entry field, the label beside it, the record field (index
// in the record layout) it is tested against, its highlight band and where Enter moves the focus.
struct SearchCriterion
{
    const char *entryField;
    const char *label; // UTF-8
    int field;
    const char *band;
    const char *enterTarget;
};

// The stored text of a field as raw Windows-1252 bytes with blanks (code 32 or below) trimmed
// at both ends: the decoded field's trim, without decoding.
struct FieldBytes
{
    const char *data;
    int size;
};
FieldBytes trimmedFieldBytes(const char *record, const FieldSpec &field);

// A table of line pieces made ready for a record layout; builds lines without allocating.
class LineBuilder
{
public:
    LineBuilder() = default; // no pieces: empty lines
    LineBuilder(const RecordLayout &layout, const std::vector<LinePiece> &pieces);

    // Appends the line of `record` (layout().recordSize() raw bytes) to `out`.
    void append(const char *record, QString &out) const;
    QString line(const char *record) const;
    // The order of the lines of records `a` and `b` in the list order, found without building
    // them: negative, zero or positive. The list order compares character codes, with a-z taken
    // as A-Z and nothing else folded.
    int compare(const char *a, const char *b) const;
    // Writes the first `size` characters of the line of `record`, folded as the list order folds
    // them, to `key`, and code 0 after the line's end: two lines whose keys differ are in the
    // order of their keys, compared code by code.
    void sortKey(const char *record, char16_t *key, int size) const;

    // The bytes each field shows on the line (trimmed, and cut to the characters it has there),
    // one field after the other with their lengths, are all a line needs: keep() copies them from
    // a record into `keptSize()` bytes, and the builder that kept() returns makes the same line
    // from them.
    int keptSize() const { return m_keptSize; }
    // Returns the number of characters of the record's line.
    int keep(const char *record, char *kept) const;
    LineBuilder kept() const;

private:
    friend class LineChars;
    struct Piece
    {
        int offset;
        int width; // field width in the record
        int fit;   // characters on the line; 0: trimmed only
        QString fixed;
        bool isField;
        bool isKept = false; // the field holds just the bytes its line shows (kept bytes)

        // What the line shows of the field: its first `take` bytes (trimmed), fitted to
        // `size` characters.
        struct Shown
        {
            const char *data;
            int take;
            int size;
        };
        Shown shownOf(const char *record) const;
    };
    std::vector<Piece> m_pieces;
    int m_keptSize = 0;
};

// Search texts against record fields: a filled text (not empty once trimmed) matches when it,
// exactly as typed (blanks kept) and with A-Z folded to a-z, occurs in the field folded the
// same way; accented letters compare as they are. A text with a character no record can hold
// matches nothing.
class TextCriteria
{
public:
    TextCriteria() = default;
    // `fields[i]` is the layout field that `texts[i]` is tested against.
    TextCriteria(const RecordLayout &layout, const std::vector<int> &fields, const QStringList &texts);

    // True when every filled text matches (always true with none filled).
    bool matches(const char *record) const;

private:
    struct Prepared
    {
        int offset;
        int width;
        QByteArray pattern; // Windows-1252, A-Z folded
        bool possible;
    };
    std::vector<Prepared> m_filled;
};

// A line of a result list with the 0-based record it stands for, so that a double click opens
// exactly that record, however many records give the same line.
struct ListRow
{
    QString text;
    qint64 index = -1;
};
using ListRows = std::vector<ListRow>;

// The rows of a result list as the list keeps them: per row, the bytes its line shows of each
// field (LineBuilder::keep), kept from the record as it was read, and the 0-based record it
// stands for. A line's text is built only when it is asked for (shown, found, printed), and the
// rows are put in the list order without building any, so a list of 100,000 rows holds little
// more than what its lines show of the records.
class KeptRows
{
public:
    KeptRows() = default;
    explicit KeptRows(const LineBuilder &builder);

    // Room for `rows` rows, taken at once rather than grown (pages never written cost nothing).
    void reserve(qsizetype rows);
    // Adds the row of `record` (raw bytes in the builder's layout) at the end.
    void append(qint64 index, const char *record);
    // Puts the rows in the list order (LineBuilder::compare); stable, so rows with equal lines
    // keep the order they were added in (the archive's).
    void sort();
    void clear();

    qsizetype size() const { return qsizetype(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    qint64 recordAt(qsizetype row) const { return m_records[entry(row)]; }
    QString lineAt(qsizetype row) const;
    // The characters of the longest line.
    int longest() const { return m_longest; }
    // Every row with its line built.
    ListRows toListRows() const;

private:
    size_t entry(qsizetype row) const { return m_order.empty() ? size_t(row) : size_t(m_order[size_t(row)]); }
    const char *keptOf(size_t entry) const { return m_kept.data() + entry * size_t(m_line.keptSize()); }

    LineBuilder m_source; // lines over records
    LineBuilder m_line;   // the same lines over kept bytes
    std::vector<char> m_kept;
    std::vector<qint64> m_records;
    std::vector<qint32> m_order; // row to entry once sorted; empty in the order added
    int m_longest = 0;
};

// Find in list: true when `line`, with A-Z folded to a-z, contains `needle` (already folded).
bool containsFoldedAZ(QStringView line, QStringView needle);

// One press of "Trova" over `count` lines (count > 0). `selected` is the selected row (>= 0);
// `repeated` tells that the folded find text equals the last one. A new text examines the lines
// from the first; a repeated one from the line after the selected one, wrapping, the selected one
// last. Returns the row found, or -1 (always -1 for an empty text).
int findInList(int count, const std::function<QStringView(int row)> &lineAt, int selected,
               const QString &needle, bool repeated);
