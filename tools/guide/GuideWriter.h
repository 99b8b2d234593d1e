#pragma once

#include "common/HelpTopics.h"

#include <QList>
#include <QString>

// The printed guide Guida.pdf: every help topic of the program, the general one first, each under
// its own heading and starting on a new page, on A4 with page numbers, written by Qt's PDF writer.
namespace Guide {

// Writes the guide of `topics` (in their order) to `path`. False, with the reason, on failure.
bool write(const QString &path, const QList<HelpTopic> &topics, QString *error = nullptr);

// The guide's own chapter on the automatic copies of the data: where they are and how to put one back.
HelpTopic copiesTopic();

} // namespace Guide
