// The program's own start-up, for the start-up benchmark: the same start as the shipped program,
// but the run ends, writing "shown", as soon as the access window is on screen.
#include "app/Startup.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return Corvalla::runProgram(app, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
