#pragma once

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

// Vector pictures are drawn through the toolkit's SVG image reader, which is loaded the first time
// one is read, so that the program starts without the SVG library. The program and the build step
// that draws the first window's pictures beforehand both draw through here, so the two give the
// same pixels.
namespace SvgRendering {
inline void open(QImageReader &reader, const QString &path)
{
    reader.setFileName(path);
    reader.setFormat("svg");
    reader.setAutoDetectImageFormat(false);
}
} // namespace SvgRendering

// The picture's own size; empty when it cannot be read.
inline QSize svgSize(const QString &path)
{
    QImageReader reader;
    SvgRendering::open(reader, path);
    return reader.size();
}

// Draws the vector picture at `path` into a transparent image of `size` pixels (its own size when
// `size` is empty); a null image when it cannot be read or has no size.
inline QImage renderSvg(const QString &path, const QSize &size)
{
    QImageReader reader;
    SvgRendering::open(reader, path);
    if (!size.isEmpty())
        reader.setScaledSize(size);
    const QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
