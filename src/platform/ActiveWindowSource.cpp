#include "ActiveWindowSource.h"

#include <QCoreApplication>
#include <QFileInfo>

ActiveWindowSource::~ActiveWindowSource() = default;

ActiveWindowSource::Kind ActiveWindowSource::kindFor(const QProcessEnvironment &env)
{
    const bool wayland = env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland") ||
                         !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (wayland) {
        // An X display here is Xwayland's: it knows only of its own windows.
        const QStringList desktops = env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':'));
        return desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive) ? Kind::KWin : Kind::None;
    }
    return env.value(QStringLiteral("DISPLAY")).isEmpty() ? Kind::None : Kind::X11;
}

QString ActiveWindowSource::unsupportedText()
{
    return QCoreApplication::translate(
        "ActiveWindowSource",
        "This desktop session does not tell applications which window is active, so the profile cannot "
        "follow it here.");
}

QString ActiveWindowSource::executableOf(qint64 pid)
{
    if (pid <= 0)
        return QString();
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
}
