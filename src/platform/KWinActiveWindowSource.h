#pragma once
// The active window on KDE Plasma's Wayland session: a small KWin script,
// loaded over the session bus (org.kde.KWin /Scripting), calls this object
// back over the bus each time another window is activated, with its class,
// its process and its caption. The script is unloaded when following stops.

#include "ActiveWindowSource.h"

#include <QTemporaryDir>

#include <memory>

class KWinActiveWindowSource : public ActiveWindowSource
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mousecfg.ActiveWindow")
public:
    explicit KWinActiveWindowSource(QObject *parent = nullptr);
    ~KWinActiveWindowSource() override;

    bool start(QString *errorText = nullptr) override;
    void stop() override;
    bool running() const override { return m_running; }

    // The script KWin runs: it calls SERVICE's object back on every activation.
    static QByteArray scriptText(const QString &service);
    static QString objectPath() { return QStringLiteral("/org/mousecfg/ActiveWindow"); }

public slots:
    // Called by the script over the bus.
    Q_SCRIPTABLE void activated(const QString &resourceClass, const QString &resourceName, const QString &pid,
                                const QString &caption);

private:
    bool m_running = false;
    bool m_registered = false;
    std::unique_ptr<QTemporaryDir> m_scriptDir;
};
