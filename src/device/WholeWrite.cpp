#include "WholeWrite.h"

#include "AppConfig.h"
#include "DeviceLink.h"
#include "ProfileDefaults.h"
#include "ProfileStore.h"

#include <QCoreApplication>

bool wholeWriteReachedEnd(int result)
{
    return result == kSendOk || result == kResultMacrosNotWritten || result == kResultMacroMissing;
}

QString wholeWriteMessage(int result)
{
    if (result == kSendOk)
        return QString();
    if (result == kResultMacrosNotWritten)
        return QCoreApplication::translate(
            "WholeWrite",
            "TOO MANY MACROS: THE MOUSE HOLDS TWELVE. THE SETTINGS WERE WRITTEN, THE MACROS WERE NOT.");
    if (result == kResultMacroMissing)
        return QCoreApplication::translate(
            "WholeWrite", "A BUTTON RUNS A MACRO THAT IS NOT IN THE MACRO LIBRARY. THE SETTINGS "
                          "WERE WRITTEN; THAT BUTTON GOT ITS FACTORY FUNCTION.");
    return QCoreApplication::translate("WholeWrite", "Send data failed, please try again.");
}

WholeWriteOutcome runWholeWrite(const ProfileSet &current, ProfileSet &lastSent, bool fullWrite,
                                WriteContext context)
{
    WholeWriteOutcome out;
    QString err;
    // Slot, sensor bytes and slot names, then every slot's profile file, each
    // written once: each slot keeps its edits across a restart.
    if (!ProfileStore::saveWholeProfileSet(current, &err))
        out.saveError = err;

    int mask = ProfileDefaults::changeMask(current, lastSent);
    if (AppConfig::readDiff() == 1 || fullWrite)
        mask = ProfileDefaults::kChangeAll;
    out.changeMask = mask;

    ProfileWriter writer(std::move(context));
    out.result = writer.WriteWholeProfile(current, mask);
    for (const ProfileWriter::MissingMacro &m : writer.missingMacros())
        out.missingMacros.append(m.name);
    lastSent = current;
    AppConfig::writeDiff(wholeWriteReachedEnd(out.result) ? 0 : 1);
    if (!out.saveError.isEmpty())
        LogLine(QStringLiteral("profile save failed: %1").arg(out.saveError));
    return out;
}
