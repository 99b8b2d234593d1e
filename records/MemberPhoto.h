#pragma once

#include <QImage>
#include <QString>

// Member photos: the placeholder silhouette and the photo files Anagrafica/Scheda_Iscritto_<p>.jpg.
// Photo reading and writing never report: every failure ends with the placeholder photo.
namespace MemberPhoto {

// The built-in placeholder photo, 307 x 394 pixels.
QImage placeholder();

// Reads a JPEG or bitmap file; a null image when it is not a readable picture.
QImage readPicture(const QString &path);

// The photo of a record position: the folder is created first; the placeholder when the file is
// missing or unreadable.
QImage load(const QString &position);

// Writes `photo` as the JPEG of the record position, replacing any file there (folder created
// first). False when it could not be written.
bool save(const QImage &photo, const QString &position);

// Writes a picture as JPEG to any path; false on failure.
bool writeJpeg(const QImage &picture, const QString &path);

} // namespace MemberPhoto
