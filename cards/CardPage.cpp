#include "cards/CardPage.h"

#include "common/TextUtil.h"

namespace CardPage {

namespace {

using Reports::ObjectKind;
namespace C = Reports::Colour;
constexpr QRgb None = Reports::kNoColour;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr ObjectKind Rect = ObjectKind::Rectangle;
constexpr ObjectKind Pic = ObjectKind::Picture;
constexpr ObjectKind Txt = ObjectKind::Text;

// In the preview's copy of the design the notes line stands here instead.
constexpr double kPreviewNotesTop = 58.2;
const char *const kNotesLine = "txtAnnotazioni";

// clang-format off
const std::vector<Row> kRows = {
    // name               kind  left  top   width height pt   bold   text       fill      border    align   control             filled from   fixed text
    {"shpSfondo",         Rect, 10.0, 10.0, 86.0, 54.0, 0,    false, C::Black,  C::White, C::Black, Left,   nullptr,            -1,           nullptr},
    {"imgFoto",           Pic,  12.0, 25.8, 26.0, 28.8, 0,    false, C::Black,  None,     None,     Centre, "imgFoto",          Foto,         nullptr},
    {"imgLogo",           Pic,  72.2, 34.4, 22.0, 21.0, 0,    false, C::Black,  None,     None,     Centre, "imgLogo",          Logo,         nullptr},
    {"shpHeader",         Rect, 11.0, 11.0, 83.8, 12.0, 0,    false, C::Black,  C::Navy,  C::Navy,  Left,   nullptr,            -1,           nullptr},
    {"shpFooter",         Rect, 11.0, 57.0, 83.8,  6.0, 0,    false, C::Black,  C::Navy,  C::Navy,  Left,   nullptr,            -1,           nullptr},
    {"txtAssociazione",   Txt,  12.0, 12.0, 54.0,  3.8, 8,    true,  C::White,  None,     None,     Left,   "titAssociazione",  Associazione, nullptr},
    {"txtSottotitolo01",  Txt,  12.0, 15.7, 54.0,  3.7, 7,    false, C::White,  None,     None,     Left,   "titSottotitolo01", Sottotitolo01, nullptr},
    {"txtSottotitolo02",  Txt,  12.0, 19.0, 54.0,  3.7, 7,    false, C::White,  None,     None,     Left,   "titSottotitolo02", Sottotitolo02, nullptr},
    {"txtAnnotazioni",    Txt,  12.0, 58.0, 82.0,  3.8, 8,    true,  C::White,  None,     None,     Centre, "titAnnotazioni",   Annotazioni,  nullptr},
    {"txtTesserato",      Txt,  40.0, 25.0, 55.0,  4.0, 9,    true,  C::Black,  None,     None,     Left,   "txtTesserato",     Tesserato,    nullptr},
    {"txtCarica",         Txt,  40.0, 29.0, 55.0,  3.8, 7.3,  true,  C::Black,  None,     None,     Left,   "txtCarica",        Attivita,       nullptr},
    {"txtNumTessera",     Txt,  40.0, 33.8, 31.0,  3.5, 7.3,  true,  C::Brown,  None,     None,     Left,   "txtNumTessera",    NumTessera,   nullptr},
    {"titDataRil",        Txt,  40.0, 38.0, 23.0,  3.4, 7,    false, C::Black,  None,     None,     Left,   "titDataRil",       -1,           "Data rilascio:"},
    {"shpDataRil",        Rect, 40.0, 42.0, 25.0,  4.0, 0,    false, C::Black,  C::Beige, C::Black, Left,   nullptr,            -1,           nullptr},
    {"titDataScade",      Txt,  40.0, 47.0, 23.0,  3.4, 7,    false, C::Black,  None,     None,     Left,   "titDataScade",     -1,           "Data scadenza:"},
    {"txtDataRil",        Txt,  41.4, 42.6, 22.2,  3.0, 7.3,  true,  C::Black,  None,     None,     Centre, "txtDataRil",       DataRil,      nullptr},
    {"shpDataScade",      Rect, 40.0, 51.0, 25.0,  4.0, 0,    false, C::Black,  C::Beige, C::Black, Left,   nullptr,            -1,           nullptr},
    {"txtDataScade",      Txt,  41.4, 51.6, 22.2,  3.0, 7.3,  true,  C::Black,  None,     None,     Centre, "txtDataScade",     DataScade,    nullptr},
};
// clang-format on

Reports::ObjectDesign objectOf(const Row &row)
{
    const QString name = QString::fromLatin1(row.name);
    switch (row.kind) {
    case ObjectKind::Rectangle:
        return Reports::rectangleObject(name, row.left, row.top, row.width, row.height, row.fill, row.border);
    case ObjectKind::Picture:
        return Reports::pictureObject(name, row.left, row.top, row.width, row.height);
    case ObjectKind::Text:
    case ObjectKind::Line:
        break;
    }
    Reports::FontSpec font;
    font.pointSize = row.pointSize;
    font.bold = row.bold;
    return Reports::textObject(name, row.left, row.top, row.width, row.height, font, row.textColour, row.fill,
                               row.alignment, row.text ? QString::fromUtf8(row.text) : QString());
}

Reports::PageDesign makeDesign(Copy copy)
{
    Reports::PageDesign d;
    d.name = QStringLiteral("Tesserino");
    d.pageSize = QPageSize::A4;
    d.orientation = QPageLayout::Portrait;
    d.margins = QMarginsF(0, 0, 0, 0);
    for (const Row &row : kRows) {
        Reports::ObjectDesign o = objectOf(row);
        if (copy == Copy::Preview && qstrcmp(row.name, kNotesLine) == 0)
            o.top = kPreviewNotesTop;
        d.objects.push_back(std::move(o));
    }
    return d;
}

} // namespace

const std::vector<Row> &rows()
{
    return kRows;
}

QRectF cardOutline()
{
    const Row &outline = kRows.front();
    return QRectF(outline.left, outline.top, outline.width, outline.height);
}

const Reports::PageDesign &design(Copy copy)
{
    static const Reports::PageDesign print = makeDesign(Copy::Print);
    static const Reports::PageDesign preview = makeDesign(Copy::Preview);
    return copy == Copy::Print ? print : preview;
}

bool fill(Reports::Report &report, const Content &content, QString *error)
{
    const std::pair<Picture, const QImage *> pictures[] = {{Logo, &content.logo}, {Foto, &content.photo}};
    for (const auto &[picture, image] : pictures)
        for (const Row &row : kRows)
            if (row.kind == ObjectKind::Picture && row.filledFrom == picture &&
                !report.setPicture(QString::fromLatin1(row.name), *image, error))
                return false;
    // Each text prints on its one line, whatever it holds.
    for (int text = 0; text < TextCount; ++text)
        for (const Row &row : kRows)
            if (row.kind == ObjectKind::Text && row.filledFrom == text &&
                !report.setLines(QString::fromLatin1(row.name), {trimBlanks(content.texts[size_t(text)])},
                                 error))
                return false;
    return true;
}

bool prepare(Copy copy, const Content &content, QPageLayout::Orientation orientation,
             const QMarginsF &margins, Reports::PreparedReport *out, QString *error)
{
    Reports::Report report(design(copy));
    report.setOrientation(orientation);
    report.setMargins(margins);
    return fill(report, content, error) && report.prepare(out, error);
}

} // namespace CardPage
