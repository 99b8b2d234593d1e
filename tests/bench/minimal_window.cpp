// The yardstick for the start-up benchmark: a Qt Widgets program that shows one small window and,
// like the program's start-up probe, writes "shown" once it is exposed and "painted" once its first
// frame is drawn, and ends. The libraries
// named in CORVALLA_LOAD (separated by ':') are loaded first, so that the benchmark can tell what
// each one would add to a program's start.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

namespace {
class ExitWhenShown : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    if (const char *load = std::getenv("CORVALLA_LOAD")) {
        std::string names(load);
        for (size_t at = 0; at < names.size();) {
            const size_t end = std::min(names.find(':', at), names.size());
            if (!dlopen(names.substr(at, end - at).c_str(), RTLD_NOW | RTLD_GLOBAL))
                return 2;
            at = end + 1;
        }
    }
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Finestra"));
    window.resize(400, 300);
    window.winId();
    window.windowHandle()->installEventFilter(new ExitWhenShown(&app));
    window.show();
    return app.exec();
}
