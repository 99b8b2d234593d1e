#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// Renders an SVG or raster picture (a resource or a file) to an image of the given size (the
// picture's own size when empty). A null image when it cannot be read.
QImage resourceImage(const QString &resource, const QSize &size = QSize());

// The picture for the screen: `size` (the picture's own size when empty) in device-independent
// pixels, drawn at the pixel density of the application's screens, so that a vector picture stays
// sharp at any scale factor.
QPixmap resourcePixmap(const QString &resource, const QSize &size = QSize());
