#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <Qt>
#include <vector>

// Page designs are plain data: each printing window describes its page once as a table of these
// rows, and the report engine (Report.h) lays it out. Positions and sizes are in millimetres;
// heights set at print time are in report units (1/96 inch).
namespace Reports {

constexpr double kMmPerInch = 25.4;
constexpr double kUnitsPerInch = 96.0;
constexpr double kMmPerUnit = kMmPerInch / kUnitsPerInch;
inline double unitsToMm(double units)
{
    return units * kMmPerUnit;
}

// A colour with alpha 0 means "none" (no fill, no border).
constexpr QRgb kNoColour = 0x00000000;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

// The named colours page designs use (the usual web names).
namespace Colour {
constexpr QRgb AliceBlue = 0xFFF0F8FF;
constexpr QRgb Beige = 0xFFF5F5DC;
constexpr QRgb Black = kBlack;
constexpr QRgb Brown = 0xFFA52A2A;
constexpr QRgb Navy = 0xFF000080;
constexpr QRgb RoyalBlue = 0xFF4169E1;
constexpr QRgb SlateGray = 0xFF708090;
constexpr QRgb Snow = 0xFFFFFAFA;
constexpr QRgb White = kWhite;
} // namespace Colour

// A colour by its web name ("AliceBlue", "navy", "#F0F8FF"; case does not matter); kNoColour for
// "none", an empty name or an unknown one.
QRgb namedColour(QStringView name);

enum class ObjectKind
{
    Text,
    Picture,
    Rectangle,
    Line
};

struct FontSpec
{
    const char *family = "Arial";
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
};

// One named object. Text objects print their text literally, one text line per line of the text,
// never wrapped, half a millimetre in from the left and right edges of the box and cut there (or,
// when marked to shrink, drawn smaller until the line fits). A picture is scaled into its box with its
// proportions kept and centred. A rectangle is filled and outlined; a line runs from the top-left to the
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
    // A line too wide for the box is drawn in a smaller size until it fits, instead of being cut
    // (a text that must print whole, as an amount in words).
    bool shrinkToFit = false;
    QString text;
};

enum class BandKind
{
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
// Positions are measured from the top-left corner of the paper plus the margins; margins may be
// negative (they move everything up or to the left) and, with the orientation, may be set again
// just before printing (Report::setMargins, Report::setOrientation).
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
ObjectDesign rectangleObject(const QString &name, double left, double top, double width, double height,
                             QRgb fill, QRgb border, double borderWidth = 0.2);
ObjectDesign pictureObject(const QString &name, double left, double top, double width, double height);
ObjectDesign lineObject(const QString &name, double left, double top, double width, double height,
                        QRgb colour, double lineWidth = 0.2);

// Copies of a group of objects moved down by `dy` mm, each named as its original followed by
// `suffix` (the lower copy of a two-copy page: copyGroup(upper, 155, "_B")). Objects whose name is
// in `except` are left out, so that the caller can add them with their own places and names.
std::vector<ObjectDesign> copyGroup(const std::vector<ObjectDesign> &group, double dy, const QString &suffix,
                                    const QStringList &except = {});

} // namespace Reports
