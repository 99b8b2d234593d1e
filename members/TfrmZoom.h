#pragma once

#include <QDialog>

class PictureBox;
class QFrame;

// The member photo shown as large as the screen allows; a click closes it. One-use window.
class TfrmZoom : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *parent = nullptr);

    void setPhoto(const QImage &photo);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placePanel();

    QFrame *panContainer;
    PictureBox *imgFoto;
};
