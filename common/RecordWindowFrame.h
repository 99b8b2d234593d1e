#pragma once

#include <QList>
#include <QSize>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// The frame of the windows that show one record at a time (member sheet, receipt, card): a pale
// blue window with a toolbar of picture buttons at the top, the record's panel below it, both
// scrolling when the window is smaller than they are, and the information bar at the foot.
namespace RecordWindowFrame {

// A named panel: a background of the window.
QFrame *panel(const char *name, QWidget *parent);

// The toolbar: groups of picture buttons on a light band, the record group with the position label
// between its second and third button, and the last group pushed to the right end of the band.

struct ToolbarGroup
{
    const char *name;             // the group's panel
    QList<QToolButton *> buttons; // left to right
    bool record = false;          // holds the position label after its second button
};

struct Toolbar
{
    QFrame *band = nullptr;     // shpContainer
    QLabel *position = nullptr; // lblPosizione, when a group is the record group
    QList<QWidget *> panels;    // the band and its groups: backgrounds of the information bar
};

// Lays the groups out on a new band, child of `parent`; the buttons move into their groups.
Toolbar toolbar(QWidget *parent, const QList<ToolbarGroup> &groups);

// A picture button of these windows, with its text beside the picture when it has one. Pictures
// that react to a click never take the focus from the entry field.
QToolButton *pictureButton(QWidget *parent, const char *name, const char *icon, const char *text,
                           const char *hint, QSize iconSize);

// Gives `window` its pale blue background and lays it out: the toolbar band and the content (the
// record's panel, which takes the spare height) in a scroll area called `scrollerName`, so that
// below their natural size (a small screen, a large scale factor) they scroll instead of falling
// off the screen, and the information bar at the foot. A field reached with Enter comes into view
// like one reached with Tab. Returns the information bar (panInfo); the scroll area's own panels
// are added to `backgrounds`.
QLabel *layOut(QWidget *window, const char *scrollerName, QFrame *band, QWidget *content,
               QList<QWidget *> &backgrounds);

} // namespace RecordWindowFrame
