#include "LazyLibrary.h"

#include <cstdio>
#include <dlfcn.h>

void *LazyLibrary::handle()
{
    std::call_once(m_once, [this] {
        void *h = dlopen(m_soName, RTLD_NOW | RTLD_LOCAL);
        if (!h) {
            const char *why = dlerror();
            std::fprintf(stderr, "mousecfg: %s could not be loaded (%s); what needs it is unavailable\n",
                         m_soName, why ? why : "unknown error");
        }
        m_handle.store(h);
    });
    return m_handle.load();
}

void *LazyLibrary::resolve(const char *function)
{
    void *h = handle();
    if (!h)
        return nullptr;
    void *address = dlsym(h, function);
    if (!address)
        std::fprintf(stderr, "mousecfg: %s has no function %s\n", m_soName, function);
    return address;
}
