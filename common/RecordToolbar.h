#pragma once

#include <QList>
#include <QSize>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// The toolbar of the windows that show one record at a time (member sheet, receipt, card): groups
// of picture buttons on a light band, the record group with the position label between its second
// and third button, and the last group pushed to the right end of the band.
namespace RecordToolbar {

struct Group
{
    const char *name;             // the group's panel
    QList<QToolButton *> buttons; // left to right
    bool record = false;          // holds the position label after its second button
};

struct Parts
{
    QFrame *band = nullptr;     // shpContainer
    QLabel *position = nullptr; // lblPosizione, when a group is the record group
    QList<QWidget *> panels;    // the band and its groups: backgrounds of the information bar
};

// Lays the groups out on a new band, child of `parent`; the buttons move into their groups.
Parts build(QWidget *parent, const QList<Group> &groups);

// A picture button of these windows, with its text beside the picture when it has one. Pictures
// that react to a click never take the focus from the entry field.
QToolButton *pictureButton(QWidget *parent, const char *name, const char *icon, const char *text,
                           const char *hint, QSize iconSize);

} // namespace RecordToolbar
