#pragma once

#include <QImage>
#include <QString>

// The receipt logo: Logo.bmp in the program folder, printed at the top left of both copies of
// every receipt. One file serves every year. (The membership cards keep a logo of their own.)
namespace ReceiptLogo {

// Program folder + "Logo.bmp".
QString filePath();

// The built-in logo used when the file is missing or unreadable: a blue euro sign, 297 x 184.
QImage defaultLogo();

// The built-in white dot, 2 x 2 opaque white pixels: saved as the logo, it prints as no logo.
QImage whiteDot();

// A JPEG or bitmap picture file; a null image when it is missing or not a readable picture.
QImage readPicture(const QString &path);

// The logo file, or the default logo when it cannot be read.
QImage load();

// Writes `logo`, at its own size, as a Windows bitmap over the logo file. The picture is written
// to a temporary file beside it and renamed over it only once complete, so a failed save keeps the
// earlier logo whole. False when it could not be saved, with the reason in *error and the
// system's error number in errno.
bool save(const QImage &logo, QString *error = nullptr);

} // namespace ReceiptLogo
