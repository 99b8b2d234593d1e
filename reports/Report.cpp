#include "reports/Report.h"

#include "common/Formats.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace Reports {

namespace {

constexpr double kEps = 1e-6;
// Pictures are kept at no more than this resolution in their box: enough for any printer, and a
// large photo does not turn into a huge print job.
constexpr double kPictureDpi = 300.0;

QColor colour(QRgb rgb)
{
    return QColor::fromRgba(rgb);
}
bool hasColour(QRgb rgb)
{
    return qAlpha(rgb) != 0;
}

QFont makeFont(const FontSpec &font)
{
    QFont f(QString::fromUtf8(font.family));
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    // The same metrics on screen, on paper and in a PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

double fontLineSpacingMm(const FontSpec &font)
{
    constexpr double dpi = 1200.0;
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(dpi / 0.0254));
    device.setDotsPerMeterY(qRound(dpi / 0.0254));
    const QFontMetricsF fm(makeFont(font), &device);
    return fm.lineSpacing() * kMmPerInch / dpi;
}

QStringList textLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString t = text;
    t.remove(QLatin1Char('\r'));
    return t.split(QLatin1Char('\n'));
}

QString stamped(const QString &text, const QDateTime &now)
{
    QString t = text;
    t.replace(QStringLiteral("[DATE]"), Formats::formatDate(now.date()));
    t.replace(QStringLiteral("[TIME]"), now.time().toString(QStringLiteral("HH:mm:ss")));
    return t;
}

// An object laid out in its own frame (band or page): its box and, for a text, its lines.
struct Laid
{
    const ObjectDesign *design;
    QRectF box;
    QList<PlacedLine> lines;
    QImage picture;
};

bool isVisualBlock(const Laid &l)
{
    return l.design->kind != ObjectKind::Text || hasColour(l.design->fill) || hasColour(l.design->border);
}

bool isFlat(const Laid &l)
{
    return l.box.height() <= kEps;
}

bool layOut(const ObjectDesign &o, const QImage &picture, const QDateTime &now, Laid *out, QString *error)
{
    out->design = &o;
    out->box = QRectF(o.left, o.top, o.width, o.height);
    out->lines.clear();
    if (o.kind == ObjectKind::Text) {
        const QStringList lines = textLines(o.stampsDateTime ? stamped(o.text, now) : o.text);
        const double pitch = o.linePitch > 0 ? unitsToMm(o.linePitch) : fontLineSpacingMm(o.font);
        const double block = pitch * double(lines.size());
        double y = o.top;
        if (o.alignment & Qt::AlignVCenter)
            y = o.top + (o.height - block) / 2;
        else if (o.alignment & Qt::AlignBottom)
            y = o.top + o.height - block;
        for (const QString &line : lines) {
            const QRectF lineBox(o.left, y, o.width, pitch);
            // Lines wholly outside the box would be cut away anyway.
            if (lineBox.bottom() > out->box.top() + kEps && lineBox.top() < out->box.bottom() - kEps)
                out->lines.append({lineBox, line});
            y += pitch;
        }
    } else if (o.kind == ObjectKind::Picture && !picture.isNull()) {
        const QSize most(qMax(1, qRound(o.width / kMmPerInch * kPictureDpi)),
                         qMax(1, qRound(o.height / kMmPerInch * kPictureDpi)));
        const QSize fitted = picture.size().scaled(most, Qt::KeepAspectRatio);
        if (picture.width() > fitted.width() || picture.height() > fitted.height()) {
            out->picture = picture.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            if (out->picture.isNull()) {
                if (error)
                    *error = QStringLiteral("Memoria insufficiente per l'immagine \"%1\".").arg(o.name);
                return false;
            }
        } else {
            out->picture = picture;
        }
    }
    return true;
}

PlacedObject place(const Laid &l, double dx, double dy, double sliceTop, double sliceBottom)
{
    PlacedObject p;
    p.design = *l.design;
    p.box = l.box.translated(dx, dy);
    const double top = qMax(l.box.top(), sliceTop);
    const double bottom = qMin(l.box.bottom(), sliceBottom);
    p.clip = QRectF(l.box.left(), top, l.box.width(), qMax(0.0, bottom - top)).translated(dx, dy);
    for (const PlacedLine &line : l.lines) {
        if (line.box.top() >= sliceTop - kEps && line.box.bottom() <= sliceBottom + kEps)
            p.lines.append({line.box.translated(dx, dy), line.text});
    }
    // What prints on this page, with the date stamped in.
    QStringList texts;
    for (const PlacedLine &line : p.lines)
        texts.append(line.text);
    p.design.text = texts.join(QLatin1Char('\n'));
    p.picture = l.picture;
    return p;
}

// Lays out bands one after the other down the pages; a band that does not fit continues on the
// next page, cut between text lines and never through a picture, rectangle or line that can move
// down whole.
class Flow
{
public:
    Flow(PreparedReport *out, const QMarginsF &margins, double printableHeight)
        : m_out(out), m_margins(margins), m_height(printableHeight)
    {
    }

    void addBand(double height, const QList<Laid> &items)
    {
        if (m_out->pages.isEmpty())
            newPage();
        double from = 0;
        while (true) {
            const double room = m_height - m_y;
            if (height - from <= room + kEps) {
                emitSlice(items, from, height, true);
                m_y += height - from;
                return;
            }
            double cut = from + room;
            for (const Laid &l : items) {
                for (const PlacedLine &line : l.lines) {
                    if (line.box.top() < cut - kEps && line.box.bottom() > cut + kEps)
                        cut = qMin(cut, line.box.top());
                }
                if (l.design->kind != ObjectKind::Text && l.box.top() > from + kEps &&
                    l.box.top() < cut - kEps && l.box.bottom() > cut + kEps)
                    cut = qMin(cut, l.box.top());
            }
            if (cut <= from + kEps) {
                if (m_y > kEps) { // move on to a fresh page and try again there
                    newPage();
                    continue;
                }
                cut = from + room; // taller than a whole page: it has to be cut somewhere
            }
            emitSlice(items, from, cut, false);
            from = cut;
            if (!hasContent(items, from)) {
                m_y = m_height;
                return;
            }
            newPage();
        }
    }

private:
    void newPage()
    {
        m_out->pages.append(PreparedPage());
        m_y = 0;
    }

    static bool hasContent(const QList<Laid> &items, double from)
    {
        for (const Laid &l : items) {
            for (const PlacedLine &line : l.lines) {
                if (line.box.top() >= from - kEps)
                    return true;
            }
            if (isVisualBlock(l) &&
                (l.box.bottom() > from + kEps || (isFlat(l) && l.box.top() >= from - kEps)))
                return true;
        }
        return false;
    }

    // `last`: the slice that ends the band, which also takes what lies on its bottom edge.
    void emitSlice(const QList<Laid> &items, double from, double to, bool last)
    {
        PreparedPage &page = m_out->pages.last();
        const double dy = m_margins.top() + m_y - from;
        for (const Laid &l : items) {
            const bool outside = isFlat(l)
                                     ? (l.box.top() < from - kEps || l.box.top() > to + (last ? kEps : -kEps))
                                     : (l.box.bottom() <= from + kEps || l.box.top() >= to - kEps);
            if (outside)
                continue;
            page.objects.append(place(l, m_margins.left(), dy, from, to));
        }
    }

    PreparedReport *m_out;
    QMarginsF m_margins;
    double m_height;
    double m_y = 0;
};

int bandOrder(BandKind kind)
{
    switch (kind) {
    case BandKind::Title:
        return 0;
    case BandKind::Data:
        return 1;
    case BandKind::Footer:
        return 2;
    }
    return 1;
}

QString notFound(const QString &name)
{
    return QStringLiteral("Il modello di stampa non contiene l'oggetto \"%1\".").arg(name);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Sets the height (in millimetres) of the object or band `name` from report units; `height` is
// null when there is no such object or band.
bool setHeight(double *height, const QString &name, double units, QString *error)
{
    if (!height) {
        setError(error, notFound(name));
        return false;
    }
    if (!std::isfinite(units) || units < 0) {
        setError(error, QStringLiteral("Altezza non valida per \"%1\".").arg(name));
        return false;
    }
    *height = unitsToMm(units);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------

QPageLayout PreparedReport::pageLayout() const
{
    return QPageLayout(pageSize, orientation, QMarginsF(), QPageLayout::Millimeter);
}

QSizeF PreparedReport::pageSizeMm() const
{
    return pageLayout().fullRect(QPageLayout::Millimeter).size();
}

const PlacedObject *PreparedReport::find(int page, const QString &name) const
{
    if (page < 0 || page >= pages.size())
        return nullptr;
    for (const PlacedObject &o : pages[page].objects) {
        if (o.design.name == name)
            return &o;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

Report::Report(PageDesign design) : m_design(std::move(design)), m_documentName(m_design.name) {}

ObjectDesign *Report::object(const QString &name)
{
    for (ObjectDesign &o : m_design.objects) {
        if (o.name == name)
            return &o;
    }
    for (BandDesign &b : m_design.bands) {
        for (ObjectDesign &o : b.objects) {
            if (o.name == name)
                return &o;
        }
    }
    return nullptr;
}

BandDesign *Report::band(const QString &name)
{
    for (BandDesign &b : m_design.bands) {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

bool Report::setText(const QString &name, const QString &text, QString *error)
{
    ObjectDesign *o = object(name);
    if (!o || o->kind != ObjectKind::Text) {
        setError(error, notFound(name));
        return false;
    }
    o->text = text;
    return true;
}

bool Report::setLines(const QString &name, const QStringList &lines, QString *error)
{
    QStringList clean;
    clean.reserve(lines.size());
    for (QString line : lines) {
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        clean.append(line);
    }
    return setText(name, clean.join(QLatin1Char('\n')), error);
}

bool Report::setPicture(const QString &name, const QImage &picture, QString *error)
{
    const ObjectDesign *o = object(name);
    if (!o || o->kind != ObjectKind::Picture) {
        setError(error, notFound(name));
        return false;
    }
    m_pictures.insert(name, picture);
    return true;
}

bool Report::setObjectHeight(const QString &name, double units, QString *error)
{
    ObjectDesign *o = object(name);
    return setHeight(o ? &o->height : nullptr, name, units, error);
}

bool Report::setBandHeight(const QString &name, double units, QString *error)
{
    BandDesign *b = band(name);
    return setHeight(b ? &b->height : nullptr, name, units, error);
}

void Report::setOrientation(QPageLayout::Orientation orientation)
{
    m_design.orientation = orientation;
}

void Report::setMargins(const QMarginsF &margins)
{
    m_design.margins = margins;
}

bool Report::prepare(PreparedReport *out, QString *error, const QDateTime &now) const
{
    PreparedReport r;
    r.documentName = m_documentName;
    r.pageSize = QPageSize(m_design.pageSize);
    r.orientation = m_design.orientation;
    r.printedAt = now;
    const QSizeF paper = r.pageSizeMm();
    const QMarginsF &m = m_design.margins;
    const double printableHeight = paper.height() - m.top() - m.bottom();
    const bool finiteMargins = std::isfinite(m.left()) && std::isfinite(m.top()) &&
                               std::isfinite(m.right()) && std::isfinite(m.bottom());
    // Bands need room to flow down the page; a page of placed objects only may have them partly
    // or wholly off the paper, where large margins put them.
    const bool placedOnly = m_design.bands.empty() && !m_design.objects.empty();
    const bool room = printableHeight > 0 && paper.width() - m.left() - m.right() > 0;
    if (!r.pageSize.isValid() || !finiteMargins || !(room || placedOnly)) {
        setError(error, QStringLiteral("Il formato della pagina non è valido."));
        return false;
    }

    auto layOutAll = [&](const std::vector<ObjectDesign> &objects, QList<Laid> *laid) {
        for (const ObjectDesign &o : objects) {
            Laid l;
            if (!layOut(o, m_pictures.value(o.name), now, &l, error))
                return false;
            laid->append(l);
        }
        return true;
    };

    if (!m_design.objects.empty()) {
        QList<Laid> laid;
        if (!layOutAll(m_design.objects, &laid))
            return false;
        PreparedPage page;
        for (const Laid &l : laid)
            page.objects.append(place(l, m.left(), m.top(), l.box.top(), l.box.bottom()));
        r.pages.append(page);
    }

    std::vector<const BandDesign *> bands;
    for (const BandDesign &b : m_design.bands)
        bands.push_back(&b);
    std::stable_sort(bands.begin(), bands.end(), [](const BandDesign *a, const BandDesign *b) {
        return bandOrder(a->kind) < bandOrder(b->kind);
    });
    Flow flow(&r, m, printableHeight);
    for (const BandDesign *b : bands) {
        QList<Laid> laid;
        if (!layOutAll(b->objects, &laid))
            return false;
        flow.addBand(b->height, laid);
    }

    if (r.pages.isEmpty())
        r.pages.append(PreparedPage());
    *out = std::move(r);
    return true;
}

// ---------------------------------------------------------------------------------------------

namespace {

// Text keeps this distance from the left and right edges of its box.
constexpr double kTextGapMm = 0.5;

// The part of `text` that `font` draws inside `room` (device units) with `alignment`, and where
// it starts: characters past the box's edges are left out, so the page holds nothing beyond them.
struct FittedText
{
    QString text;
    double x = 0;
};
FittedText fitText(const QString &text, const QFontMetricsF &fm, const QRectF &room, Qt::Alignment alignment)
{
    const double width = fm.horizontalAdvance(text);
    double x = room.left();
    if (alignment & Qt::AlignRight)
        x = room.right() - width;
    else if (alignment & Qt::AlignHCenter)
        x = room.left() + (room.width() - width) / 2;
    if (width <= room.width() + 0.01)
        return {text, x};
    FittedText fitted;
    double at = x;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double advance = fm.horizontalAdvance(text.mid(i, 1));
        if (at >= room.left() - 0.01 && at + advance <= room.right() + 0.01) {
            if (fitted.text.isEmpty())
                fitted.x = at;
            fitted.text += text.at(i);
        }
        at += advance;
    }
    return fitted;
}

// Draws one line of a text object in `box` (device units).
void drawTextLine(QPainter &painter, const ObjectDesign &d, const QRectF &box, double gap,
                  const QString &text)
{
    const QRectF room = box.adjusted(gap, 0, -gap, 0);
    QFont font = makeFont(d.font);
    painter.setFont(font);
    QFontMetricsF fm(font, painter.device());
    // A text that must never be cut (the amount in words) is drawn smaller until it fits.
    for (int tries = 0; d.shrinkToFit && tries < 8; ++tries) {
        const double width = fm.horizontalAdvance(text);
        if (width <= room.width() || room.width() <= 0)
            break;
        font.setPointSizeF(font.pointSizeF() * room.width() / width * 0.995);
        painter.setFont(font);
        fm = QFontMetricsF(font, painter.device());
    }
    const FittedText fitted = fitText(text, fm, room, d.alignment);
    if (fitted.text.isEmpty())
        return;
    const QRectF line(fitted.x, box.top(), room.right() - fitted.x + fm.maxWidth(), box.height());
    painter.drawText(line, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), fitted.text);
}

} // namespace

void paintPage(QPainter &painter, const PreparedReport &report, int page)
{
    if (page < 0 || page >= report.pages.size())
        return;
    const QPaintDevice *device = painter.device();
    const double sx = device->logicalDpiX() / kMmPerInch;
    const double sy = device->logicalDpiY() / kMmPerInch;
    auto px = [sx, sy](const QRectF &mm) {
        return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PlacedObject &o : report.pages[page].objects) {
        const ObjectDesign &d = o.design;
        if (o.clip.isEmpty() && d.kind != ObjectKind::Line)
            continue;
        painter.save();
        if (d.kind != ObjectKind::Line)
            painter.setClipRect(px(o.clip), Qt::IntersectClip);
        const QRectF box = px(o.box);
        switch (d.kind) {
        case ObjectKind::Text:
        case ObjectKind::Rectangle:
            if (hasColour(d.fill))
                painter.fillRect(box, colour(d.fill));
            if (hasColour(d.border)) {
                painter.setPen(QPen(colour(d.border), qMax(0.0, d.borderWidth * sx)));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box);
            }
            if (d.kind == ObjectKind::Text && !o.lines.isEmpty()) {
                painter.setPen(colour(d.textColour));
                for (const PlacedLine &line : o.lines)
                    drawTextLine(painter, d, px(line.box), kTextGapMm * sx, line.text);
            }
            break;
        case ObjectKind::Picture:
            if (!o.picture.isNull()) {
                QSizeF fitted = QSizeF(o.picture.size());
                fitted.scale(box.size(), Qt::KeepAspectRatio);
                QRectF target(QPointF(), fitted);
                target.moveCenter(box.center());
                painter.drawImage(target, o.picture);
            }
            break;
        case ObjectKind::Line:
            painter.setPen(QPen(colour(d.border), qMax(0.0, d.borderWidth * sx)));
            painter.drawLine(box.topLeft(), box.bottomRight());
            break;
        }
        painter.restore();
    }
    painter.restore();
}

bool renderTo(const PreparedReport &report, QPagedPaintDevice *device, QString *error, int fromPage,
              int toPage, const QPointF &paperCorner)
{
    const int count = int(report.pages.size());
    const int first = fromPage >= 1 ? qMin(fromPage, count) : 1;
    const int last = toPage >= 1 ? qMin(toPage, count) : count;
    QPainter painter;
    if (!painter.begin(device)) {
        setError(error, QStringLiteral("Impossibile avviare la stampa."));
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !device->newPage()) {
            painter.end();
            setError(error, QStringLiteral("Impossibile passare alla pagina %1.").arg(page));
            return false;
        }
        painter.save();
        painter.translate(paperCorner);
        paintPage(painter, report, page - 1);
        painter.restore();
    }
    if (!painter.end()) {
        setError(error, QStringLiteral("La stampa non è stata completata."));
        return false;
    }
    return true;
}

bool renderPdf(const PreparedReport &report, const QString &path, QString *error)
{
    QPdfWriter writer(path);
    writer.setTitle(report.documentName);
    writer.setCreator(QStringLiteral("Corvalla"));
    writer.setResolution(1200);
    writer.setPageLayout(report.pageLayout());
    return renderTo(report, &writer, error);
}

QImage renderPage(const PreparedReport &report, int page, double dpi)
{
    const QSizeF mm = report.pageSizeMm();
    QImage image(qRound(mm.width() / kMmPerInch * dpi), qRound(mm.height() / kMmPerInch * dpi),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, report, page);
    painter.end();
    return image;
}

// ---------------------------------------------------------------------------------------------

namespace {
ObjectDesign placedObject(ObjectKind kind, const QString &name, double left, double top, double width,
                          double height)
{
    ObjectDesign o;
    o.name = name;
    o.kind = kind;
    o.left = left;
    o.top = top;
    o.width = width;
    o.height = height;
    return o;
}
} // namespace

ObjectDesign textObject(const QString &name, double left, double top, double width, double height,
                        FontSpec font, QRgb textColour, QRgb fill, Qt::Alignment alignment,
                        const QString &text)
{
    ObjectDesign o = placedObject(ObjectKind::Text, name, left, top, width, height);
    o.font = font;
    o.textColour = textColour;
    o.fill = fill;
    o.alignment = alignment;
    o.text = text;
    return o;
}

ObjectDesign rectangleObject(const QString &name, double left, double top, double width, double height,
                             QRgb fill, QRgb border, double borderWidth)
{
    ObjectDesign o = placedObject(ObjectKind::Rectangle, name, left, top, width, height);
    o.fill = fill;
    o.border = border;
    o.borderWidth = borderWidth;
    return o;
}

ObjectDesign pictureObject(const QString &name, double left, double top, double width, double height)
{
    return placedObject(ObjectKind::Picture, name, left, top, width, height);
}

QRgb namedColour(QStringView name)
{
    const QStringView n = name.trimmed();
    if (n.isEmpty() || n.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return kNoColour;
    const QColor c = QColor::fromString(n);
    return c.isValid() ? c.rgba() : kNoColour;
}

std::vector<ObjectDesign> copyGroup(const std::vector<ObjectDesign> &group, double dy, const QString &suffix,
                                    const QStringList &except)
{
    std::vector<ObjectDesign> copies;
    copies.reserve(group.size());
    for (const ObjectDesign &o : group) {
        if (except.contains(o.name))
            continue;
        ObjectDesign copy = o;
        copy.name += suffix;
        copy.top += dy;
        copies.push_back(std::move(copy));
    }
    return copies;
}

ObjectDesign lineObject(const QString &name, double left, double top, double width, double height,
                        QRgb colour, double lineWidth)
{
    ObjectDesign o = placedObject(ObjectKind::Line, name, left, top, width, height);
    o.border = colour;
    o.borderWidth = lineWidth;
    return o;
}

} // namespace Reports
