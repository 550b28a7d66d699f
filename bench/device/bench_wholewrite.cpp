// Wall time of a whole write against the simulated mouse with 1 ms echo
// latency, without macros and with twelve macros, against the floor that the
// protocol's own pauses set: 10 ms after every frame plus the echo latency of
// every verified frame. Usage: bench_wholewrite [repetitions]

#include "DeviceLink.h"
#include "Paths.h"
#include "ProfileWriter.h"
#include "SimulatedHidBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLatencyUs = 1000;

ProfileSet benchSet(int macros)
{
    ProfileSet set;
    ProfileData &p = set.profiles[0];
    p.pollrate = 1;
    p.LedMode = 2;
    p.LedSleepTime = 5;
    for (int i = 0; i < kDpiStageCount; ++i)
        p.DPI_INFO[size_t(i)].x = p.DPI_INFO[size_t(i)].y = 20 * (i + 1);
    for (int m = 0; m < kLedModeCount; ++m)
        p.LED_MODE[size_t(m)].RGB = QColor(255, 10 * m, 0);
    for (int b = 0; b < 16; ++b)
        p.BUTTON_INFO[size_t(b)].Fun = 1 + b % 5;
    for (int m = 0; m < macros; ++m) {
        ButtonAssignment &b = p.BUTTON_INFO[size_t(m)];
        b.Fun = 200;
        b.macroname = QStringLiteral("macro%1").arg(m);
        b.LoopNumber = 1;
    }
    return set;
}

WriteContext benchContext()
{
    WriteContext c;
    c.layout.buttonCount = 16;
    for (int i = 0; i < 16; ++i)
        c.layout.matrix[size_t(i)] = uint8_t(i);
    c.layout.sensorModel = 3395;
    c.loadMacro = [](const QString &name) {
        QVector<MacroEvent> events;
        const int n = 20 + name.right(1).toInt() * 5;
        for (int i = 0; i < n; ++i)
            events.append(MacroEvent{uint8_t(i % 2 ? 4 : 132), 0, uint8_t(4 + i / 2)});
        return events;
    };
    return c;
}

void run(const char *label, int macros, int repetitions)
{
    const ProfileSet set = benchSet(macros);
    const WriteContext ctx = benchContext();
    const QVector<Frame> frames = wholeWriteFrames(set, ctx);
    int verified = 0;
    for (const Frame &f : frames)
        verified += !(f[4] > kVerifyLimit && f[4] != kOpControl && f[4] != kOpVerifiedExtra);
    const double floorMs = frames.size() * double(kPostWriteMs) + verified * kLatencyUs / 1000.0;

    std::vector<double> times;
    for (int r = 0; r < repetitions; ++r) {
        ProfileWriter writer(ctx);
        QElapsedTimer t;
        t.start();
        const int res = writer.WriteWholeProfile(set, 15);
        times.push_back(t.nsecsElapsed() / 1e6);
        if (res != kSendOk) {
            std::printf("%s: write failed with %d\n", label, res);
            return;
        }
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%-22s frames %3d (verified %3d)  median %8.1f ms  best %8.1f ms  floor %8.1f ms  "
                "ratio %.3f  (sleeps alone %.1f ms, ratio %.3f)\n",
                label, int(frames.size()), verified, median, times.front(), floorMs, median / floorMs,
                frames.size() * double(kPostWriteMs), median / (frames.size() * double(kPostWriteMs)));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    Paths::setConfigDir(dir.path());
    SimulatedHidBackend sim;
    sim.setEchoLatencyUs(kLatencyUs);
    sim.plugReceiver(true);
    setHidBackend(&sim);
    LoadDeviceList();
    ScanDevices();
    OpenDevices();
    run("whole write, no macro", 0, repetitions);
    run("whole write, 12 macros", 12, repetitions);
    CloseDevices();
    setHidBackend(nullptr);
    return 0;
}
