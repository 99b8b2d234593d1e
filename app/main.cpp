#include "app/Application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Corvalla::initApplication();
    const QList<QWidget *> windows = Corvalla::createWindowSet();
    Corvalla::showMainWindow(windows.constFirst());
    const int rc = app.exec();
    qDeleteAll(windows);
    return rc;
}
