#include "common/ResourceImage.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

QPixmap resourcePixmap(const QString &resource, const QSize &size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QSize logical = size;
    if (logical.isEmpty()) {
        if (resource.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
            logical = QSvgRenderer(resource).defaultSize();
        else
            logical = QImageReader(resource).size();
    }
    if (logical.isEmpty())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(resourceImage(resource, (QSizeF(logical) * ratio).toSize()));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QImage resourceImage(const QString &resource, const QSize &size)
{
    if (resource.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(resource);
        if (!renderer.isValid())
            return QImage();
        QSize target = size.isEmpty() ? renderer.defaultSize() : size;
        if (target.isEmpty())
            return QImage();
        QImage image(target, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(target)));
        p.end();
        return image;
    }
    QImageReader reader(resource);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() || size.isEmpty() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
