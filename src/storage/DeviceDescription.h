#pragma once
// Read-only accessors over DefaultProfile.bin, the description of the mouse
// model this copy serves. Every call reads the file again, but parses it only
// when its bytes differ from the last parse; a missing file yields each key's
// default (the loaders return -1 and leave their output).

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

namespace DeviceDescription {

// Indexes of the seven default sensor bytes filled by loadSensorDefaults().
enum SensorDefault
{
    kSensorLift = 0,        // "lift", default 0
    kSensorAngle = 1,       // "angle", default 0
    kSensorButtonDelay = 2, // "butondelay", default 20
    kSensorJitter = 3,      // "jitter", default 0
    kSensorWake = 4,        // "wake", default 0
    kSensorMode = 5,        // "sensormode", default 1
    kSensorSync = 6,        // "sync", default 0
    kSensorDefaultCount = 7
};

using ButtonMatrix = std::array<uint8_t, 16>;
using SensorDefaults = std::array<uint8_t, kSensorDefaultCount>;

// One factory button: the first fields of a ButtonAssignment.
struct TemplateButton
{
    int32_t ID = 0;
    int32_t Fun = 0;
    int32_t LoopNumber = 0;
    int32_t KeyNumber = 0;
    uint8_t Res1 = 0;
    uint8_t Res2 = 0;
    uint8_t Res3 = 0;
    uint8_t Res4 = 0;
};

// One factory lighting effect.
struct TemplateLedMode
{
    QColor RGB; // invalid when missing
    int32_t bright = 0;
    int32_t breath = 0;
};

// The factory settings of the model, filled by loadTemplate().
struct ProfileTemplate
{
    uint8_t reserved = 0;
    uint8_t dpi = 0;
    std::array<int32_t, 8> dpiXY{};
    int32_t pollRate = 0;
    uint8_t ledMode = 0;
    uint8_t style = 0;
    std::array<uint8_t, 4> fontSize{};
    uint8_t buttonCount = 0; // raw, masked value of "PROFILE/ButtonCount"
    std::array<QString, 4> fontName{};
    QColor fontColor;
    QString backPic;
    QString companyName;
    QString productName;
    QString folderPath;
    std::array<uint8_t, 4> lang{};
    std::array<TemplateLedMode, 14> ledModes{};
    std::array<TemplateButton, 16> buttons{};
    uint8_t ledMoveOff = 255;
    uint8_t ledSleepTime = 1;
};

// Full path of the file (Paths::deviceDescriptionFile()).
QString filePath();
// True when the file exists.
bool exists();

// "PROFILE/ProductName": the model name (empty when missing).
QString productName();
// Unmasked button count: ButtonCount XOR MouseDpi.
int buttonCount();
// Unmasked DPI-stage count: ButtonCount XOR MouseDpi XOR DPICount.
int dpiStageCount();
// "PROFILE/Version".
QString version();
// "PROFILE/DisableMacro": non-zero hides the macro page and macro entries.
int disableMacro();
// "PROFILE/ShowSleep", default 1.
int showSleep();
// "PROFILE/SleepMin" (default 1) and "PROFILE/SleepMax" (default 9), ordered.
void sleepRange(int *minimum, int *maximum);
// "PROFILE/ScrollRev": 1 swaps the device slots of buttons 14 and 15.
int scrollRev();
// "PROFILE/MinDelay": macro delay unit in ms, default 1, never below 1.
int minDelay();
// "PROFILE/33254": 1 selects the wide DPI range.
int wideDpiRange();
// "PROFILE/ColorMode": 0 standard widget colours, otherwise the alternative.
int colorMode();
// "PROFILE/ledDisable": non-zero leaves out "LED SWITCH".
int ledDisable();
// "PROFILE/SyncMode": model variant of the sensor settings.
int syncMode();
// "PROFILE/french": language ID that uses the French key names, -1 never.
int french();
// "PROFILE/showMouseButton", default 1.
int showMouseButton();
// "PROFILE/CloseWindow": 0 hides the window on close, otherwise quits.
int closeWindow();

// First button matrix ("BUTTON_INFO_%d_Matrix", 0..15). Entries above 15 read
// as their own index so they never point past the 16 slots. 0, or -1 without file.
int loadMatrix(ButtonMatrix &matrix);
// Second matrix ("BUTTON_INFO_%d_Matrix2"), 255 marks an empty position.
// Returns the unmasked button count, or -1 without file.
int loadMatrix2(ButtonMatrix &matrix);
// The seven default sensor bytes in SensorDefault order. 0, or -1 without file.
int loadSensorDefaults(SensorDefaults &values);
// The factory template. 0, or -1 without file (record untouched).
int loadTemplate(ProfileTemplate &tmpl);

} // namespace DeviceDescription
