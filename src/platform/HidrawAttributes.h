#pragma once
// The sysfs attributes of a hidraw node and of its parents, and how they
// decode into a HidNodeInfo. Kept apart from libudev so that it can be tested
// without devices.

#include "HidNode.h"

#include <QString>

struct HidrawAttributes
{
    QString devnode;          // DEVNAME of the hidraw node
    QString syspath;          // the node's sysfs path
    QString hidId;            // HID_ID of the "hid" parent: "0003:00001209:00000001"
    QString idVendor;         // "1209"   (usb_device parent)
    QString idProduct;        // "0001"   (usb_device parent)
    QString bcdDevice;        // "0100"   (usb_device parent)
    QString bInterfaceNumber; // "02"     (usb_interface parent)
};

namespace HidrawDecoder {

// Decodes the attributes. The USB parents win; without them (Bluetooth, I2C)
// the IDs come from HID_ID, the interface is -1 and the release 0. Returns
// false when neither source gives the IDs or the node has no device path.
bool decode(const HidrawAttributes &attributes, HidNodeInfo *node);

} // namespace HidrawDecoder
