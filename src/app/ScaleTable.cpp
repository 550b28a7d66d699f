#include "ScaleTable.h"

#include <cmath>
#include <cstdlib>

namespace ScaleTable {

namespace {
// Upper bounds of r for indexes 0..15; anything beyond is index 16.
constexpr double kBounds[kIndexCount - 1] = {1.1, 1.4, 1.6, 1.8, 2.1, 2.3, 2.6, 2.8,
                                             3.1, 3.3, 3.6, 3.8, 4.1, 4.3, 4.6, 4.8};
constexpr int kSnapWidths[] = {999, 1248, 1498, 1748};
constexpr int kSnapTolerance = 9;
} // namespace

double factorOf(int index)
{
    if (index < 0)
        index = 0;
    if (index >= kIndexCount)
        index = kIndexCount - 1;
    return 1.0 + 0.25 * index;
}

int indexForRatio(double ratio)
{
    if (std::isnan(ratio))
        return 0;
    for (int i = 0; i < kIndexCount - 1; ++i) {
        if (ratio + 1e-9 < kBounds[i]) // r = 105.6 / 96 is 1.1, not 1.0999…
            return i;
    }
    return kIndexCount - 1;
}

int indexForDpi(double logicalDpi)
{
    return indexForRatio(logicalDpi / 96.0);
}

int expectedWidth(int index)
{
    return int(kDesignWidth * factorOf(index));
}

int expectedHeight(int index)
{
    return int(kDesignHeight * factorOf(index));
}

int indexForWidth(int width)
{
    for (int i = 0; i < int(sizeof(kSnapWidths) / sizeof(kSnapWidths[0])); ++i) {
        if (std::abs(width - kSnapWidths[i]) <= kSnapTolerance)
            return i;
    }
    return -1;
}

} // namespace ScaleTable
