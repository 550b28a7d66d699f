#pragma once
// The in-memory image of what the program writes to the mouse: five profiles
// plus the sensor settings shared by all of them. Plain records with
// fixed-size arrays, copied whole.

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

constexpr int kProfileCount = 5;
constexpr int kDpiStageCount = 8;
constexpr int kButtonCount = 42;     // button positions per profile
constexpr int kKeyInfoCount = 84;    // key-list entries per button
constexpr int kLedModeCount = 14;    // lighting effects per profile
constexpr int kMatrixSize = 16;      // entries of a button matrix
constexpr int kTemplateButtons = 16; // buttons in the factory template
constexpr int kMacroListSize = 50;   // macro library entries
constexpr int kLanguageSlots = 10;   // entries of the language table

// Function code of a button that runs a macro.
constexpr int kFunMacro = 200;

struct DpiStage
{
    uint8_t used = 0;
    uint8_t link = 0;
    int32_t xy = 0;
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const DpiStage &o) const
    {
        return used == o.used && link == o.link && xy == o.xy && x == o.x && y == o.y;
    }
    bool operator!=(const DpiStage &o) const { return !(*this == o); }
};

struct KeyInfo
{
    uint8_t map = 0;
    uint8_t key = 0;
    uint8_t H = 0;

    bool operator==(const KeyInfo &o) const { return map == o.map && key == o.key && H == o.H; }
    bool operator!=(const KeyInfo &o) const { return !(*this == o); }
};

struct ButtonAssignment
{
    int32_t ID = 0;
    int32_t Fun = 0;
    int32_t LoopNumber = 0;
    int32_t KeyNumber = 0;
    std::array<::KeyInfo, kKeyInfoCount> KeyInfo{};
    uint8_t Res1 = 0;
    uint8_t Res2 = 0;
    uint8_t Res3 = 0;
    uint8_t Res4 = 0;
    QString macroname;

    bool operator==(const ButtonAssignment &o) const
    {
        return ID == o.ID && Fun == o.Fun && LoopNumber == o.LoopNumber && KeyNumber == o.KeyNumber &&
               KeyInfo == o.KeyInfo && Res1 == o.Res1 && Res2 == o.Res2 && Res3 == o.Res3 && Res4 == o.Res4 &&
               macroname == o.macroname;
    }
    bool operator!=(const ButtonAssignment &o) const { return !(*this == o); }
};

struct LedModeSetting
{
    QColor RGB; // invalid unless set
    int32_t h = 0;
    int32_t s = 0;
    int32_t v = 0;
    int32_t bright = 0;
    int32_t breath = 0;

    bool operator==(const LedModeSetting &o) const
    {
        return RGB == o.RGB && h == o.h && s == o.s && v == o.v && bright == o.bright && breath == o.breath;
    }
    bool operator!=(const LedModeSetting &o) const { return !(*this == o); }
};

struct ProfileData
{
    uint8_t pollrate = 0;
    uint8_t dpi = 0; // current DPI stage
    uint8_t LedMode = 0;
    uint8_t LedMoveOFF = 255;
    uint8_t LedSleepTime = 1;
    std::array<DpiStage, kDpiStageCount> DPI_INFO{};
    uint8_t mousespeed = 0;
    uint8_t dbclickspeed = 0;
    uint8_t scrollispage = 0;
    uint8_t scrollspeed = 0;
    uint8_t accelenable = 0;
    uint8_t acee = 0;
    std::array<ButtonAssignment, kButtonCount> BUTTON_INFO{};
    std::array<LedModeSetting, kLedModeCount> LED_MODE{};
    QString ProfileName;
    QString ProfilePath;

    bool operator==(const ProfileData &o) const
    {
        return pollrate == o.pollrate && dpi == o.dpi && LedMode == o.LedMode && LedMoveOFF == o.LedMoveOFF &&
               LedSleepTime == o.LedSleepTime && DPI_INFO == o.DPI_INFO && mousespeed == o.mousespeed &&
               dbclickspeed == o.dbclickspeed && scrollispage == o.scrollispage &&
               scrollspeed == o.scrollspeed && accelenable == o.accelenable && acee == o.acee &&
               BUTTON_INFO == o.BUTTON_INFO && LED_MODE == o.LED_MODE && ProfileName == o.ProfileName &&
               ProfilePath == o.ProfilePath;
    }
    bool operator!=(const ProfileData &o) const { return !(*this == o); }
};

struct ProfileSet
{
    uint8_t ProfileID = 0; // current slot, 0 to 4
    std::array<ProfileData, kProfileCount> profiles{};
    uint8_t AngleValue = 0;
    uint8_t LiftHigh = 0;
    uint8_t Sync = 0;
    uint8_t Count = 0;
    uint8_t Jitter = 0;
    uint8_t Debounce = 0;
    uint8_t Wake = 0;
    uint8_t SensorMode = 0;
    std::array<QString, kProfileCount> names{};

    bool operator==(const ProfileSet &o) const
    {
        return ProfileID == o.ProfileID && profiles == o.profiles && AngleValue == o.AngleValue &&
               LiftHigh == o.LiftHigh && Sync == o.Sync && Count == o.Count && Jitter == o.Jitter &&
               Debounce == o.Debounce && Wake == o.Wake && SensorMode == o.SensorMode && names == o.names;
    }
    bool operator!=(const ProfileSet &o) const { return !(*this == o); }

    // The profile of the current slot (clamped, so a stray slot never indexes past the table).
    ProfileData &current() { return profiles[ProfileID < kProfileCount ? ProfileID : 0]; }
    const ProfileData &current() const { return profiles[ProfileID < kProfileCount ? ProfileID : 0]; }
};

// One macro step: type, high, low.
struct MacroEvent
{
    uint8_t type = 0;
    uint8_t high = 0;
    uint8_t low = 0;

    bool operator==(const MacroEvent &o) const { return type == o.type && high == o.high && low == o.low; }
    bool operator!=(const MacroEvent &o) const { return !(*this == o); }
};
