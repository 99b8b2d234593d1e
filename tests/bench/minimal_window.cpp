// The yardstick for the start-up benchmark: a Qt Widgets program that shows one small window and,
// like the program's start-up probe, writes "shown" and ends once it is exposed.
#include <QApplication>
#include <QLabel>
#include <QWindow>
#include <cstdio>

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
            QCoreApplication::exit(0);
        }
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Finestra"));
    window.resize(400, 300);
    window.winId();
    window.windowHandle()->installEventFilter(new ExitWhenShown(&app));
    window.show();
    return app.exec();
}
