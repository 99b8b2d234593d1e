// Draws vector pictures beforehand, at their own size and at twice it, as PNG files named
// <name>@1x.png and <name>@2x.png, so that a window showing them at one of those sizes needs no
// vector drawing (and none of the fonts its text needs) while it opens.
// Usage: corvalla_pictures <output folder> <picture.svg>...
#include "common/SvgRendering.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: corvalla_pictures <output folder> <picture.svg>...\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "corvalla_pictures: cannot make %s\n", qPrintable(args[1]));
        return 1;
    }
    for (const QString &path : args.mid(2)) {
        const QSize own = svgSize(path);
        if (own.isEmpty()) {
            std::fprintf(stderr, "corvalla_pictures: cannot read %s\n", qPrintable(path));
            return 1;
        }
        for (int ratio : {1, 2}) {
            const QString file =
                out.filePath(QStringLiteral("%1@%2x.png").arg(QFileInfo(path).completeBaseName()).arg(ratio));
            const QImage drawn = renderSvg(path, own * ratio);
            if (drawn.isNull() || !drawn.save(file, "PNG")) {
                std::fprintf(stderr, "corvalla_pictures: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
