// Writes the printed guide, Guida.pdf, from the help topics built into the program.
// Usage: corvalla_guide <output.pdf>
#include "GuideWriter.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: corvalla_guide <output.pdf>\n");
        return 2;
    }
    QString error;
    // The guide adds to the help topics what only the printed guide tells: the automatic copies.
    QList<HelpTopic> topics = helpTopics();
    topics.append(Guide::copiesTopic());
    if (!Guide::write(args[1], topics, &error)) {
        std::fprintf(stderr, "corvalla_guide: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
