// rate-check: the report rate that really arrives from the mouse, measured on
// its mouse collection while the user moves it.

#include "CliCommand.h"
#include "CliDeviceSession.h"

#include "DeviceLink.h"
#include "DeviceProbe.h"
#include "PerformanceModel.h"
#include "ReportRate.h"
#include "StatusQuery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kUsage = QStringLiteral("mousecfg-cli: usage: rate-check [--seconds N] [--json] (N = 1 to %1)")
                           .arg(ReportRate::kMaxSeconds);

int fail(const QString &text)
{
    cliError(QStringLiteral("mousecfg-cli: %1").arg(text));
    return CliFailure;
}

QString warningLine()
{
    return QStringLiteral("warning: the median is below %1 % of the chosen rate; likely causes: a USB hub or "
                          "a power-saving port between the computer and the receiver or cable, or the mouse "
                          "too far from its receiver")
        .arg(ReportRate::kWarnPercent);
}

int runRateCheck(const CliContext &ctx, const QStringList &args)
{
    int seconds = ReportRate::kDefaultSeconds;
    bool json = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--json")) {
            json = true;
        } else if (args.at(i) == QLatin1String("--seconds") && i + 1 < args.size()) {
            bool ok = false;
            seconds = args.at(++i).toInt(&ok);
            if (!ok || seconds < 1 || seconds > ReportRate::kMaxSeconds)
                return cliUsageError(kUsage);
        } else {
            return cliUsageError(kUsage);
        }
    }

    CliDeviceSession session(ctx);
    QString error;
    if (!session.open(&error, QStringLiteral("use TEST RATE on its DPI tab")))
        return fail(error);
    const QByteArray path = ReportRate::mouseCollectionPath(deviceList().entries[0]);
    if (path.isEmpty()) {
        session.finish(&error);
        return fail(QStringLiteral("no supported mouse found"));
    }
    const OpenProbe probe = probeOpen(path);
    if (!probe.opened) {
        session.finish(&error);
        return fail(
            QStringLiteral("the mouse collection %1 %2").arg(QString::fromLocal8Bit(path), probe.text));
    }
    // The rate the mouse is set to, from the mouse itself.
    StatusReading status;
    const int res = queryStatus(status);
    const int chosenHz = PerformanceModel::rateHz(status.rate);
    CloseDevices(); // the measurement opens the mouse collection on its own
    if (res != kSendOk || chosenHz == 0) {
        session.finish(&error);
        return fail(res == kSendNoDevice ? QStringLiteral("no device")
                                         : QStringLiteral("the mouse did not answer the status query"));
    }

    cliError(QStringLiteral("Move the mouse now, for %1 s...").arg(seconds));
    const ReportRate::Reading reading = ReportRate::readArrivals(path, int64_t(seconds) * 1000000);
    if (!session.finish(&error))
        return fail(error);
    if (!reading.ok)
        return fail(reading.error);
    const ReportRate::Result r =
        ReportRate::analyse(reading.arrivalsUs, reading.startUs, reading.durationUs, chosenHz);
    if (!r.enoughMotion())
        return fail(QStringLiteral("the mouse hardly moved (%1 reports): move it during the whole test")
                        .arg(r.reports));

    if (json) {
        QJsonObject o;
        o[QStringLiteral("reportRate")] = r.chosenHz;
        o[QStringLiteral("median")] = ReportRate::roundedHz(r.medianHz);
        o[QStringLiteral("percentile5")] = ReportRate::roundedHz(r.lowHz);
        o[QStringLiteral("seconds")] = seconds;
        o[QStringLiteral("reports")] = r.reports;
        o[QStringLiteral("windows")] = r.windows.size();
        QJsonArray rates;
        for (const ReportRate::Window &w : r.windows)
            rates.append(ReportRate::roundedHz(w.hz));
        o[QStringLiteral("rates")] = rates;
        o[QStringLiteral("warning")] = r.belowChosen();
        cliPrint(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
        return CliOk;
    }
    QString text = QStringLiteral("chosen %1 Hz, measured median %2 Hz, 5th percentile %3 Hz (%4 windows of "
                                  "100 ms, %5 reports)")
                       .arg(r.chosenHz)
                       .arg(ReportRate::roundedHz(r.medianHz))
                       .arg(ReportRate::roundedHz(r.lowHz))
                       .arg(r.windows.size())
                       .arg(r.reports);
    if (r.belowChosen())
        text += QLatin1Char('\n') + warningLine();
    cliPrint(text);
    return CliOk;
}

CliRegistrar rateCheckCommand(
    {QStringLiteral("rate-check"), QStringLiteral("rate-check [--seconds N] [--json]"),
     QStringLiteral(
         "measure the report rate that arrives while you move the mouse for N seconds (default 3,\n"
         "      at most 60), from the mouse collection's hidraw node (no root, nothing from\n"
         "      /dev/input). Prints \"chosen R Hz, measured median M Hz, 5th percentile P Hz (W\n"
         "      windows of 100 ms, N reports)\", and a line starting \"warning:\" when M is below\n"
         "      90 % of R. --json prints one line: {\"median\":M,\"percentile5\":P,\"rates\":[Hz of each\n"
         "      100 ms window with motion],\"reportRate\":R,\"reports\":N,\"seconds\":S,\"warning\":\n"
         "      BOOL,\"windows\":W}. Exit 1 when the mouse cannot be found or opened or hardly moved"),
     runRateCheck});

} // namespace
