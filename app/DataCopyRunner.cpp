#include "app/DataCopyRunner.h"

#include "common/MsgBox.h"

#include <QEvent>
#include <QThread>
#include <QWidget>

DataCopyRunner::DataCopyRunner(QWidget *menu, QString programFolder)
    : QObject(menu), m_menu(menu), m_programFolder(std::move(programFolder))
{
    menu->installEventFilter(this);
}

DataCopyRunner::~DataCopyRunner()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

bool DataCopyRunner::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_menu && event->type() == QEvent::Show && !m_thread) {
        m_menu->removeEventFilter(this);
        start();
    }
    return QObject::eventFilter(watched, event);
}

void DataCopyRunner::start()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_thread =
        QThread::create([this, now] { m_result = DataCopies::makeCopy(m_programFolder, now, &m_cancel); });
    m_thread->setObjectName(QStringLiteral("Copie di sicurezza"));
    connect(m_thread, &QThread::finished, this, &DataCopyRunner::report); // on this (the window) thread
    m_thread->start(QThread::LowPriority);
}

void DataCopyRunner::report()
{
    if (m_result.outcome == DataCopies::Result::Outcome::Failed)
        MsgBox::warning(m_menu, DataCopies::failureMessage(m_result.reason));
    emit finished();
}

bool DataCopyRunner::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

void DataCopyRunner::waitForFinished()
{
    if (m_thread)
        m_thread->wait();
}
