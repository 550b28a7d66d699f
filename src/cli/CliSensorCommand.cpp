// sensor: the settings of the "Mouse Setting" panel (lift distance, angle
// snapping, jitter filtering, motion sync, key response, scroll and pointer
// speed) in the stored profiles, edited as the panel does.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "PerformanceModel.h"

using namespace PerformanceModel;

namespace {

const QString kUsage = QStringLiteral("mousecfg-cli: usage: sensor [--slot N] NAME VALUE | sensor --list");

QString valuesOf(const Option &o)
{
    return o.onOff ? QStringLiteral("on|off")
                   : QStringLiteral("%1-%2").arg(o.range.minimum).arg(o.range.maximum);
}

int listOptions()
{
    for (const Option &o : options())
        cliPrint(QStringLiteral("%1\t%2\t%3 (%4)")
                     .arg(o.name, valuesOf(o), o.summary,
                          o.perProfile ? QStringLiteral("each profile") : QStringLiteral("all profiles")));
    return CliOk;
}

int runSensor(const CliContext &, const QStringList &arguments)
{
    if (arguments == QStringList{QStringLiteral("--list")})
        return listOptions();
    QStringList args = arguments;
    int slot = -1;
    if (const int code = cliTakeSlot(args, &slot, kUsage))
        return code;
    if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--")) ||
        args.at(1).startsWith(QLatin1String("--")))
        return cliUsageError(kUsage);
    const QString &name = args.at(0);
    const QString &value = args.at(1);
    Option option;
    if (!findOption(name, &option)) {
        QStringList names;
        for (const Option &o : options())
            names << o.name;
        return cliRefuse(QStringLiteral("unknown setting \"%1\"; use one of: %2")
                             .arg(name, names.join(QStringLiteral(", "))));
    }
    if (slot > 0 && !option.perProfile)
        return cliRefuse(QStringLiteral("%1 is one setting for all profiles; leave out --slot").arg(name));

    ProfileSet set = cliLoadStoredSet();
    if (setOption(set, cliProfileOf(set, slot), name, value) != EditResult::Ok)
        return cliRefuse(QStringLiteral("%1 must be %2, not \"%3\"").arg(name, valuesOf(option), value));
    return cliSaveStoredSet(set);
}

CliRegistrar sensorCommand(
    {QStringLiteral("sensor"), QStringLiteral("sensor [--slot N] NAME VALUE | sensor --list"),
     QStringLiteral("set a setting of the Mouse Setting panel in the stored profiles (--list names\n"
                    "      them with their values; --slot only for the speeds kept with each profile)"),
     runSensor});

} // namespace
