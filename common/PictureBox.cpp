#include "common/PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setImage(const QImage &image)
{
    m_image = image;
    m_fitted = QPixmap();
    update();
}

void PictureBox::setBackground(const QColor &colour)
{
    m_background = colour;
    update();
}

void PictureBox::setClickable(const QString &name)
{
    setCursor(Qt::PointingHandCursor);
    Keyboard::setPressable(this, true, name);
}

void PictureBox::press()
{
    if (isEnabled())
        emit clicked();
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (focusPolicy() != Qt::NoFocus && Keyboard::isPressKey(event))
        return press();
    QWidget::keyPressEvent(event);
}

QSize PictureBox::sizeHint() const
{
    if (!m_image.isNull())
        return m_image.size();
    return QSize(100, 100);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isValid())
        p.fillRect(rect(), m_background);
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return Keyboard::paintFocusFrame(p, this);
    // Fitted into the frame with its proportions kept, centred; a small picture is enlarged too,
    // so that every picture fills the frame in one direction.
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    if (fitted.isEmpty())
        return;
    // Scaled once per picture and frame size, averaging the pixels: a large photo drawn straight
    // into a small frame would be slow at every repaint and look grainy.
    const qreal ratio = devicePixelRatioF();
    if (m_fitted.isNull() || m_fitted.deviceIndependentSize().toSize() != fitted ||
        !qFuzzyCompare(m_fitted.devicePixelRatio(), ratio)) {
        m_fitted = QPixmap::fromImage(
            m_image.scaled(fitted * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_fitted.setDevicePixelRatio(ratio);
    }
    p.drawPixmap(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), m_fitted);
    Keyboard::paintFocusFrame(p, this);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
