#include "app/Application.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>

namespace {
// Runs `action` once, the first time the window is exposed (drawn on screen).
class OnFirstExpose : public QObject
{
public:
    OnFirstExpose(QObject *parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_action && event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            auto action = std::move(m_action);
            m_action = nullptr;
            action();
        }
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Corvalla::initApplication();

    // The access window comes first and is shown at once; the rest of the window set is created,
    // hidden and in its order, right after the access window has been drawn, while the user types.
    QWidget *mainWindow = Corvalla::createMainWindow();
    QList<QWidget *> windows{mainWindow};
    mainWindow->winId(); // the window handle exists from here on
    const bool measuring = qEnvironmentVariableIsSet("CORVALLA_EXIT_WHEN_SHOWN");
    bool created = false;
    const auto createTheRest = [&windows, &created]() {
        if (!created) {
            created = true;
            windows += Corvalla::createRemainingWindows();
        }
    };
    mainWindow->windowHandle()->installEventFilter(new OnFirstExpose(&app, [createTheRest, measuring]() {
        if (measuring) {
            // Start-up measurement: the run ends as soon as the access window is on screen.
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
        QTimer::singleShot(0, qApp, createTheRest);
    }));
    // Should the window never be exposed (a minimised start), the set is completed all the same.
    QTimer::singleShot(1000, qApp, createTheRest);
    Corvalla::showMainWindow(mainWindow);
    const int rc = app.exec();
    qDeleteAll(windows);
    return rc;
}
