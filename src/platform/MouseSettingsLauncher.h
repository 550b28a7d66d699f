#pragma once
// Opens the desktop's own mouse settings (the "Mouse Setting" button).

#include <QString>
#include <QStringList>

#include <functional>

class ProgramLauncher;

struct MouseSettingsCommand
{
    QString program; // full path as found
    QStringList arguments;
    bool isValid() const { return !program.isEmpty(); }
};

class MouseSettingsLauncher
{
public:
    using ExecutableFinder = std::function<QString(const QString &name)>;

    // LAUNCHER is not owned. FINDER defaults to QStandardPaths::findExecutable;
    // DESKTOP defaults to $XDG_CURRENT_DESKTOP.
    explicit MouseSettingsLauncher(ProgramLauncher *launcher, ExecutableFinder finder = {},
                                   const QString &desktop = QString());

    // The command for this desktop: the current desktop's own tool first
    // (GNOME: "gnome-control-center mouse"; KDE: "systemsettings kcm_mouse",
    // else "kcmshell5 mouse"; XFCE, MATE, Cinnamon, LXQt likewise), then any
    // of them that is installed. Invalid when none is.
    MouseSettingsCommand command() const;
    bool isAvailable() const { return command().isValid(); }

    // Starts it detached. False, with errorString(), when there is none or it
    // did not start.
    bool open();
    QString errorString() const { return m_errorString; }

private:
    ProgramLauncher *m_launcher;
    ExecutableFinder m_finder;
    QString m_desktop;
    QString m_errorString;
};
