#pragma once
// The mouse as the program holds it: the device list that hot-plug changes,
// the open handles, the status poller, and the jobs that talk to the mouse
// (writes, profile switches), one at a time on a worker thread.
//
// Everything here runs on the user-interface thread, except a job's body,
// which the caller runs on its worker between beginJob() and endJob(). While
// a job runs nothing the job uses changes under it: device changes wait in a
// queue and are handled after the job, a re-open waits for its end, and a
// removal of the mouse stops the job between two frames (setLinkAborted),
// never by closing a handle the worker holds.
//
// It is also the one place that keeps another program (mousecfg-cli) from
// talking to the mouse at the same moment: the handles are opened only while
// this session holds the mouse lock (MouseLock), which it keeps from then on.
//
// QtCore only: the window listens to its signals and shows what they say.

#include "DeviceChange.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class HotplugFeed;
class MirtGetBatteryThread;
class MouseLock;

class DeviceSession : public QObject
{
    Q_OBJECT

public:
    // HOTPLUG (not owned, may be null) reports arrivals and removals;
    // PRODUCTNAME is the mouse the window shows (its entry is re-opened when
    // another one goes).
    DeviceSession(HotplugFeed *hotplug, const QString &productName, QObject *parent = nullptr);
    // Stops the poller, closes the handles and ends the HID library.
    ~DeviceSession() override;

    // Listens for device changes (before enumerating, so nothing slips
    // between), then loads and scans the device list.
    void start();
    bool hotplugRunning() const { return m_hotplugRunning; }

    // The mouse lock shared with mousecfg-cli; empty (the default): none.
    void setMouseLockPath(const QString &path);
    // Who else holds the mouse, while another program keeps this session from it.
    QString mouseLockHolder() const { return m_lockHolder; }

    // --- the device list ---
    // A change of the system's devices; queued while a job runs.
    void handleDeviceChange(const DeviceChange &change);
    // Counts the complete mice again and emits mouseListChanged().
    void refreshList();
    int deviceCount() const { return m_deviceCount; }
    QStringList mouseNames() const { return m_mouseNames; }
    // True when a vendor collection of the cable (or of the receiver) is present.
    bool vendorFound(bool cable) const;
    // True when a present collection could not be opened for lack of permission.
    bool permissionDenied() const;
    // The mouse collection a report-rate test reads (the cable's when it is
    // there); empty without a mouse.
    QByteArray mouseCollectionPath() const;

    // --- the handles ---
    // Closes and opens the handles again and starts the poller; true when a
    // command handle is open. During a job, done after it.
    bool openDevicesAndPoll();
    // Closes the handles now and opens them 500 ms after the last change, so
    // the two interfaces of one plug share one re-open.
    void scheduleReopen();
    bool reopenPending() const { return m_reopenTimer.isActive(); }
    // Poller stopped, handles closed, no re-open pending (quitting, the updater).
    void closeDevices();
    // Closes the handles, makes the mouse NAME current and opens them again.
    void selectMouse(const QString &name);

    // --- the poller ---
    void startPoller();
    void stopPoller();
    bool pollerRunning() const;

    // --- jobs ---
    // Around a job that talks to the mouse: beginJob() stops the poller; from
    // then on device changes wait. endJob() handles them on the next turn of
    // the event loop, after the caller has taken the job's results.
    void beginJob();
    void endJob();
    bool jobRunning() const { return m_jobDepth > 0; }
    // Device changes waiting for the job's end (tests).
    int queuedChanges() const { return m_queued.size(); }

signals:
    // The list of complete mice was counted again.
    void mouseListChanged();
    // A mouse became complete while none was.
    void firstMouseArrived();
    // The last mouse went: the poller is stopped and the handles closed.
    void lastMouseGone();
    // After each device change (the connection mode may differ).
    void connectionChanged();
    // The interface of a newly found mouse arrived (the window's "Config/Diff").
    void mouseFound();
    // The poller's reports; those of a poller since stopped are dropped.
    void batteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void statusReport(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    // The first job began, the last one ended (its caller has not yet taken
    // its results: whatever follows it, connect queued).
    void jobStarted();
    void jobEnded();

private:
    void onDeviceChanged(const DeviceChange &change);
    void replayQueued();
    bool takeMouseLock();
    // True when PATH is the command collection of a mouse in the list.
    bool isCommandPath(const QString &path) const;

    HotplugFeed *m_hotplug;
    QString m_productName;
    bool m_hotplugRunning = false;
    int m_deviceCount = 0;
    QStringList m_mouseNames;
    QTimer m_reopenTimer;
    MirtGetBatteryThread *m_poller = nullptr;
    quint64 m_pollerGeneration = 0; // reports of older pollers are dropped
    int m_jobDepth = 0;
    bool m_reopenAfterJob = false;
    QList<DeviceChange> m_queued;
    QString m_lockPath;
    std::unique_ptr<MouseLock> m_lock;
    QString m_lockHolder;
};
