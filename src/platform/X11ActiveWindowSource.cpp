#include "X11ActiveWindowSource.h"

#include "LazyLibrary.h"
#include "PlatformLog.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace {

// The functions of libxcb we call, resolved together on first use; null when
// the library or one of them is missing. Pointers of our own rather than
// definitions of libxcb's names, which the toolkit's own xcb calls would meet.
struct XcbApi
{
    decltype(&::xcb_connect) connect;
    decltype(&::xcb_disconnect) disconnect;
    decltype(&::xcb_connection_has_error) hasError;
    decltype(&::xcb_get_file_descriptor) fileDescriptor;
    decltype(&::xcb_get_setup) setup;
    decltype(&::xcb_setup_roots_iterator) rootsIterator;
    decltype(&::xcb_screen_next) screenNext;
    decltype(&::xcb_intern_atom) internAtom;
    decltype(&::xcb_intern_atom_reply) internAtomReply;
    decltype(&::xcb_change_window_attributes_checked) changeAttributes;
    decltype(&::xcb_request_check) requestCheck;
    decltype(&::xcb_flush) flush;
    decltype(&::xcb_poll_for_event) pollForEvent;
    decltype(&::xcb_get_property) getProperty;
    decltype(&::xcb_get_property_reply) getPropertyReply;
    decltype(&::xcb_get_property_value) propertyValue;
    decltype(&::xcb_get_property_value_length) propertyValueLength;
};

const XcbApi *xcb()
{
    static LazyLibrary library("libxcb.so.1");
    static const XcbApi api = [] {
        XcbApi a{};
        bool complete = true;
        auto get = [&](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            complete = complete && function;
        };
        get(a.connect, "xcb_connect");
        get(a.disconnect, "xcb_disconnect");
        get(a.hasError, "xcb_connection_has_error");
        get(a.fileDescriptor, "xcb_get_file_descriptor");
        get(a.setup, "xcb_get_setup");
        get(a.rootsIterator, "xcb_setup_roots_iterator");
        get(a.screenNext, "xcb_screen_next");
        get(a.internAtom, "xcb_intern_atom");
        get(a.internAtomReply, "xcb_intern_atom_reply");
        get(a.changeAttributes, "xcb_change_window_attributes_checked");
        get(a.requestCheck, "xcb_request_check");
        get(a.flush, "xcb_flush");
        get(a.pollForEvent, "xcb_poll_for_event");
        get(a.getProperty, "xcb_get_property");
        get(a.getPropertyReply, "xcb_get_property_reply");
        get(a.propertyValue, "xcb_get_property_value");
        get(a.propertyValueLength, "xcb_get_property_value_length");
        if (!complete)
            a.connect = nullptr;
        return a;
    }();
    return api.connect ? &api : nullptr;
}

quint32 atom(const XcbApi *x, xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        x->internAtomReply(c, x->internAtom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const quint32 result = reply ? reply->atom : 0;
    std::free(reply);
    return result;
}

} // namespace

X11ActiveWindowSource::X11ActiveWindowSource(const QString &displayName, QObject *parent)
    : ActiveWindowSource(parent), m_displayName(displayName)
{
}

X11ActiveWindowSource::~X11ActiveWindowSource()
{
    stop();
}

bool X11ActiveWindowSource::start(QString *errorText)
{
    if (m_connection)
        return true;
    auto fail = [errorText](const QString &text) {
        if (errorText)
            *errorText = text;
        qCDebug(lcPlatform) << "active window:" << text;
        return false;
    };
    const XcbApi *x = xcb();
    if (!x)
        return fail(QStringLiteral("libxcb cannot be loaded"));
    const QByteArray name = m_displayName.toLocal8Bit();
    int screenNumber = 0;
    xcb_connection_t *c = x->connect(name.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (!c || x->hasError(c)) {
        if (c)
            x->disconnect(c);
        return fail(QStringLiteral("cannot open the X display"));
    }
    xcb_screen_iterator_t it = x->rootsIterator(x->setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        x->screenNext(&it);
    if (!it.rem) {
        x->disconnect(c);
        return fail(QStringLiteral("the X display has no screen %1").arg(screenNumber));
    }
    m_root = it.data->root;
    m_activeAtom = atom(x, c, "_NET_ACTIVE_WINDOW");
    m_clientListAtom = atom(x, c, "_NET_CLIENT_LIST");
    m_pidAtom = atom(x, c, "_NET_WM_PID");
    m_nameAtom = atom(x, c, "_NET_WM_NAME");
    m_utf8Atom = atom(x, c, "UTF8_STRING");
    // Our own event mask on the root window, beside every other client's.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    if (xcb_generic_error_t *error =
            x->requestCheck(c, x->changeAttributes(c, m_root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        x->disconnect(c);
        return fail(QStringLiteral("the X server refused the root window's property events"));
    }
    m_connection = c;
    m_notifier = new QSocketNotifier(x->fileDescriptor(c), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11ActiveWindowSource::readEvents);
    m_reported = false;
    checkActiveWindow(); // the window that has the focus now
    readEvents();        // and whatever the replies brought along
    return true;
}

void X11ActiveWindowSource::stop()
{
    if (!m_connection)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    xcb()->disconnect(m_connection);
    m_connection = nullptr;
}

void X11ActiveWindowSource::readEvents()
{
    const XcbApi *x = xcb();
    if (!m_connection)
        return;
    // Replies read for a check may bring events along: drain until none is left.
    for (;;) {
        bool changed = false;
        while (xcb_generic_event_t *event = x->pollForEvent(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event);
                changed = changed || (notify->window == m_root && notify->atom == m_activeAtom);
            }
            std::free(event);
        }
        if (x->hasError(m_connection)) {
            qCDebug(lcPlatform) << "active window: the X connection was lost";
            stop();
            return;
        }
        if (!changed)
            return;
        checkActiveWindow();
    }
}

QByteArray X11ActiveWindowSource::property(quint32 window, quint32 atomName, quint32 type, quint32 maxLongs)
{
    const XcbApi *x = xcb();
    xcb_get_property_reply_t *reply = x->getPropertyReply(
        m_connection, x->getProperty(m_connection, 0, window, atomName, type, 0, maxLongs), nullptr);
    QByteArray value;
    if (reply && reply->type != XCB_NONE) {
        const int length = x->propertyValueLength(reply);
        value = QByteArray(static_cast<const char *>(x->propertyValue(reply)), length);
    }
    std::free(reply); // null when the window is gone: an error, nothing more
    return value;
}

void X11ActiveWindowSource::checkActiveWindow()
{
    const QByteArray value = property(m_root, m_activeAtom, XCB_ATOM_WINDOW, 1);
    quint32 window = 0;
    if (value.size() == int(sizeof window))
        std::memcpy(&window, value.constData(), sizeof window);
    if (m_reported && window == m_active)
        return;
    m_active = window;
    m_reported = true;
    emit activeWindowChanged(window ? describe(window) : ActiveWindow());
}

ActiveWindow X11ActiveWindowSource::describe(quint32 window)
{
    ActiveWindow w;
    // WM_CLASS: the instance and the class name, each ended by a zero byte.
    const QByteArray wmClass = property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 256);
    for (const QByteArray &part : wmClass.split('\0')) {
        if (!part.isEmpty())
            w.classes << QString::fromLocal8Bit(part);
    }
    const QByteArray pid = property(window, m_pidAtom, XCB_ATOM_CARDINAL, 1);
    if (pid.size() == 4) {
        quint32 value = 0;
        std::memcpy(&value, pid.constData(), sizeof value);
        w.pid = value;
        w.exePath = executableOf(w.pid);
    }
    w.title = QString::fromUtf8(property(window, m_nameAtom, m_utf8Atom, 256));
    if (w.title.isEmpty())
        w.title = QString::fromLocal8Bit(property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 256));
    return w;
}

QList<ActiveWindow> X11ActiveWindowSource::openWindows()
{
    QList<ActiveWindow> result;
    if (!m_connection)
        return result;
    const QByteArray list = property(m_root, m_clientListAtom, XCB_ATOM_WINDOW, 4096);
    for (int i = 0; i + 4 <= list.size(); i += 4) {
        quint32 window = 0;
        std::memcpy(&window, list.constData() + i, sizeof window);
        const ActiveWindow w = describe(window);
        if (!w.classes.isEmpty() || !w.exePath.isEmpty())
            result << w;
    }
    readEvents(); // events the replies brought along
    return result;
}
