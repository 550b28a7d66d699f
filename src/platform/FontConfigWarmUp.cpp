#include "FontConfigWarmUp.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

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

FontConfigWarmUp::FontConfigWarmUp() : m_ready(m_done.get_future().share())
{
    m_thread = std::thread([this] {
        // This thread alone (Linux's nice values are per thread); if it is
        // refused, the thread runs as it is.
        const auto self = static_cast<id_t>(::syscall(SYS_gettid));
        (void)::setpriority(PRIO_PROCESS, self, 19);
        initFontConfig();
        m_done.set_value();
    });
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
}
