#pragma once
// Binding a macro or gun file to a button, and building a gun file: the rules
// of the macro select and gun set dialogs, free of widgets, shared with
// `mousecfg-cli button BUTTON macro NAME`.

#include "DeviceDescription.h"
#include "ProfileTypes.h"

#include <QString>
#include <QVector>

namespace MacroSelection {

// Run modes of a macro button (Res1).
enum RunMode
{
    kLoopTimes = 0,
    kRepeatWhileDown = 1,
    kRepeatUntilDown = 2
};

constexpr int kLoopMin = 1;
constexpr int kLoopMax = 255;
constexpr int kShotsMax = 5;

// Translation context and source texts of the messages (title "Warning").
extern const char kContext[];
extern const char kLeftButtonNoGun[];
extern const char kNoFileName[];
QString tr(const char *text);

// What the selection dialog starts with and returns.
struct Choice
{
    QString name;
    int loopCount = 1;
    int runMode = kLoopTimes;
    int leftButtonOption = 0; // 1: "Left Button Macro"
};
// The record's own values when it already runs FUN, else the empty choice.
Choice initialChoice(const ButtonAssignment &record, int fun);
// Writes the choice into the record (option 1 forces run mode 0 and one loop)
// and copies at most 84 events of the macro file into its key list; later
// entries keep their bytes. A missing file gives 0 events.
void applyChoice(ButtonAssignment &record, int fun, const Choice &choice);

// One shot of a gun file.
struct Shot
{
    int delayMs = 100; // 1 to 999
    int y = 0;         // -100 to 100
    int x = 0;         // -100 to 100
};
// Click, the Y and X moves that are not 0, and the delay per shot. The delay
// count is ms / delayUnit, as in a recording: the editor shows and the mouse
// plays the milliseconds typed.
QVector<MacroEvent> gunEvents(const QVector<Shot> &shots, int delayUnit = DeviceDescription::minDelay());
// Writes the gun file under NAME, or NAME_2, NAME_3 ... when taken, and adds
// it to the library. finalName receives the name used.
bool writeGunFile(const QString &name, const QVector<Shot> &shots, int delayUnit, QString *finalName,
                  QString *errorText = nullptr);

} // namespace MacroSelection
