// mousecfg-osd: shows the notices of mousecfg and mousecfg-cli over the other
// windows. It listens on the local socket named after its window title and
// reads 1044-byte notice blocks; a second copy ends itself.
//
// Where its window cannot stay on top (a Wayland session without XWayland) or
// with MOUSECFG_OSD=notify, notices go to the desktop's notification service.

#include "OsdNotifier.h"
#include "OsdServer.h"
#include "OsdWindow.h"

#include <QApplication>
#include <QDebug>

#include <cstdio>
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
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h") {
            printLine(stdout,
                      QStringLiteral("Usage: mousecfg-osd\n"
                                     "Shows mousecfg's on-screen notices. MOUSECFG_OSD=notify sends them "
                                     "to the desktop's notification service instead."));
            return 0;
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
    return app->exec();
}
