#include "DeviceTestSupport.h"

#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

void quietDeviceLog()
{
    if (qEnvironmentVariableIsEmpty("MOUSECFG_TEST_LOG"))
        QLoggingCategory::setFilterRules(QStringLiteral("mousecfg.*.debug=false"));
}

namespace {
// The configuration folder in memory where the system has a tmpfs: every
// write saves the profile set, and fsync on a shared disk would dominate.
QString scratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/mousecfg-device-test-XXXXXX");
}
} // namespace

SimRig::SimRig(bool virtualTime, bool receiver, bool cable)
    : m_dir(scratchTemplate()), m_sim(new SimulatedHidBackend), m_virtual(virtualTime)
{
    Paths::setConfigDir(m_dir.path());
    setHidBackend(m_sim.get());
    if (virtualTime)
        setProtocolClock(&m_clock);
    m_sim->plugReceiver(receiver);
    m_sim->plugCable(cable);
    rescan();
}

SimRig::~SimRig()
{
    CloseDevices();
    setHidBackend(nullptr);
    setProtocolClock(nullptr);
    Paths::setConfigDir(QString());
}

void SimRig::rescan()
{
    CloseDevices();
    LoadDeviceList();
    ScanDevices();
    OpenDevices();
}

ProfileSet sampleSet(int seed)
{
    ProfileSet set;
    set.ProfileID = 0;
    set.AngleValue = uint8_t(1 + seed);
    set.LiftHigh = uint8_t(2 + seed);
    set.Sync = 1;
    set.Debounce = uint8_t(8 + seed);
    for (int p = 0; p < kProfileCount; ++p) {
        ProfileData &d = set.profiles[size_t(p)];
        d.pollrate = uint8_t(1 << (p % 4));
        d.dpi = uint8_t((p + seed) % 6);
        d.LedMode = uint8_t(2 + (p + seed) % 7);
        d.LedMoveOFF = 255;
        d.LedSleepTime = uint8_t(3 + p);
        for (int i = 0; i < kDpiStageCount; ++i) {
            DpiStage &s = d.DPI_INFO[size_t(i)];
            s.used = 1;
            s.link = 1;
            s.x = s.y = s.xy = 10 + 20 * i + p + seed;
        }
        for (int b = 0; b < kButtonCount; ++b)
            d.BUTTON_INFO[size_t(b)].Fun = 1 + (b + p + seed) % 5;
        d.BUTTON_INFO[40].Fun = 52;
        d.BUTTON_INFO[41].Fun = 53;
        for (int m = 0; m < kLedModeCount; ++m) {
            LedModeSetting &l = d.LED_MODE[size_t(m)];
            l.RGB = QColor(10 * m + p, 20 + seed, 200 - m);
            l.bright = 1 + m % 4;
            l.breath = 1 + (m + p) % 5;
        }
        set.names[size_t(p)] = QStringLiteral("Profile %1").arg(p + 1);
    }
    return set;
}

#if defined(__SANITIZE_THREAD__)
// Qt 5 itself is not built with the thread sanitizer: its futex-based QMutex
// hides from the sanitizer that QThread's finish happens before wait() and
// the destructor (ours, and that of QtTest's watchdog thread). Only reports
// inside Qt's wait conditions and QtTest's own calls are suppressed; races in
// our code are still reported.
extern "C" const char *__tsan_default_suppressions()
{
    return "race:QWaitCondition::wakeAll\n"
           "race:QWaitCondition::~QWaitCondition\n"
           "called_from_lib:libQt5Test.so.5\n";
}
#endif
