#include "ProfileDefaults.h"

#include "AppConfig.h"
#include "MacroFile.h"
#include "ProfileStore.h"

#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {

// Function code of a button that runs a gun file (a macro file too).
constexpr int kGunFileFun = 510;

// Used when the device description has no template.
constexpr int32_t kBuiltinDpiCodes[kDpiStageCount] = {8, 12, 16, 24, 50, 75, 0, 0};
constexpr int32_t kBuiltinButtonFuns[20] = {1, 2, 3, 4, 5, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kBuiltinSensor[DeviceDescription::kSensorDefaultCount] = {0, 0, 20, 0, 0, 1, 0};

bool sameButtonHead(const ButtonAssignment &a, const ButtonAssignment &b)
{
    return a.ID == b.ID && a.Fun == b.Fun && a.LoopNumber == b.LoopNumber && a.KeyNumber == b.KeyNumber &&
           a.Res1 == b.Res1 && a.Res2 == b.Res2 && a.Res3 == b.Res3 && a.Res4 == b.Res4;
}

bool generalDiffers(const ProfileSet &c, const ProfileSet &s)
{
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileData &a = c.profiles[size_t(i)];
        const ProfileData &b = s.profiles[size_t(i)];
        if (a.pollrate != b.pollrate || a.scrollspeed != b.scrollspeed)
            return true;
    }
    if (c.AngleValue != s.AngleValue || c.LiftHigh != s.LiftHigh || c.Sync != s.Sync ||
        c.Jitter != s.Jitter || c.Debounce != s.Debounce || c.Wake != s.Wake || c.SensorMode != s.SensorMode)
        return true;
    if (c.ProfileID != s.ProfileID)
        return true;
    const ProfileData &a = c.current();
    const ProfileData &b = s.current();
    return a.dpi != b.dpi || a.LedMode != b.LedMode || a.LedMoveOFF != b.LedMoveOFF ||
           a.LedSleepTime != b.LedSleepTime;
}

bool dpiDiffers(const ProfileSet &c, const ProfileSet &s)
{
    for (int i = 0; i < kProfileCount; ++i) {
        for (int k = 0; k < kDpiStageCount; ++k) {
            const DpiStage &a = c.profiles[size_t(i)].DPI_INFO[size_t(k)];
            const DpiStage &b = s.profiles[size_t(i)].DPI_INFO[size_t(k)];
            if (a.used != b.used || a.x != b.x || a.y != b.y)
                return true;
        }
    }
    return false;
}

// Buttons, in profile and button order; stops at the first difference. A
// macro button whose record is unchanged counts as changed when its file was
// saved since the last write; the file's flag is cleared then.
bool buttonsDiffer(const ProfileSet &c, const ProfileSet &s)
{
    for (int i = 0; i < kProfileCount; ++i) {
        for (int b = 0; b < kButtonCount; ++b) {
            const ButtonAssignment &x = c.profiles[size_t(i)].BUTTON_INFO[size_t(b)];
            const ButtonAssignment &y = s.profiles[size_t(i)].BUTTON_INFO[size_t(b)];
            if (!sameButtonHead(x, y))
                return true;
            if (x.Fun == kFunMacro || x.Fun == kGunFileFun) {
                if (x.macroname != y.macroname || x.KeyInfo != y.KeyInfo)
                    return true;
                if (MacroFile::readWriteSign(x.macroname) != 0) {
                    MacroFile::writeWriteSign(x.macroname, 0);
                    return true;
                }
            } else if (x.KeyInfo != y.KeyInfo) {
                return true;
            }
        }
    }
    return false;
}

bool lightingDiffers(const ProfileSet &c, const ProfileSet &s)
{
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileData &a = c.profiles[size_t(i)];
        const ProfileData &b = s.profiles[size_t(i)];
        if (a.LedMode != b.LedMode)
            return true;
        if (a.LedMode >= kLedModeCount) // no effect entry to compare
            continue;
        const LedModeSetting &x = a.LED_MODE[a.LedMode];
        const LedModeSetting &y = b.LED_MODE[b.LedMode];
        if (x != y)
            return true;
    }
    return false;
}

} // namespace

namespace ProfileDefaults {

void buildDefaultProfile(ProfileData &profile)
{
    ProfileData p;
    p.LedMoveOFF = 0;
    p.LedSleepTime = 0;
    p.pollrate = 1;
    p.dpi = 1;
    p.LedMode = 1;
    p.mousespeed = 10;
    p.dbclickspeed = 5;
    p.scrollispage = 0;
    p.scrollspeed = 1;
    p.accelenable = 1;
    p.acee = 1;

    DeviceDescription::ProfileTemplate t;
    if (DeviceDescription::loadTemplate(t) == 0) {
        p.pollrate = uint8_t(t.pollRate & 0xff);
        p.dpi = t.dpi < kDpiStageCount ? t.dpi : 0;
        p.LedMode = t.ledMode < kLedModeCount ? t.ledMode : 0;
        p.LedMoveOFF = t.ledMoveOff;
        p.LedSleepTime = t.ledSleepTime;
        for (int i = 0; i < kDpiStageCount; ++i) {
            DpiStage &d = p.DPI_INFO[size_t(i)];
            d.used = 1;
            d.link = 1;
            d.xy = d.x = d.y = t.dpiXY[size_t(i)];
        }
        for (int b = 0; b < kTemplateButtons; ++b) {
            const DeviceDescription::TemplateButton &src = t.buttons[size_t(b)];
            ButtonAssignment &a = p.BUTTON_INFO[size_t(b)];
            a.Fun = src.Fun; // the template's ID is not taken over
            a.LoopNumber = src.LoopNumber;
            a.KeyNumber = src.KeyNumber;
            a.Res1 = src.Res1;
            a.Res2 = src.Res2;
            a.Res3 = src.Res3;
            a.Res4 = src.Res4;
        }
        for (int m = 0; m < kLedModeCount; ++m) {
            LedModeSetting &l = p.LED_MODE[size_t(m)];
            l.RGB = t.ledModes[size_t(m)].RGB;
            l.h = 360;
            l.s = 0;
            l.v = 0;
            l.bright = t.ledModes[size_t(m)].bright;
            l.breath = t.ledModes[size_t(m)].breath;
        }
    } else {
        p.LedMode = 9;
        p.LedMoveOFF = 0;
        p.LedSleepTime = 1;
        for (int i = 0; i < kDpiStageCount; ++i) {
            DpiStage &d = p.DPI_INFO[size_t(i)];
            d.used = 1;
            d.link = 1;
            d.xy = d.x = d.y = kBuiltinDpiCodes[i];
        }
        for (int b = 0; b < 20; ++b)
            p.BUTTON_INFO[size_t(b)].Fun = kBuiltinButtonFuns[b];
        for (int m = 0; m < kLedModeCount; ++m) {
            LedModeSetting &l = p.LED_MODE[size_t(m)];
            l.RGB = m == 10 ? QColor(0, 255, 0) : QColor(255, 0, 0);
            l.h = 360;
            l.s = 0;
            l.v = 0;
            l.bright = 3;
            l.breath = 3;
        }
    }
    p.BUTTON_INFO[40].Fun = 52;
    p.BUTTON_INFO[41].Fun = 53;
    profile = p;
}

DeviceDescription::SensorDefaults defaultSensorBytes()
{
    DeviceDescription::SensorDefaults v;
    if (DeviceDescription::loadSensorDefaults(v) != 0)
        std::copy(std::begin(kBuiltinSensor), std::end(kBuiltinSensor), v.begin());
    return v;
}

QString defaultSlotName(int slot)
{
    return QStringLiteral("Profile %1").arg(slot + 1);
}

void setDefaultSensorBytes(ProfileSet &set)
{
    using namespace DeviceDescription;
    const SensorDefaults v = defaultSensorBytes();
    set.AngleValue = v[kSensorAngle];
    set.LiftHigh = v[kSensorLift];
    set.Jitter = v[kSensorJitter];
    set.Debounce = v[kSensorButtonDelay];
    set.Wake = v[kSensorWake];
    set.SensorMode = v[kSensorMode];
    set.Sync = v[kSensorSync];
}

void buildDefaultSet(ProfileSet &set)
{
    set.ProfileID = 0;
    setDefaultSensorBytes(set);
    buildDefaultProfile(set.profiles[0]);
    for (int i = 0; i < kProfileCount; ++i)
        set.names[size_t(i)] = defaultSlotName(i);
}

void resetAllProfiles(ProfileSet &set)
{
    buildDefaultSet(set);
    for (int i = 1; i < kProfileCount; ++i)
        set.profiles[size_t(i)] = set.profiles[0];
}

bool writeDefaultProfileFile(QString *errorText)
{
    ProfileData p;
    buildDefaultProfile(p);
    const QString path = ProfileStore::defaultProfilePath();
    // Written at every start: a template that already holds the whole default profile is left alone.
    ProfileData stored;
    bool complete = false;
    if (QFileInfo::exists(path) && ProfileStore::readProfileSection(0, stored, path, nullptr, &complete) &&
        complete && stored == p)
        return true;
    return ProfileStore::writeProfileSection(0, p, path, errorText);
}

int changeMask(const ProfileSet &current, const ProfileSet &lastSent)
{
    int mask = 0;
    if (generalDiffers(current, lastSent))
        mask |= kChangeGeneral;
    if (dpiDiffers(current, lastSent))
        mask |= kChangeDpi;
    if (buttonsDiffer(current, lastSent))
        mask |= kChangeButtons;
    if (lightingDiffers(current, lastSent))
        mask |= kChangeLighting;
    return mask;
}

} // namespace ProfileDefaults
