#pragma once
// Reading what a device interface path says about the device behind it.
//
// Two kinds of path reach the program: the interface path of a HID device
// arrival as the other operating system spells it
// ("HID#VID_1209&PID_0001&MI_02#7&2a0c1f3&0&0000#{4d1e55b2-...}", any case),
// which the hot-plug code matches against two patterns, and the hidraw node
// path ("/dev/hidraw3") that this system's HID layer uses.

#include <QString>

// Which collection of the mouse an interface is.
enum class InterfaceKind : int
{
    None = 0,   // neither pattern matched
    Mouse = 1,  // interface 0: the mouse collection (usage page 1, usage 2)
    Vendor = 4, // interface 2: the vendor collection (usage page 0xFF00)
};

struct DevicePathInfo
{
    quint16 vendorId = 0;  // 0 when no pattern matched
    quint16 productId = 0; // 0 when no pattern matched
    InterfaceKind kind = InterfaceKind::None;
};

namespace DevicePath {

// Matches PATH against "HID#VID_xxxx&PID_xxxx...&MI_00" (mouse) and
// "...&MI_02" (vendor), case-insensitive, unanchored. A leading "\\?\" may be
// present or not.
DevicePathInfo parse(const QString &path);

// The interface number of a USB interface (bInterfaceNumber) as the kind the
// hot-plug handling works with: 0 is the mouse, 2 the vendor collection.
InterfaceKind kindFromInterfaceNumber(int interfaceNumber);

// The release number (bcdDevice) of the device behind PATH, or -1 when it
// cannot be told. A "REV_xxxx" component in an interface path is read as is;
// for a "/dev/hidrawN" node the USB device's bcdDevice is read from sysfs
// (SYSFSROOT replaces "/sys" in tests).
int releaseNumber(const QString &path, const QString &sysfsRoot = QStringLiteral("/sys"));

} // namespace DevicePath
