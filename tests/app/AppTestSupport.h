#pragma once

#include "TestSupport.h"
#include "common/MsgBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QTest>
#include <QTimer>
#include <functional>

// Types text key by key, accented letters and the euro sign included.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `act` (which opens a modal window) and, once the modal window is up, `inspect` on it; the
// modal window is then closed if `inspect` left it open. Returns the class name of the modal
// window, empty when none appeared.
inline QByteArray withModalWindow(const std::function<void()> &act,
                                  const std::function<void(QWidget *)> &inspect = {})
{
    QByteArray seen;
    bool done = false;
    std::function<void()> poll;
    QElapsedTimer clock;
    clock.start();
    poll = [&]() {
        if (done)
            return;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            done = true;
            seen = modal->metaObject()->className();
            if (inspect)
                inspect(modal);
            if (modal->isVisible())
                modal->close();
            return;
        }
        if (clock.elapsed() < 5000)
            QTimer::singleShot(10, poll);
    };
    QTimer::singleShot(0, poll);
    act();
    done = true;
    return seen;
}

// Runs `act` inside the application's own event loop and tells whether it ended the program
// (the loop stopped with code 0) within a few seconds.
inline bool endsProgram(const std::function<void()> &act)
{
    QTimer::singleShot(0, act);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    return QCoreApplication::exec() == 0;
}
