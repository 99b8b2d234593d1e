#pragma once

#include "app/DataCopies.h"

#include <QObject>
#include <QString>
#include <atomic>

class QThread;
class QWidget;

// The automatic copy of the data as a run makes it: the first time the main menu shows, a copy is
// made in the background, so neither the menu nor the user waits for it; a copy that fails is told
// once, in an Italian warning over the menu, and the program goes on. When the program ends while
// the copy runs, the copy stops and leaves nothing behind.
class DataCopyRunner : public QObject
{
    Q_OBJECT
public:
    // Starts the copy of `programFolder` the first time `menu` is shown.
    DataCopyRunner(QWidget *menu, QString programFolder);
    ~DataCopyRunner() override;

    bool isRunning() const;
    // Waits until the copy is over (tests).
    void waitForFinished();
    const DataCopies::Result &result() const { return m_result; }

signals:
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void start();
    void report();

    QWidget *m_menu;
    QString m_programFolder;
    QThread *m_thread = nullptr;
    std::atomic_bool m_cancel{false};
    DataCopies::Result m_result;
};
