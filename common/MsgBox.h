#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's message boxes. Every message reaches the user through these functions, so the
// kinds, buttons and titles are the same everywhere.
namespace MsgBox {

enum class Kind
{
    Warning,      // OK and Cancel
    Information,  // OK and Cancel
    Error,        // OK and Cancel
    Confirmation, // Yes and No
    Plain         // OK
};

enum class Answer
{
    Ok,
    Cancel,
    Yes,
    No
};

// Shows a modal box and returns the button pressed (closing the box counts as Cancel or No).
Answer show(QWidget *parent, Kind kind, const QString &text);

inline void warning(QWidget *parent, const QString &text)
{
    show(parent, Kind::Warning, text);
}
inline void information(QWidget *parent, const QString &text)
{
    show(parent, Kind::Information, text);
}
inline void error(QWidget *parent, const QString &text)
{
    show(parent, Kind::Error, text);
}
inline void plain(QWidget *parent, const QString &text)
{
    show(parent, Kind::Plain, text);
}
// True when the user answers Yes.
inline bool confirm(QWidget *parent, const QString &text)
{
    return show(parent, Kind::Confirmation, text) == Answer::Yes;
}

// The text as a box shows it: the paragraph breaks of the messages ("\n\r\n\r", "\r\n\r\n") become
// a blank line.
QString displayText(const QString &text);

// Test seam: when set, each real box, once it is on screen, is passed to the hook with its kind
// and exact text, and the button the hook returns is pressed. Pass nullptr to remove it.
using TestHook = std::function<Answer(Kind kind, const QString &text)>;
void setTestHook(TestHook hook);

} // namespace MsgBox
