#pragma once
// The DPI steps of each sensor model: the slider range and the labels of the
// DPI page, and the conversion of a step index to the DPI it stands for.

#include <QString>

namespace SensorDpi {

struct Rule
{
    int minStep = 0;
    int maxStep = 0;
    int minDpi = 0;       // lowest DPI label
    int maxDpi = 0;       // highest DPI label
    bool linkBox = false; // the "Link XY" box is shown
    bool known = false;   // the model is in the table
};

// The slider range and labels of sensor MODEL. WIDERANGE is "PROFILE/33254"
// (1 selects the wide range of 3325/33252); PRODUCT the model name, which
// selects the smaller 3327 range. An unknown model gives a 0..0 range.
Rule rule(int model, int wideRange, const QString &product);

// True for the products that use the smaller 3327 range.
bool isSmall3327Product(const QString &product);

// The DPI shown for STEP of sensor MODEL; 0 for an unknown model.
int stepToDpi(int model, int step);

} // namespace SensorDpi
