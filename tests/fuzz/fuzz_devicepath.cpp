// What the program reads from device paths and hidraw attributes. The first
// line is a path (an interface path of the other system, or a hidraw node
// looked up in a small fake sysfs tree); the following lines are the
// attributes of one hidraw node in HidrawAttributes' order.

#include "DevicePath.h"
#include "FuzzSupport.h"
#include "HidrawAttributes.h"

#include <QDir>
#include <QFile>

namespace {
QString g_sysfs;

// class/hidraw/hidraw0/device -> the HID device inside a USB interface inside
// a USB device that holds bcdDevice.
void makeSysfs()
{
    g_sysfs = Fuzz::configDir() + QStringLiteral("/sys");
    const QString usb = g_sysfs + QStringLiteral("/devices/usb1/1-1");
    const QString hid = usb + QStringLiteral("/1-1:1.2/0003:1209:0001.0001");
    QDir().mkpath(hid);
    QDir().mkpath(g_sysfs + QStringLiteral("/class/hidraw/hidraw0"));
    Fuzz::writeInput(usb + QStringLiteral("/bcdDevice"), QByteArray("0105\n"));
    QFile::link(hid, g_sysfs + QStringLiteral("/class/hidraw/hidraw0/device"));
    QDir().mkpath(g_sysfs + QStringLiteral("/class/hidraw/hidraw1"));
    QFile::link(g_sysfs + QStringLiteral("/devices/usb1"),
                g_sysfs + QStringLiteral("/class/hidraw/hidraw1/device"));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    makeSysfs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)).split(QLatin1Char('\n'));
    const QString path = lines.value(0);

    const DevicePathInfo info = DevicePath::parse(path);
    if (info.kind == InterfaceKind::None)
        Fuzz::check(info.vendorId == 0 && info.productId == 0, "IDs without a matching pattern");
    const int release = DevicePath::releaseNumber(path, g_sysfs);
    Fuzz::check(release >= -1 && release <= 0xFFFF, "release number out of range");

    HidrawAttributes a;
    a.devnode = path;
    a.syspath = lines.value(1);
    a.hidId = lines.value(2);
    a.idVendor = lines.value(3);
    a.idProduct = lines.value(4);
    a.bcdDevice = lines.value(5);
    a.bInterfaceNumber = lines.value(6);
    HidNodeInfo node;
    if (HidrawDecoder::decode(a, &node)) {
        Fuzz::check(!node.devnode.isEmpty(), "a node without a device path");
        Fuzz::check(node.interfaceNumber >= -1 && node.interfaceNumber <= 0xFF, "interface out of range");
        formatHidNodeEvent(QStringLiteral("arrival"), node);
    }
    return 0;
}
