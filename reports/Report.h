#pragma once

#include "reports/ReportDesign.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <functional>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace Reports {

// A laid-out text line: its box on the page (mm) and its text.
struct PlacedLine
{
    QRectF box;
    QString text;
};

// An object as it lands on one page: its box in mm from the page's top-left corner, the part of
// the box that shows on this page (a split band shows each part on its own page), and for a text
// the lines that fall on this page.
struct PlacedObject
{
    ObjectDesign design;
    QRectF box;
    QRectF clip;
    QList<PlacedLine> lines;
    QImage picture;
};

struct PreparedPage
{
    QList<PlacedObject> objects;
};

// The result of laying out a report: pages of placed objects, ready to be painted on any device.
struct PreparedReport
{
    QString documentName;
    QPageSize pageSize;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QDateTime printedAt;
    QList<PreparedPage> pages;

    QPageLayout pageLayout() const; // the full page, no margins: objects carry their own
    QSizeF pageSizeMm() const;
    // The first placed object with that name on a page (nullptr when there is none).
    const PlacedObject *find(int page, const QString &name) const;
};

// A report built from a page design: its objects can be found by name and given their texts,
// pictures and heights, then prepare() lays the pages out.
class Report
{
public:
    explicit Report(PageDesign design);

    const PageDesign &design() const { return m_design; }

    // The object or band called `name`, or nullptr.
    ObjectDesign *object(const QString &name);
    BandDesign *band(const QString &name);

    // Each setter reports an unknown name (or a wrong kind of object) through its result.
    bool setText(const QString &name, const QString &text, QString *error = nullptr);
    // One text line per entry; line breaks inside an entry become blanks.
    bool setLines(const QString &name, const QStringList &lines, QString *error = nullptr);
    bool setPicture(const QString &name, const QImage &picture, QString *error = nullptr);
    bool setObjectHeight(const QString &name, double units, QString *error = nullptr);
    bool setBandHeight(const QString &name, double units, QString *error = nullptr);
    void setOrientation(QPageLayout::Orientation orientation);
    // The page margins in mm (left, top, right, bottom); negative values are allowed.
    void setMargins(const QMarginsF &margins);
    void setDocumentName(const QString &name) { m_documentName = name; }

    // Lays the pages out; `now` is the moment of printing stamped into date texts.
    bool prepare(PreparedReport *out, QString *error = nullptr,
                 const QDateTime &now = QDateTime::currentDateTime()) const;

private:
    PageDesign m_design;
    QString m_documentName;
    QHash<QString, QImage> m_pictures;
};

// Painting a prepared page: the painter's device gives the resolution; the page's top-left corner
// is at the painter's origin.
void paintPage(QPainter &painter, const PreparedReport &report, int page);

// Output on a device the caller owns (PDF writer, printer set up by the caller). `paperCorner` is
// where the paper's top-left corner lies in the device's painting coordinates, in device pixels
// (a printer that paints from its printable area has it above and to the left of the origin).
bool renderTo(const PreparedReport &report, QPagedPaintDevice *device, QString *error = nullptr,
              int fromPage = 1, int toPage = 0, const QPointF &paperCorner = QPointF());
bool renderPdf(const PreparedReport &report, const QString &path, QString *error = nullptr);
QImage renderPage(const PreparedReport &report, int page, double dpi);

// Printing and preview as the program does them: print() asks for the printer with the print
// dialog (a cancelled dialog is not a failure: the result is true and *cancelled is set), preview()
// shows the preview window modally, from which the report can be printed.
bool print(const PreparedReport &report, QWidget *parent, QString *error = nullptr,
           bool *cancelled = nullptr);
bool preview(const PreparedReport &report, QWidget *parent, QString *error = nullptr);
// The real printing after the dialog, on a printer that is already chosen. Every position is
// measured from the paper's top-left corner, whatever printable area the printer reports.
bool printOn(const PreparedReport &report, QPrinter *printer, QString *error = nullptr);

// Test seam: when set, print() and preview() hand each prepared report to the hook instead of
// opening the print dialog or the preview window; the hook's result is theirs.
enum class Destination
{
    Printer,
    Preview
};
using OutputHook = std::function<bool(const PreparedReport &report, Destination destination, QString *error)>;
void setOutputHook(OutputHook hook);

} // namespace Reports
