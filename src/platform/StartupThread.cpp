#include "FontConfigWarmUp.h"

#include <dlfcn.h>

namespace {

void initFontConfig()
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

} // namespace

FontConfigWarmUp::FontConfigWarmUp(std::function<void()> first)
{
    m_thread = std::thread([this, first = std::move(first)] {
        if (first)
            first();
        initFontConfig();
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_fontsReady = true;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_closed; });
            job = std::move(m_job);
        }
        if (job)
            job();
    });
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void FontConfigWarmUp::wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_fontsReady; });
}

bool FontConfigWarmUp::then(std::function<void()> job)
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
