// Soak: whole writes of five fixed profile sets against a simulated mouse
// that loses, delays, corrupts, zeroes, duplicates and cuts short a share of
// its answers, loses verified frames on their way in, fails writes, has its
// DPI button pressed in the middle of writes and is unplugged now and then.
// What the mouse must hold comes from the golden frames in tests/data/soak/
// (written from the frame layouts, not by the encoder under test): after
// every completed write all five profiles, the active profile and the twelve
// macro slots are compared. A failed write leaves "Config/Diff" = 1 and the
// write after re-plugging completes.
//
// MOUSECFG_SOAK_SEED repeats a run (the seed is printed at the start; a new
// one is drawn otherwise); MOUSECFG_SOAK_WRITES sets the number of writes.

#include "AppConfig.h"
#include "DeviceTestSupport.h"
#include "MacroFile.h"
#include "MirtGetBatteryThread.h"
#include "WholeWrite.h"

#include <QFile>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <random>

namespace {

#if defined(__SANITIZE_THREAD__)
constexpr int kDefaultWrites = 100; // the thread sanitizer makes each profile save slow
#else
constexpr int kDefaultWrites = 300;
#endif

// Sixteen buttons on the slots of a permutation, sensor 3395: the context the golden frames were made for.
WriteContext soakContext()
{
    WriteContext c;
    c.layout.buttonCount = 16;
    for (int i = 0; i < 16; ++i)
        c.layout.matrix[size_t(i)] = uint8_t(i < 14 ? (5 * i + 3) % 14 : i);
    c.layout.sensorModel = 3395;
    return c;
}

// The macro library: m01..m24 (five, four, six with their own delays, seventy
// and ninety events by number modulo 5); "missing" is not in it.
QString macroName(int i)
{
    return QStringLiteral("m%1").arg(i, 2, 10, QLatin1Char('0'));
}

MacroFile::MacroData soakMacro(int i)
{
    static const int kCounts[5] = {5, 4, 6, 70, 90};
    MacroFile::MacroData m;
    for (int e = 0; e < kCounts[i % 5]; ++e) {
        if (i % 5 == 2 && e % 3 == 1)
            m.events.append(MacroEvent{6, 0, uint8_t(10 * i)});
        else
            m.events.append(MacroEvent{uint8_t(e % 2 ? 0x04 : 0x84), 0, uint8_t(4 + (i + e / 2) % 40)});
    }
    return m;
}

ButtonAssignment button(int fun, const QString &macro = QString(), int res1 = 0, int loops = 0,
                        int keyNumber = 0)
{
    ButtonAssignment b;
    b.Fun = fun;
    b.macroname = macro;
    b.Res1 = uint8_t(res1);
    b.LoopNumber = loops;
    b.KeyNumber = keyNumber;
    return b;
}
ButtonAssignment fun(int code)
{
    return button(code);
}
ButtonAssignment macro(int code, const QString &name, int runMode, int loops)
{
    return button(code, name, runMode, loops);
}
ButtonAssignment fire(int source, int times, int delay)
{
    return button(12, QString(), source, times, delay);
}

struct SoakSet
{
    QString name;   // of its golden file
    ProfileSet set; // ProfileID is the slot it is written to first
    int result = 0; // what the whole write returns
};

// Set k (0..4) in slot k: its current profile carries everything the write sends.
SoakSet soakSet(int k)
{
    static const char *const kNames[5] = {"plain", "too-many-macros", "twelve-macros-a", "shared-macros",
                                          "twelve-macros-b"};
    static const uint8_t kRates[5] = {1, 2, 4, 8, 1}, kEffects[5] = {5, 0, 3, 1, 4},
                         kSleep[5] = {5, 30, 10, 11, 3};
    SoakSet s;
    s.name = QString::fromLatin1(kNames[k]);
    ProfileSet &set = s.set;
    set.ProfileID = uint8_t(k);
    set.AngleValue = uint8_t(k % 2);
    set.LiftHigh = uint8_t(1 + k % 3);
    set.Sync = 1;
    set.Debounce = uint8_t(8 + k);
    for (int j = 0; j < kProfileCount; ++j) {
        // The other profiles: plain buttons and two macros the write skips or shares.
        ProfileData &p = set.profiles[size_t(j)];
        for (int b = 0; b < kButtonCount; ++b)
            p.BUTTON_INFO[size_t(b)] = fun(1 + (b + j) % 5);
        p.BUTTON_INFO[2] = macro(200, macroName(20), 0, 1);
        p.BUTTON_INFO[5] = macro(200, macroName(1), 0, 1);
        set.names[size_t(j)] = QStringLiteral("Soak %1").arg(j + 1);
    }
    ProfileData &p = set.profiles[size_t(k)];
    p.pollrate = kRates[k];
    p.dpi = uint8_t(k);
    p.LedMode = kEffects[k];
    p.LedMoveOFF = k % 2 ? 255 : 0;
    p.LedSleepTime = kSleep[k];
    for (int i = 0; i < kDpiStageCount; ++i) {
        DpiStage &d = p.DPI_INFO[size_t(i)];
        d.used = 1;
        d.x = 17 + 61 * i + 3 * k;
        d.y = d.x + i % 3;
    }
    if (k == 4)
        p.DPI_INFO[7].x = p.DPI_INFO[7].y = 519;
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &l = p.LED_MODE[size_t(m)];
        l.RGB = QColor((37 * m + 11 * k) % 256, (90 + 13 * m) % 256, (200 - 7 * m - k) % 256);
        l.bright = 1 + (m + k) % 4;
        l.breath = 1 + (m + 2 * k) % 5;
    }
    auto &b = p.BUTTON_INFO;
    static const int kPlain[16] = {1, 2, 3, 5, 4, 17, 48, 49, 25, 31, 18, 19, 20, 21, 52, 53};
    switch (k) {
    case 0:
        for (int i = 0; i < 16; ++i)
            b[size_t(i)] = fun(kPlain[i]);
        b[40] = fun(52);
        b[41] = fun(53);
        break;
    case 1: // thirteen macros: none fits
        for (int i = 0; i < 13; ++i)
            b[size_t(i)] = macro(200, macroName(1 + i), i % 3, 1 + i);
        b[13] = fun(1);
        b[14] = fun(2);
        b[15] = fun(3);
        b[40] = fun(52);
        b[41] = fun(53);
        s.result = kResultMacrosNotWritten;
        break;
    case 2:
        for (int i = 0; i < 12; ++i)
            b[size_t(i)] = macro(200, macroName(1 + i), (i + 1) % 3, i == 11 ? 300 : 2 + i);
        b[12] = fire(3, 7, 250);
        b[13] = fun(48);
        b[14] = fun(49);
        b[15] = fun(3);
        b[40] = fun(52);
        b[41] = fun(53);
        break;
    case 3: // one macro on two buttons, a missing macro file, a gun file
        b[0] = macro(200, macroName(14), 0, 3);
        b[1] = fire(0, 9, 90);
        b[2] = macro(200, macroName(15), 1, 1);
        b[3] = macro(200, macroName(14), 2, 1);
        b[4] = macro(200, QStringLiteral("missing"), 0, 1); // sent with its factory function
        s.result = kResultMacroMissing;
        b[5] = fire(2, 5, 120);
        for (int i = 6; i < 16; ++i)
            b[size_t(i)] = fun(kPlain[(i * 3) % 16]);
        b[40] = macro(510, macroName(16), 0, 2);
        b[41] = fun(53);
        break;
    case 4:
        for (int i = 0; i < 12; ++i)
            b[size_t(i)] = macro(200, macroName(24 - i), i % 3, 1);
        b[12] = fun(1);
        b[13] = fun(2);
        b[14] = fun(3);
        b[15] = fun(4);
        b[40] = fun(53);
        b[41] = fun(52);
        break;
    }
    return s;
}

// The same set with its current profile moved to another slot: the frames stay the same.
ProfileSet inSlot(const ProfileSet &set, int slot)
{
    ProfileSet moved = set;
    moved.profiles[size_t(slot)] = set.current();
    moved.ProfileID = uint8_t(slot);
    return moved;
}

// tests/data/soak/NAME.frames: one frame of 33 hex bytes a line, "#" starts a comment.
QVector<Frame> goldenFrames(const QString &name)
{
    QFile f(QStringLiteral(MOUSECFG_TEST_DATA "/soak/%1.frames").arg(name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    QVector<Frame> frames;
    int lineNo = 0;
    while (!f.atEnd()) {
        ++lineNo;
        const QByteArray line = f.readLine();
        const QList<QByteArray> bytes = line.left(line.indexOf('#')).simplified().split(' ');
        if (bytes.size() == 1 && bytes.first().isEmpty())
            continue;
        Frame frame{};
        bool ok = bytes.size() == kFrameSize;
        for (int i = 0; ok && i < kFrameSize; ++i)
            frame[size_t(i)] = uint8_t(bytes.at(i).toUInt(&ok, 16));
        if (!ok)
            qFatal("%s:%d: not %d hex bytes", qPrintable(f.fileName()), lineNo, kFrameSize);
        frames.append(frame);
    }
    return frames;
}

// What the mouse should hold: five profiles, the active profile, twelve macro slots.
struct MouseImage
{
    std::array<MouseFirmware::ProfileMemory, MouseFirmware::kProfiles> profiles{};
    std::array<MouseFirmware::MacroSlot, kMacroSlots> macros{};
    int active = 0;

    static MouseImage of(const MouseFirmware &fw)
    {
        MouseImage m;
        for (int p = 0; p < MouseFirmware::kProfiles; ++p)
            m.profiles[size_t(p)] = fw.profile(p);
        for (int n = 0; n < kMacroSlots; ++n)
            m.macros[size_t(n)] = fw.macroSlot(n);
        m.active = fw.activeProfile();
        return m;
    }

    // A completed write: every block between begin and end lands in the active profile or a macro slot.
    void apply(const QVector<Frame> &frames)
    {
        for (const Frame &f : frames) {
            const int code = f[1];
            if (code >= kBlockMode && code <= kBlockButtons3) {
                std::copy(f.begin() + 2, f.begin() + 32,
                          profiles[size_t(active)].blocks[size_t(code)].begin());
            } else if (code >= kBlockMacroFirst && code <= kBlockMacroLast) {
                const int slot = (code - kBlockMacroFirst) / kMacroBlocksPerSlot;
                const int block = (code - kBlockMacroFirst) % kMacroBlocksPerSlot;
                std::copy(f.begin() + 2, f.begin() + 2 + (block < 8 ? 30 : 16),
                          macros[size_t(slot)].begin() + 30 * block);
            }
        }
    }

    // Empty when the mouse holds this image, else its first difference.
    QString differenceFrom(const MouseFirmware &fw) const
    {
        if (fw.activeProfile() != active)
            return QStringLiteral("active profile %1, expected %2")
                .arg(fw.activeProfile() + 1)
                .arg(active + 1);
        for (int p = 0; p < MouseFirmware::kProfiles; ++p) {
            for (int code = 0; code < MouseFirmware::kBlockCodes; ++code) {
                const MouseFirmware::Block &is = fw.block(p, code),
                                           &want = profiles[size_t(p)].blocks[size_t(code)];
                for (int i = 0; i < kBlockPayloadSize; ++i) {
                    if (is[size_t(i)] != want[size_t(i)])
                        return QString::asprintf("profile %d block %d byte %d: 0x%02x, expected 0x%02x",
                                                 p + 1, code, i, is[size_t(i)], want[size_t(i)]);
                }
            }
        }
        for (int n = 0; n < kMacroSlots; ++n) {
            for (int i = 0; i < kMacroSlotSize; ++i) {
                if (fw.macroSlot(n)[size_t(i)] != macros[size_t(n)][size_t(i)])
                    return QString::asprintf("macro slot %d byte %d: 0x%02x, expected 0x%02x", n, i,
                                             fw.macroSlot(n)[size_t(i)], macros[size_t(n)][size_t(i)]);
            }
        }
        return QString();
    }
};

void saveMacroLibrary()
{
    // The write sends only macros of the library.
    for (int i = 1; i <= 24; ++i)
        QVERIFY(MacroFile::saveMacro(macroName(i), soakMacro(i)) && MacroFile::addToLibrary(macroName(i)));
}

// SwitchProfile until it reports success (its select frame is not verified), then ReloadSettings.
bool switchTo(int slot)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (SwitchProfile(slot) == kSendOk) {
            ReloadSettings(); // results ignored, as the profile menu does
            return true;
        }
    }
    return false;
}

uint32_t soakSeed()
{
    bool ok = false;
    const uint32_t given = qEnvironmentVariable("MOUSECFG_SOAK_SEED").toUInt(&ok);
    return ok ? given : std::random_device()();
}

} // namespace

class TestDeviceSoak : public QObject
{
    Q_OBJECT

    QVector<SoakSet> m_sets;
    QVector<QVector<Frame>> m_golden;

private slots:
    void initTestCase()
    {
        quietDeviceLog();
        for (int k = 0; k < 5; ++k) {
            m_sets.append(soakSet(k));
            m_golden.append(goldenFrames(m_sets.last().name));
        }
    }

    // Each set on a mouse without faults: exactly its golden frames go out, into its own profile.
    void goldenFramesReachEveryProfile()
    {
        SimRig rig(true);
        saveMacroLibrary();
        MouseImage image = MouseImage::of(rig.sim().firmwareSnapshot());
        for (int k = 0; k < m_sets.size(); ++k) {
            QVERIFY(switchTo(k));
            image.active = k;
            rig.sim().clearWrittenFrames();
            ProfileWriter writer(soakContext());
            QCOMPARE(writer.WriteWholeProfile(m_sets.at(k).set, 15), m_sets.at(k).result);
            const QVector<Frame> sent = rig.sim().writtenFrames();
            QCOMPARE(sent.size(), m_golden.at(k).size());
            for (int i = 0; i < sent.size(); ++i)
                QVERIFY2(sent.at(i) == m_golden.at(k).at(i),
                         qPrintable(QStringLiteral("%1: frame %2 differs").arg(m_sets.at(k).name).arg(i)));
            image.apply(m_golden.at(k));
            const QString diff = image.differenceFrom(rig.sim().firmwareSnapshot());
            QVERIFY2(diff.isEmpty(), qPrintable(m_sets.at(k).name + QStringLiteral(": ") + diff));
        }
    }

    // The receiver pulled at every frame of a write: the mouse keeps what it
    // held, and the write after re-plugging sends the golden frames again.
    void unplugAtEveryFrameOfAWrite()
    {
        SimRig rig(true);
        saveMacroLibrary();
        // Two sets of twelve macros each (as many frames), alternately into the third profile.
        const ProfileSet sets[2] = {inSlot(m_sets.at(2).set, 2), inSlot(m_sets.at(4).set, 2)};
        const QVector<Frame> golden[2] = {m_golden.at(2), m_golden.at(4)};
        QCOMPARE(golden[0].size(), golden[1].size());
        QVERIFY(switchTo(2));
        ProfileWriter writer(soakContext());
        QCOMPARE(writer.WriteWholeProfile(sets[1], 15), int(kSendOk));
        MouseImage image = MouseImage::of(rig.sim().firmwareSnapshot());
        const int frames = golden[0].size();
        for (int k = 0; k < frames; ++k) {
            const int which = k % 2;
            rig.sim().clearWrittenFrames();
            rig.sim().unplugAfterWrites(k);
            QCOMPARE(writer.WriteWholeProfile(sets[which], 15), int(kSendWriteFailed));
            QVERIFY(!rig.sim().receiverPlugged());
            QCOMPARE(rig.sim().writtenFrames(), golden[which].mid(0, k + 1));
            QString diff = image.differenceFrom(rig.sim().firmwareSnapshot());
            QVERIFY2(diff.isEmpty(),
                     qPrintable(QStringLiteral("unplugged at frame %1: %2").arg(k).arg(diff)));

            rig.sim().plugReceiver(true);
            rig.rescan();
            rig.sim().clearWrittenFrames();
            QCOMPARE(writer.WriteWholeProfile(sets[which], 15), int(kSendOk));
            QCOMPARE(rig.sim().writtenFrames(), golden[which]);
            image.apply(golden[which]);
            diff = image.differenceFrom(rig.sim().firmwareSnapshot());
            QVERIFY2(diff.isEmpty(),
                     qPrintable(QStringLiteral("after unplugging at frame %1: %2").arg(k).arg(diff)));
        }
        QCOMPARE(rig.sim().faultCounts().unplug, frames);
    }

    void faultyMouse()
    {
        const uint32_t seed = soakSeed();
        const int writes = qEnvironmentVariableIntValue("MOUSECFG_SOAK_WRITES") > 0
                               ? qEnvironmentVariableIntValue("MOUSECFG_SOAK_WRITES")
                               : kDefaultWrites;
        qInfo("soak: seed %u, %d writes (MOUSECFG_SOAK_SEED=%u repeats this run)", seed, writes, seed);
        std::mt19937 rng(seed);

        SimRig rig(true);
        saveMacroLibrary();
        SimulatedHidBackend::Faults faults;
        faults.lostEcho = 0.03;
        faults.lateEcho = 0.03;
        faults.corruptEcho = 0.03;
        faults.zeroEcho = 0.03;
        faults.stolen = 0.02;
        faults.duplicateEcho = 0.02;
        faults.shortEcho = 0.02;
        faults.writeError = 0.004;
        faults.inboundLoss = 0.02;
        faults.statusReport = 0.02;
        faults.seed = rng();
        rig.sim().setFaults(faults);

        MouseImage image = MouseImage::of(rig.sim().firmwareSnapshot());
        ProfileSet lastSent;
        const WriteContext ctx = soakContext();
        int completed = 0, failed = 0, recovered = 0, unplugs = 0, mismatches = 0;
        auto check = [&](int write, const char *when) {
            const QString diff = image.differenceFrom(rig.sim().firmwareSnapshot());
            if (diff.isEmpty())
                return;
            if (++mismatches <= 10)
                qWarning("soak write %d (%s): %s", write, when, qPrintable(diff));
            image = MouseImage::of(rig.sim().firmwareSnapshot()); // compare the next writes on their own
        };

        for (int i = 0; i < writes; ++i) {
            const int which = int(rng() % uint32_t(m_sets.size()));
            const int slot = rng() % 3 == 0 ? int(rng() % 5) : int(m_sets.at(which).set.ProfileID);
            const ProfileSet current = inSlot(m_sets.at(which).set, slot);
            const QVector<Frame> &golden = m_golden.at(which);
            if (slot != image.active || rng() % 7 == 0) {
                QVERIFY2(switchTo(slot), "the profile switch never got through");
                image.active = slot;
            }
            const bool unplug = rng() % 6 == 0;
            if (unplug)
                rig.sim().unplugAfterWrites(int(rng() % uint32_t(golden.size())));
            const WholeWriteOutcome out = runWholeWrite(current, lastSent, false, ctx);
            rig.sim().unplugAfterWrites(-1);
            QVERIFY(lastSent == current);
            if (wholeWriteReachedEnd(out.result)) {
                ++completed;
                QCOMPARE(out.result, m_sets.at(which).result);
                QCOMPARE(AppConfig::readDiff(), 0);
                image.apply(golden);
                check(i, "completed");
                continue;
            }
            ++failed;
            QCOMPARE(AppConfig::readDiff(), 1);
            if (!rig.sim().receiverPlugged()) {
                ++unplugs;
                rig.sim().plugReceiver(true);
            }
            rig.rescan();
            SimulatedHidBackend::Faults healthy = faults;
            healthy.writeError = 0;
            healthy.seed = rng();
            rig.sim().setFaults(healthy);
            const WholeWriteOutcome again = runWholeWrite(current, lastSent, false, ctx);
            QVERIFY2(wholeWriteReachedEnd(again.result),
                     qPrintable(QStringLiteral("write %1 after failure %2: %3")
                                    .arg(i)
                                    .arg(out.result)
                                    .arg(again.result)));
            ++recovered;
            QCOMPARE(again.changeMask, 15);
            QCOMPARE(AppConfig::readDiff(), 0);
            image.apply(golden);
            check(i, "recovered");
            faults.seed = rng();
            rig.sim().setFaults(faults);
        }

        const SimulatedHidBackend::FaultCounts f = rig.sim().faultCounts();
        qInfo("soak: seed %u: %d writes, %d completed, %d failed, %d recovered (%d by unplugging), %d "
              "mismatches",
              seed, writes, completed, failed, recovered, unplugs, mismatches);
        qInfo("soak: %d faults: lost %d, late %d, corrupt %d, zero %d, stolen %d, duplicate %d, short %d, "
              "write error %d, inbound loss %d, DPI button %d, unplug %d",
              f.total(), f.lost, f.late, f.corrupt, f.zero, f.stolen, f.duplicate, f.shortReport,
              f.writeError, f.inboundLoss, f.statusReport, f.unplug);
        QCOMPARE(mismatches, 0);
        QCOMPARE(completed + failed, writes);
        QCOMPARE(recovered, failed);
        QCOMPARE(f.unplug, unplugs);
        if (writes < 100) {
            qInfo("soak: fewer than 100 writes; not asserting that every kind of fault happened");
            return;
        }
        // Every kind of fault happened, and failures were survived.
        QVERIFY(failed > 0);
        QVERIFY(unplugs > 0);
        for (int n : {f.lost, f.late, f.corrupt, f.zero, f.stolen, f.duplicate, f.shortReport, f.writeError,
                      f.inboundLoss, f.statusReport})
            QVERIFY(n > 0);
    }

    // Writes on a worker thread beside the poller and the user interface's control commands.
    void writesOnAWorkerBesideThePoller()
    {
        SimRig rig(false);
        saveMacroLibrary();
        rig.sim().setEchoLatencyUs(1000);
        SimulatedHidBackend::Faults faults;
        faults.lostEcho = 0.02;
        faults.corruptEcho = 0.02;
        faults.zeroEcho = 0.02;
        faults.duplicateEcho = 0.02;
        faults.seed = 99;
        rig.sim().setFaults(faults);
        QVERIFY(switchTo(0));
        MouseImage image = MouseImage::of(rig.sim().firmwareSnapshot());

        auto *poller = new MirtGetBatteryThread;
        std::atomic<int> batteryReports{0};
        connect(
            poller, &MirtGetBatteryThread::RefreshBatteryStatus, poller,
            [&batteryReports](quint8, quint8, quint8) { ++batteryReports; }, Qt::DirectConnection);
        poller->start();

        const int order[3] = {3, 0, 1};
        std::atomic<int> failures{0};
        QThread *worker = QThread::create([&] {
            for (int k : order) {
                ProfileWriter writer(soakContext());
                if (!wholeWriteReachedEnd(writer.WriteWholeProfile(inSlot(m_sets.at(k).set, 0), 15)))
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
        for (int k : order)
            image.apply(m_golden.at(k));
        const QString diff = image.differenceFrom(rig.sim().firmwareSnapshot());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

int main(int argc, char **argv)
{
    // A long soak outlasts Qt Test's five minutes a function: allow a second a write.
    const int writes = qEnvironmentVariableIntValue("MOUSECFG_SOAK_WRITES");
    if (writes > 300 && !qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(qint64(writes) * 1000));
    QCoreApplication app(argc, argv);
    TestDeviceSoak test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_devicesoak.moc"
