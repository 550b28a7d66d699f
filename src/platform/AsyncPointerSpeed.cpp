#include "AsyncPointerSpeed.h"

#include "PlatformLog.h"

#include <QDebug>
#include <QThread>

#include <chrono>

AsyncPointerSpeed::AsyncPointerSpeed(std::unique_ptr<PointerSpeed> backend)
    : m_backend(std::move(backend)), m_name(m_backend->backendName()), m_available(m_backend->isAvailable())
{
    if (!m_available)
        return;
    m_thread.reset(QThread::create([this] { run(); }));
    m_thread->setObjectName(QStringLiteral("pointer speed"));
    m_thread->start();
}

AsyncPointerSpeed::~AsyncPointerSpeed()
{
    if (!m_thread)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        if (m_pendingApply)
            qCDebug(lcPlatform) << "pointer speed" << *m_pendingApply << "not set: quitting";
    }
    m_wake.notify_all();
    m_thread->wait();
    // The worker's last unlock, seen by ThreadSanitizer (QThread::wait() is
    // not): the backend is destroyed after its last use.
    std::lock_guard<std::mutex> lock(m_mutex);
}

bool AsyncPointerSpeed::readSpeed(int *speed)
{
    if (!m_available)
        return m_backend->readSpeed(speed);
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_known && !m_firstReadDone) {
        m_done.wait_for(lock, std::chrono::milliseconds(kFirstReadWaitMs),
                        [this] { return m_known || m_firstReadDone; });
    }
    if (!m_known) {
        lock.unlock();
        if (errorString().isEmpty())
            setErrorString(QStringLiteral("the pointer speed has not been read yet"));
        return false;
    }
    *speed = m_value;
    if (!m_pendingApply && !m_readWanted) {
        m_readWanted = true;
        m_wake.notify_one();
    }
    return true;
}

bool AsyncPointerSpeed::applySpeed(int speed)
{
    if (!m_available)
        return m_backend->applySpeed(speed);
    const int value = qBound(PointerSpeedScale::kMinimum, speed, PointerSpeedScale::kMaximum);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pendingApply = value;
        m_value = value;
        m_known = true;
        ++m_requests;
    }
    m_wake.notify_one();
    return true;
}

bool AsyncPointerSpeed::waitForIdle(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return !m_running && !m_pendingApply && !m_readWanted; });
}

void AsyncPointerSpeed::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_pendingApply || m_readWanted; });
        if (m_stop)
            break;
        m_running = true;
        if (m_pendingApply) {
            // Only the latest request: those before it were never started.
            const int value = *m_pendingApply;
            m_pendingApply.reset();
            lock.unlock();
            const bool ok = m_backend->applySpeed(value);
            const QString error = ok ? QString() : m_backend->errorString();
            lock.lock();
            if (!ok) {
                qCDebug(lcPlatform) << "pointer speed" << value << "not set:" << error;
                setErrorString(error);
            }
        } else {
            m_readWanted = false;
            const quint64 requests = m_requests;
            lock.unlock();
            int value = 0;
            const bool ok = m_backend->readSpeed(&value);
            const QString error = ok ? QString() : m_backend->errorString();
            lock.lock();
            m_firstReadDone = true;
            // A value requested meanwhile is newer than what was read.
            if (ok && requests == m_requests) {
                m_value = value;
                m_known = true;
            } else if (!ok) {
                qCDebug(lcPlatform) << "pointer speed not read:" << error;
                setErrorString(error);
            }
        }
        m_running = false;
        m_done.notify_all();
    }
    m_running = false;
    m_done.notify_all();
}
