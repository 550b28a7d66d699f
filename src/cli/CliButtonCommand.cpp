// button: the function of a button of a stored profile, assigned as the button page does.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "AppConfig.h"
#include "ButtonModel.h"
#include "MacroFile.h"
#include "MacroModel.h"
#include "MacroSelection.h"
#include "ProfileStore.h"

#include <QCoreApplication>

using namespace ButtonModel;

namespace {

const QString kUsage =
    QStringLiteral("mousecfg-cli: usage: button [--slot N] BUTTON FUNCTION [ARGS] | button --list");

// RECORDS as "0-7, 20, 21, 40, 41".
QString recordList(const QVector<int> &records)
{
    QStringList parts;
    for (int i = 0; i < records.size();) {
        int j = i;
        while (j + 1 < records.size() && records.at(j + 1) == records.at(j) + 1)
            ++j;
        parts << (j - i >= 2 ? QStringLiteral("%1-%2").arg(records.at(i)).arg(records.at(j))
                             : QString::number(records.at(i)));
        for (int k = i + 1; k <= j && j - i < 2; ++k)
            parts << QString::number(records.at(k));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

int listNames()
{
    const MenuSwitches switches = menuSwitches();
    const QVector<int> offered = offeredFunctions(kFirstSet, switches) + wheelMenuEntries();
    for (const CliName &n : cliNames()) {
        if (!offered.contains(n.fun))
            continue;
        const QString note =
            wheelMenuEntries().contains(n.fun) && !offeredFunctions(kFirstSet, switches).contains(n.fun)
                ? QStringLiteral(" (wheel, buttons 40 and 41)")
                : QString();
        cliPrint(QStringLiteral("%1\t%2%3").arg(n.name, ButtonCatalogue::functionText(n.fun), note));
    }
    return CliOk;
}

const QString kMacroUsage = QStringLiteral(
    "mousecfg-cli: usage: button [--slot N] BUTTON macro NAME [--mode times|while-down|until-down|left] "
    "[--count 1-255]");

// BUTTON macro NAME: as the macro selection does it, with the same refusals.
int assignMacro(ProfileSet &set, ProfileData &profile, int record, const QStringList &args)
{
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        return cliUsageError(kMacroUsage);
    MacroSelection::Choice c;
    c.name = args.first();
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return cliUsageError(kMacroUsage);
        const QString &value = args.at(i + 1);
        if (args.at(i) == QLatin1String("--count")) {
            bool ok = false;
            c.loopCount = value.toInt(&ok, 10);
            if (!ok || c.loopCount < MacroSelection::kLoopMin || c.loopCount > MacroSelection::kLoopMax)
                return cliRefuse(QStringLiteral("--count must be %1 to %2")
                                     .arg(MacroSelection::kLoopMin)
                                     .arg(MacroSelection::kLoopMax));
        } else if (args.at(i) == QLatin1String("--mode")) {
            const QStringList modes = {QStringLiteral("times"), QStringLiteral("while-down"),
                                       QStringLiteral("until-down"), QStringLiteral("left")};
            const int mode = modes.indexOf(value);
            if (mode < 0)
                return cliRefuse(
                    QStringLiteral("--mode must be one of: %1").arg(modes.join(QStringLiteral(", "))));
            c.runMode = mode == 3 ? 0 : mode;
            c.leftButtonOption = mode == 3 ? 1 : 0;
        } else {
            return cliUsageError(kMacroUsage);
        }
    }
    if (!MacroFile::libraryNames().contains(c.name))
        return cliRefuse(QStringLiteral("there is no macro \"%1\"").arg(c.name));
    if (!offeredFunctions(setOfRecord(record), menuSwitches()).contains(ButtonCatalogue::kFunMacro))
        return cliRefuse(QStringLiteral("\"%1\" is not offered for button %2")
                             .arg(ButtonCatalogue::functionText(ButtonCatalogue::kFunMacro))
                             .arg(record));
    if (!keepsClick(profile.BUTTON_INFO, record, ButtonCatalogue::kFunMacro))
        return cliRefuse(QCoreApplication::translate("MousecfgWidget", kOneClickMessage));
    if (MacroModel::needsThirteenthSlot(profile.BUTTON_INFO, record, c.name))
        return cliRefuse(MacroModel::tr(MacroModel::kSlotOverflow));
    MacroSelection::applyChoice(profile.BUTTON_INFO[size_t(record)], ButtonCatalogue::kFunMacro, c);
    return cliSaveStoredSet(set);
}

int runButton(const CliContext &, const QStringList &args)
{
    if (args.size() == 1 && args.first() == QLatin1String("--list"))
        return listNames();
    QStringList rest = args;
    int slot = -1;
    if (!rest.isEmpty() && rest.first() == QLatin1String("--slot")) {
        if (rest.size() < 2)
            return cliUsageError(kUsage);
        bool ok = false;
        slot = rest.at(1).toInt(&ok, 10);
        if (!ok || slot < 1 || slot > kProfileCount)
            return cliRefuse(QStringLiteral("--slot must be 1 to %1").arg(kProfileCount));
        rest = rest.mid(2);
    }
    if (rest.size() < 2)
        return cliUsageError(kUsage);
    bool ok = false;
    const int record = rest.first().toInt(&ok, 10);
    // Only the buttons the mouse has, numbered as the window's records.
    const QVector<int> shown = shownRecords(secondMatrix());
    if (!ok || !shown.contains(record))
        return cliRefuse(QStringLiteral("this mouse has no button \"%1\"; its buttons are %2")
                             .arg(rest.first(), recordList(shown)));
    rest.removeFirst();

    ProfileSet set = cliLoadStoredSet();
    ProfileData &profile = set.profiles[size_t(slot > 0 ? slot - 1 : set.ProfileID)];

    QString error;
    if (rest.first() == QLatin1String("macro"))
        return assignMacro(set, profile, record, rest.mid(1));
    Assignment a;
    if (!parseCliFunction(rest, profile.BUTTON_INFO[size_t(record)], AppConfig::sensorModel(), &a, &error))
        return cliRefuse(error);
    const int buttonSet = setOfRecord(record);
    if (!offeredFunctions(buttonSet, menuSwitches()).contains(a.fun))
        return cliRefuse(QStringLiteral("\"%1\" is not offered for button %2")
                             .arg(ButtonCatalogue::functionText(a.fun))
                             .arg(record));
    if (assign(profile.BUTTON_INFO, record, a) == Result::LastClick)
        return cliRefuse(QCoreApplication::translate("MousecfgWidget", kOneClickMessage));

    return cliSaveStoredSet(set);
}

CliRegistrar buttonCommand(
    {QStringLiteral("button"),
     QStringLiteral(
         "button [--slot N] BUTTON FUNCTION [ARGS] | button [--slot N] BUTTON macro NAME [--mode MODE] "
         "[--count N] | button --list"),
     QStringLiteral("give button BUTTON of a stored profile a function (--list names the functions; BUTTON "
                    "is one of the mouse's buttons as the window numbers them, e.g. 0 for the left one)"),
     runButton});

} // namespace
