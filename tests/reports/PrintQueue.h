#pragma once

// Printing onto the private CUPS queue of the printing tests (scripts/cups-start.sh): the queue
// writes each job as a PDF file into CORVALLA_PDF_DIR.

#include "ModalHelper.h"
#include "PdfText.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <memory>

namespace PrintQueue {

inline const QString kQueue = QStringLiteral("CorvallaPDF");

inline QStringList pdfFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// The PDF that appears in the folder after `before`, once the queue has finished writing it
// (its text can be read and its size stays the same); empty after the time limit.
inline QString waitForNewPdf(const QString &folder, const QStringList &before, int timeoutMs = 90000)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastSize = -1;
    while (clock.elapsed() < timeoutMs) {
        for (const QString &name : pdfFiles(folder)) {
            if (before.contains(name))
                continue;
            const QString path = QDir(folder).filePath(name);
            const qint64 size = QFileInfo(path).size();
            bool readable = false;
            if (size > 0 && size == lastSize) {
                PdfText::text(path, &readable);
                if (readable)
                    return path;
            }
            lastSize = size;
        }
        QTest::qWait(300);
    }
    return QString();
}

// Presses the print button of the real print dialog as soon as it shows, leaving every choice as
// the dialog proposes it (the default printer).
inline std::shared_ptr<bool> acceptPrintDialog(QString *printerName)
{
    return Modal::whenShown<QPrintDialog>([printerName](QPrintDialog *dialog) {
        *printerName = dialog->printer()->printerName();
        const auto boxes = dialog->findChildren<QDialogButtonBox *>();
        QAbstractButton *ok = nullptr;
        for (QDialogButtonBox *box : boxes)
            if (!ok)
                ok = box->button(QDialogButtonBox::Ok);
        if (ok)
            ok->click();
        else
            dialog->accept();
    });
}

} // namespace PrintQueue
