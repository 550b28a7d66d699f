// mousecfg-osd: shows the notices of mousecfg and mousecfg-cli over the other
// windows. It listens on the local socket named after its window title and
// reads 1044-byte notice blocks; a second copy ends itself. Started by the
// main window, it is given the window's process id (--owner PID) and ends
// once that process has gone and its last notice is over; started by hand,
// it runs until it is ended.
//
// Where its window cannot stay on top (a Wayland session without XWayland) or
// with MOUSECFG_OSD=notify, notices go to the desktop's notification service.

#include "OsdNotifier.h"
#include "OsdServer.h"
#include "OsdWindow.h"
#include "OwnerWatch.h"

#include <QApplication>
#include <QDebug>
#include <QTimer>

#include <cstdio>
#include <limits>
#include <memory>

namespace {

void printLine(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    fflush(stream);
}

} // namespace

int main(int argc, char **argv)
{
    qint64 ownerPid = 0;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h") {
            printLine(stdout,
                      QStringLiteral("Usage: mousecfg-osd [--owner PID]\n"
                                     "Shows mousecfg's on-screen notices. MOUSECFG_OSD=notify sends them "
                                     "to the desktop's notification service instead.\n"
                                     "  --owner PID  end once process PID has ended and the notice on "
                                     "screen is over"));
            return 0;
        }
        if (arg == "--owner" && i + 1 < argc) {
            bool ok = false;
            ownerPid = QByteArray(argv[++i]).toLongLong(&ok);
            if (!ok || ownerPid <= 0 || ownerPid > std::numeric_limits<int>::max()) {
                printLine(stderr, QStringLiteral("mousecfg-osd: --owner needs a process id, not %1")
                                      .arg(QString::fromLocal8Bit(argv[i])));
                return 2;
            }
            continue;
        }
        printLine(stderr, QStringLiteral("mousecfg-osd: unknown option %1").arg(QString::fromLocal8Bit(arg)));
        return 2;
    }

    const bool notifyAsked = qgetenv("MOUSECFG_OSD") == "notify";
    // In a Wayland session XWayland lets the window stay on top: prefer it.
    if (!notifyAsked && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // Notifications need no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (notifyAsked)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mousecfg-osd"));

    OsdServer server;
    if (!server.listen()) {
        printLine(stderr, QStringLiteral("mousecfg-osd: %1").arg(server.errorString()));
        return 1;
    }

    std::unique_ptr<OsdWindow> window;
    std::unique_ptr<OsdNotifier> notifier;
    const bool onWayland =
        !notifyAsked && QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (notifyAsked || onWayland) {
        notifier = std::make_unique<OsdNotifier>();
        if (!notifier->isAvailable()) {
            if (notifyAsked) {
                printLine(stderr, QStringLiteral("mousecfg-osd: no notification service on the session bus"));
                return 1;
            }
            notifier.reset(); // a window beneath the others is better than nothing
        } else {
            QObject::connect(notifier.get(), &OsdNotifier::failed, [](const QString &error) {
                printLine(stderr,
                          QStringLiteral("mousecfg-osd: the notification was refused: %1").arg(error));
            });
        }
    }
    if (!notifier)
        window = std::make_unique<OsdWindow>();

    QObject::connect(&server, &OsdServer::noticeReceived, [&](const Osd::Notice &notice) {
        if (notifier)
            notifier->notify(notice);
        else
            window->showNotice(notice);
    });

    // Once the owner has gone, what is on screen (or on its way to the
    // notification service) is seen to its end; a notice still in the socket
    // is read first.
    OwnerWatch owner;
    QTimer lastNotice;
    lastNotice.setInterval(100);
    QObject::connect(&lastNotice, &QTimer::timeout, [&] {
        if (!(window && window->isVisible()) && !(notifier && notifier->isBusy()))
            app->quit();
    });
    QObject::connect(&owner, &OwnerWatch::ownerGone, &lastNotice, qOverload<>(&QTimer::start));
    if (ownerPid != 0)
        owner.watch(ownerPid);
    return app->exec();
}
