// mousecfg: the configuration utility's main program.

#include "AppOptions.h"
#include "DesktopNotifier.h"
#include "DeviceDescription.h"
#include "HotplugFeed.h"
#include "Log.h"
#include "MirtKit.h"
#include "MouseLock.h"
#include "MousecfgWidget.h"
#include "OsdBlock.h"
#include "OsdClient.h"
#include "Paths.h"
#include "PointerSpeed.h"
#include "ProfileStore.h"
#include "ProgramLauncher.h"
#include "ShippedModel.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SimulationMenu.h"
#include "SingleInstance.h"
#include "StartupThread.h"
#include "TrayLife.h"
#include "UdevHotplugSource.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <future>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFd[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char c = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    ssize_t ignored = ::write(g_signalFd[0], &c, 1);
    (void)ignored;
}

// SIGTERM, SIGINT and SIGHUP end the program as "&Quit" does: the poller
// stops, the device is closed, the simulated mouse's memory is saved.
void quitOnTerminationSignals(QObject *parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalFd) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalFd[1], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [] {
        char c;
        ssize_t ignored = ::read(g_signalFd[1], &c, 1);
        (void)ignored;
        QCoreApplication::quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}

void printLine(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    fflush(stream);
}

} // namespace

int main(int argc, char **argv)
{
    // The command line first: --help and usage errors need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const AppOptions options = AppOptions::parse(arguments);
    if (options.help) {
        printLine(stdout, AppOptions::helpText());
        return 0;
    }
    if (!options.error.isEmpty()) {
        printLine(stderr, options.error);
        return 2;
    }
    const QString displayProblem = AppOptions::displayProblem(options.platform);
    if (!displayProblem.isEmpty()) {
        printLine(stderr, displayProblem);
        return 1;
    }
    if (options.verbose)
        Log::enableVerbose();
    // One start-up thread connects the session bus, then has fontconfig read
    // its configuration, beside the set-up below. A second thread for the bus
    // only made the three hold each other up on a machine of two CPUs: with
    // threads of the process on both at once, every change to its memory map
    // interrupts the other CPU (three times as many). This thread is the
    // toolkit's main thread, not the start-up thread: the first to ask is.
    QThread::currentThread();
    StartupThread startup;
    startup.post(warmUpSessionBus);
    const std::future<void> fontsReady = startup.post(warmUpFontConfig);

    // All geometry is scaled by the window's own factor: the toolkit's scaling stays off.
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    // The start-up thread's jobs use the application (its fonts): it ends before the application does.
    const auto joinStartup = qScopeGuard([&startup] { startup.join(); });
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QCoreApplication::setApplicationName(QStringLiteral("mousecfg"));
    // The skin's pictures are drawn large; keep each decoded once (the default cache holds 10 MB).
    QPixmapCache::setCacheLimit(128 * 1024);
    // The window hides to the tray; closing a message box must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    if (!options.dataDir.isEmpty()) {
        if (!QDir(options.dataDir).exists()) {
            printLine(stderr,
                      QStringLiteral("mousecfg: the data folder %1 does not exist").arg(options.dataDir));
            return 2;
        }
        Paths::setDataDir(options.dataDir);
    }
    if (!options.configDir.isEmpty()) {
        if (!QDir().mkpath(options.configDir) || !QFileInfo(options.configDir).isWritable()) {
            printLine(stderr, QStringLiteral("mousecfg: the configuration folder %1 cannot be written")
                                  .arg(options.configDir));
            return 2;
        }
        Paths::setConfigDir(options.configDir);
        Paths::seedConfigDir(Paths::configDir());
    }

    // One running copy per product.
    const QString product = DeviceDescription::productName();
    SingleInstance instance(product);
    if (!instance.tryAcquire()) {
        if (!instance.otherInstanceRunning())
            printLine(stderr, QStringLiteral("mousecfg: %1").arg(instance.errorString()));
        else if (options.minimized)
            printLine(stderr, QStringLiteral("mousecfg: already running.")); // at login: leave it be
        else if (instance.activateRunningCopy())
            printLine(stderr,
                      QStringLiteral("mousecfg: already running; its window was brought to the front."));
        else
            printLine(stderr, QStringLiteral("mousecfg: %1").arg(instance.errorString()));
        return 1;
    }

    // The configuration folder is resolved and seeded here, on this thread,
    // before any job that reads files goes to the start-up thread (and only
    // once this is the one running copy).
    Paths::configDir();
    // The start-up thread then reads the profile set the window starts with,
    // and has the toolkit look up the window's fonts.
    const std::shared_future<ProfileStore::ProfileSetRead> firstReadDone =
        startup.post(&ProfileStore::readStartingSet).share();
    startup.post(&MirtKit::warmUpFonts);

    // The mouse: the real one through udev and hidraw, or the simulated one.
    std::unique_ptr<SimulatedMouseSession> simulation;
    std::unique_ptr<HotplugFeed> feed;
    std::unique_ptr<UdevHotplugSource> udev;
    std::unique_ptr<SimulationMenu> simulationMenu;
    bool saveSimulation = true;
    if (options.simulate) {
        simulation = std::make_unique<SimulatedMouseSession>(options.simulateCable);
        QString error;
        if (!simulation->load(&error)) {
            // Keep the file as it is: the run starts from the factory state and is not saved.
            printLine(stderr, QStringLiteral("mousecfg: the simulated mouse's memory %1 was not loaded (%2); "
                                             "this run will not overwrite it.")
                                  .arg(simulation->memoryFile(), error));
            saveSimulation = false;
        }
        feed = std::make_unique<SimulatedMouseFeed>(&simulation->backend());
    } else {
        udev = std::make_unique<UdevHotplugSource>();
        udev->setSupportedIds(
            {UsbId{kShippedVendorId, kShippedReceiverPid}, UsbId{kShippedVendorId, kShippedCablePid}});
        feed = std::make_unique<HotplugSourceFeed>(udev.get());
    }

    // The pointer-speed backend is opened right after the first frame (below).
    std::unique_ptr<PointerSpeed> pointerSpeed;
    DetachedProgramLauncher launcher;
    OsdClient osd(&launcher, QCoreApplication::applicationDirPath() + QStringLiteral("/mousecfg-osd"));

    MousecfgServices services;
    services.hotplug = feed.get();
    services.osd = &osd;
    services.launcher = &launcher;
    if (simulation) {
        // Made with the tray, after the first frame.
        services.extraTrayMenu = [&simulationMenu, &simulation] {
            if (!simulationMenu)
                simulationMenu = std::make_unique<SimulationMenu>(&simulation->backend());
            return static_cast<QMenu *>(simulationMenu.get());
        };
    }
    FreedesktopNotifier notifier;
    services.notifier = &notifier;
    services.startMinimized = options.minimized;
    services.simulated = options.simulate;
    services.mouseLockPath =
        options.simulate ? MouseLock::simulatedMousePath(Paths::configDir()) : MouseLock::realMousePath();
    services.firstProfileRead = [firstReadDone] { return firstReadDone.get(); };

    int result = 0;
    {
        fontsReady.wait();
        MousecfgWidget window(services);
        quitOnTerminationSignals(&window);
        // A second launch shows and raises this window.
        instance.listenForActivation([&window] { window.showAndRaise(); });
        window.runAfterFirstFrame([&window, &pointerSpeed] {
            pointerSpeed = createPointerSpeed();
            window.setPointerSpeed(pointerSpeed.get());
        });
        if (options.minimized) {
            TrayLife::startMinimized(&window);
        } else if (window.deviceCount() != 0) {
            window.setWindowOpacity(1.0);
            window.show();
        }
        window.setWindowTitle(window.productTitle());
        result = app.exec();
    }

    if (simulation && saveSimulation) {
        QString error;
        if (!simulation->save(&error))
            printLine(stderr,
                      QStringLiteral("mousecfg: the simulated mouse's memory was not saved: %1").arg(error));
    }
    return result;
}
