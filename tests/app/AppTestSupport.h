#pragma once

#include "ModalHelper.h"
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

// Runs `act` (which opens a modal window), inspects the modal window and closes it.
inline QByteArray withModalWindow(const std::function<void()> &act,
                                  const std::function<void(QWidget *)> &inspect = {})
{
    return Modal::withModalWindow(act, inspect);
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
