#include "common/Placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace Placement {

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

void centreOn(QWidget *window, const QWidget *over)
{
    if (!over || !over->isVisible())
        return centreOnScreen(window);
    const QRect area = over->frameGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace Placement
