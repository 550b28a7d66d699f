// Soak: many whole writes against a simulated mouse that loses, delays,
// corrupts and zeroes a share of its answers, loses verified frames on their
// way in, fails writes and is unplugged now and then. Every write either
// succeeds with the mouse holding exactly what was applied, or fails with
// "Config/Diff" = 1 and the next write after re-plugging succeeds. A second
// part runs writes on a worker thread beside the poller and control commands.

#include "AppConfig.h"
#include "DeviceTestSupport.h"
#include "MacroFile.h"
#include "MirtGetBatteryThread.h"
#include "WholeWrite.h"

#include <QThread>
#include <QtTest>

#include <atomic>
#include <random>

namespace {

#if defined(__SANITIZE_THREAD__)
constexpr int kDefaultWrites = 12; // the thread sanitizer makes each profile save slow
#else
constexpr int kDefaultWrites = 40;
#endif

WriteContext soakContext()
{
    WriteContext c;
    c.layout.buttonCount = 8;
    for (int i = 0; i < 16; ++i)
        c.layout.matrix[size_t(i)] = uint8_t(15 - i);
    c.layout.sensorModel = 3395;
    return c;
}

const QStringList kMacros = {QStringLiteral("burst"), QStringLiteral("jump"), QStringLiteral("reload")};

void mutate(ProfileSet &set, std::mt19937 &rng)
{
    auto pick = [&rng](int n) { return int(rng() % uint32_t(n)); };
    ProfileData &p = set.profiles[size_t(pick(kProfileCount))];
    p.pollrate = uint8_t(1 << pick(4));
    p.dpi = uint8_t(pick(6));
    p.LedMode = uint8_t(pick(10));
    p.LedSleepTime = uint8_t(1 + pick(40)); // verified below 11, not above
    p.DPI_INFO[size_t(pick(8))].x = pick(520);
    p.DPI_INFO[size_t(pick(8))].y = pick(520);
    p.LED_MODE[size_t(pick(8))].RGB = QColor(pick(256), pick(256), pick(256));
    ButtonAssignment &b = p.BUTTON_INFO[size_t(pick(8))];
    if (pick(3) == 0) {
        b.Fun = 200;
        b.macroname = kMacros.at(pick(kMacros.size()));
        b.LoopNumber = 1 + pick(5);
        b.Res1 = uint8_t(pick(3));
    } else {
        b.Fun = 1 + pick(60);
    }
    set.AngleValue = uint8_t(pick(2));
    set.LiftHigh = uint8_t(pick(3));
}

// The mouse's active profile and macro slots hold every block of the frames.
bool mouseHolds(const MouseFirmware &fw, const QVector<Frame> &frames, QString *why)
{
    const int active = fw.activeProfile();
    for (const Frame &f : frames) {
        const int code = f[1];
        if (code >= 1 && code <= 9) {
            if (!std::equal(f.begin() + 2, f.begin() + 32, fw.block(active, code).begin())) {
                *why = QStringLiteral("block %1 of profile %2").arg(code).arg(active);
                return false;
            }
        } else if (code >= kBlockMacroFirst && code <= kBlockMacroLast) {
            const int slot = (code - kBlockMacroFirst) / kMacroBlocksPerSlot;
            const int k = (code - kBlockMacroFirst) % kMacroBlocksPerSlot;
            const int n = k < 8 ? 30 : 16;
            if (!std::equal(f.begin() + 2, f.begin() + 2 + n, fw.macroSlot(slot).begin() + 30 * k)) {
                *why = QStringLiteral("macro slot %1 block %2").arg(slot).arg(k);
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestDeviceSoak : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietDeviceLog(); }

    void faultyMouse()
    {
        SimRig rig(true);
        for (int i = 0; i < kMacros.size(); ++i) {
            MacroFile::MacroData m;
            for (int e = 0; e < 6 + 20 * i; ++e)
                m.events.append(MacroEvent{uint8_t(e % 2 ? 4 : 132), 0, uint8_t(4 + e / 2)});
            QVERIFY(MacroFile::saveMacro(kMacros.at(i), m));
        }
        SimulatedHidBackend::Faults faults;
        faults.lostEcho = 0.03;
        faults.lateEcho = 0.03;
        faults.corruptEcho = 0.03;
        faults.zeroEcho = 0.03;
        faults.stolen = 0.02;
        faults.writeError = 0.004;
        faults.inboundLoss = 0.02;
        faults.seed = 20261207;
        SimulatedHidBackend::Faults healthy = faults;
        healthy.writeError = 0;
        rig.sim().setFaults(faults);

        std::mt19937 rng(7);
        ProfileSet current = sampleSet(), lastSent = current;
        const WriteContext ctx = soakContext();
        int succeeded = 0, failed = 0, unplugs = 0;
        const int writes = qEnvironmentVariableIntValue("MOUSECFG_SOAK_WRITES") > 0
                               ? qEnvironmentVariableIntValue("MOUSECFG_SOAK_WRITES")
                               : kDefaultWrites;
        for (int i = 0; i < writes; ++i) {
            mutate(current, rng);
            if (rng() % 7 == 0) {
                const int slot = int(rng() % 5);
                current.ProfileID = uint8_t(slot);
                SwitchProfile(slot); // results ignored, as the profile menu does
                ReloadSettings();
            }
            const bool unplug = rng() % 6 == 0;
            if (unplug)
                rig.sim().unplugAfterWrites(int(rng() % 30));
            const WholeWriteOutcome out = runWholeWrite(current, lastSent, false, ctx);
            QVERIFY(lastSent == current);
            if (wholeWriteReachedEnd(out.result)) {
                ++succeeded;
                QCOMPARE(AppConfig::readDiff(), 0);
                QString why;
                QVERIFY2(mouseHolds(rig.sim().firmwareSnapshot(), wholeWriteFrames(current, ctx), &why),
                         qPrintable(QStringLiteral("write %1: %2").arg(i).arg(why)));
            } else {
                ++failed;
                QCOMPARE(AppConfig::readDiff(), 1);
                if (!rig.sim().receiverPlugged()) {
                    ++unplugs;
                    rig.sim().plugReceiver(true);
                }
                rig.rescan();
                rig.sim().setFaults(healthy);
                const WholeWriteOutcome again = runWholeWrite(current, lastSent, false, ctx);
                QVERIFY2(wholeWriteReachedEnd(again.result), qPrintable(QStringLiteral("write %1 after failure %2: %3")
                                                                             .arg(i).arg(out.result).arg(again.result)));
                QCOMPARE(again.changeMask, 15);
                QCOMPARE(AppConfig::readDiff(), 0);
                QString why;
                QVERIFY2(mouseHolds(rig.sim().firmwareSnapshot(), wholeWriteFrames(current, ctx), &why),
                         qPrintable(why));
                faults.seed += 1;
                rig.sim().setFaults(faults);
            }
            if (unplug)
                rig.sim().unplugAfterWrites(-1);
        }
        qInfo("soak: %d writes succeeded, %d failed (%d by unplugging), %d faults injected", succeeded, failed,
              unplugs, rig.sim().faultsInjected());
        QVERIFY(succeeded > writes / 2);
        QVERIFY(rig.sim().faultsInjected() > 20);
    }

    void writesOnAWorkerBesideThePoller()
    {
        SimRig rig(false);
        rig.sim().setEchoLatencyUs(1000);
        SimulatedHidBackend::Faults faults;
        faults.lostEcho = 0.02;
        faults.corruptEcho = 0.02;
        faults.zeroEcho = 0.02;
        faults.seed = 99;
        rig.sim().setFaults(faults);

        auto *poller = new MirtGetBatteryThread;
        std::atomic<int> batteryReports{0};
        connect(poller, &MirtGetBatteryThread::RefreshBatteryStatus, poller,
                [&batteryReports](quint8, quint8, quint8) { ++batteryReports; }, Qt::DirectConnection);
        poller->start();

        ProfileSet set = sampleSet();
        const WriteContext ctx = soakContext();
        std::atomic<int> failures{0};
        QThread *worker = QThread::create([&] {
            std::mt19937 rng(3);
            for (int i = 0; i < 6; ++i) {
                mutate(set, rng);
                set.ProfileID = 0;
                ProfileWriter writer(ctx);
                if (!wholeWriteReachedEnd(writer.WriteWholeProfile(set, 15)))
                    ++failures;
            }
        });
        worker->start();
        while (!worker->isFinished()) {
            SwitchProfile(0);
            ReloadSettings();
            QTest::qWait(20);
        }
        worker->wait();
        delete worker;
        // Writes may absorb the answers of queries made meanwhile; once they end the poller reports.
        QTRY_VERIFY_WITH_TIMEOUT(batteryReports.load() >= 1, 8000);
        MirtGetBatteryThread::stopAndDelete(poller);
        QCOMPARE(failures.load(), 0);
        QString why;
        QVERIFY2(mouseHolds(rig.sim().firmwareSnapshot(), wholeWriteFrames(set, ctx), &why), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestDeviceSoak)
#include "tst_devicesoak.moc"
