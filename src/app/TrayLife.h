#pragma once
// The program's life in the tray: the icon's tool tip with the battery level
// and charging, the desktop notices when the battery runs low or is charged,
// "Start at login" in the tray menu, and the start straight into the tray.
// The window hands it the poller's readings and the connection; the rules
// are BatteryNotices', the contact points DesktopNotifier and AutostartEntry.

#include "AutostartEntry.h"
#include "BatteryNotices.h"

#include <QObject>
#include <QPointer>
#include <QString>

class DesktopNotifier;
class MirtAction;
class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

class TrayLife : public QObject
{
    Q_OBJECT
public:
    // NOTIFIER may be null (no notices); it is not owned. The thresholds
    // come from Config.ini.
    explicit TrayLife(DesktopNotifier *notifier, QObject *parent = nullptr);

    // Adds "Start at login" to MENU, before BEFORE (at the end when null).
    void addToMenu(QMenu *menu, QAction *before);
    QAction *startAtLoginAction() const;
    // The icon whose tool tip this keeps: TITLE, then what is known of the battery.
    void setTrayIcon(QSystemTrayIcon *tray, const QString &title);
    QString toolTip() const;

    // A reading of the poller: level in percent (0: mouse off) and the
    // report's charging flags (its iCharge and byte 5).
    void batteryReading(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    // The window's connection mode (0 cable, 1 receiver and cable or charging,
    // 2 receiver, 3 nothing): on the cable the mouse charges; with nothing
    // connected nothing is known of the battery any more.
    void setConnectionMode(int iMode);

    // mousecfg --minimized: the window is not shown when the desktop has a
    // tray; without one (after a short wait for a tray still starting) it is
    // shown minimised, so the program never runs unseen.
    static void startMinimized(QWidget *window);

private:
    void updateToolTip();
    void startAtLoginToggled(bool bOn);

    DesktopNotifier *m_notifier;
    BatteryNotices m_notices;
    AutostartEntry m_autostart;
    MirtAction *m_pStartAction = nullptr;
    QPointer<QSystemTrayIcon> m_pTray;
    QString m_strTitle;
    int m_iMode = 3;
    int m_iLevel = -1;              // -1: no reading since the connection came
    bool m_bReportCharging = false; // the last reading's own flags
    bool charging() const { return m_bReportCharging || m_iMode <= 1; }
};
