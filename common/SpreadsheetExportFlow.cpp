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
    const bool written = writeSpreadsheetFile(path, table);
    QApplication::restoreOverrideCursor();
    if (!written) {
        MsgBox::plain(parent,
                      QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                     "Accertarsi che il file di Excel non sia già aperto."));
        return;
    }

    if (MsgBox::confirm(parent, QStringLiteral("Le schede in archivio sono state esportate con successo."
                                               "\r\n\r\nSi vuole aprire il file di Excel?")))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
