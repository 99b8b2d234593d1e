#pragma once

// Acting on modal windows from a test: exec() blocks, so the action is queued first and runs once
// the window of the wanted kind is the active modal window.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace Modal {

// The one way the tests act on modal windows.
// Calls `action` with the first active modal window of type T that `accept` likes, polling every
// 20 ms for at most `timeoutMs` (then the waiting modal window is closed). Returns a flag that
// tells whether the action ran. The watch ends with `scope` when one is given.
template <typename T>
std::shared_ptr<bool> whenShown(std::function<void(T *)> action, int timeoutMs = 30000,
                                std::function<bool(T *)> accept = {}, QObject *scope = nullptr)
{
    auto ran = std::make_shared<bool>(false);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto timer = new QTimer(scope ? scope : qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        T *window = qobject_cast<T *>(QApplication::activeModalWidget());
        if (window && window->isVisible() && (!accept || accept(window))) {
            timer->stop();
            timer->deleteLater();
            *ran = true;
            action(window);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            // Never leave a test hanging in exec(): close whatever modal window waits.
            timer->stop();
            timer->deleteLater();
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        }
    });
    timer->start();
    return ran;
}

// Runs `act` (which opens a modal window) and, once the modal window is up, `inspect` on it; the
// modal window is then closed if `inspect` left it open. Returns the class name of the modal
// window, empty when none appeared within `timeoutMs`.
inline QByteArray withModalWindow(const std::function<void()> &act,
                                  const std::function<void(QWidget *)> &inspect = {}, int timeoutMs = 5000)
{
    QByteArray seen;
    QObject scope;
    whenShown<QWidget>(
        [&](QWidget *modal) {
            seen = modal->metaObject()->className();
            if (inspect)
                inspect(modal);
            if (modal->isVisible())
                modal->close();
        },
        timeoutMs, {}, &scope);
    act();
    return seen;
}

} // namespace Modal
