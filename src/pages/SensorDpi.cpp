#include "SensorDpi.h"

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

static int dpi3212(int a)
{
    if (a > 94) {
        const int v = ((a - 63) * 152 / 10) * 10;
        return v == 7290 ? 7200 : v;
    }
    if (a >= 64)
        return ((a - 32) * 76 / 10) * 10;
    const int v = (a * 38 / 10) * 10;
    switch (v) {
    case 790:
        return 800;
    case 1210:
        return 1200;
    case 1630:
        return 1600;
    case 2390:
        return 2400;
    default:
        return v;
    }
}

int stepToDpi(int model, int a)
{
    switch (model) {
    case 3104:
    case 31042:
        if (a >= 107)
            return 80 * a - 4240;
        return a == 14 ? 500 : 40 * a;
    case 3212:
        return dpi3212(a);
    case 3311:
    case 3360:
    case 33112:
        return a <= 120 ? 100 * a : 200 * a - 12000;
    case 3325:
    case 33252:
        if (a <= 50)
            return 100 * a;
        if (a <= 75)
            return 200 * a - 5000;
        return 400 * a - 20000;
    case 3327:
        if (a <= 61)
            return 100 * a + 100;
        if (a <= 92)
            return 200 * a - 6000;
        return a == 106 ? 16400 : 300 * a - 15300;
    case 3333:
        return a <= 80 ? 100 * a : 200 * a - 8000;
    case 3335:
    case 33352:
        return a <= 160 ? 100 * a : 200 * a - 16000;
    case 3370:
        return a <= 200 ? 50 * a : 100 * a - 10000;
    case 3389:
        return a <= 320 ? 50 * a : 100 * a - 16000;
    case 3395:
    case 33952:
        return a < 520 ? 50 * a + 50 : 100 * a - 25900;
    case 3399:
        return a < 400 ? 50 * a + 50 : 100 * a - 19900;
    case 3809:
        return a <= 60 ? 100 * a : 200 * a - 6000;
    default:
        return 0;
    }
}

} // namespace SensorDpi
