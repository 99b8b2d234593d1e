#include "common/Placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace Placement {

namespace {
// The room a window manager's title and border take, until the window has been framed once.
constexpr QSize kFrameGuess(8, 40);

// Shrinks `window` where it is larger than `area` with its frame.
void fitInto(QWidget *window, const QRect &area)
{
    QSize frame = window->frameGeometry().size() - window->size();
    if (frame.isEmpty())
        frame = kFrameGuess;
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
}

// Moves `window`, no larger than `area`, so that its frame (the window manager's title and border, once it
// has one) has its centre at `centre`, keeping the frame's top left corner, with the title, inside `area`.
void centreFrame(QWidget *window, const QPoint &centre, const QRect &area)
{
    fitInto(window, area);
    const QSize outer = window->frameGeometry().size();
    QPoint at = centre - QPoint(outer.width() / 2, outer.height() / 2);
    at.setX(qMax(area.left(), qMin(at.x(), area.right() + 1 - outer.width())));
    at.setY(qMax(area.top(), qMin(at.y(), area.bottom() + 1 - outer.height())));
    window->move(at);
}
} // namespace

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        centreFrame(window, screen->availableGeometry().center(), screen->availableGeometry());
}

void centreOn(QWidget *window, const QWidget *over)
{
    const QScreen *screen = over ? over->screen() : nullptr;
    if (!over || !over->isVisible() || !screen)
        return centreOnScreen(window);
    centreFrame(window, over->frameGeometry().center(), screen->availableGeometry());
}

} // namespace Placement
