// The report rate that arrives: the figures over 100 ms windows and the
// warning, the simulated mouse's motion reports at its rate and at a faked
// one, and a measurement beside the owner's thread.

#include "DeviceProbe.h"
#include "DeviceTestSupport.h"
#include "ReportRate.h"
#include "ReportRateRun.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Reports every periodUs from startUs to endUs.
void appendSteady(QVector<int64_t> &out, int64_t startUs, int64_t endUs, int64_t periodUs)
{
    for (int64_t t = startUs; t < endUs; t += periodUs)
        out.append(t);
}

QByteArray receiverMouse()
{
    return SimulatedHidBackend::pathOf(0, 0);
}

} // namespace

class TestReportRate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void figuresOverWindows()
    {
        // Steady 1000 Hz for 3 s: thirty windows of 1000.
        QVector<int64_t> t;
        appendSteady(t, 0, 3000000, 1000);
        ReportRate::Result r = ReportRate::analyse(t, 0, 3000000, 1000);
        QCOMPARE(r.windows.size(), 30);
        QCOMPARE(r.medianHz, 1000.0);
        QCOMPARE(r.lowHz, 1000.0);
        QCOMPARE(r.reports, 3000);
        QVERIFY(!r.belowChosen());

        // The mouse at rest for a second in the middle: those windows carry no
        // figure (nothing is sent while it is still), the others are unchanged.
        t.clear();
        appendSteady(t, 0, 1000000, 1000);
        appendSteady(t, 2000000, 3000000, 1000);
        r = ReportRate::analyse(t, 0, 3000000, 1000);
        QCOMPARE(r.windows.size(), 20);
        QCOMPARE(r.windows.at(10).startUs, int64_t(2000000));
        QCOMPARE(r.medianHz, 1000.0);

        // A link that drops to 500 Hz for 0.3 s: the 5th percentile shows the
        // slump, the median does not.
        t.clear();
        appendSteady(t, 0, 1500000, 1000);
        appendSteady(t, 1500000, 1800000, 2000);
        appendSteady(t, 1800000, 3000000, 1000);
        r = ReportRate::analyse(t, 0, 3000000, 1000);
        QCOMPARE(r.windows.size(), 30);
        QCOMPARE(r.medianHz, 1000.0);
        QCOMPARE(ReportRate::roundedHz(r.lowHz), 500);

        // Reports read in bursts (a late reader) still give the rate of the window.
        t.clear();
        for (int64_t burst = 0; burst < 3000000; burst += 20000)
            for (int i = 0; i < 20; ++i)
                t.append(burst + 19000 + i * 50); // twenty reports, read 19 ms late
        r = ReportRate::analyse(t, 0, 3000000, 1000);
        QVERIFY(qAbs(r.medianHz - 1000) < 20);

        // Too little motion to tell; no warning without figures.
        t.clear();
        appendSteady(t, 0, 300000, 1000);
        r = ReportRate::analyse(t, 0, 3000000, 1000);
        QVERIFY(!r.enoughMotion());
        QVERIFY(!r.belowChosen());
        QVERIFY(!ReportRate::analyse({}, 0, 3000000, 1000).enoughMotion());
    }

    void warningBelowNinetyPercent()
    {
        QVector<int64_t> t;
        appendSteady(t, 0, 3000000, 1000000 / 900);
        QVERIFY(!ReportRate::analyse(t, 0, 3000000, 1000).belowChosen()); // 900.9 Hz
        t.clear();
        appendSteady(t, 0, 3000000, 1000000 / 895);
        QVERIFY(ReportRate::analyse(t, 0, 3000000, 1000).belowChosen());
        QVERIFY(!ReportRate::analyse(t, 0, 3000000, 0).belowChosen()); // no chosen rate, no verdict
    }

    void simulatedMouse_data()
    {
        QTest::addColumn<int>("rateButtonPresses");
        QTest::addColumn<int>("fakeHz");
        QTest::addColumn<int>("expectedHz");
        QTest::addColumn<bool>("warning");
        QTest::newRow("1000 Hz") << 0 << 0 << 1000 << false;
        QTest::newRow("500 Hz") << 1 << 0 << 500 << false;
        QTest::newRow("faked 430 Hz at 1000") << 0 << 430 << 430 << true;
    }
    void simulatedMouse()
    {
        QFETCH(int, rateButtonPresses);
        QFETCH(int, fakeHz);
        QFETCH(int, expectedHz);
        QFETCH(bool, warning);
        SimRig rig(true);
        for (int i = 0; i < rateButtonPresses; ++i)
            rig.sim().pressRateButton();
        rig.sim().setFakeReportRate(fakeHz);
        const int chosenHz = rig.sim().firmwareSnapshot().reportRateHz();
        const int handles = rig.sim().openHandleCount();
        QCOMPARE(chosenHz, fakeHz ? 1000 : expectedHz);

        const ReportRate::Reading reading = ReportRate::readArrivals(receiverMouse(), 3000000);
        QVERIFY2(reading.ok, qPrintable(reading.error));
        QCOMPARE(reading.durationUs, int64_t(3000000));
        const ReportRate::Result r =
            ReportRate::analyse(reading.arrivalsUs, reading.startUs, reading.durationUs, chosenHz);
        QVERIFY(r.windows.size() >= 29);
        QVERIFY2(qAbs(r.medianHz - expectedHz) <= expectedHz * 0.02, qPrintable(QString::number(r.medianHz)));
        QVERIFY2(qAbs(r.lowHz - expectedHz) <= expectedHz * 0.02, qPrintable(QString::number(r.lowHz)));
        QCOMPARE(r.belowChosen(), warning);
        QCOMPARE(rig.sim().openHandleCount(), handles); // the measurement closed its own
    }

    void whichCollectionAndFailures()
    {
        SimRig rig(true, true, true);
        rig.rescan();
        // With the cable in, the mouse reports through it; the receiver's collection is silent.
        QCOMPARE(ReportRate::mouseCollectionPath(deviceList().entries[0]), SimulatedHidBackend::pathOf(1, 0));
        ReportRate::Reading silent = ReportRate::readArrivals(receiverMouse(), 500000);
        QVERIFY(silent.ok);
        QVERIFY(silent.arrivalsUs.isEmpty());
        CloseDevices();
        DeviceEntry none;
        QVERIFY(ReportRate::mouseCollectionPath(none).isEmpty());

        // Unplugged during the measurement.
        const QByteArray cable = SimulatedHidBackend::pathOf(1, 0);
        const ReportRate::Reading cut =
            ReportRate::readArrivals(cable, 3000000, nullptr, [&](int64_t elapsed) {
                if (elapsed >= 1000000)
                    rig.sim().plugCable(false);
            });
        QVERIFY(!cut.ok);
        QVERIFY(cut.error.contains(QLatin1String("went away")));

        // No rights on the node: the message names the udev rule.
        rig.sim().setPermissionDenied(true);
        const ReportRate::Reading denied = ReportRate::readArrivals(receiverMouse(), 1000000);
        QVERIFY(!denied.ok);
        QVERIFY2(denied.error.contains(QLatin1String("permission denied")), qPrintable(denied.error));
        QVERIFY(denied.error.contains(udevRuleName()));
        QCOMPARE(rig.sim().openHandleCount(), 0);
    }

    // In real time on its own thread: progress, the figures, and a stop that waits.
    void runBesideTheOwner()
    {
        SimRig rig(false);
        CloseDevices();
        ReportRateRun run;
        QSignalSpy progress(&run, &ReportRateRun::progress);
        QSignalSpy finished(&run, &ReportRateRun::finished);
        QVERIFY(run.start(receiverMouse(), 1000, 1));
        QVERIFY(!run.start(receiverMouse(), 1000, 1)); // one at a time
        QVERIFY(finished.wait(30000));
        QVERIFY(!progress.isEmpty());
        const auto result = finished.first().at(0).value<ReportRate::Result>();
        QVERIFY2(finished.first().at(1).toString().isEmpty(), qPrintable(finished.first().at(1).toString()));
        QVERIFY2(qAbs(result.medianHz - 1000) <= 20, qPrintable(QString::number(result.medianHz)));

        // Stopped early: the thread is gone when stop() returns, nothing more arrives.
        finished.clear();
        QVERIFY(run.start(receiverMouse(), 1000, 30));
        QTRY_VERIFY_WITH_TIMEOUT(rig.sim().openHandleCount() == 1, 10000);
        run.stop();
        QVERIFY(!run.running());
        QCOMPARE(rig.sim().openHandleCount(), 0);
        QCoreApplication::processEvents();
        QVERIFY(finished.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportRate)
#include "tst_reportrate.moc"
