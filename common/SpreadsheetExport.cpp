#include "common/SpreadsheetExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The spreadsheet program keeps ".~lock.<name>#" beside every file it has open.
bool openInSpreadsheetProgram(const QString &path)
{
    const QFileInfo info(path);
    return QFileInfo::exists(
        info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + QLatin1Char('#')));
}
} // namespace

bool writeSpreadsheetFile(const QString &path, const SpreadsheetExport &table, QString *error)
{
    if (openInSpreadsheetProgram(path)) {
        if (error)
            *error = QStringLiteral("the file is open in the spreadsheet program");
        return false;
    }
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
