#pragma once
// The window scale factor: 1.0 to 5.0 in steps of 0.25, chosen from the
// screen's logical DPI. Every geometry of the window is a design value on the
// 999 × 640 canvas multiplied by the factor and truncated.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace ScaleTable {

constexpr int kDesignWidth = 999;
constexpr int kDesignHeight = 640;
constexpr int kIndexCount = 17; // 0 = 1.0 … 16 = 5.0

// The factor of an index (0..16); indexes outside are clamped.
double factorOf(int index);
// The index for r = logical DPI ÷ 96: the first row whose bound exceeds r
// (1.1, 1.4, 1.6, 1.8, 2.1, … 4.8), 16 otherwise.
int indexForRatio(double ratio);
int indexForDpi(double logicalDpi);
// int(999 × factor), int(640 × factor).
int expectedWidth(int index);
int expectedHeight(int index);
// A window exactly as wide as 999, 1248, 1498 or 1748 (±9 pixels) snaps
// back to index 0, 1, 2 or 3; -1 when the width matches none of them.
int indexForWidth(int width);

// The index for a screen of LOGICALDPI whose free area (without panels and
// docks) is AVAILABLE: the DPI's own index, one step smaller while the window
// at it would not fit the area, never below 0 (1.0). An empty area (no screen
// known) fits every window.
int indexForScreen(double logicalDpi, const QSize &available);
// Where a window of SIZE opens on the free area AVAILABLE: centred, then moved
// inside it. A window larger than the area keeps its top-left corner, where
// its title and buttons are, on the area.
QPoint placeInside(const QRect &available, const QSize &size);

} // namespace ScaleTable
