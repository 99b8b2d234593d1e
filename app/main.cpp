#include "app/Application.h"

#include <QApplication>
#include <QWindow>
#include <cstdio>

namespace {
// Start-up measurement: with CORVALLA_EXIT_WHEN_SHOWN set, the run ends as soon as the access
// window is on screen, after writing "shown" to standard output.
class ExitWhenShown : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Corvalla::initApplication();
    const QList<QWidget *> windows = Corvalla::createWindowSet();
    if (qEnvironmentVariableIsSet("CORVALLA_EXIT_WHEN_SHOWN")) {
        windows.constFirst()->winId(); // the window handle exists from here on
        windows.constFirst()->windowHandle()->installEventFilter(new ExitWhenShown(&app));
    }
    Corvalla::showMainWindow(windows.constFirst());
    const int rc = app.exec();
    qDeleteAll(windows);
    return rc;
}
