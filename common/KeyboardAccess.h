#pragma once

#include <QString>

class QKeyEvent;
class QPainter;
class QWidget;

// A control of the program's own that reacts to a click (a picture button, a link, a photo frame,
// a text of the card). From the keyboard it takes the focus with Tab and is pressed with Space or
// Enter; a screen reader announces it as a button and can press it too. Every path goes through
// press(), the same step a click takes.
class Pressable
{
public:
    virtual ~Pressable() = default;
    // Does what a click does.
    virtual void press() = 0;
};

// What makes every window usable from the keyboard alone and with a screen reader.
namespace Keyboard {

// Once per process, before the first window is shown: Enter presses the focused button as Space
// does (the toolkit presses only a dialog's buttons with it), and screen readers are told the
// program's own controls and windows as what they are: a pressable control as a button with its
// name, each window as a window or dialog named by its caption without the leading blank.
void install();

// A pressable control, or one that stops being one: `clickable` ones take the focus with Tab (a
// click still leaves the focus where it was, in the field being typed) and are called `name` by a
// screen reader; others take no focus.
void setPressable(QWidget *control, bool clickable, const QString &name = QString());

// Space, Return or keypad Enter, not held down: the keys that press a focused control.
bool isPressKey(const QKeyEvent *event);

// The frame that shows where the focus is, drawn over `control` while it has the focus: a dark blue
// line with a white one inside, seen on white, on the pale blue toolbars and at any scale factor.
// Pressable controls call it at the end of their paintEvent.
void paintFocusFrame(QPainter &painter, const QWidget *control);

// The same frame for the toolkit's tool buttons, as a style sheet rule. `border` and `padding` in
// pixels: together as much as the button's own border and padding, so that it keeps its size;
// `selector` as specific as the button's own rule.
QString toolButtonFocusRule(int border, int padding, const QString &selector = QStringLiteral("QToolButton"));

} // namespace Keyboard
