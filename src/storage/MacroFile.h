#pragma once
// Macro files (Configs/MacroDB/NAME.MSMACRO, section "Setting") and the macro
// library list ("MACRO_LIST/0..49" of Config.ini). Each call opens its file.

#include "ProfileTypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace MacroFile {

// Upper bound of the events read from one file, whatever its Count says.
constexpr int kMacroMaxEvents = 4096;

// Event types of a macro row.
constexpr uint8_t kTypeKeyDown = 132;
constexpr uint8_t kTypeKeyUp = 4;
constexpr uint8_t kTypeButtonDown = 129;
constexpr uint8_t kTypeButtonUp = 1;
constexpr uint8_t kTypeMove = 2;
constexpr uint8_t kTypeDelay = 6;

// "Setting/FormatVersion" of files written by this version: delay counts are
// in the device's delay unit in recordings and gun files alike.
constexpr int kFormatVersion = 2;
// The delay unit of gun files written before FormatVersion, in ms.
constexpr int kOldGunDelayUnitMs = 10;

// What a macro file holds besides its write flag.
struct MacroData
{
    QString MacroFilePath; // path of the file when it was saved
    int DefaultDelay = 0;
    int DelayType = 0; // 0 none, 1 recorded, 2 default delay
    int LoopType = 0;  // 0 none, 1 times, 2 while held, 3 until pressed again
    int LoopTime = 0;  // loop count for LoopType 1
    QVector<MacroEvent> events;
};

// The text the "new macro" refusal shows.
QString tooManyMacrosText();

// Configs/MacroDB.
QString macroDir();
// Configs/MacroDB/NAME.MSMACRO (empty, errorText set, when NAME is unsafe).
QString macroFilePath(const QString &name, QString *errorText = nullptr);
// True when the macro file of NAME exists (false for unsafe names).
bool macroExists(const QString &name);

// Writes all keys (MacroFilePath = the file's path, Count, rows, FormatVersion,
// WriteSign 1).
bool saveMacro(const QString &name, const MacroData &macro, QString *errorText = nullptr);

// What reading a file found besides its rows.
struct ReadReport
{
    bool hasCount = false;   // "Setting/Count" is there: the file is a macro file
    int droppedRows = 0;     // rows that are not events the editor shows
    int firstDropped = -1;   // number of the first of them
    bool oldGunFile = false; // delays in the old 10 ms unit, converted
};
// The one reader of macro rows, used by the editor, the import, the download
// and a button's key list. A row is kept only when it is an event the editor
// shows: a key press or release of a usage, a press or release of one
// mouse button (1, 2, 4, 8 or 16) - the high byte of both
// cleared -, a move along one axis by 1 to 120, or a
// delay; every byte a decimal number of 0 to 255. Anything else is dropped.
// Delay counts are in units of DeviceDescription::minDelay() ms: the gun files
// of older copies (no FormatVersion, no WriteSign, the gun file's settings)
// held counts of 10 ms and are converted. A missing file gives an empty macro
// and false.
bool readMacroFile(const QString &path, MacroData &macro, ReadReport *report = nullptr,
                   QString *errorText = nullptr);
// readMacroFile() of the library file of NAME.
bool loadMacro(const QString &name, MacroData &macro, QString *errorText = nullptr);
// The first maxEvents rows of loadMacro(): what the download sends and what a
// button's key list copies.
bool loadEvents(const QString &name, QVector<MacroEvent> &events, int maxEvents,
                QString *errorText = nullptr);

// "Setting/WriteSign" of the macro (0 when missing or unsafe).
int readWriteSign(const QString &name);
// Writes "Setting/WriteSign" into an existing macro file.
bool writeWriteSign(const QString &name, int sign);

// The 50 "MACRO_LIST" entries in key order, empty strings included.
QStringList libraryEntries();
// The non-empty library names in key order.
QStringList libraryNames();
// Number of non-empty library entries.
int countMacros();
// Stores NAME in the first empty entry; false when the library is full or the
// name is unsafe.
bool addToLibrary(const QString &name, QString *errorText = nullptr);
// Empties the entry holding NAME; false when it is not listed.
bool removeFromLibrary(const QString &name);

// NAME when no macro file of that name exists, else NAME_2, NAME_3 ...
QString freeName(const QString &name);
// Renames old to the typed name (suffixed with freeName() when taken), the
// file if it exists and every library entry equal to old. finalName receives
// the name used. Unsafe names are refused.
bool renameMacro(const QString &oldName, const QString &newName, QString *finalName = nullptr,
                 QString *errorText = nullptr);
// Removes the macro file of NAME if it exists.
bool deleteMacroFile(const QString &name, QString *errorText = nullptr);
// Creates an empty macro under the first free name "name_%d" and adds it to
// the library; refused with tooManyMacrosText() when 50 names exist.
bool newMacro(QString *name, QString *errorText = nullptr);
// Writes a gun file (DefaultDelay 10, DelayType 1, LoopType 0, LoopTime 1,
// FormatVersion) under freeName(name); finalName receives the name used.
bool saveGunFile(const QString &name, const QVector<MacroEvent> &events, QString *finalName = nullptr,
                 QString *errorText = nullptr);

// True for the functions that run a library macro by name: macro (200) and gun file (510).
bool runsMacro(int fun);
// What BUTTON becomes when the macro it runs is gone: FACTORY (its record's
// factory function), or "button off" when that runs a macro too. The ID stays.
ButtonAssignment withoutMacro(const ButtonAssignment &button, const ButtonAssignment &factory);

// A delay row of ms milliseconds with delay unit unit (count ms/unit, at most 65535).
MacroEvent delayEvent(int ms, int unit);
// Milliseconds of a delay row.
int delayMs(const MacroEvent &event, int unit);

} // namespace MacroFile
