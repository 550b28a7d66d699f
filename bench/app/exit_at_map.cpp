// exit_at_map: preloaded into a program (LD_PRELOAD) to end it the moment it
// asks the X server to map its first window at least 300 pixels wide, so that
// a profiler run (callgrind) counts exactly the work done up to the map.
// Applies to programs that map their windows through libxcb (Qt).
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern "C" xcb_void_cookie_t xcb_map_window(xcb_connection_t *c, xcb_window_t window)
{
    using MapFn = xcb_void_cookie_t (*)(xcb_connection_t *, xcb_window_t);
    static MapFn real = reinterpret_cast<MapFn>(dlsym(RTLD_NEXT, "xcb_map_window"));
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const bool wide = g && g->width >= 300;
    std::free(g);
    xcb_void_cookie_t cookie = real(c, window);
    if (wide) {
        xcb_flush(c);
        _exit(0); // no clean-up: it is not part of the start
    }
    return cookie;
}
