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

// A table of line pieces made ready for a record layout; builds lines without allocating.
class LineBuilder
{
public:
    LineBuilder(const RecordLayout &layout, const std::vector<LinePiece> &pieces);

    // Appends the line of `record` (layout().recordSize() raw bytes) to `out`.
    void append(const char *record, QString &out) const;
    QString line(const char *record) const;

private:
    struct Piece
    {
        int offset;
        int width; // field width in the record
        int fit;   // characters on the line; 0: trimmed only
        QString fixed;
        bool isField;
    };
    std::vector<Piece> m_pieces;
};

// The stored text of a field as raw Windows-1252 bytes with blanks (code 32 or below) trimmed
// at both ends: the decoded field's trim, without decoding.
struct FieldBytes
{
    const char *data;
    int size;
};
FieldBytes trimmedFieldBytes(const char *record, const FieldSpec &field);

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

// The list order: character codes, with a-z taken as A-Z and nothing else folded. Stable, so
// equal lines keep their archive order.
void sortRows(ListRows &rows);
void sortLines(QStringList &lines);

// Find in list: true when `line`, with A-Z folded to a-z, contains `needle` (already folded).
bool containsFoldedAZ(QStringView line, QStringView needle);

// One press of "Trova" over `count` lines (count > 0). `selected` is the selected row (>= 0);
// `repeated` tells that the folded find text equals the last one. A new text examines the lines
// from the first; a repeated one from the line after the selected one, wrapping, the selected one
// last. Returns the row found, or -1 (always -1 for an empty text).
int findInList(int count, const std::function<QStringView(int row)> &lineAt, int selected,
               const QString &needle, bool repeated);
