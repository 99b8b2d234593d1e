#include "receipts/ReceiptLogo.h"

#include "common/ProgramFolder.h"
#include "common/ResourceImage.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace ReceiptLogo {

namespace {

constexpr int kLogoWidth = 297;
constexpr int kLogoHeight = 184;
// A logo is printed 39.4 x 22 mm: a picture claiming more than this is damaged, not a logo, and
// is not decoded at all.
constexpr int kAllocationLimitMB = 256;

// Bitmaps have no transparency worth keeping: lay the picture on white.
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

bool fail(const QString &reason, QString *error)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QString filePath()
{
    return programFolder() + QStringLiteral("Logo.bmp");
}

QImage defaultLogo()
{
    static const QImage logo =
        opaque(resourceImage(QStringLiteral(":/pictures/logo_ricevuta.svg"), QSize(kLogoWidth, kLogoHeight)));
    return logo;
}

QImage whiteDot()
{
    static const QImage dot =
        opaque(resourceImage(QStringLiteral(":/pictures/punto_bianco.svg"), QSize(2, 2)));
    return dot;
}

QImage readPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    return reader.read();
}

QImage load()
{
    const QImage logo = readPicture(filePath());
    return logo.isNull() ? defaultLogo() : logo;
}

bool save(const QImage &logo, QString *error)
{
    if (logo.isNull())
        return fail(QStringLiteral("save: no picture"), error);
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString(), error);
    QImageWriter writer(&file, "bmp");
    // commit() does not see a failure of the final flush (a full disk), so flush first.
    const bool written = writer.write(opaque(logo));
    if (!written || !file.flush()) {
        const QString reason = written ? file.errorString() : writer.errorString();
        file.cancelWriting();
        return fail(reason, error);
    }
    if (!file.commit())
        return fail(file.errorString(), error);
    return true;
}

} // namespace ReceiptLogo
