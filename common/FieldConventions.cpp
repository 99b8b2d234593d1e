#include "common/FieldConventions.h"

#include "common/CallerContext.h"
#include "common/KeyboardAccess.h"
#include "common/TextUtil.h"
#include "common/TfrmCalendario.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSet>

namespace Conventions {

namespace {

const char *const kBackgroundProperty = "corvallaBackground";

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A focus change caused by another window coming to the front (a message box, the date picker)
// or by a popup menu is not the user leaving the field: the field stays the focus of its window,
// so it keeps its look and its exit rules do not run.
bool leavesField(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

void paintBackground(QLineEdit *field, const QColor &colour)
{
    // Restyling costs a repolish: only when the colour really changes.
    if (field->property(kBackgroundProperty).value<QColor>() == colour && !field->styleSheet().isEmpty())
        return;
    field->setProperty(kBackgroundProperty, colour);
    field->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; "
                                        "border-radius: 0px; padding: 1px 3px; }")
                             .arg(colour.name(), kBorderColour.name()));
}

void moveFocusTo(QWidget *target)
{
    // The tab reason makes an entry field select its text, as moving with Tab does.
    if (target)
        target->setFocus(Qt::TabFocusReason);
}

class FieldColour : public QObject
{
public:
    FieldColour(QLineEdit *field, const QColor &resting, std::function<void()> onExit)
        : QObject(field), m_field(field), m_resting(resting), m_onExit(std::move(onExit))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field) {
            if (event->type() == QEvent::FocusIn) {
                paintBackground(m_field, kFocusColour);
            } else if (event->type() == QEvent::FocusOut && leavesField(static_cast<QFocusEvent *>(event))) {
                paintBackground(m_field, m_resting);
                if (m_onExit)
                    m_onExit();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *m_field;
    QColor m_resting;
    std::function<void()> m_onExit;
};

// Yellow band whose border fades from yellow to white towards the outside.
class HighlightBand : public QWidget
{
public:
    static constexpr int kMargin = 4;

    // A field without a parent has no room around it: the band then stays hidden inside it.
    HighlightBand(QLineEdit *field, const QString &name)
        : QWidget(field->parentWidget() ? field->parentWidget() : field), m_field(field)
    {
        setObjectName(name);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
        follow();
        stackUnder(field);
        field->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field) {
            switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
                follow();
                break;
            case QEvent::FocusIn:
                if (parentWidget() == m_field->parentWidget()) {
                    follow();
                    show();
                    stackUnder(m_field);
                }
                break;
            case QEvent::FocusOut:
                if (leavesField(static_cast<QFocusEvent *>(event)))
                    hide();
                break;
            case QEvent::Hide:
                hide();
                break;
            default:
                break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRectF r = rect();
        p.fillRect(r, Qt::white);
        // Concentric rings from white (outside) to yellow (inside).
        for (int i = 0; i < kMargin; ++i) {
            const qreal t = qreal(i) / kMargin;
            QColor c = kFocusColour;
            c.setGreen(255);
            c.setBlue(int(255 * (1.0 - t)));
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawRect(r.adjusted(i, i, -i, -i));
        }
        p.setBrush(kFocusColour);
        p.drawRect(r.adjusted(kMargin, kMargin, -kMargin, -kMargin));
    }

private:
    void follow()
    {
        if (m_field && parentWidget() == m_field->parentWidget())
            setGeometry(m_field->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
    }

    QPointer<QLineEdit> m_field;
};

class EnterTarget : public QObject
{
public:
    EnterTarget(QWidget *from, QWidget *to) : QObject(from), m_from(from), m_to(to) {}

    void setTarget(QWidget *to) { m_to = to; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_from && event->type() == QEvent::KeyPress &&
            isEnterKey(static_cast<QKeyEvent *>(event)->key())) {
            moveFocusTo(m_to);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_from;
    QPointer<QWidget> m_to;
};

class TypingRule : public QObject
{
public:
    TypingRule(QLineEdit *field, bool upper) : QObject(field), m_field(field), m_upper(upper)
    {
        connect(field, &QLineEdit::textChanged, this, &TypingRule::apply);
        apply(field->text());
    }

private:
    void apply(const QString &text)
    {
        const QString trimmed = trimBlanks(text);
        const QString wanted = m_upper ? upperAZ(trimmed) : trimmed;
        if (wanted == text)
            return;
        // Keep the caret where the user was typing, less what the trim took off in front of it.
        qsizetype leading = 0;
        while (leading < text.size() && text.at(leading).unicode() <= 32)
            ++leading;
        const qsizetype caret = qBound<qsizetype>(0, m_field->cursorPosition() - leading, wanted.size());
        m_field->setText(wanted);
        m_field->setCursorPosition(int(caret));
    }

    QLineEdit *m_field;
    bool m_upper;
};

bool isLoneModifier(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

bool isFocusKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

// The keys of one entry field: Enter moves on to `next`, every other key goes to keyPress().
class FieldKeys : public QObject
{
public:
    FieldKeys(QLineEdit *field, QWidget *next) : QObject(field), m_field(field), m_next(next) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_field || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isEnterKey(key->key())) {
            moveFocusTo(m_next);
            return true;
        }
        return keyPress(key);
    }

protected:
    // True when the key is used up here; false lets the field have it.
    virtual bool keyPress(const QKeyEvent *key) = 0;

    QLineEdit *m_field;

private:
    QPointer<QWidget> m_next;
};

class DatePickerField : public FieldKeys
{
public:
    DatePickerField(QLineEdit *field, const QString &context, QWidget *next)
        : FieldKeys(field, next), m_context(context)
    {
    }

protected:
    bool keyPress(const QKeyEvent *key) override
    {
        const int k = key->key();
        if (k == Qt::Key_Backspace || k == Qt::Key_Delete) {
            m_field->clear();
            return true;
        }
        // Moving on, leaving the window and shortcuts (copying the date) are not requests for a date.
        if (isFocusKey(k) || isLoneModifier(k) || k == Qt::Key_Escape ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        openPicker();
        return true;
    }

private:
    void openPicker()
    {
        QPointer<TfrmCalendario> picker = new TfrmCalendario(m_field->window());
        setCallerContext(picker, m_context);
        picker->setTarget(m_field);
        picker->exec();
        delete picker.data();
    }

    QString m_context;
};

class CharacterFilter : public FieldKeys
{
public:
    CharacterFilter(QLineEdit *field, const QString &allowed, QWidget *next)
        : FieldKeys(field, next), m_allowed(allowed)
    {
    }

protected:
    bool keyPress(const QKeyEvent *key) override
    {
        const int k = key->key();
        switch (k) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return false;
        default:
            break;
        }
        // Tab still leaves the field, Esc still closes a one-use window; a modifier alone types
        // nothing.
        if (isFocusKey(k) || isLoneModifier(k) || k == Qt::Key_Escape)
            return false;
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        return !(plain && text.size() == 1 && m_allowed.contains(text.at(0)));
    }

private:
    QString m_allowed;
};

// An amount: digits and one decimal comma. A second comma is refused as it is typed, and entering
// the field by Tab or a click selects its text, so that typing replaces "0,00".
class AmountField : public CharacterFilter
{
public:
    AmountField(QLineEdit *field, QWidget *next) : CharacterFilter(field, QStringLiteral("0123456789,"), next)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field) {
            // Tab selects the text by itself; a click selects it once the button is let go, unless
            // the drag selected a part.
            if (event->type() == QEvent::FocusIn)
                m_selectOnRelease = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason;
            else if (event->type() == QEvent::MouseButtonRelease && m_selectOnRelease) {
                m_selectOnRelease = false;
                if (!m_field->hasSelectedText())
                    m_field->selectAll();
            }
        }
        return CharacterFilter::eventFilter(watched, event);
    }

protected:
    bool keyPress(const QKeyEvent *key) override
    {
        if (key->text() == QLatin1String(",")) {
            QString kept = m_field->text();
            if (m_field->hasSelectedText())
                kept.remove(m_field->selectionStart(), m_field->selectedText().size());
            if (kept.contains(QLatin1Char(',')))
                return true;
        }
        return CharacterFilter::keyPress(key);
    }

private:
    bool m_selectOnRelease = false;
};

class InfoBar : public QObject
{
public:
    explicit InfoBar(QLabel *bar) : QObject(bar), m_bar(bar) {}

    void addHint(QWidget *control, const QString &hint)
    {
        m_hints.insert(control, hint);
        control->setMouseTracking(true);
        control->installEventFilter(this);
        connect(control, &QObject::destroyed, this, [this, control] { m_hints.remove(control); });
    }

    void addBackground(QWidget *background)
    {
        m_backgrounds.insert(background);
        background->setMouseTracking(true);
        background->installEventFilter(this);
        connect(background, &QObject::destroyed, this,
                [this, background] { m_backgrounds.remove(background); });
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        auto *widget = static_cast<QWidget *>(watched);
        // A button reached from the keyboard shows its hint as it does under the pointer.
        if (type == QEvent::FocusIn &&
            (qobject_cast<QAbstractButton *>(widget) || dynamic_cast<Pressable *>(widget))) {
            if (const auto hint = m_hints.constFind(widget); hint != m_hints.constEnd())
                m_bar->setText(*hint);
            return QObject::eventFilter(watched, event);
        }
        if (type != QEvent::Enter && type != QEvent::MouseMove)
            return QObject::eventFilter(watched, event);
        const auto hint = m_hints.constFind(widget);
        if (hint != m_hints.constEnd()) {
            m_bar->setText(*hint);
        } else if (type == QEvent::MouseMove && m_backgrounds.contains(widget)) {
            // A move over a label or a button reaches its background too, when the child leaves it
            // unhandled: only the background's own area empties the bar.
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (!widget->childAt(pos))
                m_bar->setText(QString());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel *m_bar;
    QHash<QWidget *, QString> m_hints;
    QSet<QWidget *> m_backgrounds;
};

} // namespace

void applyFieldColour(QLineEdit *field, const QColor &resting, std::function<void()> onExit)
{
    paintBackground(field, field->hasFocus() ? kFocusColour : resting);
    field->installEventFilter(new FieldColour(field, resting, std::move(onExit)));
}

QColor fieldBackground(const QLineEdit *field)
{
    const QVariant v = field->property(kBackgroundProperty);
    return v.isValid() ? v.value<QColor>() : field->palette().color(QPalette::Base);
}

QWidget *attachHighlightBand(QLineEdit *field, const QString &bandName)
{
    auto *band = new HighlightBand(field, bandName);
    if (field->hasFocus() && band->parentWidget() == field->parentWidget())
        band->show();
    return band;
}

void setEnterRing(const QList<QPair<QWidget *, QWidget *>> &ring)
{
    for (const auto &step : ring)
        setEnterTarget(step.first, step.second);
}

void setEnterTarget(QWidget *from, QWidget *to)
{
    // One target per field: setting it again replaces the old one.
    for (QObject *child : from->children()) {
        if (auto *existing = dynamic_cast<EnterTarget *>(child)) {
            existing->setTarget(to);
            return;
        }
    }
    from->installEventFilter(new EnterTarget(from, to));
}

void setUpperCaseWhileTyping(QLineEdit *field)
{
    new TypingRule(field, true);
}

void setTrimWhileTyping(QLineEdit *field)
{
    new TypingRule(field, false);
}

void makeDatePickerField(QLineEdit *field, const QString &context, QWidget *next)
{
    field->setReadOnly(true);
    field->installEventFilter(new DatePickerField(field, context, next));
}

void setCharacterFilter(QLineEdit *field, const QString &allowed, QWidget *next)
{
    field->installEventFilter(new CharacterFilter(field, allowed, next));
}

void makeAmountField(QLineEdit *field, QWidget *next)
{
    field->installEventFilter(new AmountField(field, next));
}

void refuseOtherCharacters(QLineEdit *field, const QString &allowed)
{
    const QRegularExpression only(QLatin1Char('[') + QRegularExpression::escape(allowed) +
                                  QStringLiteral("]*"));
    field->setValidator(new QRegularExpressionValidator(only, field));
}

QWidget *endEditing(QWidget *window)
{
    QWidget *focused = window->focusWidget();
    if (!focused)
        return nullptr;
    if (!focused->hasFocus()) {
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(focused, &out);
    }
    focused->clearFocus();
    return focused;
}

void labelField(QLabel *label, QWidget *field)
{
    if (!label || !field)
        return;
    label->setBuddy(field);
    if (field->accessibleName().isEmpty())
        field->setAccessibleName(label->text());
}

void setupInfoBar(QLabel *bar, const QString &restingText, const QList<QPair<QWidget *, QString>> &hints,
                  const QList<QWidget *> &backgrounds)
{
    bar->setText(restingText);
    auto *info = new InfoBar(bar);
    for (const auto &h : hints)
        info->addHint(h.first, h.second);
    for (QWidget *b : backgrounds)
        info->addBackground(b);
}

} // namespace Conventions
