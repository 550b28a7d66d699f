#pragma once
// The DPI stages of a profile: the steps of each sensor model (slider range,
// the DPI a step stands for, the "Link XY" box), the stages shown, and the
// edits of a stage (its X and Y steps, linked or apart, in use or not) and of
// the current stage. Values are the sensor's step indexes. The DPI page and
// `mousecfg-cli dpi` both edit a profile through these functions.

#include "ProfileTypes.h"

#include <QString>

namespace DpiModel {

// ---------------------------------------------------------------------------
// Sensors.

struct SensorRule
{
    int minStep = 0;
    int maxStep = 0;
    int minDpi = 0;       // DPI of minStep, the slider's lower label
    int maxDpi = 0;       // DPI of maxStep, the upper label
    bool linkBox = false; // the "Link XY" box is offered
    bool known = false;   // the model is in the table
    bool contains(int step) const { return known && step >= minStep && step <= maxStep; }
};

// The sensor of the mouse: its model number ("MouseSenSor/1"), the wide-range
// switch ("PROFILE/33254": 1 selects the wide range of 3325 and 33252) and the
// product name (the quirk table picks the smaller 3327 range by it).
struct Sensor
{
    int model = 0;
    int wideRange = 0;
    QString product;

    // From the configuration and the device description.
    static Sensor fromConfiguration();
    SensorRule rule() const;
    int stepToDpi(int step) const;
};

// An unknown model gives an empty rule (0..0, not known).
SensorRule sensorRule(int model, int wideRange, const QString &product);
// The DPI step STEP of sensor MODEL stands for; 0 for an unknown model.
int stepToDpi(int model, int step);
// The step of SENSOR's range that stands for DPI; -1 when none does.
int stepOfDpi(const Sensor &sensor, int dpi);
// The DPI values of SENSOR's range next to DPI: the highest below it and the
// lowest above it (0 when there is none on that side).
void nearestDpis(const Sensor &sensor, int dpi, int *below, int *above);

// ---------------------------------------------------------------------------
// Stages.

// The stages shown for a described count ("PROFILE/DPICount"): 1 to 8. All
// eight stay in the profile.
int shownStageCount(int described);
bool isStage(int stage); // 0 to 7

// As a stage's slider: X and Y steps (the common value follows X). False for
// a stage past the table.
bool setSteps(ProfileData &profile, int stage, int x, int y);
// "Link XY": linked again, Y follows X.
bool setLinked(ProfileData &profile, int stage, bool linked);
// The stage's enable box.
bool setUsed(ProfileData &profile, int stage, bool used);
// The current stage (the profile's dpi).
bool setCurrentStage(ProfileData &profile, int stage);

} // namespace DpiModel
