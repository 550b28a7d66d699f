#pragma once
// The program's writable configuration: the global "Config.ini", the language
// choice "LangConfig.ini" and the per-model "MODEL/Config.ini" that lists the
// profile library. Every accessor opens its file, reads or writes, and closes
// it again; nothing is cached. A missing file or key yields the default.

#include "ProfileTypes.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>

namespace AppConfig {

constexpr int kProfileLibraryMax = 200; // entries of the profile library list

// The ten name/file pairs of the language table plus the number in use.
struct LanguageTable
{
    int count = 0;                               // "FONT_LIST/LANGNUM"
    std::array<QString, kLanguageSlots> names{}; // "FONT_LIST/LangName_n"
    std::array<QString, kLanguageSlots> files{}; // "FONT_LIST/LangFile_n"
};

// The configuration folder (Paths::configDir()).
QString configDir();
// Full path of "Config.ini" in the configuration folder.
QString globalConfigFile();
// Full path of "LangConfig.ini" in the configuration folder.
QString langConfigFile();
// Full path of "MODEL/Config.ini"; an empty model gives the global file. Empty
// string (and errorText set) when the model name cannot be a folder name.
QString modelConfigFile(const QString &model, QString *errorText = nullptr);

// "Config/ProfileID", the current profile slot (0 when missing or out of 0..4).
int readProfileID();
// Writes "Config/ProfileID".
void setCurrentSlot(int slot);
// Writes "Config/ProfileID", "Config/Count" and the five "Config/Profile%d"
// names; false (with errorText) when Config.ini could not be written.
bool saveSlotNames(const ProfileSet &set, QString *errorText = nullptr);

// "Config/Diff": 1 when the mouse may hold settings other than the stored ones.
int readDiff();
// Writes "Config/Diff".
void writeDiff(int diff);

// "Config/LangID" of LangConfig.ini.
int readLangID();
// Writes "Config/LangID" of LangConfig.ini.
void writeLangID(int langId);
// "FONT_LIST/LANGNUM" and the ten "LangName_n"/"LangFile_n" pairs.
LanguageTable loadLanguageTable();
// "FONT_LIST/FONT_%d": font family of language langId.
QString fontFamily(int langId);
// "FONT_LIST/FONT_SIZE_%d": font pixel size of language langId.
int fontSize(int langId);

// Writes "Config/CurrentProductName".
void writeCurrentProductName(const QString &name);
// Number of non-empty "MACRO_LIST/%d" entries among keys 0 to 49.
int countMacros();
// "MouseSenSor/1": the sensor model number; without it, the sensor of the
// shipped model when the device description names that model, else 0.
int sensorModel();
// "MouseLEDMode/" + model: the lighting variant of the model.
int ledVariant(const QString &model);
// "Config/GColorID": colour theme index of the skinned widgets.
int colorThemeIndex();
// The accent colour of theme INDEX (the first for an index out of the table):
// menus, the battery bar, message box frames and the on-screen notices.
constexpr int kAccentCount = 7;
QColor accentColor(int themeIndex);
// "Config/Battery": last battery level in percent.
int readBattery();
// Writes "Config/Battery".
void writeBattery(int percent);
// "Battery/LowWarning" and "Battery/CriticalWarning": the levels in percent
// at which the desktop is told the battery runs low (0: never). A missing
// value, or one that is not a whole number from 0 to 100, is the default.
constexpr int kLowBatteryDefault = 15;
constexpr int kCriticalBatteryDefault = 5;
int lowBatteryWarning();
int criticalBatteryWarning();
// "Config/Model": model text of the main window.
QString modelText();
// "Firmware/Updater": a firmware updater for this system, started by the
// window's Firmware Update (a program path or a name found through PATH);
// empty when none is configured.
QString firmwareUpdater();
// "Mouse_List/0": display name of the first device entry.
QString mouseListName();

// The profile library of MODEL: "PROFILE_LIST/Count" names from key 1 up, at
// most kProfileLibraryMax; keys beyond Count are ignored.
QStringList loadProfileList(const QString &model);
// Writes the whole library list (Count, then entries 1..Count). False (with
// errorText) when the model or one of the names cannot be a file name.
bool saveProfileList(const QString &model, const QStringList &names, QString *errorText = nullptr);
// Appends NAME to the library list unless it is there already.
bool addToProfileList(const QString &model, const QString &name, QString *errorText = nullptr);
// Removes NAME from the library list; false when it was not listed.
bool removeFromProfileList(const QString &model, const QString &name, QString *errorText = nullptr);

} // namespace AppConfig
