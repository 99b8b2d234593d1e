#include "common/HelpTopics.h"

#include <QDir>
#include <QFile>

std::optional<HelpTopic> parseHelpTopic(const QByteArray &content)
{
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    HelpTopic topic;
    topic.title = lines.value(0).trimmed();
    if (topic.title.isEmpty())
        return std::nullopt;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString paragraph = lines[i].trimmed();
        if (!paragraph.isEmpty())
            topic.paragraphs.append(paragraph);
    }
    return topic;
}

QList<HelpTopic> helpTopics()
{
    QList<HelpTopic> topics;
    const QDir dir(QStringLiteral(":/help"));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (std::optional<HelpTopic> topic = parseHelpTopic(file.readAll()))
            topics.append(*topic);
    }
    return topics;
}

std::optional<HelpTopic> findHelpTopic(const QString &title)
{
    const QList<HelpTopic> topics = helpTopics();
    for (const HelpTopic &t : topics)
        if (t.title == title)
            return t;
    return std::nullopt;
}
