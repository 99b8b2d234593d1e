// Printing and preview of prepared reports through the system's printers.
#include "common/TestSeam.h"
#include "reports/Report.h"
#include "reports/ReportPreview.h"

#include <QPrintDialog>
#include <QPrinter>

namespace Reports {

namespace {
OutputHook &outputHook()
{
    return TestSeam<OutputHook>::hook();
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

void setOutputHook(OutputHook hook)
{
    TestSeam<OutputHook>::set(std::move(hook));
}

bool printOn(const PreparedReport &report, QPrinter *printer, QString *error)
{
    // Objects are placed from the paper's corner; the design's margins are part of the layout.
    printer->setFullPage(true);
    // Should the printer still paint from its printable area, the paper's corner lies above and to
    // the left of the painter's origin.
    const QPointF paperCorner = printer->paperRect(QPrinter::DevicePixel).topLeft() -
                                printer->pageRect(QPrinter::DevicePixel).topLeft();
    if (!renderTo(report, printer, error, printer->fromPage(), printer->toPage(), paperCorner))
        return false;
    if (printer->printerState() == QPrinter::Error) {
        setError(error, QStringLiteral("La stampante ha segnalato un errore."));
        return false;
    }
    return true;
}

bool print(const PreparedReport &report, QWidget *parent, QString *error, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (const OutputHook &hook = outputHook())
        return hook(report, Destination::Printer, error);

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.documentName);
    printer.setCreator(QStringLiteral("Corvalla"));
    // Full page first: a printer refuses a layout without margins while it reserves its border, and
    // would then keep its own paper orientation.
    printer.setFullPage(true);
    printer.setPageSize(report.pageSize);
    printer.setPageOrientation(report.orientation);
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    const int pages = int(report.pages.size());
    printer.setFromTo(0, 0);

    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgStampa"));
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pages > 1);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        if (cancelled)
            *cancelled = true;
        return true;
    }
    if (printer.printRange() != QPrinter::PageRange)
        printer.setFromTo(0, 0);
    return printOn(report, &printer, error);
}

bool preview(const PreparedReport &report, QWidget *parent, QString *error)
{
    if (const OutputHook &hook = outputHook())
        return hook(report, Destination::Preview, error);

    ReportPreview window(report, parent);
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
    return window.printSucceeded(error);
}

} // namespace Reports
