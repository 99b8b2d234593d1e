#include "common/SpreadsheetExport.h"

#include "common/FileReplace.h"
#include "common/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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
SpreadsheetFailure::Cause causeOf(int errorNumber)
{
    return SystemError::isDiskFull(errorNumber) ? SpreadsheetFailure::Cause::DiskFull
                                                : SpreadsheetFailure::Cause::Other;
}

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
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int reason = QFileInfo(path).isDir() ? EISDIR : errno;
        const bool folderWritable = QFileInfo(QFileInfo(path).absolutePath()).isWritable();
        return failed(folderWritable ? causeOf(reason) : Cause::NotAllowed, SystemError::text(reason), error);
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
    if (!writer.finish()) {
        file.cancelWriting();
        return failed(causeOf(writer.errorNumber()), SystemError::text(writer.errorNumber()), error);
    }
    QString reason;
    if (!FileReplace::commit(file, &reason))
        return failed(causeOf(errno), reason, error);
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
        return head + SystemError::diskFullAdvice(QStringLiteral("l'esportazione"));
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
