#pragma once

#include "records/ReceiptRecord.h"
#include "reports/Report.h"

#include <QImage>
#include <QRgb>
#include <Qt>
#include <vector>

// The receipt page (repDocumento): one A4 sheet, portrait, without margins, holding the receipt in
// two copies, the payer's above the dashed cut line and the receiver's below it. The lower copy
// is the upper one moved down, its objects named as the upper ones with "_B", except the objects
// whose row gives a name, place or text of its own.
namespace ReceiptPage {

// What an object is; captions are fixed texts in bold italic.
enum class Kind
{
    Line,
    Rectangle,
    Picture,
    Text,
    Caption
};

constexpr double kSame = -1;        // the lower copy keeps the upper copy's value
constexpr double kLowerShift = 155; // mm between the two copies

// One object of the upper copy (or of the sheet alone) and its twin in the lower copy. Positions
// and sizes are in millimetres from the top-left corner of the sheet.
struct PageObject
{
    const char *name;
    Kind kind;
    double left, top, width, height;
    double points;           // text size
    bool bold;               // texts (captions are always bold italic)
    Qt::Alignment alignment; // texts
    QRgb fill;               // rectangles
    const char *text;        // UTF-8 fixed text; nullptr for a text filled from the receipt
    const char *picture;     // resource of a fixed picture; nullptr for the logo
    // The lower copy: its name (nullptr: the object is on the sheet once), its top, and where they
    // differ, its left, height and text.
    const char *lowerName;
    double lowerTop;
    double lowerLeft;
    double lowerHeight;
    const char *lowerText;
};
const std::vector<PageObject> &objects();

// What fills a text of both copies: a prefix, a receipt field and optionally a separator and a
// second field, each field trimmed.
struct Filling
{
    const char *object; // the upper copy's object; the lower copy's is the same name + "_B"
    const char *prefix;
    Receipt::Field field;
    const char *separator;
    int secondField;           // a Receipt::Field, or -1
    bool printedWhole = false; // drawn smaller when too long for its box, never cut (an amount)
};
const std::vector<Filling> &fillings();

// The design as the report engine takes it.
const Reports::PageDesign &design();

// Sets the page portrait, the fixed pictures, the logo into both copies and every filled text of
// both copies from the receipt.
bool fill(Reports::Report &report, const Receipt::Record &receipt, const QImage &logo,
          QString *error = nullptr);

// The page filled with the receipt and laid out, ready to preview or print.
bool prepare(const Receipt::Record &receipt, const QImage &logo, Reports::PreparedReport *out,
             QString *error = nullptr);

} // namespace ReceiptPage
