#include "ModelQuirks.h"

namespace ModelQuirks {

const char kSharedLightingModel[] = "5960";

namespace {

struct Entry
{
    const char *product;
    int quirks;
};

constexpr int kSmallAlt = kSmall3327Range | kAltMarkerImages;

const Entry kTable[] = {
    {"VORANEL2", kAltMarkerImages},
    {"OSTRIK", kAltMarkerImages},
    {"DELVANE", kSmallAlt},
    {"TAVIR FPS", kAltMarkerImages},
    {"TAVIR", kAltMarkerImages},
    {"SOLVENTH", kAltMarkerImages},
    {"SOLVENTH3", kSmallAlt},
    {"BRISKEL", kSmallAlt},
    {"5915", kAltMarkerImages},
    {"Q604-RGB", kSmallAlt},
    {"5915-X6060", kAltMarkerImages},
    {"FENNORA", kAltMarkerImages},
    {"Q311", kAltMarkerImages},
    {"Q312", kAltMarkerImages},
    {"Q320-RGB", kAltMarkerImages},
    {"ALVERIN", kAltMarkerImages},
    {"Q321-PRO", kAltMarkerImages},
    {"Q321-RGB", kAltMarkerImages},
    {"Q321-RGB2", kAltMarkerImages},
    {"DRUMMEL2", kSmallAlt},
    {"WENDRIC2", kSmallAlt},
    {"TORVANE", kSmallAlt},
    {"Q408-RGB", kSmall3327Range},
    {"5968", kSmall3327Range},
    {kSharedLightingModel, kSharedLighting},
};

} // namespace

int quirks(const QString &product)
{
    for (const Entry &e : kTable) {
        if (product == QLatin1String(e.product))
            return e.quirks;
    }
    return 0;
}

QStringList models()
{
    QStringList names;
    for (const Entry &e : kTable)
        names << QString::fromLatin1(e.product);
    return names;
}

} // namespace ModelQuirks
