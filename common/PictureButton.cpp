#include "common/PictureButton.h"

#include "common/ResourceImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
QPixmap renderPicture(const QString &resource, const QSize &size, qreal ratio)
{
    QPixmap pixmap = QPixmap::fromImage(resourceImage(resource, size * ratio));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
} // namespace

PictureButton::PictureButton(const QString &resource, const QSize &size, QWidget *parent)
    : QWidget(parent), m_resource(resource), m_size(size)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PictureButton::setClickable(bool clickable)
{
    m_clickable = clickable;
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (m_size.isEmpty())
        return;
    const QSize target = m_size.scaled(size().boundedTo(m_size), Qt::KeepAspectRatio);
    if (target.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.deviceIndependentSize().toSize() != target ||
        !qFuzzyCompare(m_cache.devicePixelRatio(), ratio))
        m_cache = renderPicture(m_resource, target, ratio);
    if (m_cache.isNull())
        return; // a missing picture leaves the place empty
    QPainter p(this);
    const QRect area(QPoint((width() - target.width()) / 2, (height() - target.height()) / 2), target);
    p.drawPixmap(area, m_cache);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_clickable || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_down = true;
    emit pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_clickable || event->button() != Qt::LeftButton || !m_down)
        return QWidget::mouseReleaseEvent(event);
    m_down = false;
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setLinkColour(kRestColour);
}

QColor LinkLabel::linkColour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setLinkColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

void LinkLabel::attachIcon(PictureButton *icon)
{
    icon->setClickable(true);
    connect(icon, &PictureButton::pressed, this, [this] { press(); });
    connect(icon, &PictureButton::released, this, [this] { release(); });
    connect(icon, &PictureButton::clicked, this, &LinkLabel::clicked);
}

void LinkLabel::press()
{
    m_down = true;
    setLinkColour(kPressedColour);
}

void LinkLabel::release()
{
    m_down = false;
    setLinkColour(kRestColour);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    press();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return QLabel::mouseReleaseEvent(event);
    release();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}
