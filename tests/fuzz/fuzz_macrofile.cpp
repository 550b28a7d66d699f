// The macro file reader: the editor's view, the rows the download takes
// and the write flag of an arbitrary MacroDB file. What the editor reads, it
// saves and reads back unchanged.

#include "FuzzSupport.h"
#include "MacroFile.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = QStringLiteral("fuzz");
    Fuzz::writeInput(MacroFile::macroFilePath(name), data, size);

    QVector<MacroEvent> taken;
    if (MacroFile::loadEvents(name, taken, 64))
        Fuzz::check(taken.size() <= 64, "more rows than asked for");
    MacroFile::readWriteSign(name);

    MacroFile::MacroData macro;
    if (!MacroFile::loadMacro(name, macro))
        return 0;
    Fuzz::check(macro.events.size() <= MacroFile::kMacroMaxEvents, "more rows than a macro holds");
    const QString copy = QStringLiteral("fuzz copy");
    Fuzz::check(MacroFile::saveMacro(copy, macro), "cannot save a loaded macro");
    MacroFile::MacroData back;
    Fuzz::check(MacroFile::loadMacro(copy, back), "cannot load a saved macro");
    Fuzz::check(back.events == macro.events && back.DefaultDelay == macro.DefaultDelay &&
                    back.DelayType == macro.DelayType && back.LoopType == macro.LoopType &&
                    back.LoopTime == macro.LoopTime,
                "a macro changes through save and load");
    MacroFile::deleteMacroFile(copy);
    return 0;
}
