#include "common/BackgroundWork.h"

#include <QApplication>
#include <QDateTime>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int kShowAfterMs = 500;
constexpr int kTickMs = 50;
} // namespace

BackgroundWork::BackgroundWork(QWidget *window, const QString &label,
                               std::function<void(ReadProgress &)> work, std::function<void()> done)
    : QObject(window), m_progress(std::make_shared<ReadProgress>()), m_done(std::move(done)),
      m_window(window), m_label(label)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_busyCursor = true;
    m_started = QDateTime::currentMSecsSinceEpoch();
    std::shared_ptr<ReadProgress> progress = m_progress;
    m_thread = QThread::create([progress, work = std::move(work)] {
        const ReadProgress::Scope scope(progress.get());
        work(*progress);
    });
    connect(m_thread, &QThread::finished, this, &BackgroundWork::finish, Qt::QueuedConnection);
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &BackgroundWork::showProgress);
    m_timer->start();
    m_thread->start();
}

BackgroundWork::~BackgroundWork()
{
    if (m_thread) {
        m_progress->cancelled = true;
        m_thread->wait();
        delete m_thread;
    }
    delete m_dialog.data();
    if (m_busyCursor)
        QApplication::restoreOverrideCursor();
}

void BackgroundWork::cancel()
{
    m_progress->cancelled = true;
}

bool BackgroundWork::isRunning() const
{
    return m_thread != nullptr;
}

void BackgroundWork::showProgress()
{
    const qint64 total = m_progress->total;
    const qint64 done = m_progress->done;
    if (!m_dialog) {
        if (QDateTime::currentMSecsSinceEpoch() - m_started < kShowAfterMs)
            return;
        m_dialog = new QProgressDialog(m_label, QStringLiteral("Annulla"), 0, 1000, m_window);
        m_dialog->setObjectName(QStringLiteral("dlgAvanzamento"));
        m_dialog->setWindowTitle(QStringLiteral(" Corvalla"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        connect(m_dialog, &QProgressDialog::canceled, this, &BackgroundWork::cancel);
        m_dialog->show();
    }
    m_dialog->setValue(total > 0 ? int(done * 1000 / total) : 0);
}

void BackgroundWork::finish()
{
    m_timer->stop();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    delete m_dialog.data();
    if (m_busyCursor) {
        QApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    if (m_done)
        m_done();
}
