#include "MirtProcessThread.h"
#include "Log.h"

#include <QDebug>

MirtProcessThread::MirtProcessThread() = default;

MirtProcessThread::~MirtProcessThread()
{
    wait();
}

void MirtProcessThread::setJob(std::function<int()> job)
{
    Q_ASSERT(!isRunning());
    if (!isRunning())
        m_job = std::move(job);
}

void MirtProcessThread::stop()
{
    m_bStop.store(true);
}

void MirtProcessThread::run()
{
    if (m_bStop.load()) {
        qCDebug(lcWidgets, "isStop.\n");
        // The dialog waiting for this thread must still close.
        emit DoProcessDlg();
        return;
    }
    m_iResult.store(m_job ? m_job() : kNotRun);
    emit DoProcessDlg();
}
