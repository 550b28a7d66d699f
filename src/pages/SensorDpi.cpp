#include "SensorDpi.h"

#include "DpiEncoding.h"

#include <QStringList>

namespace SensorDpi {

bool isSmall3327Product(const QString &product)
{
    static const QStringList names = {
        QStringLiteral("Q408-RGB"),  QStringLiteral("DELVANE"),  QStringLiteral("5968"),
        QStringLiteral("SOLVENTH3"), QStringLiteral("BRISKEL"),  QStringLiteral("Q604-RGB"),
        QStringLiteral("DRUMMEL2"),  QStringLiteral("WENDRIC2"), QStringLiteral("TORVANE"),
    };
    return names.contains(product);
}

Rule rule(int model, int wideRange, const QString &product)
{
    auto make = [](int minStep, int maxStep, int minDpi, int maxDpi, bool linkBox) {
        Rule r;
        r.minStep = minStep;
        r.maxStep = maxStep;
        r.minDpi = minDpi;
        r.maxDpi = maxDpi;
        r.linkBox = linkBox;
        r.known = true;
        return r;
    };
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
        return isSmall3327Product(product) ? make(1, 92, 200, 12400, false) : make(1, 106, 200, 16400, false);
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
        return Rule();
    }
}

int stepToDpi(int model, int a)
{
    // One rule for the page and the device layer.
    return DpiEncoding::stepToDpi(model, a);
}

} // namespace SensorDpi
