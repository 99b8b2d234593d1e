#include "cards/CardPictures.h"

#include "common/PictureFile.h"
#include "common/TextUtil.h"
#include "records/MemberArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <cerrno>

namespace CardPictures {

QImage placeholderPhoto()
{
    static const QImage image = PictureFile::builtIn(QStringLiteral(":/pictures/tessera_foto.svg"),
                                                     kPhotoSize, QColor(0xE6, 0xEE, 0xFB));
    return image;
}

QImage placeholderLogo()
{
    static const QImage image = PictureFile::builtIn(QStringLiteral(":/pictures/tessera_logo.svg"), kLogoSize,
                                                     QColor(0xDC, 0xE6, 0xFA));
    return image;
}

QImage whiteDot()
{
    static const QImage image =
        PictureFile::builtIn(QStringLiteral(":/pictures/punto_bianco.svg"), QSize(2, 2), Qt::white);
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
    // The placeholder stands in for a logo that could not be read: it never replaces the file.
    if (logo == placeholderLogo() && QFileInfo::exists(logoPath()))
        return logo;
    errno = 0;
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
    if (!PictureFile::write(stored, logoPath(), "bmp"))
        return QImage(); // errno tells why
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
    return PictureFile::read(path);
}

} // namespace CardPictures
