// bench_startup: how long a program takes from its start until its first
// large window (at least 300 pixels wide) is mapped on the X server.
//
//   bench_startup [--runs N] -- PROGRAM [ARGUMENTS...]
//
// Each run starts the program, waits for the MapNotify of its window on the
// root window, then ends it (SIGTERM) and waits for it. Prints every run and
// the median in milliseconds; the last line is "median_ms=<value>".

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <poll.h>
#include <vector>

namespace {

// Milliseconds until a top-level window at least 300 pixels wide is mapped;
// -1 after timeoutMs.
double waitForMap(Display *dpy, const QElapsedTimer &clock, int timeoutMs)
{
    const int fd = ConnectionNumber(dpy);
    while (clock.elapsed() < timeoutMs) {
        while (XPending(dpy) > 0) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type != MapNotify)
                continue;
            const double at = clock.nsecsElapsed() / 1e6;
            XWindowAttributes attr;
            if (XGetWindowAttributes(dpy, ev.xmap.window, &attr) && attr.width >= 300)
                return at;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 7;
    const int sep = args.indexOf(QStringLiteral("--"));
    if (sep < 0 || sep + 1 >= args.size()) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] -- PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const QStringList own = args.mid(0, sep);
    if (own.size() == 2 && own.at(0) == QLatin1String("--runs"))
        runs = std::max(1, own.at(1).toInt());
    const QString program = args.at(sep + 1);
    const QStringList programArgs = args.mid(sep + 2);

    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "bench_startup: no X display\n");
        return 1;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        XSync(dpy, True); // forget what earlier runs left behind
        QProcess proc;
        proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        proc.start(program, programArgs);
        if (!proc.waitForStarted(5000)) {
            std::fprintf(stderr, "bench_startup: %s did not start\n", qPrintable(program));
            return 1;
        }
        const double ms = waitForMap(dpy, clock, 30000);
        proc.terminate();
        if (!proc.waitForFinished(10000)) {
            proc.kill();
            proc.waitForFinished(5000);
        }
        if (ms < 0) {
            std::fprintf(stderr, "bench_startup: no window within 30 s\n");
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                           : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("median_ms=%.1f\n", median);
    XCloseDisplay(dpy);
    return 0;
}
