// libXtst (the RECORD extension), loaded when a macro is first recorded.
#ifdef MOUSECFG_HAVE_XRECORD
#include "LazyLibrary.h"

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

namespace {
LazyLibrary libXtst("libXtst.so.6");
}

MOUSECFG_LAZY_FUNCTION(libXtst, Status, XRecordQueryVersion, (Display * dpy, int *major, int *minor),
                       (dpy, major, minor), 0)
MOUSECFG_LAZY_FUNCTION(libXtst, XRecordRange *, XRecordAllocRange, (void), (), nullptr)
MOUSECFG_LAZY_FUNCTION(libXtst, XRecordContext, XRecordCreateContext,
                       (Display * dpy, int flags, XRecordClientSpec *clients, int nclients,
                        XRecordRange **ranges, int nranges),
                       (dpy, flags, clients, nclients, ranges, nranges), 0)
MOUSECFG_LAZY_FUNCTION(libXtst, Status, XRecordEnableContextAsync,
                       (Display * dpy, XRecordContext context, XRecordInterceptProc callback,
                        XPointer closure),
                       (dpy, context, callback, closure), 0)
MOUSECFG_LAZY_FUNCTION(libXtst, Status, XRecordDisableContext, (Display * dpy, XRecordContext context),
                       (dpy, context), 0)
MOUSECFG_LAZY_FUNCTION(libXtst, Status, XRecordFreeContext, (Display * dpy, XRecordContext context),
                       (dpy, context), 0)
MOUSECFG_LAZY_PROCEDURE(libXtst, XRecordFreeData, (XRecordInterceptData * data), (data))
MOUSECFG_LAZY_PROCEDURE(libXtst, XRecordProcessReplies, (Display * dpy), (dpy))
#endif
