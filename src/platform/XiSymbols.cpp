// libXi (XInput2), loaded when the pointer speed is first read or set.
#ifdef MOUSECFG_HAVE_XI
#include "LazyLibrary.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {
LazyLibrary libXi("libXi.so.6");
}

MOUSECFG_LAZY_FUNCTION(libXi, Status, XIQueryVersion, (Display * dpy, int *major, int *minor),
                       (dpy, major, minor), BadRequest)
MOUSECFG_LAZY_FUNCTION(libXi, XIDeviceInfo *, XIQueryDevice, (Display * dpy, int deviceid, int *count),
                       (dpy, deviceid, count), nullptr)
MOUSECFG_LAZY_PROCEDURE(libXi, XIFreeDeviceInfo, (XIDeviceInfo * info), (info))
MOUSECFG_LAZY_FUNCTION(libXi, Status, XIGetProperty,
                       (Display * dpy, int deviceid, Atom property, long offset, long length, Bool remove,
                        Atom type, Atom *typeReturn, int *formatReturn, unsigned long *items,
                        unsigned long *after, unsigned char **data),
                       (dpy, deviceid, property, offset, length, remove, type, typeReturn, formatReturn,
                        items, after, data),
                       BadRequest)
MOUSECFG_LAZY_PROCEDURE(libXi, XIChangeProperty,
                        (Display * dpy, int deviceid, Atom property, Atom type, int format, int mode,
                         unsigned char *data, int items),
                        (dpy, deviceid, property, type, format, mode, data, items))
#endif
