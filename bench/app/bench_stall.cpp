// bench_stall: the longest stall of the user interface's thread. A 1 ms timer
// on that thread measures its worst lateness while the window, against the
// simulated mouse, goes through
//   (a) its start-up after the first frame (what runs right after it, the
//       desktop's pointer speed opened and read among it, as the program does),
//   (b) Apply (every profile written to the mouse),
//   (c) a profile switch (a click on a profile button),
//   (d) a burst of 50 hot-plug events (the simulated cable in and out),
//   (e) a pointer-speed change (the DPI tab's slider) with a gsettings that
//       takes 2 s for every call.
// Prints each figure in milliseconds ("stall_X_ms=N") and exits 1 when one
// exceeds 50 ms. Run by run-stall-bench.sh, on an X server of its own.
//
//   bench_stall [--sync-pointer-speed] [--limit MS] [--trace]
// --sync-pointer-speed sets the speed on the window's thread, as it once was
// (to see what the worker saves). --trace prints each event that took over
// 10 ms to handle, with its receiver, on stderr (a phase starts with "phase").

#include "CommandRunner.h"
#include "FakeProgramLauncher.h"
#include "GnomePointerSpeed.h"
#include "MirtKit.h"
#include "MousecfgWidget.h"
#include "OsdClient.h"
#include "Paths.h"
#include "PointerSpeed.h"
#include "ProfileCommands.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kBurstEvents = 50;

// The worst lateness of a 1 ms timer since the last reset().
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_worstNs = std::max(m_worstNs, now - m_lastNs - 1000000);
            m_lastNs = now;
        });
        m_clock.start();
        m_timer.start();
    }
    void reset()
    {
        m_lastNs = m_clock.nsecsElapsed();
        m_worstNs = 0;
    }
    double worstMs() const { return std::max<qint64>(0, m_worstNs) / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_worstNs = 0;
};

void spinUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The application, timing each event it dispatches at the outermost level:
// with --trace, the slow ones (over 10 ms) are printed with their receiver,
// which tells where a stall comes from.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool trace = false;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!trace)
            return QApplication::notify(receiver, event);
        // Time spent in events dispatched from within this one (a nested
        // loop) is not its own.
        m_nested.push_back(0);
        QElapsedTimer t;
        t.start();
        const int type = event->type();
        const QByteArray what =
            QByteArray(receiver->metaObject()->className()) + " \"" + receiver->objectName().toLatin1() + '"';
        const bool result = QApplication::notify(receiver, event);
        const qint64 total = t.nsecsElapsed();
        const qint64 own = total - m_nested.back();
        m_nested.pop_back();
        if (!m_nested.empty())
            m_nested.back() += total;
        if (own > 10000000)
            fprintf(stderr, "slow event: %.1f ms of its own (%.1f in all), type %d, depth %d, to %s\n",
                    own / 1e6, total / 1e6, type, int(m_nested.size()), what.constData());
        return result;
    }

private:
    std::vector<qint64> m_nested;
};

// How long the last measured action itself ran (the call, not what it queued).
double g_actionMs = 0;

// Runs ACTION from the event loop, then lets the loop run for MS: the worst
// stall from the action on.
double measure(StallMeter &meter, int ms, const std::function<void()> &action)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        if (static_cast<TimedApplication *>(qApp)->trace)
            fprintf(stderr, "phase\n");
        meter.reset();
        QElapsedTimer call;
        call.start();
        action();
        g_actionMs = call.nsecsElapsed() / 1e6;
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return meter.worstMs();
}

QString writeSlowGsettings(const QString &dir)
{
    const QString path = dir + QStringLiteral("/gsettings");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write("#!/bin/sh\n"
            "sleep 2\n"
            "case \"$1\" in get) echo 0.0 ;; esac\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The desktop's pointer speed as GNOME gives it, through the slow gsettings.
std::unique_ptr<PointerSpeed> slowPointerSpeed(const QString &gsettings, bool sync)
{
    if (!sync) {
        PointerSpeedEnvironment env;
        env.currentDesktop = QStringLiteral("GNOME");
        env.gsettingsPath = gsettings;
        return createPointerSpeed(env);
    }
    struct SyncGnome : GnomePointerSpeed
    {
        explicit SyncGnome(const QString &program) : GnomePointerSpeed(&runner, program) {}
        ProcessCommandRunner runner;
    };
    return std::make_unique<SyncGnome>(gsettings);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    TimedApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    app.trace = args.contains(QStringLiteral("--trace"));
    const bool sync = args.contains(QStringLiteral("--sync-pointer-speed"));
    double limitMs = 50;
    if (const int i = args.indexOf(QStringLiteral("--limit")); i > 0 && i + 1 < args.size())
        limitMs = args.at(i + 1).toDouble();

    QTemporaryDir dir;
    const QString conf = dir.path() + QStringLiteral("/Configs");
    Paths::setConfigDir(conf);
    Paths::seedConfigDir(conf);
    MirtKit::reloadConfig();
    const QString gsettings = writeSlowGsettings(dir.path());

    SimulatedMouseSession sim(false, conf + QStringLiteral("/simulated-mouse.ini"));
    SimulatedMouseFeed feed(&sim.backend());
    FakeProgramLauncher launcher;
    OsdClient osd(&launcher, QString());
    osd.setRetry(0, 0);
    MousecfgServices services;
    services.hotplug = &feed;
    services.osd = &osd;
    services.launcher = &launcher;
    services.simulated = true;

    StallMeter meter;
    std::unique_ptr<PointerSpeed> pointerSpeed;
    QList<QPair<QString, double>> figures;
    {
        auto window = std::make_unique<MousecfgWidget>(services);
        MousecfgWidget &w = *window;
        // As the program: the desktop's pointer speed right after the first frame.
        w.runAfterFirstFrame([&] {
            pointerSpeed = slowPointerSpeed(gsettings, sync);
            w.setPointerSpeed(pointerSpeed.get());
        });
        // The first frame is painted; what was queued behind it runs next.
        bool painted = false, measuring = false;
        struct PaintWatch : QObject
        {
            std::function<void()> onPaint;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::Paint && onPaint) {
                    onPaint();
                    onPaint = nullptr;
                }
                return false;
            }
        } watch;
        watch.onPaint = [&] {
            painted = true;
            QTimer::singleShot(0, &w, [&] {
                meter.reset();
                measuring = true;
            });
        };
        w.installEventFilter(&watch);
        w.show();
        spinUntil([&] { return measuring; }, 20000);
        if (!painted) {
            fprintf(stderr, "bench_stall: the window painted nothing\n");
            return 2;
        }
        spinUntil([] { return false; }, 2500);
        figures.append({QStringLiteral("a_startup_after_first_frame"), meter.worstMs()});

        figures.append(
            {QStringLiteral("b_apply"), measure(meter, 3000, [&] { w.profileCommands()->apply(); })});

        auto *profile3 = w.findChild<QAbstractButton *>(QStringLiteral("profileButton3"));
        if (!profile3) {
            fprintf(stderr, "bench_stall: no profileButton3\n");
            return 2;
        }
        figures.append(
            {QStringLiteral("c_profile_switch"), measure(meter, 3000, [&] { profile3->click(); })});

        figures.append({QStringLiteral("d_hotplug_burst"), measure(meter, 3000, [&] {
                            for (int i = 0; i < kBurstEvents; ++i)
                                sim.backend().plugCable(i % 2 == 0);
                        })});
        printf("hotplug_burst_calls_ms=%.1f\n", g_actionMs);

        w.SelectTab(MousecfgWidget::kTabDpi);
        spinUntil([] { return false; }, 1000);
        auto *slider = w.findChild<QSlider *>(QStringLiteral("pointerSpeed"));
        if (!slider) {
            fprintf(stderr, "bench_stall: no pointerSpeed slider on the DPI tab\n");
            return 2;
        }
        figures.append({QStringLiteral("e_pointer_speed_change"),
                        measure(meter, 3500, [&] { slider->setValue(slider->value() == 5 ? 6 : 5); })});
        window.reset();
    }
    pointerSpeed.reset();

    bool over = false;
    for (const auto &f : figures) {
        const bool bad = f.second > limitMs;
        over = over || bad;
        printf("stall_%s_ms=%.1f%s\n", qPrintable(f.first), f.second, bad ? "  (over the limit)" : "");
    }
    printf("limit_ms=%.0f%s\n", limitMs, sync ? " (pointer speed set on the window's thread)" : "");
    return over ? 1 : 0;
}
