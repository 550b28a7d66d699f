#include "LightingModel.h"

#include "DeviceDescription.h"
#include "ModelQuirks.h"

#include <QCoreApplication>

#include <cmath>

namespace LightingModel {

const char kTranslationContext[] = "MirtColorWindow";

namespace {

struct EffectRow
{
    const char *name;
    int controls;
};

constexpr int B = kBrightnessControl;
constexpr int S = kSpeedControl;
constexpr int C = kColourControl;

const EffectRow kEffects[kOfferedEffectCount] = {
    {QT_TRANSLATE_NOOP("MirtColorWindow", "OFF"), 0},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "FULL LIGHTED"), B | C},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "7 COLOR"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "BREATHING"), C},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "7 COLOR BREATHING"), S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "RAINBOW"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "WAVE"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "Single WAVE"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "yo-yo"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "7 COLOR with tail"), B | S},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "REACTIVE"), B | S | C},
    {QT_TRANSLATE_NOOP("MirtColorWindow", "Tri-color running"), B | S},
};

bool isHexDigits(const QString &text)
{
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool lower = c >= QLatin1Char('a') && c <= QLatin1Char('f');
        const bool upper = c >= QLatin1Char('A') && c <= QLatin1Char('F');
        if (!digit && !lower && !upper)
            return false;
    }
    return true;
}

} // namespace

bool isOffered(int effect)
{
    return effect >= 0 && effect < kOfferedEffectCount;
}

int controls(int effect)
{
    return isOffered(effect) ? kEffects[effect].controls : -1;
}

QString effectSourceName(int effect)
{
    return isOffered(effect) ? QString::fromLatin1(kEffects[effect].name) : QString();
}

QString effectName(int effect)
{
    return isOffered(effect) ? QCoreApplication::translate(kTranslationContext, kEffects[effect].name)
                             : QString();
}

QString cliName(int effect)
{
    return effectSourceName(effect).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
}

int parseEffect(const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber, 10);
    if (isNumber)
        return isOffered(number) ? number : -1;
    const QString wanted = text.trimmed().toLower();
    for (int i = 0; i < kOfferedEffectCount; ++i) {
        if (cliName(i) == wanted)
            return i;
    }
    return -1;
}

QList<int> menuOrder()
{
    QList<int> order;
    for (int i = 1; i < kOfferedEffectCount; ++i)
        order << i;
    order << kEffectOff;
    return order;
}

Range sleepRange()
{
    Range r{1, 9};
    DeviceDescription::sleepRange(&r.minimum, &r.maximum);
    return r;
}

bool showSleep()
{
    return DeviceDescription::showSleep() != 0;
}

int lightingSlot(const QString &productName, int currentSlot)
{
    if (ModelQuirks::has(productName, ModelQuirks::kSharedLighting))
        return 0;
    return currentSlot >= 0 && currentSlot < kProfileCount ? currentSlot : 0;
}

ProfileData &lightingProfile(ProfileSet &set, const QString &productName)
{
    return set.profiles[size_t(lightingSlot(productName, set.ProfileID))];
}

LedModeSetting &currentSetting(ProfileData &profile)
{
    return profile.LED_MODE[profile.LedMode < kLedModeCount ? profile.LedMode : 0];
}

const LedModeSetting &currentSetting(const ProfileData &profile)
{
    return profile.LED_MODE[profile.LedMode < kLedModeCount ? profile.LedMode : 0];
}

bool setEffect(ProfileData &profile, int effect)
{
    if (effect < 0 || effect >= kLedModeCount)
        return false;
    profile.LedMode = uint8_t(effect);
    return true;
}

bool setBrightness(ProfileData &profile, int value)
{
    if (!kBrightnessRange.contains(value))
        return false;
    currentSetting(profile).bright = value;
    return true;
}

bool setSpeed(ProfileData &profile, int value)
{
    if (!kSpeedRange.contains(value))
        return false;
    currentSetting(profile).breath = value;
    return true;
}

bool setColour(ProfileData &profile, int entry, const QColor &colour)
{
    if (entry < 0 || entry >= kLedModeCount || !colour.isValid())
        return false;
    QColor opaque = colour.toRgb();
    opaque.setAlpha(255);
    profile.LED_MODE[size_t(entry)].RGB = opaque;
    return true;
}

bool setSleepTime(ProfileData &profile, int minutes)
{
    if (!sleepRange().contains(minutes) || minutes > 255)
        return false;
    profile.LedSleepTime = uint8_t(minutes);
    return true;
}

bool moveOff(const ProfileData &profile)
{
    return profile.LedMoveOFF == kMoveOffOn;
}

void setMoveOff(ProfileData &profile, bool on)
{
    profile.LedMoveOFF = on ? kMoveOffOn : kMoveOffOff;
}

int hueBarHeight(double scale)
{
    return int(kPickerDesignSize * scale);
}

int hueAtBarY(int y, double scale)
{
    const double f = qBound(0.0, 1.0 - (y - kHueBarTop) / (kPickerDesignSize * scale), 1.0);
    return int(f * 360);
}

int barYOfHue(int hue, double scale)
{
    const double f = 1.0 - qBound(0, hue, 360) / 360.0;
    return kHueBarTop + int(std::lround(f * kPickerDesignSize * scale));
}

int squareSize(double scale)
{
    return int(kPickerDesignSize * scale);
}

SquareValues squareValuesAt(int x, int y, double scale)
{
    const int size = squareSize(scale);
    return {qBound(0, x, size), qBound(0, size - y, size)};
}

int squareToByte(int pixel, double scale)
{
    if (pixel > 127 * scale)
        return 255;
    return int(pixel * 2 / scale);
}

int normalisedHue(int hue)
{
    return hue >= 360 ? 0 : hue;
}

int squarePixelOf(int byte, double scale)
{
    return int(std::lround(byte / 2.0 * scale));
}

QString hexText(const QColor &colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'));
}

bool colourFromHex(const QString &digits, QColor *colour)
{
    if (digits.isEmpty() || digits.size() > 6 || !isHexDigits(digits))
        return false;
    QString six = digits;
    if (six.size() == 3) {
        six.clear();
        for (const QChar c : digits)
            six += QString(2, c);
    }
    const uint value = six.toUInt(nullptr, 16);
    if (colour)
        *colour = QColor(int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff));
    return true;
}

QString finishedHex(const QString &digits)
{
    QColor colour(0, 0, 0);
    colourFromHex(digits, &colour);
    return hexText(colour);
}

} // namespace LightingModel
