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
};

// Writes the table to `path`, replacing any file there (the file is emptied first, then written).
// False, with the reason, when the file cannot be created or written; the file may then be
// incomplete. A file that the spreadsheet program has open (its lock file lies beside it) is
// left alone and the write fails.
bool writeSpreadsheetFile(const QString &path, const SpreadsheetExport &table, QString *error = nullptr);
