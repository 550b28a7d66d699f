// dpi and rate: the DPI stages and the report rate of a stored profile, edited
// as the DPI page and the report-rate panel do.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "DeviceDescription.h"
#include "DpiModel.h"
#include "PerformanceModel.h"

namespace {

const QString kDpiUsage = QStringLiteral(
    "mousecfg-cli: usage: dpi [--slot N] STAGE DPI[,DPI_Y] [--off] | dpi [--slot N] --current STAGE");
const QString kRateUsage = QStringLiteral("mousecfg-cli: usage: rate [--slot N] 125|250|500|1000");

// STAGE as the window numbers it (1 up to the stages shown) into 0-based; false
// after printing why.
bool parseStage(const QString &text, int *stage, int *exitCode)
{
    const int shown = DpiModel::shownStageCount(DeviceDescription::dpiStageCount());
    int value = 0;
    if (!cliNumber(text, &value)) {
        *exitCode = cliUsageError(kDpiUsage);
        return false;
    }
    if (value < 1 || value > shown) {
        *exitCode =
            cliRefuse(QStringLiteral("this mouse has DPI stages 1 to %1, not %2").arg(shown).arg(text));
        return false;
    }
    *stage = value - 1;
    return true;
}

// The step of DPI on SENSOR; false after printing the values nearest to it.
bool stepOf(const DpiModel::Sensor &sensor, int dpi, int *step)
{
    *step = DpiModel::stepOfDpi(sensor, dpi);
    if (*step >= 0)
        return true;
    const DpiModel::SensorRule rule = sensor.rule();
    int below = 0, above = 0;
    DpiModel::nearestDpis(sensor, dpi, &below, &above);
    QStringList nearest;
    for (int d : {below, above}) {
        if (d > 0)
            nearest << QString::number(d);
    }
    cliRefuse(QStringLiteral("the sensor cannot be set to %1 DPI (%2 to %3; nearest: %4)")
                  .arg(dpi)
                  .arg(rule.minDpi)
                  .arg(rule.maxDpi)
                  .arg(nearest.join(QStringLiteral(" or "))));
    return false;
}

int runCurrent(const QStringList &args, int slot)
{
    if (args.size() != 2 || args.first() != QLatin1String("--current"))
        return cliUsageError(kDpiUsage);
    int stage = 0, code = CliOk;
    if (!parseStage(args.at(1), &stage, &code))
        return code;
    ProfileSet set = cliLoadStoredSet();
    DpiModel::setCurrentStage(cliProfileOf(set, slot), stage);
    return cliSaveStoredSet(set);
}

int runDpi(const CliContext &, const QStringList &arguments)
{
    QStringList args = arguments;
    int slot = -1;
    if (const int code = cliTakeSlot(args, &slot, kDpiUsage))
        return code;
    if (args.contains(QStringLiteral("--current")))
        return runCurrent(args, slot);
    const bool off = args.removeAll(QStringLiteral("--off")) > 0;
    if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--")) ||
        args.at(1).startsWith(QLatin1String("--")))
        return cliUsageError(kDpiUsage);

    int stage = 0, code = CliOk;
    if (!parseStage(args.at(0), &stage, &code))
        return code;
    const QStringList values = args.at(1).split(QLatin1Char(','));
    int dpiX = 0, dpiY = 0;
    if (values.size() > 2 || !cliNumber(values.first(), &dpiX) ||
        (values.size() == 2 && !cliNumber(values.at(1), &dpiY)))
        return cliUsageError(kDpiUsage);
    const bool apart = values.size() == 2;
    if (!apart)
        dpiY = dpiX;

    const DpiModel::Sensor sensor = DpiModel::Sensor::fromConfiguration();
    const DpiModel::SensorRule rule = sensor.rule();
    if (!rule.known)
        return cliRefuse(
            QStringLiteral(
                "the DPI steps of sensor model %1 are not known; check MouseSenSor/1 in Config.ini")
                .arg(sensor.model));
    int x = 0, y = 0;
    if (!stepOf(sensor, dpiX, &x) || !stepOf(sensor, dpiY, &y))
        return CliFailure;

    ProfileSet set = cliLoadStoredSet();
    ProfileData &profile = cliProfileOf(set, slot);
    // As the page: the "Link XY" box, where the sensor offers it, decides
    // whether X and Y move apart; without it a stage keeps its link.
    const bool linked = profile.DPI_INFO[size_t(stage)].link != 0;
    if (rule.linkBox) {
        DpiModel::setLinked(profile, stage, !apart);
    } else if (apart && linked && x != y) {
        return cliRefuse(QStringLiteral("this sensor keeps X and Y of stage %1 together").arg(stage + 1));
    }
    DpiModel::setSteps(profile, stage, x, y);
    DpiModel::setUsed(profile, stage, !off);
    return cliSaveStoredSet(set);
}

int runRate(const CliContext &, const QStringList &arguments)
{
    QStringList args = arguments;
    int slot = -1;
    if (const int code = cliTakeSlot(args, &slot, kRateUsage))
        return code;
    int hz = 0;
    if (args.size() != 1 || !cliNumber(args.first(), &hz))
        return cliUsageError(kRateUsage);
    const int rateCode = PerformanceModel::rateCodeOfHz(hz);
    if (rateCode == 0)
        return cliRefuse(QStringLiteral("the report rate must be 125, 250, 500 or 1000 Hz, not %1").arg(hz));
    ProfileSet set = cliLoadStoredSet();
    PerformanceModel::setRate(cliProfileOf(set, slot), rateCode);
    return cliSaveStoredSet(set);
}

CliRegistrar dpiCommand(
    {QStringLiteral("dpi"),
     QStringLiteral("dpi [--slot N] STAGE DPI[,DPI_Y] [--off] | dpi [--slot N] --current STAGE"),
     QStringLiteral("set DPI stage STAGE (1 up to the stages shown) of a stored profile to a DPI of\n"
                    "      the sensor: X and Y together, or apart where the sensor has \"Link XY\"; the\n"
                    "      stage is switched on, or off with --off. --current makes STAGE the current one"),
     runDpi});

CliRegistrar rateCommand({QStringLiteral("rate"), QStringLiteral("rate [--slot N] 125|250|500|1000"),
                          QStringLiteral("set the report rate of a stored profile, in Hz"), runRate});

} // namespace
