#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The help topics built into the program, one resource file each under :/help/: the title on the
// first line, a blank line, then one paragraph per line with a blank line between paragraphs.
struct HelpTopic
{
    QString title;
    QStringList paragraphs;

    // The paragraphs as the help window holds them, separated by one blank line (CR LF CR LF).
    QString text() const { return paragraphs.join(QStringLiteral("\r\n\r\n")); }
};

// Reads one topic file (UTF-8, LF or CR LF line ends). nullopt when it has no title line.
std::optional<HelpTopic> parseHelpTopic(const QByteArray &content);

// Every topic found in the resources, in the order of their file names.
QList<HelpTopic> helpTopics();

// The topic with exactly this title.
std::optional<HelpTopic> findHelpTopic(const QString &title);
