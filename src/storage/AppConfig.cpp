#include "AppConfig.h"

#include "DeviceDescription.h"
#include "IniAccess.h"
#include "Log.h"
#include "Paths.h"
#include "ShippedModel.h"

#include <QDebug>
#include <QSettings>

using IniAccess::intOr;
using IniAccess::toInt;

namespace {

const QString kConfigIni = QStringLiteral("/Config.ini");

// Value of KEY in FILE, or an invalid variant when the file is unusable.
QVariant readValue(const QString &file, const QString &key)
{
    if (!IniAccess::notTooLarge(file))
        return QVariant();
    QSettings s(file, QSettings::IniFormat);
    return s.value(key);
}

int readInt(const QString &file, const QString &key, int def = 0)
{
    const QVariant v = readValue(file, key);
    return v.isValid() ? toInt(v) : def;
}

QString readString(const QString &file, const QString &key)
{
    return readValue(file, key).toString();
}

// Writes KEY; a failure is logged (these values are written again when they next change).
void writeValue(const QString &file, const QString &key, const QVariant &value)
{
    QString error;
    if (IniAccess::notTooLarge(file, &error)) {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(key, value);
        if (IniAccess::finish(s, &error))
            return;
    }
    qCWarning(lcStorage).noquote() << key << "was not saved:" << error;
}

} // namespace

namespace AppConfig {

QString configDir()
{
    return Paths::configDir();
}

QString globalConfigFile()
{
    return configDir() + kConfigIni;
}

QString langConfigFile()
{
    return configDir() + QStringLiteral("/LangConfig.ini");
}

QString modelConfigFile(const QString &model, QString *errorText)
{
    // An empty model name ("Configs//Config.ini") lands on the global file.
    if (model.isEmpty())
        return globalConfigFile();
    QString why;
    if (!Paths::isSafeName(model, &why)) {
        IniAccess::setError(errorText, QStringLiteral("Model name \"%1\": %2").arg(model, why));
        return QString();
    }
    return configDir() + QLatin1Char('/') + model + kConfigIni;
}

int readProfileID()
{
    const int id = readInt(globalConfigFile(), QStringLiteral("Config/ProfileID"));
    return (id >= 0 && id < kProfileCount) ? id : 0;
}

void setCurrentSlot(int slot)
{
    writeValue(globalConfigFile(), QStringLiteral("Config/ProfileID"), slot);
}

bool saveSlotNames(const ProfileSet &set, QString *errorText)
{
    const QString file = globalConfigFile();
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("Config/ProfileID"), int(set.ProfileID));
    s.setValue(QStringLiteral("Config/Count"), int(set.Count));
    for (int i = 0; i < kProfileCount; ++i)
        s.setValue(QStringLiteral("Config/Profile%1").arg(i + 1), set.names[size_t(i)]);
    return IniAccess::finish(s, errorText);
}

int readDiff()
{
    return readInt(globalConfigFile(), QStringLiteral("Config/Diff"));
}

void writeDiff(int diff)
{
    writeValue(globalConfigFile(), QStringLiteral("Config/Diff"), diff);
}

int readLangID()
{
    return readInt(langConfigFile(), QStringLiteral("Config/LangID"));
}

void writeLangID(int langId)
{
    writeValue(langConfigFile(), QStringLiteral("Config/LangID"), langId);
}

LanguageTable loadLanguageTable()
{
    LanguageTable table;
    const QString file = globalConfigFile();
    if (!IniAccess::notTooLarge(file))
        return table;
    QSettings s(file, QSettings::IniFormat);
    table.count = intOr(s, QStringLiteral("FONT_LIST/LANGNUM"), 0);
    for (int n = 0; n < kLanguageSlots; ++n) {
        table.names[size_t(n)] = s.value(QStringLiteral("FONT_LIST/LangName_%1").arg(n)).toString();
        table.files[size_t(n)] = s.value(QStringLiteral("FONT_LIST/LangFile_%1").arg(n)).toString();
    }
    return table;
}

QString fontFamily(int langId)
{
    return readString(globalConfigFile(), QStringLiteral("FONT_LIST/FONT_%1").arg(langId));
}

int fontSize(int langId)
{
    return readInt(globalConfigFile(), QStringLiteral("FONT_LIST/FONT_SIZE_%1").arg(langId));
}

void writeCurrentProductName(const QString &name)
{
    writeValue(globalConfigFile(), QStringLiteral("Config/CurrentProductName"), name);
}

int countMacros()
{
    const QString file = globalConfigFile();
    if (!IniAccess::notTooLarge(file))
        return 0;
    QSettings s(file, QSettings::IniFormat);
    int n = 0;
    for (int i = 0; i < kMacroListSize; ++i) {
        if (!s.value(QStringLiteral("MACRO_LIST/%1").arg(i)).toString().isEmpty())
            ++n;
    }
    return n;
}

int sensorModel()
{
    const int model = readInt(globalConfigFile(), QStringLiteral("MouseSenSor/1"));
    if (model > 0)
        return model;
    // A configuration without the key: the sensor of the model we ship data
    // for, when the device description names it.
    if (DeviceDescription::productName() == QLatin1String(kShippedProductName))
        return kShippedSensorModel;
    return 0;
}

int ledVariant(const QString &model)
{
    return readInt(globalConfigFile(), QStringLiteral("MouseLEDMode/") + model);
}

QColor accentColor(int themeIndex)
{
    static const QColor table[kAccentCount] = {
        QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),   QColor(219, 200, 182),
        QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 125, 0),
    };
    return table[themeIndex >= 0 && themeIndex < kAccentCount ? themeIndex : 0];
}

int colorThemeIndex()
{
    return readInt(globalConfigFile(), QStringLiteral("Config/GColorID"));
}

int readBattery()
{
    return readInt(globalConfigFile(), QStringLiteral("Config/Battery"));
}

void writeBattery(int percent)
{
    writeValue(globalConfigFile(), QStringLiteral("Config/Battery"), percent);
}

namespace {
int percentOr(const QString &key, int def)
{
    bool ok = false;
    const int v = readValue(globalConfigFile(), key).toString().trimmed().toInt(&ok);
    return ok && v >= 0 && v <= 100 ? v : def;
}
} // namespace

int lowBatteryWarning()
{
    return percentOr(QStringLiteral("Battery/LowWarning"), kLowBatteryDefault);
}

int criticalBatteryWarning()
{
    return percentOr(QStringLiteral("Battery/CriticalWarning"), kCriticalBatteryDefault);
}

QString modelText()
{
    return readString(globalConfigFile(), QStringLiteral("Config/Model"));
}

QString firmwareUpdater()
{
    return readString(globalConfigFile(), QStringLiteral("Firmware/Updater")).trimmed();
}

QString mouseListName()
{
    return readString(globalConfigFile(), QStringLiteral("Mouse_List/0"));
}

QStringList loadProfileList(const QString &model)
{
    QStringList names;
    const QString file = modelConfigFile(model);
    if (file.isEmpty() || !IniAccess::notTooLarge(file))
        return names;
    QSettings s(file, QSettings::IniFormat);
    const int count = qBound(0, intOr(s, QStringLiteral("PROFILE_LIST/Count"), 0), kProfileLibraryMax);
    for (int i = 1; i <= count; ++i) {
        const QString name = s.value(QStringLiteral("PROFILE_LIST/%1").arg(i)).toString();
        // A name that cannot be a file name could never be opened; leave it out.
        if (Paths::isSafeName(name))
            names << name;
        else
            qCDebug(lcStorage) << "profile library entry" << i << "ignored:" << name;
    }
    return names;
}

bool saveProfileList(const QString &model, const QStringList &names, QString *errorText)
{
    const QString file = modelConfigFile(model, errorText);
    if (file.isEmpty())
        return false;
    if (names.size() > kProfileLibraryMax) {
        IniAccess::setError(
            errorText,
            QStringLiteral("The profile library holds at most %1 profiles.").arg(kProfileLibraryMax));
        return false;
    }
    for (const QString &name : names) {
        QString why;
        if (!Paths::isSafeName(name, &why)) {
            IniAccess::setError(errorText, QStringLiteral("Profile name \"%1\": %2").arg(name, why));
            return false;
        }
    }
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("PROFILE_LIST/Count"), names.size());
    for (int i = 0; i < names.size(); ++i)
        s.setValue(QStringLiteral("PROFILE_LIST/%1").arg(i + 1), names.at(i));
    return IniAccess::finish(s, errorText);
}

bool addToProfileList(const QString &model, const QString &name, QString *errorText)
{
    QStringList names = loadProfileList(model);
    if (names.contains(name))
        return true;
    names << name;
    return saveProfileList(model, names, errorText);
}

bool removeFromProfileList(const QString &model, const QString &name, QString *errorText)
{
    QStringList names = loadProfileList(model);
    if (!names.removeOne(name)) {
        IniAccess::setError(errorText, QStringLiteral("\"%1\" is not in the profile library.").arg(name));
        return false;
    }
    while (names.removeOne(name)) {
    }
    return saveProfileList(model, names, errorText);
}

} // namespace AppConfig
