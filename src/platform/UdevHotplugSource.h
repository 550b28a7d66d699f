#pragma once
// Hot-plug through a libudev monitor on the "hidraw" subsystem.

#include "HotplugSource.h"

#include <QHash>

struct udev;
struct udev_monitor;
struct udev_device;
class QSocketNotifier;

class UdevHotplugSource : public HotplugSource
{
    Q_OBJECT
public:
    explicit UdevHotplugSource(QObject *parent = nullptr);
    ~UdevHotplugSource() override;

    bool start() override;
    void stop() override;
    bool isRunning() const override { return m_monitor != nullptr; }
    QList<HidNodeInfo> presentDevices() const override;

    // Every hidraw node present, supported or not (enumeration only; no monitor needed).
    static QList<HidNodeInfo> enumerateAll();

private slots:
    void onMonitorReadable();

private:
    static bool readNode(udev_device *device, HidNodeInfo *node);

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    QList<QString> m_order;              // devnodes in arrival order
    QHash<QString, HidNodeInfo> m_nodes; // by devnode: what arrived, for removals
};
