#include "X11RecordKeySource.h"

#include "Log.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#ifdef MOUSECFG_HAVE_XRECORD
// X headers last: their macros (None, KeyPress, Bool ...) clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

namespace {
constexpr int kEvdevOffset = 8; // X keycode = evdev code + 8

Display *dpy(void *p)
{
    return static_cast<Display *>(p);
}

void onRecorded(XPointer closure, XRecordInterceptData *data)
{
    if (data->category == XRecordFromServer && data->data) {
        const auto *ev = reinterpret_cast<const xEvent *>(data->data);
        const int type = ev->u.u.type & 0x7f;
        if (type == KeyPress || type == KeyRelease)
            reinterpret_cast<X11RecordKeySource *>(closure)->onXKey(ev->u.u.detail, type == KeyRelease,
                                                                    ev->u.keyButtonPointer.time);
    }
    XRecordFreeData(data);
}
} // namespace

X11RecordKeySource *X11RecordKeySource::create(QObject *parent)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    Display *probe = XOpenDisplay(nullptr);
    if (!probe)
        return nullptr;
    int major = 0, minor = 0;
    const bool haveRecord = XRecordQueryVersion(probe, &major, &minor);
    XCloseDisplay(probe);
    if (!haveRecord) {
        qCInfo(lcPages, "the X server has no RECORD extension; recording keys of our window only");
        return nullptr;
    }
    return new X11RecordKeySource(parent);
}

X11RecordKeySource::X11RecordKeySource(QObject *parent) : MacroKeySource(parent) {}

X11RecordKeySource::~X11RecordKeySource()
{
    stop();
}

bool X11RecordKeySource::start()
{
    if (m_pData)
        return true;
    m_pControl = XOpenDisplay(nullptr);
    m_pData = XOpenDisplay(nullptr);
    if (!m_pControl || !m_pData) {
        stop();
        return false;
    }
    XRecordRange *range = XRecordAllocRange();
    if (!range) {
        stop();
        return false;
    }
    range->device_events.first = KeyPress;
    range->device_events.last = KeyRelease;
    XRecordClientSpec clients = XRecordAllClients;
    m_context = XRecordCreateContext(dpy(m_pControl), 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(dpy(m_pControl), False);
    if (!m_context ||
        !XRecordEnableContextAsync(dpy(m_pData), m_context, onRecorded, reinterpret_cast<XPointer>(this))) {
        qCWarning(lcPages, "X RECORD: the recording context could not be enabled");
        stop();
        return false;
    }
    m_pNotifier = new QSocketNotifier(ConnectionNumber(dpy(m_pData)), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &X11RecordKeySource::readReplies);
    readReplies();
    return true;
}

void X11RecordKeySource::stop()
{
    delete m_pNotifier;
    m_pNotifier = nullptr;
    if (m_context && m_pControl) {
        XRecordDisableContext(dpy(m_pControl), m_context);
        XSync(dpy(m_pControl), False);
        if (m_pData)
            XRecordProcessReplies(dpy(m_pData));
        XRecordFreeContext(dpy(m_pControl), m_context);
        XSync(dpy(m_pControl), False);
    }
    m_context = 0;
    flushPending();
    if (m_pData)
        XCloseDisplay(dpy(m_pData));
    if (m_pControl)
        XCloseDisplay(dpy(m_pControl));
    m_pData = m_pControl = nullptr;
}

void X11RecordKeySource::readReplies()
{
    if (!m_pData)
        return;
    XRecordProcessReplies(dpy(m_pData));
    flushPending();
}

#else

X11RecordKeySource *X11RecordKeySource::create(QObject *)
{
    return nullptr; // built without libXtst
}
X11RecordKeySource::X11RecordKeySource(QObject *parent) : MacroKeySource(parent) {}
X11RecordKeySource::~X11RecordKeySource() = default;
bool X11RecordKeySource::start()
{
    return false;
}
void X11RecordKeySource::stop() {}
void X11RecordKeySource::readReplies() {}
namespace {
constexpr int kEvdevOffset = 8;
}

#endif

void RepeatFold::feed(int code, bool release, unsigned long time, const Sink &out)
{
    if (!release && m_bPending && code == m_iCode && time == m_iTime) {
        m_bPending = false;
        return;
    }
    flush(out);
    if (release) {
        m_bPending = true;
        m_iCode = code;
        m_iTime = time;
        return;
    }
    out(code, false, time);
}

void RepeatFold::flush(const Sink &out)
{
    if (!m_bPending)
        return;
    m_bPending = false;
    out(m_iCode, true, m_iTime);
}

void X11RecordKeySource::onXKey(int keycode, bool release, unsigned long time)
{
    // The server's time of the key, not the time we handle it: RECORD hands
    // keys over in batches when this thread was busy.
    m_fold.feed(keycode, release, time, [this](int code, bool up, unsigned long t) {
        emit keyEvent(code - kEvdevOffset, up, quint32(t));
    });
}

void X11RecordKeySource::flushPending()
{
    m_fold.flush(
        [this](int code, bool up, unsigned long t) { emit keyEvent(code - kEvdevOffset, up, quint32(t)); });
}
