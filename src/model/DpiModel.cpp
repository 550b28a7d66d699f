#include "DpiModel.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "DpiEncoding.h"
#include "ModelQuirks.h"

#include <QtGlobal>

namespace DpiModel {

namespace {

SensorRule make(int minStep, int maxStep, int minDpi, int maxDpi, bool linkBox)
{
    SensorRule r;
    r.minStep = minStep;
    r.maxStep = maxStep;
    r.minDpi = minDpi;
    r.maxDpi = maxDpi;
    r.linkBox = linkBox;
    r.known = true;
    return r;
}

} // namespace

Sensor Sensor::fromConfiguration()
{
    Sensor s;
    s.model = AppConfig::sensorModel();
    s.wideRange = DeviceDescription::wideDpiRange();
    s.product = DeviceDescription::productName();
    return s;
}

SensorRule Sensor::rule() const
{
    return sensorRule(model, wideRange, product);
}

int Sensor::stepToDpi(int step) const
{
    return DpiModel::stepToDpi(model, step);
}

SensorRule sensorRule(int model, int wideRange, const QString &product)
{
    const bool wide = wideRange == 1;
    switch (model) {
    case 3104:
        return make(14, 105, 500, 4200, true);
    case 31042:
        return make(14, 158, 500, 8400, true);
    case 3212:
        return make(16, 111, 600, 7200, false);
    case 3311:
        return make(1, 120, 100, 12000, false);
    case 33112:
        return make(1, 180, 100, 24000, false);
    case 3325:
        return wide ? make(1, 90, 100, 16000, false) : make(1, 50, 100, 5000, false);
    case 33252:
        return wide ? make(1, 90, 100, 16000, false) : make(1, 75, 100, 10000, false);
    case 3327:
        return ModelQuirks::has(product, ModelQuirks::kSmall3327Range) ? make(1, 92, 200, 12400, false)
                                                                       : make(1, 106, 200, 16400, false);
    case 3333:
        return make(2, 120, 200, 16000, false);
    case 3335:
        return make(1, 160, 100, 16000, false);
    case 33352:
        return make(1, 240, 100, 32000, false);
    case 3360:
        return make(1, 180, 100, 24000, true);
    case 3370:
        return make(1, 290, 50, 19000, false);
    case 3389:
        return make(2, 480, 100, 32000, true);
    case 3395:
        return make(0, 519, 50, 26000, false);
    case 33952:
        return make(0, 779, 50, 52000, false);
    case 3399:
        return make(0, 599, 50, 40000, true);
    case 3809:
        return make(1, 90, 100, 12000, true);
    default:
        return SensorRule();
    }
}

int stepToDpi(int model, int step)
{
    // One conversion for the pages and the device layer.
    return DpiEncoding::stepToDpi(model, step);
}

int stepOfDpi(const Sensor &sensor, int dpi)
{
    const SensorRule rule = sensor.rule();
    if (!rule.known || dpi <= 0)
        return -1;
    for (int step = rule.minStep; step <= rule.maxStep; ++step) {
        if (sensor.stepToDpi(step) == dpi)
            return step;
    }
    return -1;
}

void nearestDpis(const Sensor &sensor, int dpi, int *below, int *above)
{
    *below = 0;
    *above = 0;
    const SensorRule rule = sensor.rule();
    if (!rule.known)
        return;
    for (int step = rule.minStep; step <= rule.maxStep; ++step) {
        const int d = sensor.stepToDpi(step);
        if (d < dpi && d > *below)
            *below = d;
        if (d > dpi && (*above == 0 || d < *above))
            *above = d;
    }
}

int shownStageCount(int described)
{
    return qBound(1, described, kDpiStageCount);
}

bool isStage(int stage)
{
    return stage >= 0 && stage < kDpiStageCount;
}

bool setSteps(ProfileData &profile, int stage, int x, int y)
{
    if (!isStage(stage))
        return false;
    DpiStage &s = profile.DPI_INFO[size_t(stage)];
    s.x = x;
    s.y = y;
    s.xy = x;
    return true;
}

bool setLinked(ProfileData &profile, int stage, bool linked)
{
    if (!isStage(stage))
        return false;
    DpiStage &s = profile.DPI_INFO[size_t(stage)];
    s.link = linked ? 1 : 0;
    if (linked && s.y != s.x)
        setSteps(profile, stage, s.x, s.x);
    return true;
}

bool setUsed(ProfileData &profile, int stage, bool used)
{
    if (!isStage(stage))
        return false;
    profile.DPI_INFO[size_t(stage)].used = used ? 1 : 0;
    return true;
}

bool setCurrentStage(ProfileData &profile, int stage)
{
    if (!isStage(stage))
        return false;
    profile.dpi = uint8_t(stage);
    return true;
}

} // namespace DpiModel
