#pragma once

#include "common/SpreadsheetWriter.h"

#include <QList>
#include <QString>
#include <functional>

// What an export window hands to the export: the file, the worksheet, the columns and the cells.
struct SpreadsheetExport
{
    QString fileName; // written into the program folder
    QString sheetName;
    QList<SpreadsheetColumn> columns;
    qsizetype rowCount = 0;
    // The text of a cell; `column` counts in `columns`. Asked row by row, left to right.
    std::function<QString(qsizetype row, int column)> cell;
    // Why the cells could not all be read, once one could not (optional): the export then fails
    // with that reason rather than write a file with cells missing.
    std::function<QString()> readError;
};

// One column of an export window's grid: its name, header and width on screen, whether it may be
// changed there (the grid is a working copy), and, unless it only numbers the rows, its header and
// width in the file and the record field it shows.
struct ExportColumn
{
    const char *name;       // grid column (colNum ...)
    const char *gridHeader; // UTF-8
    int gridWidth;
    bool editable;
    const char *exportHeader; // UTF-8; nullptr for the row number, which is not exported
    int exportWidth;
    int field; // record field shown in the column; -1 for the row number
};

// The exported columns of a grid, in order, with their headers and widths.
QList<SpreadsheetColumn> exportedColumns(const ExportColumn *columns, int count);
// The grid column of exported column `exportColumn`, or -1.
int gridColumnOf(const ExportColumn *columns, int count, int exportColumn);

// Why an export was not written.
struct SpreadsheetFailure
{
    enum class Cause
    {
        None,              // written
        OpenInSpreadsheet, // the spreadsheet program has the file open (its lock file lies beside it)
        DiskFull,
        NotAllowed, // the program folder takes no new file
        Other
    };
    Cause cause = Cause::None;
    QString reason; // the cause in Italian (SystemError::text), or the reading's own reason
};

// Writes the table to `path`, replacing any file there. The table goes to a temporary file beside
// it, renamed over the file only once complete and flushed, so a failed export leaves the previous
// file whole. A file that the spreadsheet program has open is left alone and the write fails.
SpreadsheetFailure writeSpreadsheet(const QString &path, const SpreadsheetExport &table,
                                    QString *error = nullptr);
// The same, true when written.
bool writeSpreadsheetFile(const QString &path, const SpreadsheetExport &table, QString *error = nullptr);
// The message that tells the user why the export failed.
QString exportFailureMessage(const SpreadsheetFailure &failure);
