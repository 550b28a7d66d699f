#include "StartupThread.h"

#include <QDBusConnection>
#include <QThread>

StartupThread::StartupThread()
{
    QThread::currentThread();
    m_thread = std::thread([this] {
        QDBusConnection::sessionBus();
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_closed; });
            job = std::move(m_job);
        }
        if (job)
            job();
    });
}

StartupThread::~StartupThread()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool StartupThread::then(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed)
            return false;
        m_job = std::move(job);
        m_closed = true;
    }
    m_changed.notify_all();
    return true;
}
