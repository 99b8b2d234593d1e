#include "common/SpreadsheetExportFlow.h"

#include "common/MsgBox.h"
#include "common/OpenURL.h"
#include "common/ProgramFolder.h"

#include <QApplication>

void runSpreadsheetExport(QWidget *parent, const SpreadsheetExport &table)
{
    if (!MsgBox::confirm(parent, QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi "
                                                "minuti a seconda del numero di schede presenti in "
                                                "archivio.\r\n\r\nSi vuole esportare i dati adesso?")))
        return;

    const QString path = programFolder() + table.fileName;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SpreadsheetFailure failure = writeSpreadsheet(path, table);
    QApplication::restoreOverrideCursor();
    if (failure.cause != SpreadsheetFailure::Cause::None) {
        MsgBox::plain(parent, exportFailureMessage(failure));
        return;
    }

    if (MsgBox::confirm(parent, QStringLiteral("Le schede in archivio sono state esportate con successo."
                                               "\r\n\r\nSi vuole aprire il file di Excel?")))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
