#pragma once

#include "common/SpreadsheetExport.h"

#include <array>

// The member archive export: the grid of the export window and the columns of
// Archivio_Iscritti.xls, one row per grid column.
namespace MemberExport {

struct Column
{
    const char *name;         // grid column (colNum ... colNote)
    const char *gridHeader;   // UTF-8
    int gridWidth;
    bool editable;            // may be changed on screen (the grid is a working copy)
    const char *exportHeader; // UTF-8; nullptr for the row number, which is not exported
    int exportWidth;
    int field;                // Member::Field shown in the column; -1 for the row number
};

constexpr int kColumnCount = 26;
extern const std::array<Column, kColumnCount> kColumns;

inline const QString kFileName = QStringLiteral("Archivio_Iscritti.xls");
inline const QString kSheetName = QStringLiteral("Riepilogo Iscritti");

// The exported columns (grid columns 1 to 25) with their headers and widths.
QList<SpreadsheetColumn> exportColumns();
// Grid column of exported column i.
int gridColumnOf(int exportColumn);

} // namespace MemberExport
