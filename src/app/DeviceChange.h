#pragma once
// One arrival or removal of a HID interface, as the main window's hot-plug
// handling takes it: which device (vendor and product ID), which of its two
// collections, its release number and the path the HID layer opens it by.

#include "DevicePath.h"
#include "HidNode.h"

#include <QMetaType>
#include <QString>

struct DeviceChange
{
    bool arrived = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    InterfaceKind kind = InterfaceKind::None;
    int release = -1; // bcdDevice, -1 when it cannot be told
    QString path;     // "/dev/hidraw3", or an interface path

    // From a hidraw node of the hot-plug source.
    static DeviceChange fromHidNode(const HidNodeInfo &node, bool arrived);
    // From an interface path as the other system's notifications spell it
    // ("\\?\HID#VID_1209&PID_0001&MI_02#…", any case): the IDs and the kind
    // come from the path patterns, the release from its "REV_xxxx" part.
    static DeviceChange fromInterfacePath(const QString &path, bool arrived);
};
Q_DECLARE_METATYPE(DeviceChange)
