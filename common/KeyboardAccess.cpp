#include "common/KeyboardAccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

const QColor kFrameColour(0x0B, 0x3D, 0x91);

// A pressable control as a screen reader meets it: a button with its name, that it can press. One
// that reacts to no click is a picture or a text; one that is a part of another control (the
// caption under a tile, the icon beside a link) is a picture, reached through that control.
class PressableAccessible : public QAccessibleWidget
{
public:
    explicit PressableAccessible(QWidget *control) : QAccessibleWidget(control, QAccessible::Button) {}

    bool isButton() const { return !widget()->focusProxy() && widget()->focusPolicy() != Qt::NoFocus; }

    QAccessible::Role role() const override
    {
        if (isButton())
            return QAccessible::Button;
        return qobject_cast<const QLabel *>(widget()) ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (!isButton()) {
            s.focusable = false;
            s.focused = false;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return isButton() ? QStringList{pressAction()} + QAccessibleWidget::actionNames() : QStringList();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction() || !isButton())
            return QAccessibleWidget::doAction(action);
        if (auto *pressable = dynamic_cast<Pressable *>(widget()); pressable && widget()->isEnabled())
            pressable->press();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// A window of the program: a window or a dialog, named by its caption without the leading blank
// that the captions carry.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(QWidget *window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle().trimmed();
        return QAccessibleWidget::text(t);
    }
};

bool isProgramWindow(QWidget *w)
{
    const Qt::WindowType type = w->windowType();
    return w->isWindow() && (type == Qt::Window || type == Qt::Dialog) && !qobject_cast<QMessageBox *>(w);
}

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    // Asked once for each class of the object, most derived first: answered at the first.
    if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (dynamic_cast<Pressable *>(w))
        return new PressableAccessible(w);
    if (isProgramWindow(w))
        return new WindowAccessible(w,
                                    qobject_cast<QDialog *>(w) ? QAccessible::Dialog : QAccessible::Window);
    return nullptr;
}

// Enter on a focused button presses it, as Space does.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !(qobject_cast<QToolButton *>(button) || qobject_cast<QPushButton *>(button)) ||
            !button->hasFocus())
            return false;
        if (button->isEnabled())
            button->click();
        return true;
    }
};

} // namespace

namespace Keyboard {

void install()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(accessibleFor);
    qApp->installEventFilter(new EnterPresses(qApp));
}

void setPressable(QWidget *control, bool clickable, const QString &name)
{
    control->setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
    if (!name.isEmpty())
        control->setAccessibleName(name);
}

bool isPressKey(const QKeyEvent *event)
{
    if (event->isAutoRepeat() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void paintFocusFrame(QPainter &painter, const QWidget *control)
{
    // The control itself, not a part that hands its focus on.
    if (QApplication::focusWidget() != control)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(control->rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(kFrameColour, 2));
    painter.drawRoundedRect(outer, 4, 4);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter.restore();
}

QString toolButtonFocusRule(int border, int padding, const QString &selector)
{
    return QStringLiteral("%4:focus { border: %1px solid %2; padding: %3px; }")
        .arg(border)
        .arg(kFrameColour.name())
        .arg(padding)
        .arg(selector);
}

} // namespace Keyboard
