// Printing and preview of prepared reports through the system's printers.
#include "common/SystemError.h"
#include "common/TestSeam.h"
#include "reports/Report.h"
#include "reports/ReportPreview.h"

#include <QDir>
#include <QLibrary>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <cups/cups.h>

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

// The print system's library, loaded when the first job is submitted, so that the program starts
// without it. Its functions are null when it cannot be loaded.
struct PrintSystem
{
    decltype(&::cupsAddOption) addOption = nullptr;
    decltype(&::cupsFreeOptions) freeOptions = nullptr;
    decltype(&::cupsPrintFile) printFile = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;

    bool loaded() const { return addOption && freeOptions && printFile && lastErrorString; }
};

const PrintSystem &printSystem()
{
    static const PrintSystem cups = [] {
        QLibrary library(QStringLiteral("cups"), 2); // stays loaded
        PrintSystem p;
        p.addOption = reinterpret_cast<decltype(p.addOption)>(library.resolve("cupsAddOption"));
        p.freeOptions = reinterpret_cast<decltype(p.freeOptions)>(library.resolve("cupsFreeOptions"));
        p.printFile = reinterpret_cast<decltype(p.printFile)>(library.resolve("cupsPrintFile"));
        p.lastErrorString =
            reinterpret_cast<decltype(p.lastErrorString)>(library.resolve("cupsLastErrorString"));
        return p;
    }();
    return cups;
}

// The print system's options for what the print dialog chose beyond the pages: copies, collating
// and printing on both sides.
int jobOptions(const PrintSystem &cups, const QPrinter &printer, cups_option_t **options)
{
    int count = 0;
    count = cups.addOption("copies", QByteArray::number(qMax(1, printer.copyCount())).constData(), count,
                           options);
    count = cups.addOption("collate", printer.collateCopies() ? "true" : "false", count, options);
    const char *sides = "one-sided";
    if (printer.duplex() == QPrinter::DuplexLongSide)
        sides = "two-sided-long-edge";
    else if (printer.duplex() == QPrinter::DuplexShortSide)
        sides = "two-sided-short-edge";
    count = cups.addOption("sides", sides, count, options);
    return count;
}

// A job for a printer of the system: the pages go to a PDF file first, which is handed to the print
// system as one job; its answer says whether the job reached the queue (a printer that refuses
// jobs, a queue that is gone, a scheduler that is down), so a refused print is never reported as
// printed.
bool submitToQueue(const PreparedReport &report, const QPrinter &printer, QString *error)
{
    const PrintSystem &cups = printSystem();
    if (!cups.loaded()) {
        setError(error, QStringLiteral("Impossibile preparare la stampa: il sistema di stampa (CUPS) non è "
                                       "installato."));
        return false;
    }
    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/corvalla-XXXXXX.pdf"));
    errno = 0;
    if (!pdf.open()) {
        setError(error, QStringLiteral("Impossibile preparare la stampa: ") + SystemError::text(errno) +
                            QLatin1Char('.'));
        return false;
    }
    pdf.close();
    {
        QPdfWriter writer(pdf.fileName());
        writer.setTitle(report.documentName);
        writer.setCreator(QStringLiteral("Corvalla"));
        writer.setResolution(1200);
        writer.setPageLayout(report.pageLayout());
        if (!renderTo(report, &writer, error, printer.fromPage(), printer.toPage()))
            return false;
    }
    cups_option_t *options = nullptr;
    const int count = jobOptions(cups, printer, &options);
    const QByteArray title =
        report.documentName.isEmpty() ? QByteArray("Corvalla") : report.documentName.toUtf8();
    const int job =
        cups.printFile(printer.printerName().toUtf8().constData(),
                       QFile::encodeName(pdf.fileName()).constData(), title.constData(), count, options);
    cups.freeOptions(count, options);
    if (job <= 0) {
        setError(error, QStringLiteral("La stampante non ha accettato la stampa: ") +
                            QString::fromUtf8(cups.lastErrorString()));
        return false;
    }
    return true;
}
} // namespace

void setOutputHook(OutputHook hook)
{
    TestSeam<OutputHook>::set(std::move(hook));
}

bool printOn(const PreparedReport &report, QPrinter *printer, QString *error)
{
    if (printer->outputFormat() == QPrinter::NativeFormat && !printer->printerName().isEmpty())
        return submitToQueue(report, *printer, error);
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
