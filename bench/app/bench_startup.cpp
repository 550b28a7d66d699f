// bench_startup: how long a program takes from its start until its first
// large window (at least 300 pixels wide) is mapped on the X server, and
// until that window shows its first painted frame.
//
//   bench_startup [--runs N] -- PROGRAM [ARGUMENTS...]
//
// Each run starts the program, waits for the MapNotify of its window on the
// root window, then for the window's centre to show something other than the
// root window's colour (the benchmark paints the root a colour no program
// here uses, and a window shows what lies beneath until it paints itself),
// then ends the program (SIGTERM) and waits for it. Prints every run and the
// medians in milliseconds; the last lines are "median_ms=<map>" and
// "paint_ms=<first frame>".

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

// Root colour beneath new windows: magenta, 0xff00ff in a 24-bit visual.
constexpr unsigned long kRootPixel = 0xff00ff;

// Milliseconds until a top-level window at least 300 pixels wide is mapped;
// -1 after timeoutMs. *WINDOW receives it.
double waitForMap(Display *dpy, const QElapsedTimer &clock, int timeoutMs, Window *window)
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
            if (XGetWindowAttributes(dpy, ev.xmap.window, &attr) && attr.width >= 300) {
                *window = ev.xmap.window;
                return at;
            }
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
    return -1;
}

// Milliseconds until the centre of WINDOW shows anything but the root's
// colour, looked at every half millisecond; -1 after timeoutMs.
double waitForPaint(Display *dpy, Window window, const QElapsedTimer &clock, int timeoutMs)
{
    XWindowAttributes attr;
    if (!XGetWindowAttributes(dpy, window, &attr))
        return -1;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), attr.width / 2, attr.height / 2, &x, &y,
                          &child);
    while (clock.elapsed() < timeoutMs) {
        XImage *img = XGetImage(dpy, DefaultRootWindow(dpy), x, y, 1, 1, AllPlanes, ZPixmap);
        if (img) {
            const unsigned long pixel = XGetPixel(img, 0, 0) & 0xffffff;
            XDestroyImage(img);
            if (pixel != kRootPixel)
                return clock.nsecsElapsed() / 1e6;
        }
        usleep(500);
    }
    return -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
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
    XSetWindowBackground(dpy, DefaultRootWindow(dpy), kRootPixel);
    XClearWindow(dpy, DefaultRootWindow(dpy));
    XSync(dpy, True);

    std::vector<double> maps, paints;
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
        Window window = 0;
        const double ms = waitForMap(dpy, clock, 30000, &window);
        const double paint = ms < 0 ? -1 : waitForPaint(dpy, window, clock, 30000);
        proc.terminate();
        if (!proc.waitForFinished(10000)) {
            proc.kill();
            proc.waitForFinished(5000);
        }
        if (ms < 0 || paint < 0) {
            std::fprintf(stderr, "bench_startup: no %s within 30 s\n", ms < 0 ? "window" : "painted frame");
            return 1;
        }
        std::printf("run %d: mapped %.1f ms, first frame %.1f ms\n", i + 1, ms, paint);
        maps.push_back(ms);
        paints.push_back(paint);
    }
    std::printf("median_ms=%.1f\n", median(maps));
    std::printf("paint_ms=%.1f\n", median(paints));
    XCloseDisplay(dpy);
    return 0;
}
