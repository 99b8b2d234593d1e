#include "common/SpreadsheetExport.h"

#include "app/OpenURL.h"
#include "common/MsgBox.h"
#include "common/ProgramFolder.h"

#include <QApplication>
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

void runSpreadsheetExport(QWidget *parent, const SpreadsheetExport &table)
{
    if (!MsgBox::confirm(parent, QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi "
                                                "minuti a seconda del numero di schede presenti in "
                                                "archivio.\r\n\r\nSi vuole esportare i dati adesso?")))
        return;

    const QString path = programFolder() + table.fileName;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = writeSpreadsheetFile(path, table);
    QApplication::restoreOverrideCursor();
    if (!written) {
        MsgBox::plain(parent, QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                             "Accertarsi che il file di Excel non sia già aperto."));
        return;
    }

    if (MsgBox::confirm(parent, QStringLiteral("Le schede in archivio sono state esportate con successo."
                                               "\r\n\r\nSi vuole aprire il file di Excel?")))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
