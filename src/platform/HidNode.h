#pragma once
// One hidraw node as the hot-plug source reports it.

#include <QMetaType>
#include <QString>
#include <QVector>

struct HidNodeInfo
{
    quint16 vendorId = 0;
    quint16 productId = 0;
    int interfaceNumber = -1;  // bInterfaceNumber of the USB interface; -1 when not USB
    quint16 releaseNumber = 0; // bcdDevice of the USB device
    QString devnode;           // "/dev/hidraw3"
    QString syspath;           // "/sys/devices/.../hidraw/hidraw3"

    bool operator==(const HidNodeInfo &o) const
    {
        return vendorId == o.vendorId && productId == o.productId && interfaceNumber == o.interfaceNumber &&
               releaseNumber == o.releaseNumber && devnode == o.devnode && syspath == o.syspath;
    }
    bool operator!=(const HidNodeInfo &o) const { return !(*this == o); }
};
Q_DECLARE_METATYPE(HidNodeInfo)

// A USB vendor/product ID pair the program is interested in.
struct UsbId
{
    quint16 vendorId = 0;
    quint16 productId = 0;
};

// "arrival vid=1209 pid=0001 interface=0 release=0100 path=/dev/hidraw3"
// (EVENT is "arrival" or "removal"). The line format of `mousecfg-cli watch`.
QString formatHidNodeEvent(const QString &event, const HidNodeInfo &node);
