#include "UdevHotplugSource.h"

#include "HidrawAttributes.h"
#include "PlatformLog.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

namespace {

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

QString sysattr(udev_device *device, const char *name)
{
    return device ? text(udev_device_get_sysattr_value(device, name)) : QString();
}

} // namespace

UdevHotplugSource::UdevHotplugSource(QObject *parent) : HotplugSource(parent) {}

UdevHotplugSource::~UdevHotplugSource()
{
    stop();
}

bool UdevHotplugSource::readNode(udev_device *device, HidNodeInfo *node)
{
    HidrawAttributes a;
    a.devnode = text(udev_device_get_devnode(device));
    a.syspath = text(udev_device_get_syspath(device));
    // The parents are owned by DEVICE and go with it.
    udev_device *hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    if (hid)
        a.hidId = text(udev_device_get_property_value(hid, "HID_ID"));
    udev_device *usbInterface = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface");
    udev_device *usbDevice = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (usbInterface)
        a.bInterfaceNumber = sysattr(usbInterface, "bInterfaceNumber");
    if (usbDevice) {
        a.idVendor = sysattr(usbDevice, "idVendor");
        a.idProduct = sysattr(usbDevice, "idProduct");
        a.bcdDevice = sysattr(usbDevice, "bcdDevice");
    }
    return HidrawDecoder::decode(a, node);
}

bool UdevHotplugSource::start()
{
    if (m_monitor)
        return true;
    setErrorString(QString());
    m_udev = udev_new();
    if (!m_udev) {
        setErrorString(QStringLiteral("cannot reach udev"));
        return false;
    }
    // The monitor comes first so that nothing plugged in during the
    // enumeration below is missed.
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        setErrorString(QStringLiteral("cannot watch for device changes (udev monitor unavailable)"));
        stop();
        return false;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevHotplugSource::onMonitorReadable);

    m_nodes.clear();
    m_order.clear();
    udev_enumerate *e = udev_enumerate_new(m_udev);
    if (e) {
        udev_enumerate_add_match_subsystem(e, "hidraw");
        udev_enumerate_scan_devices(e);
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e))
        {
            udev_device *d = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
            if (!d)
                continue;
            HidNodeInfo node;
            if (readNode(d, &node) && !m_nodes.contains(node.devnode)) {
                m_nodes.insert(node.devnode, node);
                m_order.append(node.devnode);
            }
            udev_device_unref(d);
        }
        udev_enumerate_unref(e);
    }
    return true;
}

void UdevHotplugSource::stop()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

QList<HidNodeInfo> UdevHotplugSource::presentDevices() const
{
    QList<HidNodeInfo> list;
    for (const QString &devnode : m_order) {
        const HidNodeInfo &n = m_nodes[devnode];
        if (isSupported(n.vendorId, n.productId))
            list.append(n);
    }
    return list;
}

QList<HidNodeInfo> UdevHotplugSource::enumerateAll()
{
    QList<HidNodeInfo> list;
    udev *u = udev_new();
    if (!u)
        return list;
    udev_enumerate *e = udev_enumerate_new(u);
    if (e) {
        udev_enumerate_add_match_subsystem(e, "hidraw");
        udev_enumerate_scan_devices(e);
        udev_list_entry *entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e))
        {
            udev_device *d = udev_device_new_from_syspath(u, udev_list_entry_get_name(entry));
            if (!d)
                continue;
            HidNodeInfo node;
            if (readNode(d, &node))
                list.append(node);
            udev_device_unref(d);
        }
        udev_enumerate_unref(e);
    }
    udev_unref(u);
    return list;
}

void UdevHotplugSource::onMonitorReadable()
{
    if (!m_monitor)
        return;
    // Drain everything queued; the socket is non-blocking.
    while (udev_device *d = udev_monitor_receive_device(m_monitor)) {
        const QString action = text(udev_device_get_action(d));
        const QString devnode = text(udev_device_get_devnode(d));
        if (action == QLatin1String("add")) {
            HidNodeInfo node;
            if (readNode(d, &node)) {
                const auto known = m_nodes.constFind(node.devnode);
                if (known != m_nodes.constEnd() && *known == node) {
                    // Seen by the enumeration already: the event was queued meanwhile.
                } else {
                    if (known != m_nodes.constEnd()) {
                        // Another device at a node we thought taken: its
                        // removal was missed, so report it before the arrival.
                        const HidNodeInfo old = *known;
                        m_nodes.remove(old.devnode);
                        m_order.removeAll(old.devnode);
                        if (isSupported(old.vendorId, old.productId))
                            emit deviceRemoved(old);
                    }
                    m_order.append(node.devnode);
                    m_nodes.insert(node.devnode, node);
                    qCDebug(lcPlatform) << "hot-plug arrival" << node.devnode;
                    if (isSupported(node.vendorId, node.productId))
                        emit deviceArrived(node);
                }
            }
        } else if (action == QLatin1String("remove") && !devnode.isEmpty()) {
            // sysfs is gone by now: what arrived at this node is in our table.
            const auto known = m_nodes.constFind(devnode);
            if (known != m_nodes.constEnd()) {
                const HidNodeInfo node = *known;
                m_nodes.remove(devnode);
                m_order.removeAll(devnode);
                qCDebug(lcPlatform) << "hot-plug removal" << devnode;
                if (isSupported(node.vendorId, node.productId))
                    emit deviceRemoved(node);
            }
        }
        udev_device_unref(d);
        if (!m_monitor) // a slot stopped us
            break;
    }
}
