#pragma once

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

// What the user waits for: the time from an action to the first painting of a view that shows
// its result. The test of "shows its result" is given, so that a painting of an empty view before
// the result does not count. The view may belong to a window that the action opens (a modal one
// included): `viewOf` finds it among the widgets as they paint.
class ScreenWait : public QObject
{
public:
    using ViewOf = std::function<QAbstractScrollArea *(QWidget *painted)>;
    using Shown = std::function<bool(QAbstractScrollArea *view)>;
    // Run once the result is on screen, from the event loop (to close a modal window, say).
    using After = std::function<void(QAbstractScrollArea *view)>;

    // Milliseconds from the start of `act` to the first painting of the view with its result;
    // -1 when it did not come within `limitMs`.
    static double measure(const std::function<void()> &act, ViewOf viewOf, Shown shown, After after = {},
                          int limitMs = 120000)
    {
        ScreenWait wait(std::move(viewOf), std::move(shown), std::move(after));
        qApp->installEventFilter(&wait);
        wait.m_clock.start();
        act();
        while (wait.m_ms < 0 && (wait.m_seen || wait.m_clock.elapsed() < limitMs))
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        qApp->removeEventFilter(&wait);
        return wait.m_ms;
    }

    // A view given beforehand.
    static ViewOf the(QAbstractScrollArea *view)
    {
        return [view](QWidget *painted) { return painted == view->viewport() ? view : nullptr; };
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || m_seen || !watched->isWidgetType())
            return false;
        QAbstractScrollArea *view = m_viewOf(static_cast<QWidget *>(watched));
        if (!view || !m_shown(view))
            return false;
        // The painting is done once this event has been handled: the clock stops at the next
        // turn of the event loop.
        m_seen = true;
        QPointer<QAbstractScrollArea> later = view;
        QMetaObject::invokeMethod(
            qApp,
            [this, later] {
                m_ms = m_clock.nsecsElapsed() / 1e6;
                if (later && m_after)
                    m_after(later);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    ScreenWait(ViewOf viewOf, Shown shown, After after)
        : m_viewOf(std::move(viewOf)), m_shown(std::move(shown)), m_after(std::move(after))
    {
    }

    ViewOf m_viewOf;
    Shown m_shown;
    After m_after;
    QElapsedTimer m_clock;
    bool m_seen = false;
    double m_ms = -1;
};

// Opening a window (made and shown by `open`) until its view called `viewName` is on screen with
// at least `rows` rows, then scrolling that view to its end until the end is on screen: the two
// waits in milliseconds. The window is destroyed afterwards.
inline std::pair<double, double> openAndScroll(const std::function<QWidget *()> &open, const char *viewName,
                                               int rows)
{
    QWidget *window = nullptr;
    const auto named = [viewName](QWidget *painted) -> QAbstractScrollArea * {
        auto *view = qobject_cast<QAbstractItemView *>(painted->parentWidget());
        return view && view->objectName() == QLatin1String(viewName) ? view : nullptr;
    };
    const auto filled = [rows](QAbstractScrollArea *view) {
        return static_cast<QAbstractItemView *>(view)->model()->rowCount() >= rows;
    };
    const double opened = ScreenWait::measure([&window, &open] { window = open(); }, named, filled);
    auto *view = window->findChild<QAbstractItemView *>(QLatin1String(viewName));
    const double scrolled = ScreenWait::measure([view] { view->scrollToBottom(); }, ScreenWait::the(view),
                                                [](QAbstractScrollArea *) { return true; });
    delete window;
    return {opened, scrolled};
}
