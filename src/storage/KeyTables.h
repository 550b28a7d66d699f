#pragma once
// The program's key index (mostly PC scan codes, 0..242), its HID keyboard
// usage and its display name, standard or French.

#include <QString>

namespace KeyTables {

constexpr int kKeyIndexCount = 243; // key indexes 0..242
constexpr int kConversionPairs = 104;
constexpr int kKeyLeftButton = 240;
constexpr int kKeyRightButton = 241;
constexpr int kKeyMiddleButton = 242;

// HID usage of a key index; false (usage untouched) when it has none.
bool indexToUsage(int index, int &usage);
// Key index of a HID usage; false (index untouched) when it has none.
bool usageToIndex(int usage, int &index);

// Display name in the variant selected by the globals below.
QString keyName(int index);
// Display name in the given variant; empty for indexes without a name.
QString keyName(int index, bool french);

// The current language ID ("Config/LangID"), shared by the key names and fonts.
int currentLanguageId();
void setCurrentLanguageId(int langId);
// The language ID that uses the French names ("PROFILE/french"), -1 never.
int frenchLanguageId();
void setFrenchLanguageId(int langId);
// True when the French names are in use.
bool useFrenchNames();

} // namespace KeyTables
