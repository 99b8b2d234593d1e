#pragma once

#include "common/SpreadsheetExport.h"

#include <array>

// The receipt export: the grid of the export window and the columns of Ricevute.xls, one row per
// grid column.
namespace ReceiptExport {

constexpr int kColumnCount = 13;
extern const std::array<ExportColumn, kColumnCount> kColumns;

inline const QString kFileName = QStringLiteral("Ricevute.xls");
inline const QString kSheetName = QStringLiteral("Riepilogo Ricevute");

} // namespace ReceiptExport
