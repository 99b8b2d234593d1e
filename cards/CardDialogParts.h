#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

// What the card's print and preview windows share.
namespace CardDialogParts {

// The instruction picture: an icon beside a heading and its paragraphs.
QWidget *instructions(QWidget *parent, const QString &icon, const QString &heading,
                      const QStringList &paragraphs);

// The busy text "Elaborazione in corso. Attendere...", hidden until the work starts; it shows as
// soon as the mouse button goes down on `button`.
QLabel *busyText(QWidget *parent, QPushButton *button);

// Shows the busy text at once, before the work that follows keeps the window from repainting.
void showBusy(QLabel *busy);

} // namespace CardDialogParts
