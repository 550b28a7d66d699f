#include "MacroSelection.h"

#include "IniAccess.h"
#include "MacroFile.h"
#include "MacroModel.h"

#include <QCoreApplication>

namespace MacroSelection {

const char kContext[] = "MirtMacroSelect";
const char kLeftButtonNoGun[] = QT_TRANSLATE_NOOP("MirtMacroSelect", "Left Button Can not be Gun Function.");
const char kNoFileName[] = QT_TRANSLATE_NOOP("MirtMacroSelect", "Please input file name.");

QString tr(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

Choice initialChoice(const ButtonAssignment &record, int fun)
{
    Choice c;
    if (record.Fun != fun)
        return c;
    c.name = record.macroname;
    c.loopCount = record.LoopNumber;
    c.runMode = record.Res1;
    c.leftButtonOption = record.Res2;
    return c;
}

void applyChoice(ButtonAssignment &record, int fun, const Choice &choice)
{
    record.Fun = fun;
    record.LoopNumber = choice.loopCount;
    record.Res1 = uint8_t(choice.runMode);
    record.macroname = choice.name;
    record.Res2 = uint8_t(choice.leftButtonOption);
    if (choice.leftButtonOption == 1) {
        record.Res1 = 0;
        record.LoopNumber = 1;
    }
    QVector<MacroEvent> events;
    if (!choice.name.isEmpty())
        MacroFile::loadEvents(choice.name, events, kKeyInfoCount);
    record.KeyNumber = events.size();
    for (int j = 0; j < events.size(); ++j) {
        ::KeyInfo &k = record.KeyInfo[size_t(j)];
        k.map = events.at(j).type;
        k.H = events.at(j).high;
        k.key = events.at(j).low;
    }
}

QVector<MacroEvent> gunEvents(const QVector<Shot> &shots, int delayUnit)
{
    QVector<MacroEvent> events;
    for (const Shot &s : shots) {
        events.append({MacroFile::kTypeButtonUp, 0, 1});
        events.append({MacroFile::kTypeButtonDown, 0, 1});
        if (s.y != 0)
            events.append({MacroFile::kTypeMove, uint8_t(int8_t(s.y)), 0});
        if (s.x != 0)
            events.append({MacroFile::kTypeMove, 0, uint8_t(int8_t(s.x))});
        events.append(MacroFile::delayEvent(s.delayMs, delayUnit));
    }
    return events;
}

bool writeGunFile(const QString &name, const QVector<Shot> &shots, int delayUnit, QString *finalName,
                  QString *errorText)
{
    if (name.isEmpty()) {
        IniAccess::setError(errorText, tr(kNoFileName));
        return false;
    }
    if (MacroFile::countMacros() >= kMacroListSize) {
        IniAccess::setError(errorText, MacroModel::tr(MacroModel::kTooManyMacros));
        return false;
    }
    QString used;
    if (!MacroFile::saveGunFile(name, gunEvents(shots, delayUnit), &used, errorText) ||
        !MacroFile::addToLibrary(used, errorText))
        return false;
    if (finalName)
        *finalName = used;
    return true;
}

} // namespace MacroSelection
