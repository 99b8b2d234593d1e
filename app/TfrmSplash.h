#pragma once

#include <QDialog>

class LinkLabel;
class PictureButton;
class QPushButton;

// The credits window: the maker's mark and the program's web address as a link. One-use, modal,
// centred on the window that opens it.
class TfrmSplash : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

private:
    void lnkWebClick();

    LinkLabel *lnkWeb;
    PictureButton *imgWeb;
    QPushButton *btnChiudi;
};
