// The hot-plug sources: the udev monitor on this machine, and the fake the
// layers above test with.

#include "FakeHotplugSource.h"
#include "LazyLibrary.h"
#include "UdevHotplugSource.h"

#include <QSignalSpy>
#include <QtTest>

// libudev and hidapi are loaded when first called: a library or a function
// that cannot be had makes the call fail as the function reports failure.
extern "C" int mousecfg_absent_library_call(int);
extern "C" const char *mousecfg_absent_udev_call(void);
namespace {
LazyLibrary absentLibrary("libmousecfg-absent.so.0");
LazyLibrary udevAgain("libudev.so.1");
} // namespace
MOUSECFG_LAZY_FUNCTION(absentLibrary, int, mousecfg_absent_library_call, (int x), (x), -7)
MOUSECFG_LAZY_FUNCTION(udevAgain, const char *, mousecfg_absent_udev_call, (void), (), "absent")

namespace {

HidNodeInfo node(quint16 pid, int iface, const QString &devnode)
{
    HidNodeInfo n;
    n.vendorId = 0x1209;
    n.productId = pid;
    n.interfaceNumber = iface;
    n.releaseNumber = 0x0100;
    n.devnode = devnode;
    n.syspath = QStringLiteral("/sys/devices/virtual/") + devnode.mid(5);
    return n;
}

} // namespace

class TestHotplug : public QObject
{
    Q_OBJECT

private slots:
    void missingLibraryOrFunctionFailsTheCall()
    {
        QCOMPARE(mousecfg_absent_library_call(1), -7);
        QCOMPARE(mousecfg_absent_library_call(2), -7); // and again, without loading anew
        QCOMPARE(QByteArray(mousecfg_absent_udev_call()), QByteArray("absent"));
        QVERIFY(udevAgain.resolve("udev_new")); // the library itself was there
    }

    void udevMonitorStartsAndEnumerates()
    {
        UdevHotplugSource source;
        QSignalSpy arrived(&source, &HotplugSource::deviceArrived);
        if (!source.start())
            QSKIP(qPrintable(QStringLiteral("no udev monitor here: ") + source.errorString()));
        QVERIFY(source.isRunning());
        QVERIFY(source.start()); // a second start is harmless
        const QList<HidNodeInfo> all = UdevHotplugSource::enumerateAll();
        const QList<HidNodeInfo> present = source.presentDevices();
        QCOMPARE(present.size(), all.size()); // no filter: everything
        for (const HidNodeInfo &n : present) {
            QVERIFY(n.devnode.startsWith(QStringLiteral("/dev/")));
            QVERIFY(n.interfaceNumber >= -1 && n.interfaceNumber <= 255);
        }
        QTest::qWait(50); // let any queued event through; nothing present is announced
        QVERIFY(arrived.isEmpty());
        source.stop();
        QVERIFY(!source.isRunning());
        source.stop();
    }

    void udevFilterHidesOtherDevices()
    {
        UdevHotplugSource source;
        source.setSupportedIds({{0xFFFF, 0xFFFE}}); // nothing real has these
        if (!source.start())
            QSKIP("no udev monitor here");
        QVERIFY(source.presentDevices().isEmpty());
    }

    void filter()
    {
        FakeHotplugSource source;
        QVERIFY(source.isSupported(0x1234, 0x5678)); // no list: all
        source.setSupportedIds({{0x1209, 0x0001}, {0x1209, 0x0002}});
        QVERIFY(source.isSupported(0x1209, 0x0001));
        QVERIFY(source.isSupported(0x1209, 0x0002));
        QVERIFY(!source.isSupported(0x1209, 0x0003));
        QVERIFY(!source.isSupported(0x1208, 0x0001));
    }

    void fakeSourceBehavesLikeTheRealOne()
    {
        FakeHotplugSource source;
        source.setSupportedIds({{0x1209, 0x0001}, {0x1209, 0x0002}});
        source.addPresent(node(0x0001, 0, QStringLiteral("/dev/hidraw0")));
        source.addPresent(node(0x0009, 0, QStringLiteral("/dev/hidraw1"))); // not ours
        QSignalSpy arrived(&source, &HotplugSource::deviceArrived);
        QSignalSpy removed(&source, &HotplugSource::deviceRemoved);

        source.plug(node(0x0002, 0, QStringLiteral("/dev/hidraw5"))); // not running: silent
        QVERIFY(arrived.isEmpty());
        QVERIFY(source.start());
        QCOMPARE(source.presentDevices().size(), 2);
        QCOMPARE(source.presentDevices().at(0).devnode, QStringLiteral("/dev/hidraw0"));

        const HidNodeInfo vendor = node(0x0002, 2, QStringLiteral("/dev/hidraw6"));
        source.plug(vendor);
        QCOMPARE(arrived.size(), 1);
        QCOMPARE(arrived.at(0).at(0).value<HidNodeInfo>(), vendor);
        source.plug(node(0x0009, 2, QStringLiteral("/dev/hidraw7")));
        QCOMPARE(arrived.size(), 1);

        // The removal carries what arrived at the node.
        QVERIFY(source.unplug(QStringLiteral("/dev/hidraw6")));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.at(0).at(0).value<HidNodeInfo>(), vendor);
        QVERIFY(!source.unplug(QStringLiteral("/dev/hidraw6")));
        QVERIFY(source.unplug(QStringLiteral("/dev/hidraw7"))); // not ours: no signal
        QCOMPARE(removed.size(), 1);

        FakeHotplugSource failing;
        failing.setStartError(QStringLiteral("no udev"));
        QVERIFY(!failing.start());
        QCOMPARE(failing.errorString(), QStringLiteral("no udev"));
        QCOMPARE(failing.startCount(), 1);
    }

    void queuedAcrossThreads()
    {
        // HidNodeInfo is registered so that slots in other threads receive it.
        QVERIFY(QMetaType::type("HidNodeInfo") != QMetaType::UnknownType);
    }
};

QTEST_GUILESS_MAIN(TestHotplug)
#include "tst_hotplug.moc"
