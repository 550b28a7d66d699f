#include "StartupThread.h"

#include <dlfcn.h>

StartupThread::~StartupThread()
{
    join();
}

void StartupThread::enqueue(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_closed)
            return; // the job (and its task) goes unrun: its future reports a broken promise
        m_jobs.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_changed.notify_one();
}

void StartupThread::join()
{
    std::thread thread;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        thread = std::move(m_thread);
    }
    m_changed.notify_one();
    if (thread.joinable())
        thread.join();
}

void StartupThread::run()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_closed || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job(); // a packaged task: what it throws lands in its future
    }
}

void warmUpFontConfig()
{
    // The library the toolkit's platform plugin links to; it stays loaded
    // (never closed here), so what FcInit read stays for the toolkit.
    void *library = ::dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return;
    using Init = int (*)();
    if (const auto init = reinterpret_cast<Init>(::dlsym(library, "FcInit")))
        init();
}
