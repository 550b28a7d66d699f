#include "X11PointerSpeed.h"
#include "PlatformLog.h"

#include <QByteArray>
#include <QDebug>

#ifdef MOUSECFG_HAVE_XI
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace {

// X errors arrive through a process-wide handler, on whichever thread reads
// them: the calls here run on the pointer-speed worker, and keep the errors
// of their own connection only (the toolkit's own ones are dropped, as its
// own handler does).
std::atomic<Display *> g_errorDisplay{nullptr};
std::atomic<int> g_lastXError{0};
int recordXError(Display *display, XErrorEvent *event)
{
    if (display == g_errorDisplay.load())
        g_lastXError = event->error_code;
    return 0;
}

class XConnection
{
public:
    explicit XConnection(const QString &name)
    {
        const QByteArray n = name.toLocal8Bit();
        m_display = XOpenDisplay(n.isEmpty() ? nullptr : n.constData());
        if (!m_display)
            return;
        int opcode = 0, event = 0, error = 0;
        int major = 2, minor = 0;
        if (!XQueryExtension(m_display, "XInputExtension", &opcode, &event, &error) ||
            XIQueryVersion(m_display, &major, &minor) != Success) {
            m_xi2 = false;
            return;
        }
        m_xi2 = true;
        m_property = XInternAtom(m_display, X11PointerSpeed::propertyName(), True);
        m_float = XInternAtom(m_display, "FLOAT", True);
    }
    ~XConnection()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    XConnection(const XConnection &) = delete;
    XConnection &operator=(const XConnection &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    bool hasXi2() const { return m_xi2; }
    Display *display() const { return m_display; }
    Atom floatAtom() const { return m_float; }

    // Slave pointers that carry the property as one 32-bit float, with their values.
    std::vector<std::pair<int, float>> devicesWithProperty() const
    {
        std::vector<std::pair<int, float>> result;
        if (!m_xi2 || m_property == 0 || m_float == 0)
            return result;
        int count = 0;
        XIDeviceInfo *info = XIQueryDevice(m_display, XIAllDevices, &count);
        for (int i = 0; info && i < count; ++i) {
            if (info[i].use != XISlavePointer)
                continue;
            Atom type = 0;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char *data = nullptr;
            if (XIGetProperty(m_display, info[i].deviceid, m_property, 0, 1, False, AnyPropertyType, &type,
                              &format, &items, &after, &data) == Success) {
                if (type == m_float && format == 32 && items >= 1 && data) {
                    float value = 0;
                    std::memcpy(&value, data, sizeof value);
                    result.emplace_back(info[i].deviceid, value);
                }
                if (data)
                    XFree(data);
            }
        }
        if (info)
            XIFreeDeviceInfo(info);
        return result;
    }

    bool setProperty(int device, float value) const
    {
        g_lastXError = 0;
        g_errorDisplay = m_display;
        XErrorHandler old = XSetErrorHandler(recordXError);
        unsigned char data[sizeof(float)];
        std::memcpy(data, &value, sizeof value);
        XIChangeProperty(m_display, device, m_property, m_float, 32, XIPropModeReplace, data, 1);
        XSync(m_display, False);
        XSetErrorHandler(old);
        g_errorDisplay = nullptr;
        return g_lastXError == 0;
    }

private:
    Display *m_display = nullptr;
    bool m_xi2 = false;
    Atom m_property = 0;
    Atom m_float = 0;
};

} // namespace
#endif

X11PointerSpeed::X11PointerSpeed(const QString &displayName) : m_displayName(displayName) {}

bool X11PointerSpeed::isAvailable() const
{
#ifdef MOUSECFG_HAVE_XI
    XConnection x(m_displayName);
    return x.isOpen() && !x.devicesWithProperty().empty();
#else
    return false;
#endif
}

bool X11PointerSpeed::readSpeed(int *speed)
{
#ifdef MOUSECFG_HAVE_XI
    XConnection x(m_displayName);
    if (!x.isOpen()) {
        setErrorString(QStringLiteral("cannot open the X display"));
        return false;
    }
    const auto devices = x.devicesWithProperty();
    if (devices.empty()) {
        setErrorString(
            QStringLiteral("no pointer device has the \"%1\" property").arg(QLatin1String(propertyName())));
        return false;
    }
    *speed = PointerSpeedScale::fromLibinput(double(devices.front().second));
    return true;
#else
    Q_UNUSED(speed);
    setErrorString(QStringLiteral("built without XInput2"));
    return false;
#endif
}

bool X11PointerSpeed::applySpeed(int speed)
{
#ifdef MOUSECFG_HAVE_XI
    XConnection x(m_displayName);
    if (!x.isOpen()) {
        setErrorString(QStringLiteral("cannot open the X display"));
        return false;
    }
    const auto devices = x.devicesWithProperty();
    if (devices.empty()) {
        setErrorString(
            QStringLiteral("no pointer device has the \"%1\" property").arg(QLatin1String(propertyName())));
        return false;
    }
    const float accel = float(PointerSpeedScale::toLibinput(speed));
    int failed = 0;
    for (const auto &device : devices) {
        if (!x.setProperty(device.first, accel))
            ++failed;
    }
    if (failed) {
        setErrorString(QStringLiteral("the X server refused the pointer speed for %1 device(s)").arg(failed));
        qCDebug(lcPlatform) << "pointer speed:" << errorString();
        return false;
    }
    return true;
#else
    Q_UNUSED(speed);
    setErrorString(QStringLiteral("built without XInput2"));
    return false;
#endif
}
