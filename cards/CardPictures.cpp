#include "cards/CardPictures.h"

#include "common/ResourceImage.h"
#include "common/TextUtil.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"

#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace CardPictures {

namespace {

// A built-in picture at its size; should the resource ever fail to render, a plain one of the
// same size stands in, so that a frame is never empty.
QImage builtIn(const char *resource, QSize size, const QColor &plain)
{
    QImage image = resourceImage(QString::fromLatin1(resource), size);
    if (image.isNull() || image.size() != size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(plain);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage placeholderPhoto()
{
    static const QImage image = builtIn(":/pictures/tessera_foto.svg", kPhotoSize, QColor(0xE6, 0xEE, 0xFB));
    return image;
}

QImage placeholderLogo()
{
    static const QImage image = builtIn(":/pictures/tessera_logo.svg", kLogoSize, QColor(0xDC, 0xE6, 0xFA));
    return image;
}

QImage whiteDot()
{
    static const QImage image = builtIn(":/pictures/punto_bianco.svg", QSize(2, 2), Qt::white);
    return image;
}

QString logoPath()
{
    return MemberArchive::photoFolder() + QStringLiteral("Logo.bmp");
}

QImage loadLogo()
{
    if (!QDir().mkpath(MemberArchive::photoFolder()))
        return placeholderLogo();
    const QImage logo = readPicture(logoPath());
    return logo.isNull() ? placeholderLogo() : logo;
}

QImage saveLogo(const QImage &logo)
{
    if (!QDir().mkpath(MemberArchive::photoFolder()))
        return QImage();
    // Stretched to fill the whole area; a transparent part of the picture lands on white, the
    // colour of the card beneath it, rather than on the black that bitmap readers show.
    QImage stored(kLogoSize, QImage::Format_RGB32);
    stored.fill(Qt::white);
    {
        QPainter painter(&stored);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (!logo.isNull())
            painter.drawImage(QRect(QPoint(0, 0), kLogoSize), logo);
    }
    QSaveFile file(logoPath());
    if (!file.open(QIODevice::WriteOnly))
        return QImage();
    QImageWriter writer(&file, "bmp");
    // commit() does not see a failure of the final flush (a full disk), so flush first.
    if (!writer.write(stored) || !file.flush() || !file.commit()) {
        file.cancelWriting();
        return QImage();
    }
    return readPicture(logoPath());
}

QImage loadPhoto(const QString &position)
{
    if (!QDir().mkpath(MemberArchive::photoFolder()))
        return placeholderPhoto();
    const QImage photo = readPicture(MemberArchive::photoPath(trimBlanks(position)));
    return photo.isNull() ? placeholderPhoto() : photo;
}

QImage readPicture(const QString &path)
{
    return MemberPhoto::readPicture(path);
}

} // namespace CardPictures
