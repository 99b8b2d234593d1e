#include "common/SpreadsheetExport.h"

#include <QFile>

bool writeSpreadsheetFile(const QString &path, const SpreadsheetExport &table, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    SpreadsheetWriter writer(&file);
    writer.writeHead(table.sheetName, table.columns);
    const int columns = int(table.columns.size());
    for (qsizetype r = 0; r < table.rowCount && writer.ok(); ++r) {
        writer.beginRow();
        for (int c = 0; c < columns; ++c)
            writer.writeCell(table.cell ? table.cell(r, c) : QString());
        writer.endRow();
    }
    const bool written = writer.finish() && file.flush();
    if (!written && error)
        *error = file.errorString();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

QList<SpreadsheetColumn> exportedColumns(const ExportColumn *columns, int count)
{
    QList<SpreadsheetColumn> out;
    for (int i = 0; i < count; ++i)
        if (columns[i].exportHeader)
            out.append({QString::fromUtf8(columns[i].exportHeader), columns[i].exportWidth});
    return out;
}

int gridColumnOf(const ExportColumn *columns, int count, int exportColumn)
{
    int seen = -1;
    for (int i = 0; i < count; ++i)
        if (columns[i].exportHeader && ++seen == exportColumn)
            return i;
    return -1;
}
