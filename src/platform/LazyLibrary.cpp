#include "LazyLibrary.h"

#include <cstdio>
#include <dlfcn.h>

void *LazyLibrary::handle()
{
    std::call_once(m_once, [this] {
        m_handle = dlopen(m_soName, RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            const char *why = dlerror();
            std::fprintf(stderr, "mousecfg: %s could not be loaded (%s); what needs it is unavailable\n",
                         m_soName, why ? why : "unknown error");
        }
    });
    return m_handle;
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
