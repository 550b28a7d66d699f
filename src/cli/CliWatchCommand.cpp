// mousecfg-cli watch: the hot-plug events as the program sees them.

#include "CliCommand.h"
#include "HidNode.h"
#include "ShippedModel.h"
#include "UdevHotplugSource.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char kWatchHelp[] = "Usage: mousecfg-cli watch [--existing] [--all]\n"
                          "\n"
                          "Prints every arrival and removal of a hidraw node of the mouse, one line per\n"
                          "event, until interrupted (SIGINT or SIGTERM end it with exit code 0):\n"
                          "\n"
                          "  arrival vid=VVVV pid=PPPP interface=N release=RRRR path=/dev/hidrawN\n"
                          "  removal vid=VVVV pid=PPPP interface=N release=RRRR path=/dev/hidrawN\n"
                          "\n"
                          "VVVV, PPPP and RRRR are the USB vendor ID, product ID and release number\n"
                          "(bcdDevice) in 4-digit lower-case hexadecimal; N is the USB interface number\n"
                          "(0 the mouse collection, 2 the vendor collection; -1 for a device not on USB).\n"
                          "A removal repeats what arrived at that path. Each line is flushed at once.\n"
                          "\n"
                          "  --existing   first print the nodes already present, as arrivals\n"
                          "  --all        every hidraw device, not only the receiver and the cable\n";

int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    // Nothing else is safe here; a full pipe means a wake-up is pending anyway.
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

// SIGINT and SIGTERM end the event loop for as long as it lives.
class SignalQuitter
{
public:
    SignalQuitter()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0)
            return;
        m_notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, [] {
            char buf[16];
            while (::read(g_signalPipe[0], buf, sizeof buf) > 0) {
            }
            QCoreApplication::quit();
        });
        struct sigaction sa = {};
        sa.sa_handler = onSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGINT, &sa, &m_oldInt);
        sigaction(SIGTERM, &sa, &m_oldTerm);
        m_installed = true;
    }
    ~SignalQuitter()
    {
        if (m_installed) {
            sigaction(SIGINT, &m_oldInt, nullptr);
            sigaction(SIGTERM, &m_oldTerm, nullptr);
        }
        delete m_notifier;
        for (int &fd : g_signalPipe) {
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }
    bool isInstalled() const { return m_installed; }

private:
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_oldInt = {};
    struct sigaction m_oldTerm = {};
    bool m_installed = false;
};

int runWatch(const CliContext &ctx, const QStringList &args)
{
    bool existing = false, all = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--existing"))
            existing = true;
        else if (a == QLatin1String("--all"))
            all = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            cliPrint(QString::fromLatin1(kWatchHelp).trimmed());
            return CliOk;
        } else
            return cliUsageError(
                QStringLiteral("mousecfg-cli watch: unknown argument %1 (see watch --help)").arg(a));
    }
    if (ctx.simulate)
        return cliUsageError(
            QStringLiteral("mousecfg-cli watch: follows the real devices; --simulate does not apply"));

    SignalQuitter quitter;
    if (!quitter.isInstalled()) {
        cliError(QStringLiteral("mousecfg-cli watch: cannot set up signal handling"));
        return CliFailure;
    }

    UdevHotplugSource source;
    if (!all)
        source.setSupportedIds(
            {{kShippedVendorId, kShippedReceiverPid}, {kShippedVendorId, kShippedCablePid}});
    QObject::connect(&source, &HotplugSource::deviceArrived, [](const HidNodeInfo &n) {
        cliPrint(formatHidNodeEvent(QStringLiteral("arrival"), n));
    });
    QObject::connect(&source, &HotplugSource::deviceRemoved, [](const HidNodeInfo &n) {
        cliPrint(formatHidNodeEvent(QStringLiteral("removal"), n));
    });
    if (!source.start()) {
        cliError(QStringLiteral("mousecfg-cli watch: %1").arg(source.errorString()));
        return CliFailure;
    }
    if (existing) {
        for (const HidNodeInfo &n : source.presentDevices())
            cliPrint(formatHidNodeEvent(QStringLiteral("arrival"), n));
    }
    QCoreApplication::exec();
    source.stop();
    return CliOk;
}

CliRegistrar
    watchCommand({QStringLiteral("watch"), QStringLiteral("watch [--existing] [--all]"),
                  QStringLiteral("print device arrivals and removals until interrupted, one line each:\n"
                                 "      arrival|removal vid=xxxx pid=xxxx interface=N release=xxxx "
                                 "path=/dev/hidrawN\n"
                                 "      (lower-case hex; --existing: present devices first; --all: every "
                                 "hidraw device; see watch --help)"),
                  runWatch});

} // namespace
