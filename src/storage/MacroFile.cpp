#include "MacroFile.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "IniAccess.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using IniAccess::setError;
using IniAccess::toInt;

namespace {

// Button functions (the device's catalogue numbers them): gun file, button off.
constexpr int kFunGunFileRun = 510;
constexpr int kFunOff = 16;

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

// A stored byte: a decimal number of 0 to 255 (0 when the key is missing), else -1.
int byteAt(const QSettings &s, const QString &key)
{
    if (!s.contains(key))
        return 0;
    bool ok = false;
    const int v = s.value(key).toString().trimmed().toInt(&ok);
    return ok && v >= 0 && v <= 0xff ? v : -1;
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

// One axis of a move: 1 to 120 forward, 256 - n (136 to 255) back by n.
bool isMoveStep(int v)
{
    return (v >= 1 && v <= 120) || (v >= 256 - 120 && v <= 255);
}

// Rebuilds one stored row as the editor shows it (the high byte of key and
// button rows, which the editor does not show, cleared); false for rows it drops.
bool rebuildRow(int type, int high, int low, MacroEvent &row)
{
    if (type < 0 || high < 0 || low < 0)
        return false;
    if (type == MacroFile::kTypeButtonDown || type == MacroFile::kTypeButtonUp) {
        if (!isButtonBit(low))
            return false;
        row = {uint8_t(type), 0, uint8_t(low)};
        return true;
    }
    switch (type & 0x7f) {
    case MacroFile::kTypeMove:
        // Exactly one axis moves.
        if (high != 0 && low == 0 && isMoveStep(high))
            row = {MacroFile::kTypeMove, uint8_t(high), 0};
        else if (high == 0 && low != 0 && isMoveStep(low))
            row = {MacroFile::kTypeMove, 0, uint8_t(low)};
        else
            return false;
        return true;
    case MacroFile::kTypeDelay:
        row = {MacroFile::kTypeDelay, uint8_t(high), uint8_t(low)};
        return true;
    case MacroFile::kTypeKeyUp:
        if (low == 0)
            return false;
        row = {uint8_t(type), 0, uint8_t(low)};
        return true;
    default:
        return false;
    }
}

// A gun file written before FormatVersion: no write flag (the editor's save
// always writes one) and the settings every such gun file was written with.
bool isOldGunFile(const QSettings &s)
{
    return !s.contains(QStringLiteral("Setting/FormatVersion")) &&
           !s.contains(QStringLiteral("Setting/WriteSign")) &&
           toInt(s.value(QStringLiteral("Setting/DefaultDelay"))) == 10 &&
           toInt(s.value(QStringLiteral("Setting/DelayType"))) == 1 &&
           toInt(s.value(QStringLiteral("Setting/LoopType"))) == 0 &&
           toInt(s.value(QStringLiteral("Setting/LoopTime"))) == 1;
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
    s.setValue(QStringLiteral("Setting/FormatVersion"), MacroFile::kFormatVersion);
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

bool readMacroFile(const QString &path, MacroData &macro, ReadReport *report, QString *errorText)
{
    macro = MacroData();
    ReadReport found;
    if (report)
        *report = found;
    if (path.isEmpty() || !IniAccess::checkReadable(path, errorText))
        return false;
    QSettings s(path, QSettings::IniFormat);
    macro.MacroFilePath = s.value(QStringLiteral("Setting/MacroFilePath")).toString();
    macro.DelayType = toInt(s.value(QStringLiteral("Setting/DelayType")));
    macro.DefaultDelay = toInt(s.value(QStringLiteral("Setting/DefaultDelay")));
    macro.LoopTime = toInt(s.value(QStringLiteral("Setting/LoopTime")));
    macro.LoopType = toInt(s.value(QStringLiteral("Setting/LoopType")));
    found.hasCount = s.contains(QStringLiteral("Setting/Count"));
    found.oldGunFile = isOldGunFile(s);
    const int unit = DeviceDescription::minDelay();
    const int count = boundedCount(s, kMacroMaxEvents);
    macro.events.reserve(count);
    for (int i = 0; i < count; ++i) {
        MacroEvent row;
        if (!rebuildRow(byteAt(s, mapKey(i)), byteAt(s, highKey(i)), byteAt(s, lowKey(i)), row)) {
            if (found.droppedRows++ == 0)
                found.firstDropped = i;
            continue;
        }
        if (row.type == kTypeDelay && found.oldGunFile)
            row = delayEvent(delayMs(row, kOldGunDelayUnitMs), unit);
        macro.events.append(row);
    }
    if (report)
        *report = found;
    return true;
}

bool loadMacro(const QString &name, MacroData &macro, QString *errorText)
{
    const QString path = macroFilePath(name, errorText);
    if (path.isEmpty()) {
        macro = MacroData();
        return false;
    }
    return readMacroFile(path, macro, nullptr, errorText);
}

bool loadEvents(const QString &name, QVector<MacroEvent> &events, int maxEvents, QString *errorText)
{
    MacroData macro;
    const bool ok = loadMacro(name, macro, errorText);
    events = macro.events.mid(0, qMax(0, maxEvents));
    return ok;
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

bool runsMacro(int fun)
{
    return fun == kFunMacro || fun == kFunGunFileRun;
}

ButtonAssignment withoutMacro(const ButtonAssignment &button, const ButtonAssignment &factory)
{
    ButtonAssignment b = factory;
    if (runsMacro(b.Fun)) {
        b = ButtonAssignment();
        b.Fun = kFunOff;
    }
    b.ID = button.ID;
    return b;
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
