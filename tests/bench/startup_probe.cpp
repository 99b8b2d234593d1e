// The program's own start-up, for the start-up benchmark: the same start as the shipped program,
// writing "shown" when the access window is exposed and "painted" once its first frame is drawn
// (the exposure is handled, and the window drawn, before a posted call runs), where the run ends.
#include "app/Startup.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return Corvalla::runProgram(app, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, [] {
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    });
}
