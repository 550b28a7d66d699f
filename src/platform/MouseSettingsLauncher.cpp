#include "MouseSettingsLauncher.h"

#include "ProgramLauncher.h"

#include <QStandardPaths>

namespace {

struct Candidate
{
    const char *desktop; // as XDG_CURRENT_DESKTOP names it, upper case
    const char *program;
    QStringList arguments;
};

const QList<Candidate> &candidates()
{
    static const QList<Candidate> list = {
        {"GNOME", "gnome-control-center", {QStringLiteral("mouse")}},
        {"UNITY", "gnome-control-center", {QStringLiteral("mouse")}},
        {"KDE", "systemsettings", {QStringLiteral("kcm_mouse")}},
        {"KDE", "systemsettings5", {QStringLiteral("kcm_mouse")}},
        {"KDE", "kcmshell5", {QStringLiteral("mouse")}},
        {"XFCE", "xfce4-mouse-settings", {}},
        {"MATE", "mate-mouse-properties", {}},
        {"X-CINNAMON", "cinnamon-settings", {QStringLiteral("mouse")}},
        {"LXQT", "lxqt-config-input", {}},
    };
    return list;
}

} // namespace

MouseSettingsLauncher::MouseSettingsLauncher(ProgramLauncher *launcher, ExecutableFinder finder,
                                             const QString &desktop)
    : m_launcher(launcher),
      m_finder(finder ? std::move(finder)
                      : [](const QString &name) { return QStandardPaths::findExecutable(name); }),
      m_desktop(desktop.isNull() ? qEnvironmentVariable("XDG_CURRENT_DESKTOP") : desktop)
{
}

MouseSettingsCommand MouseSettingsLauncher::command() const
{
    const QStringList desktops = m_desktop.toUpper().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // The tools of the desktops we run in, in the order XDG_CURRENT_DESKTOP
    // names them; then whatever is installed.
    QList<const Candidate *> order;
    for (const QString &d : desktops) {
        for (const Candidate &c : candidates()) {
            if (d == QLatin1String(c.desktop) && !order.contains(&c))
                order.append(&c);
        }
    }
    for (const Candidate &c : candidates()) {
        if (!order.contains(&c))
            order.append(&c);
    }
    for (const Candidate *c : order) {
        const QString path = m_finder(QString::fromLatin1(c->program));
        if (!path.isEmpty())
            return {path, c->arguments};
    }
    return {};
}

bool MouseSettingsLauncher::open()
{
    m_errorString.clear();
    const MouseSettingsCommand cmd = command();
    if (!cmd.isValid()) {
        m_errorString = QStringLiteral("No mouse settings program of the desktop was found.");
        return false;
    }
    if (!m_launcher->startDetached(cmd.program, cmd.arguments)) {
        m_errorString = QStringLiteral("%1 could not be started.").arg(cmd.program);
        return false;
    }
    return true;
}
