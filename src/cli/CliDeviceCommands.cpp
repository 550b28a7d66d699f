// Commands that talk to the mouse (or to the simulated mouse with --simulate):
// list, status, switch, write, frames and sim-show.

#include "CliCommand.h"
#include "CliDeviceSession.h"
#include "CliProfileEdit.h"

#include "AppConfig.h"
#include "DeviceLink.h"
#include "DeviceProbe.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"
#include "ProfileWriter.h"
#include "ShippedModel.h"
#include "SimulatedMouseSession.h"
#include "StatusQuery.h"
#include "WholeWrite.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kSendFailed = QStringLiteral("Send data failed, please try again.");
const QString kNoDevice = QStringLiteral("no device");

int fail(const QString &text)
{
    cliError(text);
    return CliFailure;
}

// Opens the session or prints why not.
bool openSession(CliDeviceSession &session)
{
    QString error;
    if (session.open(&error))
        return true;
    cliError(QStringLiteral("mousecfg-cli: %1").arg(error));
    return false;
}

int finishSession(CliDeviceSession &session, int code)
{
    QString error;
    if (!session.finish(&error)) {
        cliError(QStringLiteral("mousecfg-cli: %1").arg(error));
        return CliFailure;
    }
    return code;
}

int runFrames(const CliContext &, const QStringList &args)
{
    if (!args.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: frames takes no arguments"));
    cliQuietDeviceLog();
    const ProfileSet set = cliLoadStoredSet();
    const QVector<Frame> frames = wholeWriteFrames(set, WriteContext::fromConfiguration());
    QStringList lines;
    for (const Frame &f : frames)
        lines << hexBytes(f.data(), kFrameSize);
    cliPrint(lines.join(QLatin1Char('\n')));
    return CliOk;
}

int runWrite(const CliContext &ctx, const QStringList &args)
{
    if (!args.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: write takes no arguments"));
    CliDeviceSession session(ctx);
    if (!openSession(session))
        return CliFailure;
    // As at start-up: the stored set is the last-sent copy and the current set.
    ProfileSet lastSent = cliLoadStoredSet();
    const ProfileSet current = lastSent;
    const WholeWriteOutcome out = runWholeWrite(current, lastSent, false, WriteContext::fromConfiguration());
    // A set the mouse holds but the files do not is a failure: the next start loads the old files.
    if (!out.saveError.isEmpty())
        cliError(QStringLiteral("mousecfg-cli: the settings were not saved: %1").arg(out.saveError));
    if (out.result == kSendOk)
        return finishSession(session, out.saveError.isEmpty() ? CliOk : CliFailure);
    finishSession(session, CliFailure);
    if (!wholeWriteReachedEnd(out.result))
        return fail(kSendFailed);
    QString why = wholeWriteMessage(out.result);
    if (!out.missingMacros.isEmpty())
        why += QStringLiteral(" (%1)").arg(out.missingMacros.join(QStringLiteral(", ")));
    return fail(why);
}

int runSwitch(const CliContext &ctx, const QStringList &args)
{
    bool ok = false;
    const int n = args.size() == 1 ? args.first().toInt(&ok) : 0;
    if (!ok || n < 1 || n > kProfileCount)
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: switch N (N = 1 to 5)"));
    CliDeviceSession session(ctx);
    if (!openSession(session))
        return CliFailure;
    if (!commandHandleOpen()) {
        finishSession(session, CliFailure);
        return fail(kNoDevice);
    }
    int reload = SwitchProfile(n - 1);
    if (reload == kSendOk)
        reload = ReloadSettings();
    if (reload == kSendOk)
        AppConfig::setCurrentSlot(n - 1);
    const int code = finishSession(session, reload == kSendOk ? CliOk : CliFailure);
    if (reload != kSendOk)
        return fail(kSendFailed);
    return code;
}

// The report rate in Hz of a rate code, 0 for a code of no known rate.
int reportRateHz(int code)
{
    switch (code) {
    case 8:
        return 125;
    case 4:
        return 250;
    case 2:
        return 500;
    case 1:
        return 1000;
    default:
        return 0;
    }
}

int runStatus(const CliContext &ctx, const QStringList &args)
{
    const bool json = args == QStringList{QStringLiteral("--json")};
    if (!args.isEmpty() && !json)
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: status [--json]"));
    CliDeviceSession session(ctx);
    if (!openSession(session))
        return CliFailure;
    StatusReading reading;
    const int res = queryStatus(reading);
    // The cable carries the commands whenever it is there.
    const bool cable = deviceList().entries[0].cableVendorFound == 1;
    finishSession(session, CliOk);
    if (res == kSendNoDevice) {
        if (json)
            cliPrint(QStringLiteral("{\"connected\":false}"));
        return fail(kNoDevice);
    }
    if (res != kSendOk)
        return fail(QStringLiteral("the mouse did not answer the status query"));
    if (!json) {
        cliPrint(QStringLiteral("battery=%1 dpi=%2 rate=%3")
                     .arg(reading.battery)
                     .arg(reading.dpiStage)
                     .arg(reading.rate));
        return CliOk;
    }
    QJsonObject o;
    o[QStringLiteral("connected")] = true;
    o[QStringLiteral("connection")] = cable ? QStringLiteral("cable") : QStringLiteral("receiver");
    o[QStringLiteral("battery")] = reading.battery;
    o[QStringLiteral("charging")] = cable || reading.high != 0;
    o[QStringLiteral("profile")] = AppConfig::readProfileID() + 1;
    o[QStringLiteral("dpiStage")] = reading.dpiStage + 1;
    o[QStringLiteral("reportRateCode")] = reading.rate;
    const int hz = reportRateHz(reading.rate);
    o[QStringLiteral("reportRate")] = hz ? QJsonValue(hz) : QJsonValue();
    cliPrint(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    return CliOk;
}

QString openability(const QByteArray &path)
{
    return probeOpen(path).text;
}

int runList(const CliContext &ctx, const QStringList &args)
{
    const bool quiet = args == QStringList{QStringLiteral("--quiet")};
    if (!args.isEmpty() && !quiet)
        return cliUsageError(QStringLiteral("mousecfg-cli: usage: list [--quiet]"));
    CliDeviceSession session(ctx);
    if (!openSession(session))
        return CliFailure;
    CloseDevices(); // list only probes; it holds nothing open
    const DeviceEntry &e = deviceList().entries[0];
    QStringList lines;
    int found = 0;
    struct Conn
    {
        const char *name;
        int pid;
        int mouseFound, vendorFound;
        const char *mousePath, *vendorPath;
    };
    const Conn conns[2] = {{"receiver", e.receiverProductId, e.receiverMouseFound, e.receiverVendorFound,
                            e.receiverMousePath, e.receiverVendorPath},
                           {"cable", e.cableProductId, e.cableMouseFound, e.cableVendorFound,
                            e.cableMousePath, e.cableVendorPath}};
    for (const Conn &c : conns) {
        if (!c.mouseFound && !c.vendorFound)
            continue;
        ++found;
        lines << QStringLiteral("%1 %2:%3")
                     .arg(QLatin1String(c.name))
                     .arg(kShippedVendorId, 4, 16, QLatin1Char('0'))
                     .arg(c.pid, 4, 16, QLatin1Char('0'));
        if (c.mouseFound)
            lines << QStringLiteral("  mouse collection  %1  %2")
                         .arg(QString::fromLatin1(c.mousePath), openability(QByteArray(c.mousePath)));
        else
            lines << QStringLiteral("  mouse collection  not found");
        if (c.vendorFound)
            lines << QStringLiteral("  vendor collection %1  %2")
                         .arg(QString::fromLatin1(c.vendorPath), openability(QByteArray(c.vendorPath)));
        else
            lines << QStringLiteral("  vendor collection not found");
    }
    finishSession(session, CliOk);
    if (!found)
        return quiet ? CliFailure : fail(QStringLiteral("no supported mouse found"));
    if (!quiet)
        cliPrint(lines.join(QLatin1Char('\n')));
    return CliOk;
}

int runSimShow(const CliContext &ctx, const QStringList &args)
{
    if (!args.isEmpty())
        return cliUsageError(QStringLiteral("mousecfg-cli: sim-show takes no arguments"));
    MouseFirmware firmware;
    QString error;
    if (!firmware.loadFromIni(QDir(ctx.configDir).filePath(QStringLiteral("simulated-mouse.ini")), &error))
        return fail(QStringLiteral("mousecfg-cli: %1").arg(error));
    cliPrint(QString::fromUtf8(QJsonDocument(firmware.toJson()).toJson(QJsonDocument::Indented)).trimmed());
    return CliOk;
}

CliRegistrar framesCommand(
    {QStringLiteral("frames"), QStringLiteral("frames"),
     QStringLiteral("print the frames a whole write of the stored set sends (no device)"), runFrames});
CliRegistrar writeCommand({QStringLiteral("write"), QStringLiteral("write"),
                           QStringLiteral("write the stored profile set to the mouse, as Apply does"),
                           runWrite});
CliRegistrar switchCommand(
    {QStringLiteral("switch"), QStringLiteral("switch N"),
     QStringLiteral("switch the mouse to profile N (1 to 5) and make it the current slot"), runSwitch});
CliRegistrar statusCommand(
    {QStringLiteral("status"), QStringLiteral("status [--json]"),
     QStringLiteral(
         "query battery, DPI stage and report rate once: \"battery=N dpi=N rate=N\" (level in\n"
         "      percent, 0 when the mouse is off; the stage from 0; the rate code). --json prints\n"
         "      one line: {\"battery\":N,\"charging\":BOOL,\"connected\":true,\"connection\":\n"
         "      \"receiver\"|\"cable\",\"dpiStage\":1-8,\"profile\":1-5 (the current slot as\n"
         "      stored),\"reportRate\":HZ|null,\"reportRateCode\":N}; no mouse: {\"connected\":false},\n"
         "      exit 1"),
     runStatus});
CliRegistrar listCommand({QStringLiteral("list"), QStringLiteral("list [--quiet]"),
                          QStringLiteral("list the supported devices found; exit 1 when there is none"),
                          runList});
CliRegistrar simShowCommand({QStringLiteral("sim-show"), QStringLiteral("sim-show"),
                             QStringLiteral("print what the simulated mouse holds, as JSON"), runSimShow});

} // namespace
