#pragma once

#include <QDialog>

class LinkLabel;
class PictureButton;
class QPushButton;

// The information window: the program's contact e-mail address as a link. One-use, modal.
class TfrmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void lnkWebClick();

    LinkLabel *lnkWeb;
    PictureButton *imgEmail;
    QPushButton *btnChiudi;
};
