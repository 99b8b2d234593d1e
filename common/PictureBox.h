#pragma once

#include "common/ResourceImage.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture frame that holds a picture at its own size and shows it fitted into the frame,
// proportions kept and centred (the photo on the member sheet, the webcam pictures, the zoom).
// Emits clicked() on a left click.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    void setBackground(const QColor &colour);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QColor m_background;
    QPixmap m_fitted; // m_image scaled to the frame, made when first painted at that size
};
