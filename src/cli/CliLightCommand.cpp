// light: the lighting of a stored profile, edited as the lighting page does.

#include "CliCommand.h"
#include "CliProfileEdit.h"

#include "DeviceDescription.h"
#include "LightingModel.h"
#include "ProfileStore.h"

using namespace LightingModel;

namespace {

const QString kUsage = QStringLiteral(
    "mousecfg-cli: usage: light [--slot N] EFFECT [--brightness 1-3] [--speed 1-5] [--colour RRGGBB] "
    "[--sleep MINUTES] [--move-off on|off]");

QString effectList()
{
    QStringList names;
    for (int n = 0; n < kOfferedEffectCount; ++n)
        names << cliName(n);
    return names.join(QStringLiteral(", "));
}

int runLight(const CliContext &, const QStringList &args)
{
    // Options and their values first; nothing is stored unless all of them are valid.
    int slot = -1;
    int effect = -1;
    bool haveEffect = false;
    int brightness = 0, speed = 0, sleep = 0;
    bool setBright = false, setSpd = false, setSleep = false, setColourValue = false, setMove = false;
    bool moveOn = false;
    QColor colour;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a.startsWith(QLatin1String("--")) && !hasValue)
            return cliUsageError(kUsage);
        if (a == QLatin1String("--slot")) {
            if (!cliNumber(args.at(++i), &slot) || slot < 1 || slot > kProfileCount)
                return cliRefuse(QStringLiteral("--slot must be 1 to %1").arg(kProfileCount));
        } else if (a == QLatin1String("--brightness")) {
            setBright = true;
            if (!cliNumber(args.at(++i), &brightness) || !kBrightnessRange.contains(brightness))
                return cliRefuse(QStringLiteral("--brightness must be %1 to %2")
                                     .arg(kBrightnessRange.minimum)
                                     .arg(kBrightnessRange.maximum));
        } else if (a == QLatin1String("--speed")) {
            setSpd = true;
            if (!cliNumber(args.at(++i), &speed) || !kSpeedRange.contains(speed))
                return cliRefuse(QStringLiteral("--speed must be %1 to %2")
                                     .arg(kSpeedRange.minimum)
                                     .arg(kSpeedRange.maximum));
        } else if (a == QLatin1String("--sleep")) {
            setSleep = true;
            const Range r = sleepRange();
            if (!cliNumber(args.at(++i), &sleep) || !r.contains(sleep))
                return cliRefuse(
                    QStringLiteral("--sleep must be %1 to %2 minutes").arg(r.minimum).arg(r.maximum));
        } else if (a == QLatin1String("--colour") || a == QLatin1String("--color")) {
            setColourValue = true;
            QString digits = args.at(++i);
            if (digits.startsWith(QLatin1Char('#')))
                digits.remove(0, 1);
            // Exactly six digits: the field's short forms (ff, abc) would be guesses here.
            if (digits.size() != 6 || !colourFromHex(digits, &colour))
                return cliUsageError(QStringLiteral("mousecfg-cli: --colour must be six hex digits RRGGBB, "
                                                    "not \"%1\"")
                                         .arg(args.at(i)));
        } else if (a == QLatin1String("--move-off")) {
            setMove = true;
            const QString v = args.at(++i);
            if (v != QLatin1String("on") && v != QLatin1String("off"))
                return cliRefuse(QStringLiteral("--move-off must be on or off"));
            moveOn = v == QLatin1String("on");
        } else if (a.startsWith(QLatin1String("--")) || haveEffect) {
            return cliUsageError(kUsage);
        } else {
            haveEffect = true;
            effect = parseEffect(a);
            if (effect < 0)
                return cliRefuse(QStringLiteral("unknown effect \"%1\"; use 0 to %2 or one of: %3")
                                     .arg(a)
                                     .arg(kOfferedEffectCount - 1)
                                     .arg(effectList()));
        }
    }
    if (!haveEffect)
        return cliUsageError(kUsage);
    // The page offers only the controls of the effect; so does the command.
    const struct
    {
        bool given;
        int control;
        const char *option;
    } wanted[] = {{setBright, kBrightnessControl, "--brightness"},
                  {setSpd, kSpeedControl, "--speed"},
                  {setColourValue, kColourControl, "--colour"}};
    for (const auto &w : wanted) {
        if (w.given && !(controls(effect) & w.control))
            return cliRefuse(QStringLiteral("%1 does not apply to the effect %2")
                                 .arg(QLatin1String(w.option), cliName(effect)));
    }

    ProfileSet set = cliLoadStoredSet();
    // The profile the page would show for that slot (model 5960: always slot 1).
    const int chosen = slot > 0 ? slot - 1 : set.ProfileID;
    ProfileData &profile = set.profiles[size_t(lightingSlot(DeviceDescription::productName(), chosen))];

    // As the page does it: the effect first, then the controls of that effect.
    setEffect(profile, effect);
    if (setBright)
        setBrightness(profile, brightness);
    if (setSpd)
        setSpeed(profile, speed);
    if (setColourValue)
        setColour(profile, effect, colour);
    if (setSleep)
        setSleepTime(profile, sleep);
    if (setMove)
        setMoveOff(profile, moveOn);

    return cliSaveStoredSet(set);
}

CliRegistrar lightCommand(
    {QStringLiteral("light"),
     QStringLiteral(
         "light [--slot N] EFFECT [--brightness 1-3] [--speed 1-5] [--colour RRGGBB] [--sleep MINUTES] "
         "[--move-off on|off]"),
     QStringLiteral("set the lighting of a stored profile (EFFECT: 0 to 11 or its name, e.g. breathing)"),
     runLight});

} // namespace
