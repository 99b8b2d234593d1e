#pragma once

#include <QString>

class LinkLabel;
class PictureButton;
class QDialog;
class QPushButton;
class QWidget;

// The pieces of the help, information and credits windows: an icon with its text link, and
// "Chiudi".
namespace LinkWindow {

struct IconLink
{
    PictureButton *icon;
    LinkLabel *link; // named lnkWeb; a click on the icon is a click on the link
};

// A 32x32 icon named `iconName` and the link showing `text`.
IconLink makeIconLink(QWidget *window, const QString &iconResource, const QString &iconName,
                      const QString &text);

// "Chiudi" (btnChiudi), which closes the window.
QPushButton *makeCloseButton(QDialog *window);

struct Controls
{
    PictureButton *icon;
    LinkLabel *link;
    QPushButton *close;
};

// The information and credits windows: `picture` centred on top, the icon and its link centred
// below it, "Chiudi" at the bottom right, the window as large as its contents.
Controls build(QDialog *window, PictureButton *picture, const QString &iconResource, const QString &iconName,
               const QString &text);

} // namespace LinkWindow
