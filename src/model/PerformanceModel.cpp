#include "PerformanceModel.h"

namespace PerformanceModel {

namespace {

struct RateRow
{
    int code;
    int hz;
};
constexpr RateRow kRates[kRateCount] = {{8, 125}, {4, 250}, {2, 500}, {1, 1000}};

const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");

} // namespace

int rateCode(int index)
{
    return index >= 0 && index < kRateCount ? kRates[index].code : 0;
}

int rateHz(int code)
{
    for (const RateRow &r : kRates) {
        if (r.code == code)
            return r.hz;
    }
    return 0;
}

int rateCodeOfHz(int hz)
{
    for (const RateRow &r : kRates) {
        if (r.hz == hz)
            return r.code;
    }
    return 0;
}

bool setRate(ProfileData &profile, int code)
{
    if (rateHz(code) == 0)
        return false;
    profile.pollrate = uint8_t(code);
    return true;
}

bool setScrollSpeed(ProfileData &profile, int speed)
{
    if (!kScrollSpeedRange.contains(speed))
        return false;
    profile.scrollspeed = uint8_t(speed);
    return true;
}

bool setPointerSpeed(ProfileData &profile, int speed)
{
    if (!kPointerSpeedRange.contains(speed))
        return false;
    profile.mousespeed = uint8_t(speed);
    return true;
}

uint8_t shownLift(int stored)
{
    return stored == 1 ? 1 : 2;
}

SensorSettings SensorSettings::fromValues(int sync, int lift, int angle, int jitter, int debounce)
{
    SensorSettings s;
    s.sync = sync != 0 ? 1 : 0;
    s.lift = shownLift(lift);
    s.angle = angle == 0 ? 0 : 1;
    s.jitter = jitter == 0 ? 0 : 1;
    s.debounce = uint8_t(kDebounceRange.clamped(debounce));
    return s;
}

SensorSettings SensorSettings::of(const ProfileSet &set)
{
    return fromValues(set.Sync, set.LiftHigh, set.AngleValue, set.Jitter, set.Debounce);
}

void SensorSettings::applyTo(ProfileSet &set) const
{
    set.Sync = sync;
    set.LiftHigh = lift;
    set.AngleValue = angle;
    set.Jitter = jitter;
    set.Debounce = debounce;
}

bool SensorSettings::setLift(int mm)
{
    if (!kLiftRange.contains(mm))
        return false;
    lift = uint8_t(mm);
    return true;
}

bool SensorSettings::setDebounce(int value)
{
    if (!kDebounceRange.contains(value))
        return false;
    debounce = uint8_t(value);
    return true;
}

QList<Option> options()
{
    const Range none{0, 0};
    return {
        {QStringLiteral("angle-snapping"), true, none, false, QStringLiteral("angle snapping")},
        {QStringLiteral("debounce"), false, kDebounceRange, false, QStringLiteral("key response")},
        {QStringLiteral("jitter"), true, none, false, QStringLiteral("jitter filtering")},
        {QStringLiteral("lift"), false, kLiftRange, false, QStringLiteral("lift-off distance in mm")},
        {QStringLiteral("pointer-speed"), false, kPointerSpeedRange, true,
         QStringLiteral("desktop pointer speed")},
        {QStringLiteral("scroll-speed"), false, kScrollSpeedRange, true, QStringLiteral("scroll speed")},
        {QStringLiteral("sync"), true, none, false, QStringLiteral("motion sync")},
    };
}

bool findOption(const QString &name, Option *option)
{
    for (const Option &o : options()) {
        if (o.name == name) {
            *option = o;
            return true;
        }
    }
    return false;
}

EditResult setOption(ProfileSet &set, ProfileData &profile, const QString &name, const QString &value)
{
    Option option;
    if (!findOption(name, &option))
        return EditResult::UnknownOption;
    bool on = false;
    int number = 0;
    if (option.onOff) {
        if (value != kOn && value != kOff)
            return EditResult::BadValue;
        on = value == kOn;
    } else {
        bool ok = false;
        number = value.toInt(&ok, 10);
        if (!ok || !option.range.contains(number))
            return EditResult::BadValue;
    }

    if (name == QLatin1String("scroll-speed"))
        return setScrollSpeed(profile, number) ? EditResult::Ok : EditResult::BadValue;
    if (name == QLatin1String("pointer-speed"))
        return setPointerSpeed(profile, number) ? EditResult::Ok : EditResult::BadValue;

    SensorSettings s = SensorSettings::of(set);
    bool ok = true;
    if (name == QLatin1String("sync"))
        s.setSync(on);
    else if (name == QLatin1String("angle-snapping"))
        s.setAngleSnapping(on);
    else if (name == QLatin1String("jitter"))
        s.setJitterFilter(on);
    else if (name == QLatin1String("lift"))
        ok = s.setLift(number);
    else if (name == QLatin1String("debounce"))
        ok = s.setDebounce(number);
    if (!ok)
        return EditResult::BadValue;
    s.applyTo(set);
    return EditResult::Ok;
}

} // namespace PerformanceModel
