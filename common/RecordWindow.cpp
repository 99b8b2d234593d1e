#include "common/RecordWindow.h"

#include "common/FieldConventions.h"
#include "common/Formats.h"
#include "common/KeyboardAccess.h"
#include "common/MsgBox.h"
#include "common/TextUtil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Set on the toolbar rather than on the window, so that the looks do not reach the one-use windows
// and message boxes that have the window as parent.
const char *const kToolbarStyle = R"(
QFrame#shpContainer {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #DCE5F7);
    border-bottom: 1px solid #9FB4E3;
}
QFrame[toolbarGroup="true"] {
    background: rgba(255, 255, 255, 150);
    border: 1px solid #C3D1F0;
    border-radius: 6px;
}
QLabel#lblPosizione {
    background: #FFFFFF;
    border: 1px solid #9FB4E3;
    border-radius: 4px;
    font-weight: bold;
    padding: 2px 6px;
}
QToolButton { border: 1px solid transparent; border-radius: 5px; padding: 2px; }
QToolButton:hover { background: #FFF6C8; border-color: #E2C75A; }
QToolButton:pressed { background: #FFE98A; }
)";

// The keys of the buttons every record window shares, written at the end of their hints.
struct Shortcut
{
    const char *button;
    QKeyCombination keys;
    const char *written;
};
const Shortcut kShortcuts[] = {
    {"cmdNuovo", Qt::CTRL | Qt::Key_N, "Ctrl+N"},
    {"cmdSalva", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
    {"cmdDuplica", Qt::CTRL | Qt::Key_D, "Ctrl+D"},
    {"cmdTrova", Qt::CTRL | Qt::Key_F, "Ctrl+F"},
    {"cmdStampa", Qt::CTRL | Qt::Key_P, "Ctrl+P"},
    {"cmdIndietro", Qt::ALT | Qt::Key_Left, "Alt+Freccia sinistra"},
    {"cmdAvanti", Qt::ALT | Qt::Key_Right, "Alt+Freccia destra"},
    {"cmdPrimo", Qt::ALT | Qt::Key_Home, "Alt+Inizio"},
    {"cmdUltimo", Qt::ALT | Qt::Key_End, "Alt+Fine"},
    {"cmdGuida", QKeyCombination(Qt::Key_F1), "F1"},
    {"imgGuida", QKeyCombination(Qt::Key_F1), "F1"},
};

const Shortcut *shortcutOf(const char *button)
{
    for (const Shortcut &s : kShortcuts)
        if (qstrcmp(s.button, button) == 0)
            return &s;
    return nullptr;
}

bool isButton(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || dynamic_cast<const Pressable *>(w);
}

// The controls of `panel` that Tab reaches, in the order Tab reaches them now.
QList<QWidget *> tabStops(QWidget *panel)
{
    QList<QWidget *> stops;
    for (QWidget *w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain())
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            stops.append(w);
    return stops;
}

const char *const kInfoStyle = "QLabel#panInfo { background: #1F4AB8; color: #FFFFFF; padding: 5px 12px; }";

} // namespace

RecordWindow::RecordWindow(const Texts &texts, QWidget *parent)
    : QWidget(parent), m_resting(QString::fromUtf8(texts.resting)),
      m_emptyArchive(QString::fromUtf8(texts.emptyArchive)), m_access(texts.access), m_backgrounds{this}
{
    setObjectName(QLatin1String(texts.name));
    setWindowTitle(QString::fromUtf8(texts.title));
    Formats::applyProcessFormats();
}

QString RecordWindow::position() const
{
    return m_position->text();
}

bool RecordWindow::lowScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->availableGeometry().height() < kLowScreenHeight;
}

QFrame *RecordWindow::panel(const char *name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

void RecordWindow::addButton(const char *name, const char *icon, const char *text, const char *hint,
                             int place, bool inToolbar, QObject *owner, std::function<void()> click)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(icon))));
    const int toolbarIcon = lowScreen() ? 28 : 36;
    button->setIconSize(inToolbar ? QSize(toolbarIcon, toolbarIcon) : QSize(20, 20));
    if (text) {
        button->setText(QString::fromUtf8(text));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    QString said = QString::fromUtf8(hint);
    if (const Shortcut *key = shortcutOf(name)) {
        said += QStringLiteral(" (%1)").arg(QString::fromUtf8(key->written));
        auto *shortcut = new QShortcut(QKeySequence(key->keys), this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
    }
    button->setAccessibleName(said);
    // Reached with Tab; a click on it still leaves the focus in the field being typed.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QToolButton::clicked, owner, std::move(click));
    m_placed[place].append(button);
    addHint(button, said);
}

QToolButton *RecordWindow::button(const char *name) const
{
    for (const QList<QToolButton *> &placed : m_placed)
        for (QToolButton *b : placed)
            if (b->objectName() == QLatin1String(name))
                return b;
    return nullptr;
}

QFrame *RecordWindow::layToolbar(const QList<const char *> &groups, int record)
{
    m_toolbar = panel("shpContainer", this);
    m_toolbar->setStyleSheet(QLatin1String(kToolbarStyle) + Keyboard::toolButtonFocusRule(2, 1));
    m_backgrounds.append(m_toolbar);
    auto *toolbar = new QHBoxLayout(m_toolbar);
    if (lowScreen()) {
        toolbar->setContentsMargins(6, 3, 6, 3);
        toolbar->setSpacing(5);
    } else {
        toolbar->setContentsMargins(10, 6, 10, 6);
        toolbar->setSpacing(8);
    }
    for (int g = 0; g < groups.size(); ++g) {
        QFrame *group = panel(groups[g], m_toolbar);
        group->setProperty("toolbarGroup", true);
        m_backgrounds.append(group);
        auto *row = new QHBoxLayout(group);
        row->setContentsMargins(3, 2, 3, 2);
        row->setSpacing(1);
        const QList<QToolButton *> buttons = m_placed.value(g);
        for (int i = 0; i < buttons.size(); ++i) {
            if (g == record && i == 2) {
                m_position = new QLabel(group);
                m_position->setObjectName(QStringLiteral("lblPosizione"));
                m_position->setAlignment(Qt::AlignCenter);
                m_position->setMinimumWidth(64);
                row->addWidget(m_position);
            }
            buttons[i]->setParent(group);
            row->addWidget(buttons[i]);
            m_toolbarButtons.append(buttons[i]);
        }
        // The last group sits at the right end of the toolbar.
        if (g == groups.size() - 1)
            toolbar->addStretch(1);
        toolbar->addWidget(group);
    }
    return m_toolbar;
}

void RecordWindow::orderTabStops(QWidget *content)
{
    // The entry fields first, then the buttons beside them, then the toolbar.
    QList<QWidget *> order;
    QList<QWidget *> buttons;
    for (QWidget *w : tabStops(content))
        (isButton(w) ? buttons : order).append(w);
    order += buttons;
    for (QToolButton *b : m_toolbarButtons)
        order.append(b);
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void RecordWindow::addHint(QWidget *control, const QString &hint)
{
    m_hints.append({control, hint});
}

void RecordWindow::addBackgrounds(std::initializer_list<QWidget *> panels)
{
    m_backgrounds.append(QList<QWidget *>(panels));
}

void RecordWindow::layOut(const char *scrollerName, QWidget *content)
{
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(0xE8, 0xEE, 0xFA));
    setPalette(windowPalette);

    auto *scroller = new QScrollArea(this);
    scroller->setFocusPolicy(Qt::NoFocus); // it follows the focus from field to field
    scroller->setObjectName(QLatin1String(scrollerName));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    auto *inner = new QWidget(scroller);
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(0);
    innerLayout->addWidget(m_toolbar);
    innerLayout->addWidget(content, 1);
    scroller->setWidget(inner);
    scroller->viewport()->setAutoFillBackground(false);
    inner->setAutoFillBackground(false);
    addBackgrounds({inner, scroller->viewport()});
    m_scroller = scroller;
    // The view follows the focus as the user moves it; a window taking the focus back (a one-use
    // window closing, a new visit) keeps its view.
    connect(qApp, &QApplication::focusChanged, scroller, [this](QWidget *old, QWidget *now) {
        if (!now || !m_scroller->widget()->isAncestorOf(now))
            return;
        m_lastFocus = now;
        if (old && old->window() == this)
            m_scroller->ensureWidgetVisible(now);
    });
    orderTabStops(content);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("panInfo"));
    m_info->setStyleSheet(QLatin1String(kInfoStyle));

    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    windowLayout->addWidget(scroller, 1);
    windowLayout->addWidget(m_info);

    Conventions::setupInfoBar(m_info, m_resting, m_hints, m_backgrounds);
}

qint64 RecordWindow::positionNumber() const
{
    return RecordRules::positionNumber(m_position->text());
}

void RecordWindow::setPosition(qint64 position)
{
    m_position->setText(QString::number(position));
}

void RecordWindow::clearPosition()
{
    m_position->clear();
}

void RecordWindow::accessError(std::optional<RecordRules::Step>)
{
    showAccessError(MsgBox::Kind::Error);
}

void RecordWindow::showAccessError(MsgBox::Kind kind)
{
    MsgBox::show(this, kind, m_saveFailure.isEmpty() ? m_access : m_saveFailure);
}

void RecordWindow::browse(RecordRules::Step step)
{
    const RecordArchive records = archive();
    const RecordRules::Browse move =
        RecordRules::browse(step, positionNumber(), [&records] { return records.count(); });
    if (move.clearPosition)
        clearPosition();
    switch (move.outcome) {
    case RecordRules::Browse::Outcome::Show: {
        // A failed read leaves the record on show as it was.
        QByteArray record;
        if (!records.readBytes(move.index, record)) {
            accessError(step);
            return;
        }
        showRecord(move.index, record);
        break;
    }
    case RecordRules::Browse::Outcome::EmptyArchive:
        MsgBox::information(this, m_emptyArchive);
        break;
    case RecordRules::Browse::Outcome::AccessError:
        accessError(step);
        break;
    case RecordRules::Browse::Outcome::NoMove:
        break;
    }
}

void RecordWindow::save(const std::function<std::optional<QByteArray>()> &checked,
                        const std::function<void(qint64 position)> &written,
                        const RecordArchive::Maker &makeNew)
{
    // What is still being typed is completed before anything is read.
    QPointer<QWidget> focused = Conventions::endEditing(this);
    const std::optional<QByteArray> record = checked();
    if (!record)
        return;

    const RecordRules::Save saved = RecordRules::save(archive(), positionNumber(), *record, makeNew);
    switch (saved.outcome) {
    case RecordRules::Save::Outcome::Failed:
        m_saveFailure = RecordRules::saveFailureMessage(saved, m_access);
        accessError(std::nullopt);
        m_saveFailure.clear();
        break;
    case RecordRules::Save::Outcome::Updated:
    case RecordRules::Save::Outcome::Appended:
        setPosition(saved.position);
        if (written)
            written(saved.position);
        MsgBox::information(this, saved.outcome == RecordRules::Save::Outcome::Updated
                                      ? QStringLiteral("Le modifiche apportate alla scheda corrente sono "
                                                       "state salvate in archivio.")
                                      : QStringLiteral("La scheda corrente è stata inserita in archivio."));
        break;
    }
    // Back to where the user was typing.
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
}

void RecordWindow::showEvent(QShowEvent *event)
{
    // A window coming back from the task bar is not a new visit: the record stays as it is.
    if (!event->spontaneous()) {
        startVisit();
        m_info->setText(m_resting);
        // Each visit starts from the top left, the toolbar in view.
        m_scroller->horizontalScrollBar()->setValue(0);
        m_scroller->verticalScrollBar()->setValue(0);
    }
    QWidget::showEvent(event);
}

void RecordWindow::changeEvent(QEvent *event)
{
    // Back from a one-use window: the focus returns to the control that opened it (or to the field
    // being typed, for a click), and the view stays where it was.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_lastFocus &&
        m_lastFocus->isVisible() && m_lastFocus->isEnabled() && QApplication::focusWidget() != m_lastFocus) {
        const int x = m_scroller->horizontalScrollBar()->value();
        const int y = m_scroller->verticalScrollBar()->value();
        m_lastFocus->setFocus(Qt::ActiveWindowFocusReason);
        m_scroller->horizontalScrollBar()->setValue(x);
        m_scroller->verticalScrollBar()->setValue(y);
    }
    QWidget::changeEvent(event);
}

void RecordWindow::closeEvent(QCloseEvent *event)
{
    endVisit();
    emit closed();
    event->accept(); // hides the window; it lives on for the next visit
}
