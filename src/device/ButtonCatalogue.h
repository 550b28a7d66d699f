#pragma once
// The catalogue of button functions: each function code with its four device
// bytes, its menu text (translatable) and menus, and what assigning it writes
// into a ButtonAssignment. The pages only call this; the write uses the bytes.

#include "ProfileTypes.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

namespace ButtonCatalogue {

// Function codes with their own record rules.
constexpr int kFunSingleKey = 6;
constexpr int kFunComboKey = 7;
constexpr int kFunFireKey = 12;
constexpr int kFunButtonOff = 16;
constexpr int kFunSniper = 55;
constexpr int kFunMacro = 200;
constexpr int kFunGunFile = 510;

// Menus offering a function (bit set).
enum Menu : uint32_t
{
    kMenuNone = 0,
    kMenuTop = 1u << 0,
    kMenuWheel = 1u << 1,
    kMenuBasic = 1u << 2,
    kMenuWindows = 1u << 3,
    kMenuAdvance = 1u << 4,
    kMenuMedia = 1u << 5,
    kMenuDpi = 1u << 6,
    kMenuProfile = 1u << 7,
    kMenuRate = 1u << 8,
};

using DeviceBytes = std::array<uint8_t, 4>;

struct FunctionRow
{
    int fun;
    DeviceBytes bytes;
    const char *text; // English source text, nullptr when no menu names it
    uint32_t menus;
};

constexpr int kFunctionCount = 59;
// The 59 rows in catalogue order.
const std::array<FunctionRow, kFunctionCount> &functionTable();

// The device bytes of fun; false (and four zero bytes) when no row has it.
bool deviceBytes(int fun, DeviceBytes &bytes);
// True when fun is a code of the catalogue.
bool isKnownFunction(int fun);
// Translated menu text of fun (context "ButtonCatalogue"); empty without one.
QString functionText(int fun);
// The label of a button: the macro name for 200 and 510, else the function's text.
QString buttonLabel(const ButtonAssignment &button);

// Submenus of the button function menu in menu order: title and entries.
struct Submenu
{
    const char *title; // English source text
    Menu menu;
    QVector<int> entries; // function codes in menu order
};
const QVector<Submenu> &submenus();
// Translated submenu title.
QString submenuTitle(const Submenu &submenu);

// Assigning a function whose record fields are none: Fun only.
void assignFunction(ButtonAssignment &button, int fun);
// "SINGLE KEY": Res1 = the captured key index (unconverted).
void assignSingleKey(ButtonAssignment &button, int keyIndex);

// One slot of the combo-key dialog; the order is Shift, Ctrl, Windows, Alt, other key.
struct ComboSlot
{
    bool held = false;
    int keyIndex = 0;
};
enum ComboSlotIndex
{
    kComboShift = 0,
    kComboCtrl,
    kComboWindows,
    kComboAlt,
    kComboOther,
    kComboSlots
};
// "COMBO KEY": KeyInfo rebuilt (presses in slot order, releases in reverse),
// KeyNumber untouched.
void assignComboKey(ButtonAssignment &button, const std::array<ComboSlot, kComboSlots> &comboSlots);

// Fire source of a captured key index: 0x81 left, 0x82 right, 0x84 middle
// button, else the key's HID usage (0 when it has none).
uint8_t fireSource(int keyIndex);
// "FIRE KEY": Res1 = source, LoopNumber = times, KeyNumber = delay.
void assignFireKey(ButtonAssignment &button, uint8_t source, int times, int delay);
// "SNIPER": Res1 = 1.
void assignSniper(ButtonAssignment &button);
// "Macro Manager" (200) or "GunFile Manager" (510): the macro selection and
// the macro's events copied into KeyInfo (at most 84; later entries keep
// their bytes). option 1 ("left button macro") forces Res1 0 and LoopNumber 1.
void assignMacro(ButtonAssignment &button, int fun, const QString &name, int loopCount, uint8_t runMode,
                 uint8_t option, const QVector<MacroEvent> &events);

} // namespace ButtonCatalogue
