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

int indexForScreen(double logicalDpi, const QSize &available)
{
    int index = indexForDpi(logicalDpi);
    if (available.isEmpty())
        return index;
    while (index > 0 &&
           (expectedWidth(index) > available.width() || expectedHeight(index) > available.height()))
        --index;
    return index;
}

QPoint placeInside(const QRect &available, const QSize &size)
{
    if (!available.isValid())
        return QPoint(0, 0);
    int x = available.x() + (available.width() - size.width()) / 2;
    int y = available.y() + (available.height() - size.height()) / 2;
    // Right and bottom edges first, so that the top-left corner wins when
    // the window is larger than the area.
    x = qMax(available.x(), qMin(x, available.x() + available.width() - size.width()));
    y = qMax(available.y(), qMin(y, available.y() + available.height() - size.height()));
    return QPoint(x, y);
}

} // namespace ScaleTable
