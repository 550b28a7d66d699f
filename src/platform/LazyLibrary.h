#pragma once
// A C library loaded when one of its functions is first called, rather than
// by the dynamic loader at every start of every program. The window starts
// without the libraries of the real mouse (hidapi, libudev) and of the X11
// extensions it uses only later (XInput2, RECORD).
//
// Each such library has a symbols file (NAMESymbols.cpp) that defines the
// functions we call, with the library's own header as their declarations, through
// MOUSECFG_LAZY_FUNCTION: the first call resolves the function; a library or
// function that is missing makes the call fail the way the function reports
// failure (a null handle, an error status), and is reported once.

#include <mutex>

class LazyLibrary
{
public:
    // soName: the versioned file name, as the package's dependency provides it.
    constexpr explicit LazyLibrary(const char *soName) : m_soName(soName) {}

    // The function's address, or null (reported on standard error, once per
    // library and once per missing function). Safe from any thread.
    void *resolve(const char *function);

private:
    void *handle();

    const char *m_soName;
    std::once_flag m_once;
    void *m_handle = nullptr; // set once, under m_once
};

// Defines `ret name params` as a call through the lazily resolved function;
// `failed` is what the call returns when the function cannot be had.
#define MOUSECFG_LAZY_FUNCTION(library, ret, name, params, args, failed)                                     \
    extern "C" ret name params                                                                               \
    {                                                                                                        \
        static const auto function = reinterpret_cast<decltype(&name)>((library).resolve(#name));            \
        if (!function)                                                                                       \
            return failed;                                                                                   \
        return function args;                                                                                \
    }

// The same for a function that returns nothing.
#define MOUSECFG_LAZY_PROCEDURE(library, name, params, args)                                                 \
    extern "C" void name params                                                                              \
    {                                                                                                        \
        static const auto function = reinterpret_cast<decltype(&name)>((library).resolve(#name));            \
        if (function)                                                                                        \
            function args;                                                                                   \
    }
