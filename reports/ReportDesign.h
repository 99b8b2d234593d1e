#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRgb>
#include <QString>
#include <Qt>
#include <vector>

// Page designs are plain data: each printing window describes its page once as a table of these
// rows, and the report engine (Report.h) lays it out. Positions and sizes are in millimetres;
// heights set at print time are in report units (1/96 inch).
namespace Reports {

constexpr double kMmPerInch = 25.4;
constexpr double kUnitsPerInch = 96.0;
constexpr double kMmPerUnit = kMmPerInch / kUnitsPerInch;
inline double unitsToMm(double units) { return units * kMmPerUnit; }

// A colour with alpha 0 means "none" (no fill, no border).
constexpr QRgb kNoColour = 0x00000000;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

enum class ObjectKind { Text, Picture, Rectangle, Line };

struct FontSpec
{
    const char *family = "Arial";
    double pointSize = 10;
    bool bold = false;
};

// One named object. Text objects print their text literally, one text line per line of the text,
// never wrapped, cut at the object's edges. A picture is scaled into its box with its proportions
// kept and centred. A rectangle is filled and outlined; a line runs from the top-left to the
// bottom-right corner of its box.
struct ObjectDesign
{
    QString name;
    ObjectKind kind = ObjectKind::Text;
    double left = 0, top = 0, width = 0, height = 0; // mm, from the band top or the printable area
    FontSpec font;
    QRgb textColour = kBlack;
    QRgb fill = kNoColour;
    QRgb border = kNoColour;
    double borderWidth = 0.2; // mm
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // Distance between text lines in report units; 0 takes the font's own line spacing.
    double linePitch = 0;
    // The text replaces "[DATE]" and "[TIME]" with the date and time of printing; every other
    // text prints exactly as set.
    bool stampsDateTime = false;
    QString text;
};

enum class BandKind {
    Title, // once, at the top of the first page
    Data,  // once, continuing on the next page when it does not fit
    Footer // once, after the data band
};

struct BandDesign
{
    QString name;
    BandKind kind = BandKind::Data;
    double height = 0; // mm
    std::vector<ObjectDesign> objects;
};

// A design holds either objects placed straight on its single page or bands, in print order.
struct PageDesign
{
    QString name;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins; // mm: left, top, right, bottom
    std::vector<ObjectDesign> objects;
    std::vector<BandDesign> bands;
};

// Row builders, so that design tables read as one line per object.
ObjectDesign textObject(const QString &name, double left, double top, double width, double height,
                        FontSpec font, QRgb textColour, QRgb fill, Qt::Alignment alignment,
                        const QString &text = QString());
ObjectDesign rectangleObject(const QString &name, double left, double top, double width,
                             double height, QRgb fill, QRgb border, double borderWidth = 0.2);
ObjectDesign pictureObject(const QString &name, double left, double top, double width, double height);
ObjectDesign lineObject(const QString &name, double left, double top, double width, double height,
                        QRgb colour, double lineWidth = 0.2);

} // namespace Reports
