#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Renders an SVG or raster picture (a resource or a file) to an image of the given size (the
// picture's own size when empty). A null image when it cannot be read.
QImage resourceImage(const QString &resource, const QSize &size = QSize());
