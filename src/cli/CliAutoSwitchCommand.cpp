// auto-switch: the rules that switch the mouse's onboard profile when an
// application's window gains focus (AutoSwitch.ini), as the window's
// auto-switch dialog edits them.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "ActiveWindowSource.h"
#include "AutoSwitchRules.h"

namespace {

const QString kUsage = QStringLiteral(
    "mousecfg-cli: usage: auto-switch list | add APPLICATION SLOT | remove APPLICATION | default SLOT|keep "
    "| on | off");

// The rules as stored; false when the file cannot be read at all.
bool loadRules(AutoSwitchRules &rules, const QString &file)
{
    QStringList problems;
    const bool read = rules.load(file, &problems);
    for (const QString &p : problems)
        cliError(QStringLiteral("mousecfg-cli: warning: %1").arg(p));
    return read;
}

int saveRules(AutoSwitchRules &rules, const QString &file)
{
    QString error, notice;
    if (!rules.save(file, &error, &notice))
        return cliRefuse(error);
    if (!notice.isEmpty())
        cliError(QStringLiteral("mousecfg-cli: %1").arg(notice));
    return CliOk;
}

int list(const AutoSwitchRules &rules)
{
    cliPrint(
        QStringLiteral("auto-switch %1").arg(rules.enabled() ? QStringLiteral("on") : QStringLiteral("off")));
    cliPrint(QStringLiteral("otherwise %1").arg(AutoSwitchRules::otherwiseText(rules.otherwise())));
    for (const AutoSwitchRules::Rule &r : rules.rules())
        cliPrint(QStringLiteral("%1 %2").arg(r.slot).arg(r.application));
    return CliOk;
}

int runAutoSwitch(const CliContext &, const QStringList &args)
{
    if (args.isEmpty())
        return cliUsageError(kUsage);
    const QString verb = args.at(0);
    const int operands = args.size() - 1;
    const bool known =
        ((verb == QLatin1String("list") || verb == QLatin1String("on") || verb == QLatin1String("off")) &&
         operands == 0) ||
        ((verb == QLatin1String("remove") || verb == QLatin1String("default")) && operands == 1) ||
        (verb == QLatin1String("add") && operands == 2);
    if (!known)
        return cliUsageError(kUsage);

    const QString file = AutoSwitchRules::defaultFile();
    AutoSwitchRules rules;
    if (!loadRules(rules, file)) {
        if (verb == QLatin1String("list"))
            return CliFailure;
        return cliRefuse(QStringLiteral("nothing was changed; move the file away to start afresh."));
    }
    if (verb == QLatin1String("list"))
        return list(rules);

    if (verb == QLatin1String("add")) {
        int slot = 0;
        if (!cliNumber(args.at(2), &slot))
            return cliRefuse(QStringLiteral("the profile slot must be 1 to 5, not \"%1\"").arg(args.at(2)));
        QString error;
        if (!rules.setRule(args.at(1), slot, &error))
            return cliRefuse(error);
    } else if (verb == QLatin1String("remove")) {
        if (!rules.removeRule(args.at(1)))
            return cliRefuse(QStringLiteral("no rule names %1").arg(args.at(1)));
    } else if (verb == QLatin1String("default")) {
        int slot = 0;
        if (args.at(1) == QLatin1String("keep"))
            slot = AutoSwitchRules::kKeep;
        else if (!cliNumber(args.at(1), &slot) || slot == AutoSwitchRules::kKeep)
            slot = -1;
        if (!rules.setOtherwise(slot))
            return cliRefuse(
                QStringLiteral("default takes a slot 1 to 5 or keep, not \"%1\"").arg(args.at(1)));
    } else {
        rules.setEnabled(verb == QLatin1String("on"));
    }
    const int code = saveRules(rules, file);
    if (code == CliOk && verb == QLatin1String("on") &&
        ActiveWindowSource::kindFor() == ActiveWindowSource::Kind::None)
        cliError(QStringLiteral("mousecfg-cli: %1").arg(ActiveWindowSource::unsupportedText()));
    return code;
}

CliRegistrar autoSwitchCommand(
    {QStringLiteral("auto-switch"),
     QStringLiteral(
         "auto-switch list | add APPLICATION SLOT | remove APPLICATION | default SLOT|keep | on | off"),
     QStringLiteral("the profile slot the mouse switches to when an application's window gains the\n"
                    "      focus (APPLICATION: a window class, or the full path of its program); default:\n"
                    "      the slot for every other window, or keep; on and off turn switching on and off"),
     runAutoSwitch});

} // namespace
