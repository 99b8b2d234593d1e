#include "records/MemberPhoto.h"

#include "common/FileReplace.h"
#include "common/ResourceImage.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace MemberPhoto {

namespace {

constexpr int kPlaceholderWidth = 307;
constexpr int kPlaceholderHeight = 394;
// Photos are shown in a 307 x 394 frame, on a card and at most full screen in the zoom window:
// a larger picture is read scaled down to this longest side, which keeps a camera's 20-megapixel
// shot sharp on screen and in print but keeps a 10000 x 10000 scan from costing 400 MB.
constexpr int kLongestSide = 4096;
// Above this the reader refuses to decode at all (a corrupt header claiming a giant size).
constexpr int kAllocationLimitMB = 256;
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

bool tooLarge(const QSize &size)
{
    return size.width() > kLongestSide || size.height() > kLongestSide;
}

// The size of a picture scaled down to the longest side, proportions kept; a very long, narrow
// picture keeps at least one pixel across (an empty scaled size would make the reader decode it
// at full size).
QSize fitted(const QSize &size)
{
    return size.scaled(kLongestSide, kLongestSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Smooth scaling costs time in proportion to the pixels it reads: a picture many times larger than
// `target` is first thinned out to twice its size, which looks the same once smoothed.
QImage scaledDown(const QImage &picture, const QSize &target)
{
    const QSize rough = (target * 2).boundedTo(picture.size());
    const QImage thinned = rough == picture.size()
                               ? picture
                               : picture.scaled(rough, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return thinned.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage opaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture;
    // JPEG has no transparency: lay the picture on white rather than let it turn black.
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

} // namespace

QImage placeholder()
{
    static const QImage image = [] {
        QImage svg = resourceImage(QStringLiteral(":/pictures/foto_vuota.svg"),
                                   QSize(kPlaceholderWidth, kPlaceholderHeight));
        if (svg.isNull())
            return drawnPlaceholder();
        return opaque(svg);
    }();
    return image;
}

QImage readPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size))
        reader.setScaledSize(fitted(size));
    QImage image = reader.read();
    if (image.isNull())
        return QImage();
    // A reader that does not tell the size before decoding is scaled afterwards.
    if (tooLarge(image.size()))
        image = scaledDown(image, fitted(image.size()));
    return image;
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
    if (picture.isNull() || path.isEmpty())
        return false;
    // Written beside the target and renamed over it, so a failed write leaves the old photo whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(opaque(picture))) {
        file.cancelWriting();
        return false;
    }
    return FileReplace::commit(file);
}

} // namespace MemberPhoto
