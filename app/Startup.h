#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QApplication;
class QWidget;

namespace Corvalla {

// The start of a run. The access window is created and shown at once; the rest of the window set
// is created, hidden and in its order, right after the access window has been drawn, while the
// user types. A key or a click that arrives before then first completes the set, so that it is
// never lost (OK or "Cambia password" always find the windows they show).
class Startup : public QObject
{
public:
    // `whenShown`, when given, runs the first time the access window is on screen, in place of
    // completing the set then (the start-up benchmark ends its run there).
    explicit Startup(std::function<void()> whenShown = {});
    ~Startup() override; // destroys the window set
    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

    QWidget *accessWindow() const { return m_windows.constFirst(); }
    bool isComplete() const { return m_complete; }
    void completeWindowSet();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> m_windows;
    std::function<void()> m_whenShown;
    bool m_shown = false;
    bool m_complete = false;
};

// The whole run, as main() starts it: prepares the process, starts, runs the event loop and
// returns its exit code.
int runProgram(QApplication &app, std::function<void()> whenShown = {});

} // namespace Corvalla
