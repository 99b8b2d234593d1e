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

// Calls `action` with the first active modal window of type T that `accept` likes, polling every
// 20 ms for at most `timeoutMs` (then the waiting modal window is closed). Returns a flag that tells whether the action ran.
template <typename T>
std::shared_ptr<bool> whenShown(std::function<void(T *)> action, int timeoutMs = 30000,
                                std::function<bool(T *)> accept = {})
{
    auto ran = std::make_shared<bool>(false);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto timer = new QTimer(qApp);
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

} // namespace Modal
