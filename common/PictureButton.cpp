#include "common/PictureButton.h"

#include "common/ResourceImage.h"

#include <QKeyEvent>
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

void PictureButton::setClickable(bool clickable, const QString &name)
{
    m_clickable = clickable;
    Keyboard::setPressable(this, clickable, name);
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
    Keyboard::paintFocusFrame(p, this);
}

void PictureButton::press()
{
    if (!m_clickable || !isEnabled())
        return;
    emit pressed();
    emit released();
    emit clicked();
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (m_clickable && Keyboard::isPressKey(event))
        return press();
    QWidget::keyPressEvent(event);
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
    Keyboard::setPressable(this, true, text);
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
    icon->setClickable(true, text());
    icon->setFocusProxy(this);
    connect(icon, &PictureButton::pressed, this, [this] { pressDown(); });
    connect(icon, &PictureButton::released, this, [this] { release(); });
    connect(icon, &PictureButton::clicked, this, &LinkLabel::clicked);
}

void LinkLabel::press()
{
    pressDown();
    release();
    emit clicked();
}

void LinkLabel::pressDown()
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
    pressDown();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return QLabel::mouseReleaseEvent(event);
    release();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (Keyboard::isPressKey(event))
        return press();
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    Keyboard::paintFocusFrame(p, this);
}
