#include "HidrawAttributes.h"

#include <QStringList>

namespace {

bool parseHex(const QString &text, uint max, uint *value)
{
    bool ok = false;
    const uint v = text.trimmed().toUInt(&ok, 16);
    if (!ok || v > max)
        return false;
    *value = v;
    return true;
}

// HID_ID is "BUS:VENDOR:PRODUCT" with 4- and 8-digit hex fields.
bool parseHidId(const QString &hidId, uint *vendor, uint *product)
{
    const QStringList parts = hidId.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    uint bus = 0;
    return parseHex(parts.at(0), 0xFFFF, &bus) && parseHex(parts.at(1), 0xFFFF, vendor) &&
           parseHex(parts.at(2), 0xFFFF, product);
}

} // namespace

namespace HidrawDecoder {

bool decode(const HidrawAttributes &a, HidNodeInfo *node)
{
    if (a.devnode.isEmpty())
        return false;
    HidNodeInfo n;
    n.devnode = a.devnode;
    n.syspath = a.syspath;

    uint vendor = 0, product = 0;
    if (parseHex(a.idVendor, 0xFFFF, &vendor) && parseHex(a.idProduct, 0xFFFF, &product)) {
        uint release = 0;
        if (parseHex(a.bcdDevice, 0xFFFF, &release))
            n.releaseNumber = quint16(release);
        uint iface = 0;
        if (parseHex(a.bInterfaceNumber, 0xFF, &iface))
            n.interfaceNumber = int(iface);
    } else if (!parseHidId(a.hidId, &vendor, &product)) {
        return false;
    }
    n.vendorId = quint16(vendor);
    n.productId = quint16(product);
    *node = n;
    return true;
}

} // namespace HidrawDecoder
