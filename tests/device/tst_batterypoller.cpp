// The battery/status poller against the simulated mouse in real time: its
// signals, its end when the device vanishes, stopping, and control commands
// running beside it.

#include "CommandSet.h"
#include "DeviceTestSupport.h"
#include "MirtGetBatteryThread.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

struct Battery
{
    int charge, low, high;
};
struct Status
{
    int profile, dpi, rate, mode;
};

// Lives in the test's thread; the poller's signals arrive queued.
class Collector : public QObject
{
    Q_OBJECT
public:
    QVector<Battery> battery;
    QVector<Status> status;
public slots:
    void onBattery(quint8 c, quint8 l, quint8 h) { battery.append({c, l, h}); }
    void onStatus(quint8 p, quint8 d, quint8 r, quint8 m) { status.append({p, d, r, m}); }
};

Report statusReport(uint8_t mark3, uint8_t byte6, uint8_t rate)
{
    Report r{};
    r[0] = 0x0A;
    r[1] = 0xAA;
    r[2] = 0xFF;
    r[3] = mark3;
    r[4] = 44;
    r[6] = byte6;
    r[7] = rate;
    return r;
}

} // namespace

class TestBatteryPoller : public QObject
{
    Q_OBJECT
private:
    MirtGetBatteryThread *start(Collector &c)
    {
        auto *t = new MirtGetBatteryThread;
        connect(t, &MirtGetBatteryThread::RefreshBatteryStatus, &c, &Collector::onBattery);
        connect(t, &MirtGetBatteryThread::RefreshStatus, &c, &Collector::onStatus);
        t->start();
        return t;
    }

private slots:
    void initTestCase() { quietDeviceLog(); }

    void queryAndStatusReports()
    {
        SimRig rig(false);
        rig.sim().setEchoLatencyUs(1000);
        rig.sim().withFirmware([](MouseFirmware &fw) {
            fw.setBatteryLevel(57);
            fw.setCharging(true);
        });
        Collector c;
        MirtGetBatteryThread *t = start(c);
        QTRY_VERIFY_WITH_TIMEOUT(!c.battery.isEmpty(), 5000);
        QCOMPARE(c.battery.first().charge, 0);
        QCOMPARE(c.battery.first().low, 57);
        QCOMPARE(c.battery.first().high, 1);
        QTRY_VERIFY(!c.status.isEmpty());
        QCOMPARE(c.status.first().profile, 0xFF); // the report names no profile
        QCOMPARE(c.status.first().rate, 1);

        // Listening: a report with AA FF DC is ignored, 0x23 in byte 6 gives stage 3.
        c.status.clear();
        rig.sim().injectReport(0, statusReport(0xDC, 0x05, 8));
        rig.sim().injectReport(0, statusReport(0xDD, 0x23, 2));
        QTRY_VERIFY_WITH_TIMEOUT(!c.status.isEmpty(), 5000);
        QCOMPARE(c.status.first().dpi, 3);
        QCOMPARE(c.status.first().rate, 2);
        QCOMPARE(c.status.first().profile, 0xFF);

        // The mouse's own rate button.
        c.status.clear();
        rig.sim().pressRateButton();
        QTRY_VERIFY_WITH_TIMEOUT(!c.status.isEmpty(), 5000);
        QCOMPARE(c.status.first().rate, 2);

        QElapsedTimer timer;
        timer.start();
        MirtGetBatteryThread::stopAndDelete(t);
        QVERIFY(t == nullptr);
        QVERIFY(timer.elapsed() < 1000);
        const int before = c.battery.size() + c.status.size();
        QTest::qWait(100);
        QCOMPARE(c.battery.size() + c.status.size(), before);
    }

    void pollsTheCable()
    {
        SimRig rig(false, true, true);
        Collector c;
        MirtGetBatteryThread *t = start(c);
        QTRY_VERIFY_WITH_TIMEOUT(!c.battery.isEmpty(), 5000);
        MirtGetBatteryThread::stopAndDelete(t);
        QVERIFY(rig.sim().writesOn(1) >= 1);
        QCOMPARE(rig.sim().writesOn(0), 0);
    }

    void endsWhenTheDeviceVanishes()
    {
        SimRig rig(false);
        Collector c;
        MirtGetBatteryThread *t = start(c);
        QTRY_VERIFY_WITH_TIMEOUT(!c.battery.isEmpty(), 5000);
        c.battery.clear();
        rig.sim().plugReceiver(false); // handles go dead, nobody closes them yet
        QTRY_VERIFY_WITH_TIMEOUT(t->isFinished(), 5000);
        QTRY_COMPARE(c.battery.size(), 1);
        QCOMPARE(c.battery.first().low, 0);
        delete t;

        // Closing the handles under a running poller ends it the same way.
        rig.sim().plugReceiver(true);
        rig.rescan();
        c.battery.clear();
        t = start(c);
        QTRY_VERIFY_WITH_TIMEOUT(!c.battery.isEmpty(), 5000);
        c.battery.clear();
        CloseDevices();
        QTRY_VERIFY_WITH_TIMEOUT(t->isFinished(), 5000);
        QTRY_COMPARE(c.battery.size(), 1);
        QCOMPARE(c.battery.first().low, 0);
        delete t;

        // No device at all: one (0, 0, 0) and the end.
        c.battery.clear();
        t = start(c);
        QTRY_VERIFY_WITH_TIMEOUT(t->isFinished(), 5000);
        QTRY_COMPARE(c.battery.size(), 1);
        delete t;
    }

    void controlCommandsBesideThePoller()
    {
        SimRig rig(false);
        Collector c;
        MirtGetBatteryThread *t = start(c);
        for (int i = 0; i < 15; ++i) {
            SwitchProfile(i % 5);
            QCOMPARE(ReloadSettings(), int(kSendOk));
            QCOMPARE(rig.sim().firmwareSnapshot().activeProfile(), i % 5);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!c.battery.isEmpty(), 5000);
        MirtGetBatteryThread::stopAndDelete(t);
    }
};

QTEST_GUILESS_MAIN(TestBatteryPoller)
#include "tst_batterypoller.moc"
