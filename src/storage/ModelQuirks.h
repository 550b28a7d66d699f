#pragma once
// The models that differ from the rest in a detail, by the product name of the
// device description ("PROFILE/ProductName", compared exactly): one table for
// every page and command that asks.

#include <QString>
#include <QStringList>

namespace ModelQuirks {

enum Quirk
{
    // The 3327 sensor with the smaller range: steps 1 to 92 (200 to 12400 DPI).
    kSmall3327Range = 0x1,
    // The two extra markers over the mouse picture use the third and fourth
    // image pair (btn_up3/4, btn_down3/4).
    kAltMarkerImages = 0x2,
    // One lighting setting for every profile, kept in slot 1.
    kSharedLighting = 0x4,
};

// The model with one lighting setting for all profiles.
extern const char kSharedLightingModel[];

// The Quirk bits of model PRODUCT; 0 for a model not in the table.
int quirks(const QString &product);
inline bool has(const QString &product, Quirk quirk)
{
    return (quirks(product) & quirk) != 0;
}
// Every model the table names, in table order.
QStringList models();

} // namespace ModelQuirks
