#pragma once

#include "common/ListLines.h"
#include "records/ReceiptRecord.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class YearFile;

// Finding receipts in a year file: the ten criteria of the receipt search, the fixed-column line
// that stands for a receipt, and the pass over the year file. No widgets here.
namespace ReceiptSearch {

constexpr int kCriterionCount = 10;
extern const std::array<SearchCriterion, kCriterionCount> kCriteria;

// The result line: number, date, payer, sport, period and whole amount; 145 characters before
// the amount, so the columns line up in a fixed-pitch font.
const std::vector<LinePiece> &linePieces();
QString buildLine(const char *record);
QString buildLine(const Receipt::Record &receipt);

// The criterion texts of one search, one per row of kCriteria; missing texts count as empty.
TextCriteria criteria(const QStringList &texts);

// Reads the year file (creating it empty when missing) and returns, in file order, the rows of
// the receipts every filled criterion matches, each with its record. False, with no rows, when
// the file cannot be opened or read.
bool search(const YearFile &file, const QStringList &texts, ListRows &rows, QString *error = nullptr);
// The same, as the list keeps them (lines built when shown).
bool search(const YearFile &file, const QStringList &texts, KeptRows &rows, QString *error = nullptr);

} // namespace ReceiptSearch
