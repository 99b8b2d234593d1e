#include "receipts/ReceiptLogo.h"

#include "common/PictureFile.h"
#include "common/ProgramFolder.h"
#include "common/ResourceImage.h"

namespace ReceiptLogo {

namespace {

constexpr int kLogoWidth = 297;
constexpr int kLogoHeight = 184;

} // namespace

QString filePath()
{
    return programFolder() + QStringLiteral("Logo.bmp");
}

QImage defaultLogo()
{
    static const QImage logo = PictureFile::opaque(
        resourceImage(QStringLiteral(":/pictures/logo_ricevuta.svg"), QSize(kLogoWidth, kLogoHeight)));
    return logo;
}

QImage whiteDot()
{
    static const QImage dot =
        PictureFile::opaque(resourceImage(QStringLiteral(":/pictures/punto_bianco.svg"), QSize(2, 2)));
    return dot;
}

QImage readPicture(const QString &path)
{
    return PictureFile::read(path);
}

QImage load()
{
    const QImage logo = readPicture(filePath());
    return logo.isNull() ? defaultLogo() : logo;
}

bool save(const QImage &logo, QString *error)
{
    return PictureFile::write(logo, filePath(), "bmp", -1, error);
}

} // namespace ReceiptLogo
