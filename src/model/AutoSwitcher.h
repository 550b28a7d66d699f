#pragma once
// When the mouse switches its onboard profile as windows gain focus: the
// rules (AutoSwitchRules) say which slot a window wants; the switch is asked
// for once the window has kept the focus for the settle time (300 ms, so
// that passing through windows with Alt+Tab switches nothing), only when
// that slot differs from the mouse's, and never while a job talks to the
// mouse: a switch that falls due then is asked for when the job has ended.
//
// The settle timer is single-shot and runs only after a focus change; at
// idle nothing here runs. QtCore only: the window feeds it and performs the
// switch it asks for.

#include "AutoSwitchRules.h"

#include <QObject>
#include <QTimer>

#include <functional>

class AutoSwitcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 300;

    explicit AutoSwitcher(QObject *parent = nullptr);

    // The rules in force (a copy); when they are off, nothing is asked for.
    void setRules(const AutoSwitchRules &rules);
    const AutoSwitchRules &rules() const { return m_rules; }
    void setSettleMs(int ms) { m_settle.setInterval(ms); }
    // The slot (1 to 5) the mouse is on, asked when a switch falls due;
    // 0 when no mouse is there to switch.
    void setMouseSlot(std::function<int()> slot) { m_mouseSlot = std::move(slot); }

    // A window of CLASSES (WM_CLASS parts) and program EXEPATH gained the focus.
    void windowActivated(const QStringList &classes, const QString &exePath);
    // A job talks to the mouse (true) or has ended (false, after which a
    // switch that fell due meanwhile is asked for).
    void setBusy(bool busy);
    bool busy() const { return m_busy; }

    // The slot a focus change is settling on or waiting for (0: none).
    int pendingSlot() const { return m_target; }
    bool waitingForJob() const { return m_waiting; }

signals:
    // Switch the mouse to SLOT (1 to 5).
    void switchRequested(int slot);

private:
    void decide();

    AutoSwitchRules m_rules;
    QTimer m_settle;
    std::function<int()> m_mouseSlot;
    int m_target = AutoSwitchRules::kKeep;
    bool m_busy = false;
    bool m_waiting = false;
};
