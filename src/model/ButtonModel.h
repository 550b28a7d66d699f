#pragma once
// The buttons of a profile: the three sets of the button page, the menus that
// offer the catalogue's functions, the click rule, the first-set layout, the
// key-index rules and state of the key capture dialogs, and the command-line
// names of the functions. The button page and `mousecfg-cli button` both edit
// a profile's records through these functions.

#include "ButtonCatalogue.h"
#include "ProfileTypes.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstdint>

namespace ButtonModel {

using Buttons = std::array<ButtonAssignment, kButtonCount>;

// ---------------------------------------------------------------------------
// Sets: 0 the first set (records 0..19), 1 the second set (20..39), 2 the
// wheel set (40 wheel up, 41 wheel down).

enum Set : uint8_t
{
    kFirstSet = 0,
    kSecondSet = 1,
    kWheelSet = 2,
    kSetCount = 3
};
constexpr uint8_t kNoSelection = 0xFF;
constexpr int kSetSizes[kSetCount] = {20, 20, 2};
constexpr int kSetFirstRecord[kSetCount] = {0, 20, 40};
// Record of index I of SET; -1 when there is none.
int recordIndex(int set, int index);
// The set holding RECORD; -1 for an index outside 0..41.
int setOfRecord(int record);

// ---------------------------------------------------------------------------
// The first set, laid out from the second button matrix: one button per entry
// that is not 255, numbered from 1 and spaced evenly down the page.

struct Slot
{
    QRect geometry; // empty for a position without a button
    int number = 0; // 1.. for a shown button, 0 otherwise
};
constexpr uint8_t kEmptyPosition = 255;
// MATRIX holds the count entries of the second matrix.
QVector<Slot> firstSetLayout(const QVector<int> &matrix, int pageHeight, double scale);
// The first "button count" entries of the device description's second matrix.
QVector<int> secondMatrix();
// The records of the buttons the mouse has, as the button page shows them for
// the second matrix MATRIX: the first set's buttons (entries not 255), the
// side view's (as many as the first two entries) and the wheel's, ascending.
QVector<int> shownRecords(const QVector<int> &matrix);

// ---------------------------------------------------------------------------
// Menus. The button function menu: the five mouse buttons, the submenus of
// ButtonCatalogue::submenus() but "Profile Menu", "Macro Manager" unless
// "PROFILE/DisableMacro", "Led Switch" unless "PROFILE/ledDisable", "Button Off".

struct MenuSwitches
{
    bool macro = true; // "PROFILE/DisableMacro" = 0
    bool led = true;   // "PROFILE/ledDisable" = 0
};
MenuSwitches menuSwitches();
QVector<int> menuHeadEntries();                             // 1, 2, 3, 4, 5
QVector<ButtonCatalogue::Submenu> menuSubmenus();           // without "Profile Menu"
QVector<int> menuTailEntries(const MenuSwitches &switches); // 200?, 54?, 16
// The wheel function menu.
QVector<int> wheelMenuEntries();
// Every function the menu of SET offers, in menu order.
QVector<int> offeredFunctions(int set, const MenuSwitches &switches);

// The label of a record in SET, in the window's language: what the button
// does. A single key names its key ("F5"), a combo key its keys
// ("Ctrl+Alt+Delete"), a fire key its source, count and pause ("Fire: Left
// ×7, 30 ms"), a macro or gun file its name ("Macro: spray"); every other
// function its catalogue text ("DPI +"). The wheel codes 52 and 53 show only
// on the wheel set; a code without a text shows nothing.
QString buttonLabel(const ButtonAssignment &button, int set);
// The keys of a combo key record in the usual order, joined by "+":
// Ctrl, Shift, Alt, Win, then the key; empty when it holds none.
QString comboLabel(const ButtonAssignment &button);

// ---------------------------------------------------------------------------
// Assignment.

extern const char kOneClickMessage[]; // "AT LEAST ONE CLICK FUNCTION TO BE RETAINED."
constexpr int kFunLeft = 1;
// The click rule: false when RECORD holds "Left", FUN is not "Left" and no
// other record holds "Left".
bool keepsClick(const Buttons &buttons, int record, int fun);

// What the page or the command line assigns; the fields a function uses.
struct Assignment
{
    int fun = 0;
    int keyIndex = 0;                                                             // SINGLE KEY
    std::array<ButtonCatalogue::ComboSlot, ButtonCatalogue::kComboSlots> combo{}; // COMBO KEY
    uint8_t fireSource = 0;                                                       // FIRE KEY: Res1
    int times = 0;
    int delay = 0;
    int sniperStep = 1; // SNIPER: Res1 (the page always writes 1)
};
enum class Result
{
    Assigned,
    LastClick
};
// Writes A into record RECORD as the catalogue says, after the click rule.
// Macro and gun-file functions go through the macro selection, not here.
Result assign(Buttons &buttons, int record, const Assignment &a);

// ---------------------------------------------------------------------------
// Key capture. Key events carry a scan code and a flags value in the form of
// the original keyboard hook: 0x01 extended key, 0x20 Alt down, 0x80 key up.

constexpr uint32_t kFlagExtended = 0x01;
constexpr uint32_t kFlagAltDown = 0x20;
constexpr uint32_t kFlagUp = 0x80;
// The key index of a scan code and flags: the scan code, except for the
// sixteen keypad and right-hand keys told apart by their exact flags.
int keyIndexFromScan(int scanCode, uint32_t flags);
// Linux: the evdev code (X11 keycode − 8) as scan code and flags; false for a
// key without a scan code.
bool scanFromEvdev(int evdevCode, bool release, int *scanCode, uint32_t *flags);
// The evdev code of a Qt key, for key events without a native scan code
// (US layout; 0 when unknown).
int evdevFromQtKey(int qtKey);
// Key-down in the combo dialog's sense: flags below 2, or exactly 0x20.
bool isKeyDown(uint32_t flags);

// Auto-repeat filter: an event equal to the previous one (key index and flags) is dropped.
class RepeatFilter
{
public:
    bool accept(int keyIndex, uint32_t flags);
    void reset() { m_iLastCode = -1; }

private:
    int m_iLastCode = -1;
    uint32_t m_iLastFlags = 0;
};

// The combo dialog's slots: Shift, Ctrl, Windows, Alt, other key.
class ComboCapture
{
public:
    ComboCapture();
    // One key event, after the repeat filter.
    void keyEvent(int keyIndex, uint32_t flags);
    // Filled from the first five KeyInfo entries of a record.
    void fill(const ButtonAssignment &button);
    const std::array<uint8_t, ButtonCatalogue::kComboSlots> &comboKey() const { return m_iComboKey; }
    uint8_t hotKeyCode(int slot, int side) const { return m_iHotKeyCode[size_t(slot)][size_t(side)]; }
    QString displayText() const { return m_strDisplay; }
    // The committed slots as the catalogue's assignment takes them.
    std::array<ButtonCatalogue::ComboSlot, ButtonCatalogue::kComboSlots> comboSlots() const;

private:
    void commit();

    int m_iFresh = -1;
    std::array<uint8_t, ButtonCatalogue::kComboSlots> m_held{};
    std::array<uint8_t, ButtonCatalogue::kComboSlots> m_iComboKey{};
    std::array<std::array<uint8_t, 2>, ButtonCatalogue::kComboSlots> m_iHotKeyCode{};
    QString m_strDisplay;
};

// The fire key dialog's values.
enum FireSource : uint8_t
{
    kFireLeft = 0,
    kFireRight = 1,
    kFireMiddle = 2,
    kFireKeyboard = 3
};
struct FireSettings
{
    int source = kFireLeft;
    int key = 0; // key index for kFireKeyboard
    int times = 3;
    int delay = 100;
};
constexpr int kFireMin = 1;
constexpr int kFireMax = 255;
// A record that holds the fire key fills the dialog; any other starts from the dialog's own values.
FireSettings fireSettings(const ButtonAssignment &button);
// Res1 of SETTINGS: 0x81, 0x82, 0x84, or the key's HID usage.
uint8_t fireSourceCode(const FireSettings &settings);

// ---------------------------------------------------------------------------
// Command-line names.

struct CliName
{
    QString name; // "dpi+", "media play-pause", "key NAME", ...
    int fun;
};
// Every name in menu order, with the forms that take arguments.
QVector<CliName> cliNames();
// A key index from a name ("a", "f5", "page-up", "num-7", "ctrl"); -1 when unknown.
int keyIndexFromName(const QString &name);
// Parses FUNCTION [ARGS] into A; false with ERROR (one line) when it is not valid.
// SENSORMODEL converts a sniper DPI into its step.
bool parseCliFunction(const QStringList &args, const ButtonAssignment &current, int sensorModel,
                      Assignment *a, QString *error);

} // namespace ButtonModel
