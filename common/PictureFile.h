#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Picture files as the program reads and writes them: member photos, the card logo and the
// receipt logo all go through here.
namespace PictureFile {

// A JPEG, bitmap or other picture file; a null image when it is missing or not a readable
// picture (a JPEG file cut short included). A picture larger than 4096 pixels on its longest side is read
// scaled down to it, and a file claiming a giant size is not decoded at all.
QImage read(const QString &path);

// The picture laid on white where it is transparent (JPEG and bitmap files keep no transparency).
QImage opaque(const QImage &picture);

// Writes `picture` (opaque) in `format` ("jpeg", "bmp") over `path`: written beside the file and
// renamed over it only once complete and flushed, so a failed write leaves the earlier file whole.
// `quality` -1 is the writer's default. False when it was not written, with the reason in *error
// (SystemError::text) and the system's error number left in errno.
bool write(const QImage &picture, const QString &path, const char *format, int quality = -1,
           QString *error = nullptr);

// A built-in picture at `size`; should the resource fail to render, a plain one of `plain` colour
// stands in, so that a frame is never empty.
QImage builtIn(const QString &resource, const QSize &size, const QColor &plain);

} // namespace PictureFile
