#include "common/SpreadsheetExport.h"

#include "common/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// The spreadsheet program keeps ".~lock.<name>#" beside every file it has open.
bool openInSpreadsheetProgram(const QString &path)
{
    const QFileInfo info(path);
    return QFileInfo::exists(
        info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + QLatin1Char('#')));
}
} // namespace

namespace {
SpreadsheetFailure failed(SpreadsheetFailure::Cause cause, const QString &reason, QString *error)
{
    if (error)
        *error = reason;
    return {cause, reason};
}
} // namespace

SpreadsheetFailure writeSpreadsheet(const QString &path, const SpreadsheetExport &table, QString *error)
{
    using Cause = SpreadsheetFailure::Cause;
    if (openInSpreadsheetProgram(path))
        return failed(Cause::OpenInSpreadsheet, QStringLiteral("the file is open in the spreadsheet program"),
                      error);
    // Written beside the file and renamed over it once complete: a failed export keeps the
    // previous file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const bool folderWritable = QFileInfo(QFileInfo(path).absolutePath()).isWritable();
        return failed(folderWritable ? Cause::Other : Cause::NotAllowed, file.errorString(), error);
    }
    SpreadsheetWriter writer(&file);
    writer.writeHead(table.sheetName, table.columns);
    const int columns = int(table.columns.size());
    const auto readError = [&table] { return table.readError ? table.readError() : QString(); };
    for (qsizetype r = 0; r < table.rowCount && writer.ok() && readError().isEmpty(); ++r) {
        writer.beginRow();
        for (int c = 0; c < columns; ++c)
            writer.writeCell(table.cell ? table.cell(r, c) : QString());
        writer.endRow();
    }
    if (const QString unread = readError(); !unread.isEmpty()) {
        file.cancelWriting();
        return failed(Cause::Other, unread, error);
    }
    const bool written = writer.finish();
    const Cause cause = file.error() == QFileDevice::ResourceError ? Cause::DiskFull : Cause::Other;
    QString reason = file.errorString();
    if (!written) {
        file.cancelWriting();
        return failed(cause, reason, error);
    }
    if (!FileReplace::commit(file, &reason))
        return failed(file.error() == QFileDevice::ResourceError ? Cause::DiskFull : Cause::Other, reason,
                      error);
    return {};
}

bool writeSpreadsheetFile(const QString &path, const SpreadsheetExport &table, QString *error)
{
    return writeSpreadsheet(path, table, error).cause == SpreadsheetFailure::Cause::None;
}

QString exportFailureMessage(const SpreadsheetFailure &failure)
{
    using Cause = SpreadsheetFailure::Cause;
    const QString head = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r");
    switch (failure.cause) {
    case Cause::None:
        return QString();
    case Cause::OpenInSpreadsheet:
        return head + QStringLiteral("Accertarsi che il file di Excel non sia già aperto.");
    case Cause::DiskFull:
        return head +
               QStringLiteral("Lo spazio sul disco è esaurito: liberare spazio e ripetere l'esportazione.");
    case Cause::NotAllowed:
        return head + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                     "installazione del programma.");
    case Cause::Other:
        break;
    }
    return head + QStringLiteral("Errore del sistema: ") + failure.reason + QLatin1Char('.');
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
