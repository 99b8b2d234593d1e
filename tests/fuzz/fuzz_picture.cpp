// The picture files the program reads: the input is the whole file, put where the program looks
// for it: a member photo (Anagrafica/Scheda_Iscritto_1.jpg, also seen by the membership card),
// the card logo (Anagrafica/Logo.bmp) and the receipt logo (Logo.bmp).
//
// Properties: loading never crashes and always gives a picture to show; a picture read from the
// file has a sane size: photos and the card logo at most 4096 pixels on their longest side, the
// receipt logo within the memory its reader allows.

#include "FuzzSupport.h"

#include "cards/CardPictures.h"
#include "receipts/ReceiptLogo.h"
#include "records/MemberArchive.h"
#include "records/MemberPhoto.h"

#include <QImage>

namespace {

constexpr int kLongestSide = 4096;
constexpr qint64 kLogoBytes = 256 * 1024 * 1024;

// A picture that can be shown: not null, with pixels, and the size it says it has.
void checkShowable(const QImage &image)
{
    FUZZ_CHECK(!image.isNull());
    FUZZ_CHECK(image.width() > 0 && image.height() > 0);
    FUZZ_CHECK(image.format() != QImage::Format_Invalid);
    FUZZ_CHECK(image.sizeInBytes() >= qsizetype(image.height()) * image.bytesPerLine());
}

void checkPhotoSize(const QImage &image)
{
    checkShowable(image);
    FUZZ_CHECK(image.width() <= kLongestSide && image.height() <= kLongestSide);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::programFolder();
    const QByteArray file = Fuzz::bytes(data, size);

    // The member photo, as the member sheet and the card load it.
    const QString photoPath = MemberArchive::photoPath(QStringLiteral("1"));
    Fuzz::writeFile(photoPath, file);
    const QImage read = MemberPhoto::readPicture(photoPath);
    if (!read.isNull())
        checkPhotoSize(read);
    const QImage photo = MemberPhoto::load(QStringLiteral("1"));
    checkPhotoSize(photo);
    FUZZ_CHECK(read.isNull() ? photo == MemberPhoto::placeholder() : photo.size() == read.size());
    const QImage cardPhoto = CardPictures::loadPhoto(QStringLiteral(" 1 "));
    checkPhotoSize(cardPhoto);
    FUZZ_CHECK(read.isNull() ? cardPhoto == CardPictures::placeholderPhoto()
                             : cardPhoto.size() == read.size());

    // The card logo: the same reader on a bitmap name.
    Fuzz::writeFile(CardPictures::logoPath(), file);
    const QImage cardLogo = CardPictures::loadLogo();
    checkPhotoSize(cardLogo);

    // The receipt logo, read at its own size.
    Fuzz::writeFile(ReceiptLogo::filePath(), file);
    const QImage logo = ReceiptLogo::load();
    checkShowable(logo);
    FUZZ_CHECK(logo.sizeInBytes() <= kLogoBytes);
    return 0;
}
