#include "records/MemberPhoto.h"

#include "common/PictureFile.h"
#include "common/ResourceImage.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace MemberPhoto {

namespace {

constexpr int kPlaceholderWidth = 307;
constexpr int kPlaceholderHeight = 394;
constexpr int kJpegQuality = 90;

// Drawn in code so that a photo frame is never empty, even if the resource cannot be rendered.
QImage drawnPlaceholder()
{
    QImage image(kPlaceholderWidth, kPlaceholderHeight, QImage::Format_RGB32);
    image.fill(QColor(0xE6, 0xEE, 0xFB));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xA9, 0xC1, 0xEE));
    p.drawEllipse(QPointF(153.5, 150), 62, 74);
    QPainterPath shoulders;
    shoulders.moveTo(20, kPlaceholderHeight);
    shoulders.cubicTo(25, 270, 90, 245, 153.5, 245);
    shoulders.cubicTo(217, 245, 282, 270, 287, kPlaceholderHeight);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    return image;
}

} // namespace

QImage placeholder()
{
    static const QImage image = [] {
        QImage svg = resourceImage(QStringLiteral(":/pictures/foto_vuota.svg"),
                                   QSize(kPlaceholderWidth, kPlaceholderHeight));
        if (svg.isNull())
            return drawnPlaceholder();
        return PictureFile::opaque(svg);
    }();
    return image;
}

QImage readPicture(const QString &path)
{
    return PictureFile::read(path);
}

QImage load(const QString &position)
{
    if (!QDir().mkpath(MemberArchive::photoFolder()))
        return placeholder();
    const QImage image = readPicture(MemberArchive::photoPath(position));
    return image.isNull() ? placeholder() : image;
}

bool save(const QImage &photo, const QString &position)
{
    if (!QDir().mkpath(MemberArchive::photoFolder()))
        return false;
    return writeJpeg(photo, MemberArchive::photoPath(position));
}

bool writeJpeg(const QImage &picture, const QString &path)
{
    return PictureFile::write(picture, path, "jpeg", kJpegQuality);
}

} // namespace MemberPhoto
