#include "DeviceChange.h"

DeviceChange DeviceChange::fromHidNode(const HidNodeInfo &node, bool arrived)
{
    DeviceChange c;
    c.arrived = arrived;
    c.vendorId = node.vendorId;
    c.productId = node.productId;
    c.kind = DevicePath::kindFromInterfaceNumber(node.interfaceNumber);
    c.release = node.releaseNumber;
    c.path = node.devnode;
    return c;
}

DeviceChange DeviceChange::fromInterfacePath(const QString &path, bool arrived)
{
    DeviceChange c;
    c.arrived = arrived;
    const DevicePathInfo info = DevicePath::parse(path);
    c.vendorId = info.vendorId;
    c.productId = info.productId;
    c.kind = info.kind;
    c.release = arrived ? DevicePath::releaseNumber(path) : -1;
    c.path = path;
    return c;
}
