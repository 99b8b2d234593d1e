#include "common/PictureFile.h"

#include "common/FileReplace.h"
#include "common/ResourceImage.h"
#include "common/SystemError.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cerrno>

namespace PictureFile {

namespace {

// Photos are shown in a 307 x 394 frame, on a card and at most full screen in the zoom window:
// a larger picture is read scaled down to this longest side, which keeps a camera's 20-megapixel
// shot sharp on screen and in print but keeps a 10000 x 10000 scan from costing 400 MB.
constexpr int kLongestSide = 4096;
// Above this the reader refuses to decode at all (a corrupt header claiming a giant size).
constexpr int kAllocationLimitMB = 256;

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

// A JPEG file cut short (a copy or a download that did not finish) decodes with a grey lower part
// and no error: its end-of-image marker is missing.
bool truncatedJpeg(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    // The marker ends the picture; some cameras add a little data after it.
    constexpr qint64 kTail = 64 * 1024;
    if (size > kTail)
        file.seek(size - kTail);
    return !file.read(kTail).contains(QByteArrayLiteral("\xFF\xD9"));
}

// Fails with the system's error number `number`, told in *error and left in errno.
bool fail(int number, QString *error)
{
    if (error)
        *error = SystemError::text(number);
    errno = number;
    return false;
}

} // namespace

QImage read(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (size.isValid() && tooLarge(size))
        reader.setScaledSize(fitted(size));
    QImage image = reader.read();
    if (image.isNull() || ((format == "jpeg" || format == "jpg") && truncatedJpeg(path)))
        return QImage();
    // A reader that does not tell the size before decoding is scaled afterwards.
    if (tooLarge(image.size()))
        image = scaledDown(image, fitted(image.size()));
    return image;
}

QImage opaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture;
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

bool write(const QImage &picture, const QString &path, const char *format, int quality, QString *error)
{
    if (picture.isNull() || path.isEmpty())
        return fail(EINVAL, error);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(errno, error);
    QImageWriter writer(&file, format);
    writer.setQuality(quality);
    errno = 0;
    if (!writer.write(opaque(picture))) {
        const int reason = errno;
        file.cancelWriting();
        return fail(reason, error);
    }
    return FileReplace::commit(file, error);
}

QImage builtIn(const QString &resource, const QSize &size, const QColor &plain)
{
    QImage image = resourceImage(resource, size);
    if (image.isNull() || image.size() != size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(plain);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace PictureFile
