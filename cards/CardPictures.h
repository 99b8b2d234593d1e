#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The pictures of a membership card: the card logo file Anagrafica/Logo.bmp (a picture of its
// own, not the receipt logo in the program folder), the member photos seen at card size, and the
// card's built-in pictures. Loading never reports: a failure ends with a built-in picture. A
// logo that cannot be saved is told by saveLogo, for the card window to warn.
namespace CardPictures {

inline constexpr QSize kLogoSize(119, 118);
inline constexpr QSize kPhotoSize(136, 174);

QImage placeholderPhoto(); // a neutral silhouette, 136 x 174
QImage placeholderLogo();  // a generic logo, 119 x 118
QImage whiteDot();         // 2 x 2 opaque white pixels: a cleared logo or photo

QString logoPath();

// The card logo file (its folder created first); the placeholder logo when it cannot be read.
QImage loadLogo();

// Stores `logo` stretched to exactly 119 x 118 pixels with smooth resampling, as a Windows bitmap
// in the card logo file. The file is written beside its place and renamed over it, so a failed
// save leaves the earlier file as it was. Returns the stored picture read back from the file, or
// a null image when it could not be stored, with the system's error number in errno (a full disk
// is ENOSPC, EDQUOT or EFBIG). The placeholder logo (shown for a logo file that could
// not be read) is never written over an existing file: it is returned as it is.
QImage saveLogo(const QImage &logo);

// The photo of a member record position (folder created first); the placeholder photo when it is
// missing or unreadable.
QImage loadPhoto(const QString &position);

// A picture file chosen by the user; a null image when it is not a readable picture.
QImage readPicture(const QString &path);

} // namespace CardPictures
