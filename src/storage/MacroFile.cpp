#include "MacroFile.h"

#include "AppConfig.h"
#include "IniAccess.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using IniAccess::setError;
using IniAccess::toInt;

namespace {

// Names tried before giving up on a free "_%d" suffix.
constexpr int kMaxSuffix = 100000;

QString mapKey(int i)
{
    return QStringLiteral("Setting/Map_%1").arg(i);
}
QString highKey(int i)
{
    return QStringLiteral("Setting/DataH_%1").arg(i);
}
QString lowKey(int i)
{
    return QStringLiteral("Setting/DataL_%1").arg(i);
}
QString listKey(int i)
{
    return QStringLiteral("MACRO_LIST/%1").arg(i);
}

uint8_t byteAt(const QSettings &s, const QString &key)
{
    return uint8_t(toInt(s.value(key)) & 0xff);
}

int boundedCount(const QSettings &s, int maxEvents)
{
    return qBound(0, toInt(s.value(QStringLiteral("Setting/Count"))),
                  qMin(maxEvents, MacroFile::kMacroMaxEvents));
}

bool isButtonBit(int low)
{
    return low == 1 || low == 2 || low == 4 || low == 8 || low == 16;
}

// Rebuilds one stored row as the editor shows it; false for rows it drops.
bool rebuildRow(uint8_t type, uint8_t high, uint8_t low, MacroEvent &row)
{
    if (type == MacroFile::kTypeButtonDown || type == MacroFile::kTypeButtonUp) {
        if (!isButtonBit(low))
            return false;
        row = {type, 0, low};
        return true;
    }
    switch (type & 0x7f) {
    case MacroFile::kTypeMove:
        // One axis only: vertical when the high byte moves, else horizontal.
        if (high != 0)
            row = {MacroFile::kTypeMove, high, 0};
        else if (low != 0)
            row = {MacroFile::kTypeMove, 0, low};
        else
            return false;
        return true;
    case MacroFile::kTypeDelay:
        row = {MacroFile::kTypeDelay, high, low};
        return true;
    case MacroFile::kTypeKeyUp:
        row = {type, high, low};
        return true;
    default:
        return false;
    }
}

bool writeMacroFile(const QString &path, const MacroFile::MacroData &macro, bool writeSign,
                    QString *errorText)
{
    if (!IniAccess::notTooLarge(path, errorText))
        return false;
    QSettings s(path, QSettings::IniFormat);
    s.setValue(QStringLiteral("Setting/MacroFilePath"), path);
    s.setValue(QStringLiteral("Setting/DefaultDelay"), macro.DefaultDelay);
    s.setValue(QStringLiteral("Setting/DelayType"), macro.DelayType);
    s.setValue(QStringLiteral("Setting/LoopType"), macro.LoopType);
    s.setValue(QStringLiteral("Setting/LoopTime"), macro.LoopTime);
    s.setValue(QStringLiteral("Setting/Count"), macro.events.size());
    for (int i = 0; i < macro.events.size(); ++i) {
        const MacroEvent &e = macro.events.at(i);
        s.setValue(mapKey(i), QString::number(e.type));
        s.setValue(highKey(i), QString::number(e.high));
        s.setValue(lowKey(i), QString::number(e.low));
    }
    if (writeSign)
        s.setValue(QStringLiteral("Setting/WriteSign"), 1);
    return IniAccess::finish(s, errorText);
}

} // namespace

namespace MacroFile {

QString tooManyMacrosText()
{
    return QStringLiteral("TOO MANY MACROS TO BE CREATE!");
}

QString macroDir()
{
    return Paths::configDir() + QStringLiteral("/MacroDB");
}

QString macroFilePath(const QString &name, QString *errorText)
{
    QString why;
    if (!Paths::isSafeName(name, &why)) {
        setError(errorText, QStringLiteral("Macro name \"%1\" cannot be used: %2").arg(name, why));
        return QString();
    }
    return macroDir() + QLatin1Char('/') + name + QStringLiteral(".MSMACRO");
}

bool macroExists(const QString &name)
{
    const QString path = macroFilePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool saveMacro(const QString &name, const MacroData &macro, QString *errorText)
{
    const QString path = macroFilePath(name, errorText);
    return !path.isEmpty() && writeMacroFile(path, macro, true, errorText);
}

bool loadMacro(const QString &name, MacroData &macro, QString *errorText)
{
    macro = MacroData();
    const QString path = macroFilePath(name, errorText);
    if (path.isEmpty() || !IniAccess::checkReadable(path, errorText))
        return false;
    QSettings s(path, QSettings::IniFormat);
    macro.MacroFilePath = s.value(QStringLiteral("Setting/MacroFilePath")).toString();
    macro.DelayType = toInt(s.value(QStringLiteral("Setting/DelayType")));
    macro.DefaultDelay = toInt(s.value(QStringLiteral("Setting/DefaultDelay")));
    macro.LoopTime = toInt(s.value(QStringLiteral("Setting/LoopTime")));
    macro.LoopType = toInt(s.value(QStringLiteral("Setting/LoopType")));
    const int count = boundedCount(s, kMacroMaxEvents);
    macro.events.reserve(count);
    for (int i = 0; i < count; ++i) {
        MacroEvent row;
        if (rebuildRow(byteAt(s, mapKey(i)), byteAt(s, highKey(i)), byteAt(s, lowKey(i)), row))
            macro.events.append(row);
    }
    return true;
}

bool loadRawEvents(const QString &name, QVector<MacroEvent> &events, int maxEvents, QString *errorText)
{
    events.clear();
    const QString path = macroFilePath(name, errorText);
    if (path.isEmpty() || !IniAccess::checkReadable(path, errorText))
        return false;
    QSettings s(path, QSettings::IniFormat);
    const int count = boundedCount(s, maxEvents);
    events.reserve(count);
    for (int i = 0; i < count; ++i)
        events.append({byteAt(s, mapKey(i)), byteAt(s, highKey(i)), byteAt(s, lowKey(i))});
    return true;
}

int readWriteSign(const QString &name)
{
    const QString path = macroFilePath(name);
    if (path.isEmpty() || !IniAccess::checkReadable(path))
        return 0;
    QSettings s(path, QSettings::IniFormat);
    return toInt(s.value(QStringLiteral("Setting/WriteSign")));
}

bool writeWriteSign(const QString &name, int sign)
{
    // Only an existing file: clearing the flag must never create a macro.
    const QString path = macroFilePath(name);
    if (path.isEmpty() || !IniAccess::checkReadable(path))
        return false;
    QSettings s(path, QSettings::IniFormat);
    s.setValue(QStringLiteral("Setting/WriteSign"), sign);
    return IniAccess::finish(s);
}

QStringList libraryEntries()
{
    QStringList entries;
    const QString file = AppConfig::globalConfigFile();
    if (!IniAccess::notTooLarge(file)) {
        for (int i = 0; i < kMacroListSize; ++i)
            entries << QString();
        return entries;
    }
    QSettings s(file, QSettings::IniFormat);
    for (int i = 0; i < kMacroListSize; ++i)
        entries << s.value(listKey(i)).toString();
    return entries;
}

QStringList libraryNames()
{
    QStringList names;
    for (const QString &e : libraryEntries()) {
        if (!e.isEmpty())
            names << e;
    }
    return names;
}

int countMacros()
{
    return AppConfig::countMacros();
}

bool addToLibrary(const QString &name, QString *errorText)
{
    if (macroFilePath(name, errorText).isEmpty())
        return false;
    const QStringList entries = libraryEntries();
    if (entries.contains(name))
        return true;
    const int slot = entries.indexOf(QString());
    if (slot < 0) {
        setError(errorText, tooManyMacrosText());
        return false;
    }
    const QString file = AppConfig::globalConfigFile();
    if (!IniAccess::notTooLarge(file, errorText))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.setValue(listKey(slot), name);
    return IniAccess::finish(s, errorText);
}

bool removeFromLibrary(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QStringList entries = libraryEntries();
    const int slot = entries.indexOf(name);
    if (slot < 0)
        return false;
    const QString file = AppConfig::globalConfigFile();
    if (!IniAccess::notTooLarge(file))
        return false;
    QSettings s(file, QSettings::IniFormat);
    s.setValue(listKey(slot), QString());
    return IniAccess::finish(s);
}

QString freeName(const QString &name)
{
    if (!macroExists(name))
        return name;
    for (int n = 2; n < kMaxSuffix; ++n) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(n);
        if (!Paths::isSafeName(candidate))
            return QString();
        if (!macroExists(candidate))
            return candidate;
    }
    return QString();
}

bool renameMacro(const QString &oldName, const QString &newName, QString *finalName, QString *errorText)
{
    const QString oldPath = macroFilePath(oldName, errorText);
    if (oldPath.isEmpty() || macroFilePath(newName, errorText).isEmpty())
        return false;
    if (oldName == newName) {
        if (finalName)
            *finalName = oldName;
        return true;
    }
    const QString target = freeName(newName);
    if (target.isEmpty()) {
        setError(errorText, QStringLiteral("No free macro name based on \"%1\".").arg(newName));
        return false;
    }
    if (QFileInfo::exists(oldPath) && !QFile::rename(oldPath, macroFilePath(target))) {
        setError(errorText, QStringLiteral("The macro file \"%1\" could not be renamed.").arg(oldName));
        return false;
    }
    const QString file = AppConfig::globalConfigFile();
    if (IniAccess::notTooLarge(file)) {
        QSettings s(file, QSettings::IniFormat);
        for (int i = 0; i < kMacroListSize; ++i) {
            if (s.value(listKey(i)).toString() == oldName)
                s.setValue(listKey(i), target);
        }
        if (!IniAccess::finish(s, errorText))
            return false;
    }
    if (finalName)
        *finalName = target;
    return true;
}

bool deleteMacroFile(const QString &name, QString *errorText)
{
    const QString path = macroFilePath(name, errorText);
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        setError(errorText, QStringLiteral("The macro file \"%1\" could not be deleted.").arg(name));
        return false;
    }
    return true;
}

bool newMacro(QString *name, QString *errorText)
{
    if (countMacros() >= kMacroListSize) {
        setError(errorText, tooManyMacrosText());
        return false;
    }
    QString chosen;
    for (int n = 1; n < kMaxSuffix && chosen.isEmpty(); ++n) {
        const QString candidate = QStringLiteral("name_%1").arg(n);
        if (!macroExists(candidate))
            chosen = candidate;
    }
    if (chosen.isEmpty()) {
        setError(errorText, QStringLiteral("No free macro name."));
        return false;
    }
    if (!saveMacro(chosen, MacroData(), errorText) || !addToLibrary(chosen, errorText))
        return false;
    if (name)
        *name = chosen;
    return true;
}

bool saveGunFile(const QString &name, const QVector<MacroEvent> &events, QString *finalName,
                 QString *errorText)
{
    if (macroFilePath(name, errorText).isEmpty())
        return false;
    const QString target = freeName(name);
    if (target.isEmpty()) {
        setError(errorText, QStringLiteral("No free gun file name based on \"%1\".").arg(name));
        return false;
    }
    MacroData gun;
    gun.DefaultDelay = 10;
    gun.DelayType = 1;
    gun.LoopType = 0;
    gun.LoopTime = 1;
    gun.events = events;
    if (!writeMacroFile(macroFilePath(target), gun, false, errorText))
        return false;
    if (finalName)
        *finalName = target;
    return true;
}

MacroEvent delayEvent(int ms, int unit)
{
    const int count = qBound(0, ms / qMax(1, unit), 0xffff);
    return {kTypeDelay, uint8_t(count >> 8), uint8_t(count & 0xff)};
}

int delayMs(const MacroEvent &event, int unit)
{
    return (event.high * 256 + event.low) * qMax(1, unit);
}

} // namespace MacroFile
