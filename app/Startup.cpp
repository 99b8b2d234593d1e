#include "app/Startup.h"

#include "app/Application.h"
#include "app/WindowRegistry.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace Corvalla {

namespace {
// Should the access window never be drawn (a minimised start), the set is completed all the same.
constexpr int kCompleteAnywayMs = 1000;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}
} // namespace

Startup::Startup(std::function<void()> whenShown) : m_whenShown(std::move(whenShown))
{
    QWidget *access = createMainWindow();
    m_windows.append(access);
    access->winId(); // the window handle exists from here on
    access->windowHandle()->installEventFilter(this);
    qApp->installEventFilter(this);
    QTimer::singleShot(kCompleteAnywayMs, this, &Startup::completeWindowSet);
    showMainWindow(access);
}

Startup::~Startup()
{
    qApp->removeEventFilter(this);
    Windows::clear();
    qDeleteAll(m_windows);
}

void Startup::completeWindowSet()
{
    if (m_complete)
        return;
    m_complete = true;
    qApp->removeEventFilter(this);
    m_windows += createRemainingWindows();
}

bool Startup::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_complete && isUserInput(event->type())) {
        completeWindowSet(); // before the input is handled
        return false;
    }
    if (!m_shown && event->type() == QEvent::Expose && watched == accessWindow()->windowHandle() &&
        accessWindow()->windowHandle()->isExposed()) {
        m_shown = true;
        if (m_whenShown)
            m_whenShown();
        else
            QTimer::singleShot(0, this, &Startup::completeWindowSet);
    }
    return false;
}

int runProgram(QApplication &app, std::function<void()> whenShown)
{
    initApplication();
    Startup startup(std::move(whenShown));
    return app.exec();
}

} // namespace Corvalla
