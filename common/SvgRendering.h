#pragma once

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// Draws a vector picture into a transparent image of `size` pixels. The program and the build
// step that draws the first window's pictures beforehand both draw through here, so the two give
// the same pixels.
inline QImage renderSvg(QSvgRenderer &renderer, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return image;
}
