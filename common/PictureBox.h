#pragma once

#include "common/KeyboardAccess.h"
#include "common/ResourceImage.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture frame that holds a picture at its own size and shows it fitted into the frame,
// proportions kept and centred (the photo on the member sheet, the webcam pictures, the zoom).
// Emits clicked() on a left click; one that reacts to it (setClickable) is also reached with Tab
// and pressed with Space or Enter.
class PictureBox : public QWidget, public Pressable
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    void setBackground(const QColor &colour);
    // A frame whose click does something: a hand cursor, the focus by Tab, `name` for a screen
    // reader.
    void setClickable(const QString &name);
    void press() override;

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage m_image;
    QColor m_background;
    QPixmap m_fitted; // m_image scaled to the frame, made when first painted at that size
};
