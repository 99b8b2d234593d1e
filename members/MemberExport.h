#pragma once

#include "common/SpreadsheetExport.h"

#include <array>

// The member archive export: the grid of the export window and the columns of
// Archivio_Iscritti.xls, one row per grid column.
namespace MemberExport {

using Column = ExportColumn;

constexpr int kColumnCount = 26;
extern const std::array<Column, kColumnCount> kColumns;

inline const QString kFileName = QStringLiteral("Archivio_Iscritti.xls");
inline const QString kSheetName = QStringLiteral("Riepilogo Iscritti");

// The exported columns (grid columns 1 to 25) with their headers and widths.
QList<SpreadsheetColumn> exportColumns();
// Grid column of exported column i.
int gridColumnOf(int exportColumn);

} // namespace MemberExport
