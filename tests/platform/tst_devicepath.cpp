// Interface paths, the release number read, and the decoding of hidraw attributes.

#include "DevicePath.h"
#include "HidNode.h"
#include "HidrawAttributes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(InterfaceKind)

class TestDevicePath : public QObject
{
    Q_OBJECT

private:
    static void writeFile(const QString &path, const QByteArray &content)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("pid");
        QTest::addColumn<InterfaceKind>("kind");

        const QString guid = QStringLiteral("#{4d1e55b2-f16f-11cf-88cb-001111000030}");
        QTest::newRow("mouse collection")
            << QStringLiteral("HID#VID_1209&PID_0001&MI_00#7&2a0c1f3&0&0000") + guid << 0x1209 << 0x0001
            << InterfaceKind::Mouse;
        QTest::newRow("vendor collection") << QStringLiteral("HID#VID_1209&PID_0002&MI_02#7&1b&0&0000") + guid
                                           << 0x1209 << 0x0002 << InterfaceKind::Vendor;
        QTest::newRow("lower case") << QStringLiteral("hid#vid_1209&pid_0001&mi_02#7&2a0c1f3&0&0000") + guid
                                    << 0x1209 << 0x0001 << InterfaceKind::Vendor;
        QTest::newRow("with prefix and hex letters")
            << QStringLiteral("\\\\?\\HID#VID_A1B2&PID_C3d4&MI_00#8&abc&0&0000") + guid << 0xA1B2 << 0xC3D4
            << InterfaceKind::Mouse;
        QTest::newRow("extra components before MI")
            << QStringLiteral("HID#VID_1209&PID_0001&REV_0102&MI_02&Col01#7&x&0&0000") + guid << 0x1209
            << 0x0001 << InterfaceKind::Vendor;
        QTest::newRow("interface 1 matches neither")
            << QStringLiteral("HID#VID_1209&PID_0001&MI_01#7&x&0&0000") + guid << 0 << 0
            << InterfaceKind::None;
        QTest::newRow("no interface")
            << QStringLiteral("HID#VID_1209&PID_0001#7&x") + guid << 0 << 0 << InterfaceKind::None;
        QTest::newRow("USB path, not HID")
            << QStringLiteral("USB#VID_1209&PID_0001&MI_00#6&x") << 0 << 0 << InterfaceKind::None;
        QTest::newRow("not hex: matched, read as 0")
            << QStringLiteral("HID#VID_ZZZZ&PID_0001&MI_00#x") << 0 << 0x0001 << InterfaceKind::Mouse;
        QTest::newRow("hidraw node") << QStringLiteral("/dev/hidraw3") << 0 << 0 << InterfaceKind::None;
        QTest::newRow("empty") << QString() << 0 << 0 << InterfaceKind::None;
    }

    void parse()
    {
        QFETCH(QString, path);
        QFETCH(int, vid);
        QFETCH(int, pid);
        QFETCH(InterfaceKind, kind);
        const DevicePathInfo info = DevicePath::parse(path);
        QCOMPARE(int(info.vendorId), vid);
        QCOMPARE(int(info.productId), pid);
        QCOMPARE(info.kind, kind);
    }

    void kindFromInterfaceNumber()
    {
        QCOMPARE(DevicePath::kindFromInterfaceNumber(0), InterfaceKind::Mouse);
        QCOMPARE(DevicePath::kindFromInterfaceNumber(2), InterfaceKind::Vendor);
        QCOMPARE(DevicePath::kindFromInterfaceNumber(1), InterfaceKind::None);
        QCOMPARE(DevicePath::kindFromInterfaceNumber(-1), InterfaceKind::None);
    }

    void releaseNumberFromInterfacePath()
    {
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("HID#VID_1209&PID_0001&REV_0102&MI_00#x")), 0x0102);
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("hid#vid_1209&pid_0001&rev_00ab&mi_02#x")), 0x00AB);
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("HID#VID_1209&PID_0001&MI_00#x")), -1);
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("HID#VID_1209&PID_0001&REV_01025&MI_00#x")), -1);
    }

    // /sys/class/hidraw/hidrawN/device -> .../usb1/1-1/1-1:1.2/0003:1209:0001.0004
    void releaseNumberFromSysfs()
    {
        QTemporaryDir sys;
        QVERIFY(sys.isValid());
        const QString usbDevice = sys.path() + QStringLiteral("/devices/pci0000:00/usb1/1-1");
        const QString hidDevice = usbDevice + QStringLiteral("/1-1:1.2/0003:1209:0001.0004");
        writeFile(usbDevice + QStringLiteral("/bcdDevice"), "0107\n");
        writeFile(usbDevice + QStringLiteral("/1-1:1.2/bInterfaceNumber"), "02\n");
        QVERIFY(QDir().mkpath(hidDevice + QStringLiteral("/hidraw/hidraw4")));
        QVERIFY(QDir().mkpath(sys.path() + QStringLiteral("/class/hidraw/hidraw4")));
        QVERIFY(QFile::link(hidDevice, sys.path() + QStringLiteral("/class/hidraw/hidraw4/device")));

        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("/dev/hidraw4"), sys.path()), 0x0107);
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("/dev/hidraw5"), sys.path()), -1); // gone
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("/dev/../etc/passwd"), sys.path()), -1);

        // A node without a USB device above it (Bluetooth) has no release number.
        const QString btDevice = sys.path() + QStringLiteral("/devices/virtual/bt/0005:1209:0001.0009");
        QVERIFY(QDir().mkpath(btDevice));
        QVERIFY(QDir().mkpath(sys.path() + QStringLiteral("/class/hidraw/hidraw9")));
        QVERIFY(QFile::link(btDevice, sys.path() + QStringLiteral("/class/hidraw/hidraw9/device")));
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("/dev/hidraw9"), sys.path()), -1);

        // Garbage in the attribute is not a number.
        writeFile(usbDevice + QStringLiteral("/bcdDevice"), "zz\n");
        QCOMPARE(DevicePath::releaseNumber(QStringLiteral("/dev/hidraw4"), sys.path()), -1);
    }

    void decodeUsbNode()
    {
        HidrawAttributes a;
        a.devnode = QStringLiteral("/dev/hidraw3");
        a.syspath = QStringLiteral("/sys/devices/x/hidraw/hidraw3");
        a.hidId = QStringLiteral("0003:00001209:00000001");
        a.idVendor = QStringLiteral("1209");
        a.idProduct = QStringLiteral("0002");
        a.bcdDevice = QStringLiteral("0100");
        a.bInterfaceNumber = QStringLiteral("02\n");
        HidNodeInfo n;
        QVERIFY(HidrawDecoder::decode(a, &n));
        QCOMPARE(n.vendorId, quint16(0x1209));
        QCOMPARE(n.productId, quint16(0x0002)); // the USB parent wins over HID_ID
        QCOMPARE(n.interfaceNumber, 2);
        QCOMPARE(n.releaseNumber, quint16(0x0100));
        QCOMPARE(n.devnode, a.devnode);
        QCOMPARE(n.syspath, a.syspath);

        // bInterfaceNumber is hexadecimal in sysfs.
        a.bInterfaceNumber = QStringLiteral("0a");
        QVERIFY(HidrawDecoder::decode(a, &n));
        QCOMPARE(n.interfaceNumber, 10);
    }

    void decodeFallbacksAndRefusals()
    {
        HidrawAttributes a;
        a.devnode = QStringLiteral("/dev/hidraw7");
        a.hidId = QStringLiteral("0005:0000046D:0000B019");
        HidNodeInfo n;
        QVERIFY(HidrawDecoder::decode(a, &n));
        QCOMPARE(n.vendorId, quint16(0x046D));
        QCOMPARE(n.productId, quint16(0xB019));
        QCOMPARE(n.interfaceNumber, -1);
        QCOMPARE(n.releaseNumber, quint16(0));

        HidNodeInfo untouched;
        untouched.devnode = QStringLiteral("keep");
        a.hidId = QStringLiteral("0005:00000001"); // two fields only
        QVERIFY(!HidrawDecoder::decode(a, &untouched));
        a.hidId = QStringLiteral("0005:00010000:00000001"); // vendor does not fit 16 bits
        QVERIFY(!HidrawDecoder::decode(a, &untouched));
        a.hidId.clear();
        a.idVendor = QStringLiteral("1209");
        QVERIFY(!HidrawDecoder::decode(a, &untouched)); // product missing
        a.idProduct = QStringLiteral("0001");
        a.devnode.clear();
        QVERIFY(!HidrawDecoder::decode(a, &untouched)); // no node to open
        QCOMPARE(untouched.devnode, QStringLiteral("keep"));
    }

    void eventLine()
    {
        HidNodeInfo n;
        n.vendorId = 0x1209;
        n.productId = 0x00ab;
        n.interfaceNumber = 2;
        n.releaseNumber = 0x0100;
        n.devnode = QStringLiteral("/dev/hidraw12");
        QCOMPARE(formatHidNodeEvent(QStringLiteral("arrival"), n),
                 QStringLiteral("arrival vid=1209 pid=00ab interface=2 release=0100 path=/dev/hidraw12"));
        n.vendorId = 0xABCD;
        n.interfaceNumber = -1;
        n.releaseNumber = 0;
        QCOMPARE(formatHidNodeEvent(QStringLiteral("removal"), n),
                 QStringLiteral("removal vid=abcd pid=00ab interface=-1 release=0000 path=/dev/hidraw12"));
    }
};

QTEST_GUILESS_MAIN(TestDevicePath)
#include "tst_devicepath.moc"
