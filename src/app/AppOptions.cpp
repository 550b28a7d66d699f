#include "AppOptions.h"

#include <QFileInfo>

namespace {

// Qt's own options that take a value (QGuiApplication and the xcb platform).
bool isQtOptionWithValue(const QString &a)
{
    static const char *const withValue[] = {"-platform",
                                            "-platformpluginpath",
                                            "-platformtheme",
                                            "-plugin",
                                            "-qwindowgeometry",
                                            "-qwindowicon",
                                            "-qwindowtitle",
                                            "-session",
                                            "-display",
                                            "-geometry",
                                            "-style",
                                            "-stylesheet",
                                            "-name",
                                            "-title",
                                            "-visual",
                                            "-ncols",
                                            "-im",
                                            "-inputstyle",
                                            "-fontengine",
                                            "-dialogs"};
    for (const char *o : withValue) {
        if (a == QLatin1String(o))
            return true;
    }
    return false;
}

} // namespace

AppOptions AppOptions::parse(const QStringList &arguments)
{
    AppOptions o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--verbose") || a == QLatin1String("-v")) {
            o.verbose = true;
        } else if (a.startsWith(QLatin1Char('-')) && !a.startsWith(QLatin1String("--")) && a.size() > 1) {
            // One of Qt's own options (-platform offscreen, -reverse ...): Qt takes it.
            if (isQtOptionWithValue(a)) {
                if (i + 1 < arguments.size() && o.platform.isNull() && a == QLatin1String("-platform"))
                    o.platform = arguments.at(i + 1);
                ++i;
            }
        } else if (a == QLatin1String("--minimized")) {
            o.minimized = true;
        } else if (a == QLatin1String("--simulate")) {
            o.simulate = true;
        } else if (a == QLatin1String("--simulate-cable")) {
            o.simulate = true;
            o.simulateCable = true;
        } else if (a == QLatin1String("--config-dir") || a == QLatin1String("--data-dir")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                o.error = QStringLiteral("mousecfg: %1 needs a folder").arg(a);
                return o;
            }
            (a == QLatin1String("--config-dir") ? o.configDir : o.dataDir) = arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--config-dir="))) {
            o.configDir = a.mid(13);
        } else if (a.startsWith(QLatin1String("--data-dir="))) {
            o.dataDir = a.mid(11);
        } else {
            o.error = QStringLiteral("mousecfg: unknown option %1 (see --help)").arg(a);
            return o;
        }
    }
    if ((o.configDir.isNull() == false && o.configDir.isEmpty()) ||
        (o.dataDir.isNull() == false && o.dataDir.isEmpty()))
        o.error = QStringLiteral("mousecfg: an empty folder name was given");
    return o;
}

QString AppOptions::helpText()
{
    return QStringLiteral(
        "Usage: mousecfg [options]\n"
        "\n"
        "Configures the wireless gaming mouse through its receiver or its cable.\n"
        "\n"
        "Options:\n"
        "  --config-dir DIR   configuration folder (default: as the program resolves it)\n"
        "  --data-dir DIR     folder holding DefaultProfile.bin, skin and lang\n"
        "  --simulate         run against the simulated mouse (receiver plugged in)\n"
        "  --simulate-cable   with --simulate, plug the simulated cable in as well\n"
        "  --minimized        start in the system tray without showing the window (as at\n"
        "                     login); without a tray the window starts minimised\n"
        "  --verbose, -v      print the program's debug output (also QT_LOGGING_RULES)\n"
        "  --help             show this help\n"
        "\n"
        "Exit codes: 0 normal end, 1 another copy is running or start-up failed, 2 bad usage.");
}

QString AppOptions::displayProblem(const QString &platformOption)
{
    QString platform = platformOption;
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString display = qEnvironmentVariable("DISPLAY");
    const bool wayland = !qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty();
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        return QString(); // offscreen, wayland ...: Qt's own business
    if (display.isEmpty()) {
        if (wayland && platform.isEmpty())
            return QString(); // Qt picks the Wayland platform
        return QStringLiteral("mousecfg: no display found (DISPLAY is not set). Start it from a desktop "
                              "session, or use mousecfg-cli on the command line.");
    }
    // A local display ":N" has its socket in /tmp/.X11-unix; when that is
    // missing, Qt would abort rather than say so.
    if (display.startsWith(QLatin1Char(':'))) {
        const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
        bool ok = false;
        number.toInt(&ok);
        if (ok && !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number))
            return QStringLiteral("mousecfg: the display %1 cannot be reached. Start it from a desktop "
                                  "session, or use mousecfg-cli on the command line.")
                .arg(display);
    }
    return QString();
}
