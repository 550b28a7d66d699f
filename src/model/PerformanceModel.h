#pragma once
// The performance settings: the report rate and the desktop pointer and
// scroll speeds of a profile, and the sensor settings of the whole mouse (lift
// distance, angle snapping, jitter filtering, motion sync, key response). The
// performance panels and `mousecfg-cli rate` and `sensor` both edit through
// these functions.

#include "ProfileTypes.h"

#include <QList>
#include <QString>

namespace PerformanceModel {

struct Range
{
    int minimum;
    int maximum;
    bool contains(int value) const { return value >= minimum && value <= maximum; }
    int clamped(int value) const { return value < minimum ? minimum : (value > maximum ? maximum : value); }
};

// ---------------------------------------------------------------------------
// Report rate: the profile's pollrate code.

constexpr int kRateCount = 4;
// The codes in menu order (125, 250, 500, 1000 Hz): 8, 4, 2, 1; 0 past the table.
int rateCode(int index);
// The rate of a code in Hz; 0 for another code.
int rateHz(int code);
// The code of a rate in Hz; 0 for a rate not offered.
int rateCodeOfHz(int hz);
// A code of the table only.
bool setRate(ProfileData &profile, int code);

// ---------------------------------------------------------------------------
// Speeds kept with each profile.

constexpr Range kScrollSpeedRange{1, 20};
constexpr Range kPointerSpeedRange{1, 20};
bool setScrollSpeed(ProfileData &profile, int speed);
bool setPointerSpeed(ProfileData &profile, int speed);

// ---------------------------------------------------------------------------
// Sensor settings of the whole mouse, as the panels hold them: each value one
// of its pair, debounce within its range.

constexpr Range kDebounceRange{5, 30};
constexpr Range kLiftRange{1, 2}; // millimetres
// The lift distance a stored byte shows: 1 is 1 mm, anything else 2 mm.
uint8_t shownLift(int stored);

struct SensorSettings
{
    uint8_t sync = 0;   // 1 on, 0 off
    uint8_t lift = 2;   // 1 or 2 mm
    uint8_t angle = 1;  // 0 on, 1 off
    uint8_t jitter = 1; // 0 on, 1 off
    uint8_t debounce = uint8_t(kDebounceRange.minimum);

    // Stored bytes as the panels show them: sync non-zero is on, a lift other
    // than 1 is 2, angle and jitter other than 0 are off, debounce clamped.
    static SensorSettings fromValues(int sync, int lift, int angle, int jitter, int debounce);
    static SensorSettings of(const ProfileSet &set);
    // Into the sensor bytes of SET.
    void applyTo(ProfileSet &set) const;

    bool syncOn() const { return sync != 0; }
    bool angleSnappingOn() const { return angle == 0; }
    bool jitterFilterOn() const { return jitter == 0; }
    void setSync(bool on) { sync = on ? 1 : 0; }
    void setAngleSnapping(bool on) { angle = on ? 0 : 1; }
    void setJitterFilter(bool on) { jitter = on ? 0 : 1; }
    // False, and nothing changed, out of range.
    bool setLift(int mm);
    bool setDebounce(int value);
};

// ---------------------------------------------------------------------------
// The settings by name, as the command line offers them.

struct Option
{
    QString name;    // "lift", "angle-snapping" ...
    bool onOff;      // the value is on or off; otherwise a number in range
    Range range;     // numbers only
    bool perProfile; // kept with each profile, not for the whole mouse
    QString summary; // one line for the list
};
QList<Option> options();
// The option called NAME; false when there is none.
bool findOption(const QString &name, Option *option);

enum class EditResult
{
    Ok,
    UnknownOption,
    BadValue,
};
// Sets option NAME to VALUE ("on"/"off" or a number): in PROFILE for an option
// kept with each profile, otherwise in SET's sensor bytes (all five, as the
// panel stores them). Nothing changes unless the result is Ok.
EditResult setOption(ProfileSet &set, ProfileData &profile, const QString &name, const QString &value);

} // namespace PerformanceModel
