#include "FontConfigWarmUp.h"

#include <dlfcn.h>

FontConfigWarmUp::FontConfigWarmUp()
{
    m_thread = std::thread([] {
        // The library the toolkit's platform plugin links to; it stays loaded
        // (never closed here), so what FcInit read stays for the toolkit.
        void *library = ::dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return;
        using Init = int (*)();
        if (const auto init = reinterpret_cast<Init>(::dlsym(library, "FcInit")))
            init();
    });
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
