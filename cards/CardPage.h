#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <array>

// The membership card page "Tesserino": one credit-card-sized card (86 x 54 mm) near the top-left
// corner of an A4 page. The same table places the card's objects on paper and, scaled, on the
// card window's screen.
namespace CardPage {

// The nine texts of a card, in the order they are filled in.
enum Text
{
    Associazione,
    Sottotitolo01,
    Sottotitolo02,
    Annotazioni,
    Tesserato,
    Attivita,
    NumTessera,
    DataRil,
    DataScade,
    TextCount
};

enum Picture
{
    Logo,
    Foto,
    PictureCount
};

// What a card shows: the card window's nine texts and two pictures at the moment of printing.
struct Content
{
    std::array<QString, TextCount> texts;
    QImage logo;
    QImage photo;
};

// One object of the card. A filled object takes its text or picture from the card window's
// control `control`; a fixed text prints `text`.
struct Row
{
    const char *name;
    Reports::ObjectKind kind;
    double left, top, width, height; // mm from the top-left corner of the printable area
    double pointSize;
    bool bold;
    QRgb textColour;
    QRgb fill;
    QRgb border;
    Qt::Alignment alignment;
    const char *control; // the card window's control shown here, or nullptr for a rectangle
    int filledFrom;      // a Text or Picture the object is filled from; -1 for fixed objects
    const char *text;    // fixed text (UTF-8), or nullptr
};

// The objects in drawing order (later ones on top).
const std::vector<Row> &rows();

// The card's outline (shpSfondo) in mm on the page, the origin of the card on screen.
QRectF cardOutline();

enum class Copy
{
    Print,   // the print window's copy
    Preview, // the preview window's copy: the notes line stands 0.2 mm lower
};
const Reports::PageDesign &design(Copy copy);

// Puts the two pictures and the nine texts, each trimmed, into the report (in that order).
bool fill(Reports::Report &report, const Content &content, QString *error = nullptr);

// A card laid out for printing or previewing: the copy's design, the orientation and the page
// margins (mm; left and top, negative ones too), filled with the content.
bool prepare(Copy copy, const Content &content, QPageLayout::Orientation orientation,
             const QMarginsF &margins, Reports::PreparedReport *out, QString *error = nullptr);

} // namespace CardPage
