#include "common/ResourceImage.h"

#include "common/SvgRendering.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace {
// Where the program's vector picture `resource` is kept drawn beforehand at `ratio` ("1x", its own
// size, or "2x"); empty for any other picture.
QString drawnPath(const QString &resource, const char *ratio)
{
    if (!resource.startsWith(QLatin1String(":/pictures/")) ||
        !resource.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return QString();
    return QStringLiteral(":/rendered/%1@%2.png")
        .arg(QFileInfo(resource).completeBaseName(), QLatin1String(ratio));
}

// Sets `reader` on a picture drawn beforehand, read as PNG without asking every image plugin.
void readDrawn(QImageReader &reader, const QString &path)
{
    reader.setFileName(path);
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
}

// The picture drawn beforehand at exactly `size` pixels (its own size when empty), when there is
// one.
QImage drawnBeforehand(const QString &resource, const QSize &size)
{
    for (const char *ratio : {"1x", "2x"}) {
        const QString path = drawnPath(resource, ratio);
        if (path.isEmpty())
            return QImage();
        QImageReader reader;
        readDrawn(reader, path);
        const QSize drawn = reader.size();
        if (drawn.isValid() && (drawn == size || (size.isEmpty() && qstrcmp(ratio, "1x") == 0))) {
            QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(1); // the reader reads one from the "@2x" in the name
            return image;
        }
    }
    return QImage();
}

QSize ownSize(const QString &resource)
{
    QImageReader drawn;
    readDrawn(drawn, drawnPath(resource, "1x"));
    if (drawn.size().isValid())
        return drawn.size();
    if (resource.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return svgSize(resource);
    return QImageReader(resource).size();
}
} // namespace

QPixmap resourcePixmap(const QString &resource, const QSize &size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QSize logical = size;
    if (logical.isEmpty())
        logical = ownSize(resource);
    if (logical.isEmpty())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(resourceImage(resource, (QSizeF(logical) * ratio).toSize()));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QImage resourceImage(const QString &resource, const QSize &size)
{
    if (resource.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        if (QImage drawn = drawnBeforehand(resource, size); !drawn.isNull())
            return drawn;
        return renderSvg(resource, size);
    }
    QImageReader reader(resource);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() || size.isEmpty() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
