// The rules the main window follows that need no window: the scale table and
// its width snapping, the connection-mode table, the command line, and the
// reading of device change records.

#include "AppOptions.h"
#include "ConnectionMode.h"
#include "DeviceChange.h"
#include "ScaleTable.h"

#include <QtTest>

class TestWindowRules : public QObject
{
    Q_OBJECT

private slots:
    void scaleIndexFromDpi_data();
    void scaleIndexFromDpi();
    void expectedSizeFollowsFactor();
    void widthSnapsToFirstFourFactors();
    void scaleStepsDownUntilTheWindowFits_data();
    void scaleStepsDownUntilTheWindowFits();
    void windowPlacedInsideTheScreen_data();
    void windowPlacedInsideTheScreen();
    void connectionModeTable_data();
    void connectionModeTable();
    void options();
    void badOptions();
    void changeFromInterfacePath();
    void changeFromHidNode();
};

void TestWindowRules::scaleIndexFromDpi_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("factor");
    QTest::newRow("96 dpi") << 96.0 << 0 << 1.0;
    QTest::newRow("r = 1.1 exactly") << 105.6 << 1 << 1.25;
    QTest::newRow("just below 1.1") << 105.5 << 0 << 1.0;
    QTest::newRow("120 dpi") << 120.0 << 1 << 1.25;
    QTest::newRow("144 dpi") << 144.0 << 2 << 1.5;
    QTest::newRow("192 dpi") << 192.0 << 4 << 2.0;
    QTest::newRow("r = 2.2") << 211.2 << 5 << 2.25;
    QTest::newRow("r = 4.79") << 459.84 << 15 << 4.75;
    QTest::newRow("r = 4.8") << 460.8 << 16 << 5.0;
    QTest::newRow("huge") << 2000.0 << 16 << 5.0;
    QTest::newRow("tiny") << 10.0 << 0 << 1.0;
}

void TestWindowRules::scaleIndexFromDpi()
{
    QFETCH(double, dpi);
    QFETCH(int, index);
    QFETCH(double, factor);
    QCOMPARE(ScaleTable::indexForDpi(dpi), index);
    QCOMPARE(ScaleTable::factorOf(index), factor);
}

void TestWindowRules::expectedSizeFollowsFactor()
{
    QCOMPARE(ScaleTable::expectedWidth(0), 999);
    QCOMPARE(ScaleTable::expectedHeight(0), 640);
    QCOMPARE(ScaleTable::expectedWidth(2), 1498); // int(999 × 1.5), truncated
    QCOMPARE(ScaleTable::expectedHeight(2), 960);
    QCOMPARE(ScaleTable::expectedWidth(1), 1248);
    QCOMPARE(ScaleTable::expectedWidth(16), 4995);
    // Out-of-range indexes are clamped, never read past the table.
    QCOMPARE(ScaleTable::factorOf(-3), 1.0);
    QCOMPARE(ScaleTable::factorOf(40), 5.0);
}

void TestWindowRules::widthSnapsToFirstFourFactors()
{
    QCOMPARE(ScaleTable::indexForWidth(999), 0);
    QCOMPARE(ScaleTable::indexForWidth(990), 0);
    QCOMPARE(ScaleTable::indexForWidth(1008), 0);
    QCOMPARE(ScaleTable::indexForWidth(1009), -1);
    QCOMPARE(ScaleTable::indexForWidth(1248), 1);
    QCOMPARE(ScaleTable::indexForWidth(1498), 2);
    QCOMPARE(ScaleTable::indexForWidth(1740), 3);
    QCOMPARE(ScaleTable::indexForWidth(1997), -1); // 2.0 is never snapped
}

void TestWindowRules::scaleStepsDownUntilTheWindowFits_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QSize>("available");
    QTest::addColumn<int>("index");
    // 2.0 gives 1998 × 1280: too tall for 1200 rows less a panel, too wide for 1920.
    QTest::newRow("192 dpi on 1920 × 1200") << 192.0 << QSize(1920, 1168) << 3;
    QTest::newRow("192 dpi on 3840 × 2160") << 192.0 << QSize(3840, 2112) << 4;
    QTest::newRow("exactly the window's size") << 192.0 << QSize(1998, 1280) << 4;
    QTest::newRow("one row short") << 192.0 << QSize(1998, 1279) << 3;
    QTest::newRow("one column short") << 192.0 << QSize(1997, 1280) << 3;
    QTest::newRow("144 dpi on 1366 × 768") << 144.0 << QSize(1366, 740) << 0;
    // Never below 1.0, and never above what the DPI asks for.
    QTest::newRow("96 dpi on 800 × 600") << 96.0 << QSize(800, 600) << 0;
    QTest::newRow("96 dpi on a huge screen") << 96.0 << QSize(8000, 6000) << 0;
    QTest::newRow("480 dpi on 5120 × 2880") << 480.0 << QSize(5120, 2880) << 14; // 4495 × 2880
    QTest::newRow("no screen known") << 192.0 << QSize() << 4;
}

void TestWindowRules::scaleStepsDownUntilTheWindowFits()
{
    QFETCH(double, dpi);
    QFETCH(QSize, available);
    QFETCH(int, index);
    QCOMPARE(ScaleTable::indexForScreen(dpi, available), index);
}

void TestWindowRules::windowPlacedInsideTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("centred") << QRect(0, 0, 1920, 1200) << QSize(1748, 1120) << QPoint(86, 40);
    QTest::newRow("centred on the free area beside a panel")
        << QRect(64, 32, 1856, 1168) << QSize(999, 640) << QPoint(492, 296);
    QTest::newRow("on a second screen") << QRect(1920, 0, 1280, 1024) << QSize(999, 640) << QPoint(2060, 192);
    // Larger than the area: the top-left corner (the title) stays on it.
    QTest::newRow("2.0 on 1920 × 1200") << QRect(0, 0, 1920, 1200) << QSize(1998, 1280) << QPoint(0, 0);
    QTest::newRow("wider only") << QRect(0, 30, 800, 1000) << QSize(999, 640) << QPoint(0, 210);
    QTest::newRow("taller only, second screen")
        << QRect(1000, 0, 1200, 600) << QSize(999, 640) << QPoint(1100, 0);
    QTest::newRow("no screen") << QRect() << QSize(999, 640) << QPoint(0, 0);
}

void TestWindowRules::windowPlacedInsideTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(QSize, window);
    QFETCH(QPoint, place);
    QCOMPARE(ScaleTable::placeInside(available, window), place);
}

void TestWindowRules::connectionModeTable_data()
{
    QTest::addColumn<bool>("cable");
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<bool>("charging");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("receiverShown");
    QTest::addColumn<bool>("barShown");
    QTest::newRow("both") << true << true << false << 1 << true << false;
    QTest::newRow("both, charging") << true << true << true << 1 << true << false;
    QTest::newRow("cable only") << true << false << false << 0 << false << false;
    QTest::newRow("receiver, charging") << false << true << true << 1 << true << false;
    QTest::newRow("receiver") << false << true << false << 2 << true << true;
    QTest::newRow("nothing") << false << false << false << 3 << false << true;
    QTest::newRow("nothing, charging flag left over") << false << false << true << 3 << false << true;
}

void TestWindowRules::connectionModeTable()
{
    QFETCH(bool, cable);
    QFETCH(bool, receiver);
    QFETCH(bool, charging);
    QFETCH(int, mode);
    QFETCH(bool, receiverShown);
    QFETCH(bool, barShown);
    const ConnectionView v = connectionViewFor(cable, receiver, charging);
    QCOMPARE(v.mode, mode);
    QCOMPARE(v.receiverShown, receiverShown);
    QCOMPARE(v.batteryBarShown, barShown);
    QCOMPARE(v.chargingFrame, mode <= 1); // "bat2" in modes 0 and 1
}

void TestWindowRules::options()
{
    AppOptions o = AppOptions::parse({});
    QVERIFY(o.error.isEmpty());
    QVERIFY(!o.simulate);

    o = AppOptions::parse({QStringLiteral("--simulate"), QStringLiteral("--config-dir"),
                           QStringLiteral("/tmp/c d"), QStringLiteral("--data-dir=/opt/x")});
    QVERIFY(o.error.isEmpty());
    QVERIFY(o.simulate);
    QVERIFY(!o.simulateCable);
    QCOMPARE(o.configDir, QStringLiteral("/tmp/c d"));
    QCOMPARE(o.dataDir, QStringLiteral("/opt/x"));

    o = AppOptions::parse({QStringLiteral("--simulate-cable")});
    QVERIFY(o.simulate && o.simulateCable);
    QVERIFY(AppOptions::parse({QStringLiteral("-h")}).help);
    QVERIFY(!o.minimized);
    QVERIFY(AppOptions::parse({QStringLiteral("--minimized"), QStringLiteral("--simulate")}).minimized);
}

void TestWindowRules::badOptions()
{
    QVERIFY(
        AppOptions::parse({QStringLiteral("--config-dir")}).error.contains(QStringLiteral("--config-dir")));
    QVERIFY(!AppOptions::parse({QStringLiteral("--data-dir"), QString()}).error.isEmpty());
    QVERIFY(!AppOptions::parse({QStringLiteral("--config-dir=")}).error.isEmpty());
    const AppOptions o = AppOptions::parse({QStringLiteral("--simulat")});
    QVERIFY(o.error.contains(QStringLiteral("--simulat")));
    QVERIFY(!AppOptions::parse({QStringLiteral("stray")}).error.isEmpty());
}

void TestWindowRules::changeFromInterfacePath()
{
    DeviceChange c = DeviceChange::fromInterfacePath(
        QStringLiteral("HID#VID_1209&PID_0002&MI_02#7&2a0c1f3&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"),
        true);
    QVERIFY(c.arrived);
    QCOMPARE(c.vendorId, quint16(0x1209));
    QCOMPARE(c.productId, quint16(0x0002));
    QCOMPARE(c.kind, InterfaceKind::Vendor);

    c = DeviceChange::fromInterfacePath(QStringLiteral("hid#vid_1209&pid_0001&rev_0105&mi_00#8&1&0&0000"),
                                        true);
    QCOMPARE(c.kind, InterfaceKind::Mouse);
    QCOMPARE(c.productId, quint16(0x0001));
    QCOMPARE(c.release, 0x0105);

    c = DeviceChange::fromInterfacePath(QStringLiteral("HID#VID_1209&PID_0001&MI_01#x"), false);
    QCOMPARE(c.kind, InterfaceKind::None);
    QCOMPARE(c.vendorId, quint16(0));
}

void TestWindowRules::changeFromHidNode()
{
    HidNodeInfo n;
    n.vendorId = 0x1209;
    n.productId = 0x0001;
    n.interfaceNumber = 2;
    n.releaseNumber = 0x0100;
    n.devnode = QStringLiteral("/dev/hidraw7");
    DeviceChange c = DeviceChange::fromHidNode(n, false);
    QVERIFY(!c.arrived);
    QCOMPARE(c.kind, InterfaceKind::Vendor);
    QCOMPARE(c.release, 0x0100);
    QCOMPARE(c.path, QStringLiteral("/dev/hidraw7"));
    n.interfaceNumber = 1;
    QCOMPARE(DeviceChange::fromHidNode(n, true).kind, InterfaceKind::None);
}

QTEST_APPLESS_MAIN(TestWindowRules)
#include "tst_windowrules.moc"
