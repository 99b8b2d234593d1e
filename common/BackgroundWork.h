#pragma once

#include "common/RecordTable.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

// Files larger than this are read on a thread of their own; smaller ones (a hundred thousand
// members make about 110 MB) are read in a fraction of a second from the disk cache.
constexpr qint64 kReadInBackground = 256LL << 20;

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Long work (reading a very large archive) done on a thread of its own, so that the window that
// waits for it keeps answering. While it runs the pointer is busy; when it lasts over half a
// second a progress window over `window` shows how far it has come, with "Annulla" to stop it.
// `work` runs on the thread and reports through the ReadProgress it is given (total, done, and
// whether it was cancelled); `done` follows on the window's thread once it has ended. The object
// belongs to `window`: destroying it (or the window) stops the work and waits for the thread.
class BackgroundWork : public QObject
{
    Q_OBJECT
public:
    BackgroundWork(QWidget *window, const QString &label, std::function<void(ReadProgress &)> work,
                   std::function<void()> done);
    ~BackgroundWork() override;

    // Asks the work to stop; `done` still follows.
    void cancel();
    bool isRunning() const;

private:
    void showProgress();
    void finish();

    std::shared_ptr<ReadProgress> m_progress;
    std::function<void()> m_done;
    QThread *m_thread = nullptr;
    QTimer *m_timer = nullptr;
    QPointer<QProgressDialog> m_dialog;
    QWidget *m_window;
    QString m_label;
    bool m_busyCursor = false;
    qint64 m_started = 0;
};
