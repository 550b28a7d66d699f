#include "PointerSpeed.h"

#include "AsyncPointerSpeed.h"
#include "CommandRunner.h"
#include "GnomePointerSpeed.h"
#include "KWinInputBus.h"
#include "KdePointerSpeed.h"
#include "NullPointerSpeed.h"
#include "X11PointerSpeed.h"

#include <QStandardPaths>
#include <QtGlobal>

#include <cmath>

namespace PointerSpeedScale {

double toLibinput(int speed)
{
    const int n = qBound(kMinimum, speed, kMaximum);
    return n < kDefault ? (n - kDefault) / 9.0 : (n - kDefault) / 10.0;
}

int fromLibinput(double accel)
{
    if (std::isnan(accel))
        return kDefault;
    const double s = qBound(-1.0, accel, 1.0);
    const double n = s < 0 ? kDefault + s * 9.0 : kDefault + s * 10.0;
    return qBound(kMinimum, int(std::lround(n)), kMaximum);
}

} // namespace PointerSpeedScale

PointerSpeed::~PointerSpeed() = default;

QString PointerSpeed::errorString() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_errorString;
}

void PointerSpeed::setErrorString(const QString &text)
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_errorString = text;
}

PointerSpeedEnvironment PointerSpeedEnvironment::detect()
{
    PointerSpeedEnvironment env;
    env.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    env.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    env.gsettingsPath = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    env.x11Display = qEnvironmentVariable("DISPLAY");
    const QString desktop = env.currentDesktop.toUpper();
    // Ask the bus only where KWin may run: a session without it should not wait.
    if (desktop.contains(QLatin1String("KDE")))
        env.kwinInputBus = DBusKWinInputBus::isAvailable();
    return env;
}

PointerSpeedKind choosePointerSpeedKind(const PointerSpeedEnvironment &env)
{
    const QStringList desktops = env.currentDesktop.toUpper().split(QLatin1Char(':'));
    const bool gnomeFamily =
        desktops.contains(QLatin1String("GNOME")) || desktops.contains(QLatin1String("UNITY")) ||
        desktops.contains(QLatin1String("BUDGIE")) || desktops.contains(QLatin1String("PANTHEON"));
    const bool kde = desktops.contains(QLatin1String("KDE"));
    const bool wayland = env.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;

    if (gnomeFamily && !env.gsettingsPath.isEmpty())
        return PointerSpeedKind::Gnome;
    // KWin's input-device interface is the Wayland one; under X11 the X
    // property is what Plasma's own settings change too.
    if (kde && env.kwinInputBus && (wayland || env.x11Display.isEmpty()))
        return PointerSpeedKind::Kde;
    if (!env.x11Display.isEmpty() && !wayland)
        return PointerSpeedKind::X11;
    if (kde && env.kwinInputBus)
        return PointerSpeedKind::Kde;
    return PointerSpeedKind::None;
}

namespace {

// Backends that hold their seam.
class OwningGnomePointerSpeed : public GnomePointerSpeed
{
public:
    explicit OwningGnomePointerSpeed(const QString &gsettings) : GnomePointerSpeed(&m_runner, gsettings) {}

private:
    ProcessCommandRunner m_runner;
};

class OwningKdePointerSpeed : public KdePointerSpeed
{
public:
    OwningKdePointerSpeed() : KdePointerSpeed(&m_bus) {}

private:
    DBusKWinInputBus m_bus;
};

} // namespace

std::unique_ptr<PointerSpeed> createPointerSpeed(const PointerSpeedEnvironment &env)
{
    switch (choosePointerSpeedKind(env)) {
    case PointerSpeedKind::Gnome:
        return std::make_unique<AsyncPointerSpeed>(
            std::make_unique<OwningGnomePointerSpeed>(env.gsettingsPath));
    case PointerSpeedKind::Kde:
        return std::make_unique<AsyncPointerSpeed>(std::make_unique<OwningKdePointerSpeed>());
    case PointerSpeedKind::X11: {
        auto x11 = std::make_unique<AsyncPointerSpeed>(std::make_unique<X11PointerSpeed>(env.x11Display));
        if (x11->isAvailable())
            return x11;
        break;
    }
    case PointerSpeedKind::None:
        break;
    }
    return std::make_unique<NullPointerSpeed>();
}

std::unique_ptr<PointerSpeed> createPointerSpeed()
{
    return createPointerSpeed(PointerSpeedEnvironment::detect());
}
