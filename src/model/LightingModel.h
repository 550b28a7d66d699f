#pragma once
// The lighting of a profile: the effect table (numbers, names, the controls
// each effect has, the command-line names), the ranges of brightness, speed
// and sleep time, the model whose lighting is one setting for every profile,
// and the arithmetic of the colour picker (hue bar, saturation/value square,
// hex field). The lighting page and `mousecfg-cli light` both edit a profile
// through these functions.

#include "ModelQuirks.h"
#include "ProfileTypes.h"

#include <QColor>
#include <QList>
#include <QString>

namespace LightingModel {

// ---------------------------------------------------------------------------
// Effects. The number is LedMode of the profile and the index of its
// LedModeSetting entry. Numbers 0 to 11 are offered; 12 and 13 have an entry
// but no name, and a profile or the mouse may still hold them.

enum Effect
{
    kEffectOff = 0,
    kEffectFullLighted = 1,
    kEffect7Color = 2,
    kEffectBreathing = 3,
    kEffect7ColorBreathing = 4,
    kEffectRainbow = 5,
    kEffectWave = 6,
    kEffectSingleWave = 7,
    kEffectYoYo = 8,
    kEffect7ColorTail = 9,
    kEffectReactive = 10,
    kEffectTriColor = 11,
    kOfferedEffectCount = 12
};

// The controls shown for an effect; the effect button is always shown.
enum Control
{
    kBrightnessControl = 1,
    kSpeedControl = 2,
    kColourControl = 4
};

bool isOffered(int effect);
// The Control bits of an offered effect; -1 for any other number.
int controls(int effect);
// Translation context of the effect names.
extern const char kTranslationContext[];
// The name as written in the source ("FULL LIGHTED"); empty without a name.
QString effectSourceName(int effect);
// The name through the translator.
QString effectName(int effect);
// The command-line name: lower case, blanks as dashes ("7-color-breathing").
QString cliName(int effect);
// An offered effect from its number or its command-line name (any case); -1
// when TEXT is neither.
int parseEffect(const QString &text);
// The effect menu from top to bottom: 1 to 11, then 0 ("OFF").
QList<int> menuOrder();

// ---------------------------------------------------------------------------
// Ranges, from the table and the device description.

struct Range
{
    int minimum;
    int maximum;
    bool contains(int value) const { return value >= minimum && value <= maximum; }
};
constexpr Range kBrightnessRange{1, 3};
constexpr Range kSpeedRange{1, 5};
// "PROFILE/SleepMin" to "PROFILE/SleepMax" (defaults 1 and 9), in minutes.
Range sleepRange();
// "PROFILE/ShowSleep": false hides the sleep time and "MOVE TO LIGHT OFF".
bool showSleep();

// ---------------------------------------------------------------------------
// The profile whose lighting is edited. A model with the shared-lighting quirk
// (ModelQuirks, "5960") has one lighting setting for all profiles: it is kept
// in slot 0, whichever slot is current.

using ModelQuirks::kSharedLightingModel;
int lightingSlot(const QString &productName, int currentSlot);
ProfileData &lightingProfile(ProfileSet &set, const QString &productName);

// ---------------------------------------------------------------------------
// Edits. Each returns false and changes nothing when a value is out of range.

// The entry of the profile's effect (entry 0 for a number past the table).
LedModeSetting &currentSetting(ProfileData &profile);
const LedModeSetting &currentSetting(const ProfileData &profile);
// Any number with an entry (0 to 13).
bool setEffect(ProfileData &profile, int effect);
// Brightness and speed of the current effect.
bool setBrightness(ProfileData &profile, int value);
bool setSpeed(ProfileData &profile, int value);
// The colour of entry ENTRY (0 to 13), made opaque; an invalid colour is refused.
bool setColour(ProfileData &profile, int entry, const QColor &colour);
// LedSleepTime within sleepRange().
bool setSleepTime(ProfileData &profile, int minutes);
// "MOVE TO LIGHT OFF": LedMoveOFF 0 when on, 255 when off.
constexpr uint8_t kMoveOffOn = 0;
constexpr uint8_t kMoveOffOff = 255;
bool moveOff(const ProfileData &profile);
void setMoveOff(ProfileData &profile, bool on);

// ---------------------------------------------------------------------------
// The colour picker. Positions are widget pixels at window scale SCALE.

// The hue bar is 128 × scale pixels high and starts 7 pixels down.
constexpr int kHueBarTop = 7;
constexpr int kPickerDesignSize = 128;
int hueBarHeight(double scale);
// Hue of a press at height Y: trunc(f × 360), f = 1 − (y − 7) / (128 × scale) in 0..1.
int hueAtBarY(int y, double scale);
int barYOfHue(int hue, double scale);

// The square is trunc(128 × scale) pixels wide. A press at (x, y) gives the
// pixel values s = x and v = size − y, each clamped to 0..size.
int squareSize(double scale);
struct SquareValues
{
    int s;
    int v;
};
SquareValues squareValuesAt(int x, int y, double scale);
// A pixel value of the square as saturation or value 0..255: 255 above
// 127 × scale, otherwise trunc(pixel × 2 / scale).
int squareToByte(int pixel, double scale);
// A hue of 360 or more is 0.
int normalisedHue(int hue);
// The pixel value of a saturation or value 0..255: half of it, times the
// scale, rounded (so that 255 reads back as 255).
int squarePixelOf(int byte, double scale);

// The hex field: six lower-case digits, two each for red, green and blue.
QString hexText(const QColor &colour);
// The colour of 1 to 6 typed hex digits, right-aligned into red, green and
// blue: 1-2 digits are blue, 3 the short form (abc = aabbcc), 4 green and
// blue, 5 one digit of red, 6 all three. False for anything else.
bool colourFromHex(const QString &digits, QColor *colour);
// The six-digit form the field shows when editing finishes ("" = "000000").
QString finishedHex(const QString &digits);

} // namespace LightingModel
