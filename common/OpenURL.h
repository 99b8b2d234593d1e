#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The system open operation: every link to the outside world (web address, e-mail, document,
// exported spreadsheet) goes through it.
class TMisc
{
public:
    // Hands the text to the desktop's handler. Surrounding double quotes are removed; a file path
    // becomes a file URL. The result is ignored: nothing is reported when nothing opens it.
    static void Open(const QString &sCommand);

    // What Open hands to the desktop for a text.
    static QUrl urlFor(const QString &sCommand);

    // Test seam: when set, Open records the text through the hook instead of opening anything.
    using TestHook = std::function<void(const QString &sCommand)>;
    static void setTestHook(TestHook hook);
};
