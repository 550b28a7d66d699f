#include "ButtonCatalogue.h"

#include "KeyTables.h"

#include <QCoreApplication>

namespace ButtonCatalogue {

namespace {

constexpr const char *kContext = "ButtonCatalogue";

// Left-hand modifier keys put into a combo whichever side was held.
constexpr int kKeyLeftShift = 42;
constexpr int kKeyLeftCtrl = 29;
constexpr int kKeyLeftWindows = 91;
constexpr int kKeyLeftAlt = 56;
constexpr uint8_t kComboKeyByte = 5;
constexpr uint8_t kComboPress = 0x80;

const std::array<FunctionRow, kFunctionCount> kTable = {{
    {1, {0x81, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Left"), kMenuTop | kMenuWheel},
    {2, {0x82, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Right"), kMenuTop | kMenuWheel},
    {3, {0x83, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Middle"), kMenuTop | kMenuWheel},
    {4, {0x85, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Forward"), kMenuTop | kMenuWheel},
    {5, {0x84, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Back"), kMenuTop | kMenuWheel},
    {13, {0x30, 0, 0, 0}, nullptr, kMenuNone},
    {49, {0x89, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "DPI -"), kMenuDpi},
    {48, {0x8A, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "DPI +"), kMenuDpi},
    {52, {0x8B, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Scroll Up"), kMenuWheel},
    {53, {0x8C, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Scroll Down"), kMenuWheel},
    {17, {0x8F, 0x01, 0x1B, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Cut"), kMenuBasic},
    {18, {0x8F, 0x01, 0x06, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Copy"), kMenuBasic},
    {19, {0x8F, 0x01, 0x19, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Paste"), kMenuBasic},
    {20, {0x8F, 0x01, 0x04, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "All"), kMenuBasic},
    {21, {0x8F, 0x01, 0x09, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Find"), kMenuBasic},
    {22, {0x8F, 0x01, 0x11, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "New"), kMenuBasic},
    {23, {0x8F, 0x01, 0x13, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Print"), kMenuBasic},
    {24, {0x8F, 0x01, 0x16, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Save"), kMenuBasic},
    {25, {0x8F, 0x04, 0x2B, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Switch Window"), kMenuWindows},
    {26, {0x8F, 0x04, 0x3D, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Close Window"), kMenuWindows},
    {27, {0x8F, 0x08, 0x08, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "My Computer"), kMenuWindows},
    {28, {0x8F, 0x08, 0x15, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Run"), kMenuWindows},
    {29, {0x8F, 0x08, 0x07, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Show Desktop"), kMenuWindows},
    {62, {0x8F, 0x08, 0x10, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Boss Key"), kMenuWindows},
    {30, {0x8F, 0x08, 0x0F, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Lock PC"), kMenuWindows},
    {31, {0x8E, 0x01, 0x23, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Home"), kMenuWindows},
    {32, {0x8E, 0x01, 0x24, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Backward"), kMenuWindows},
    {33, {0x8E, 0x01, 0x25, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Forward"), kMenuWindows},
    {34, {0x8E, 0x01, 0x26, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Stop"), kMenuWindows},
    {35, {0x8E, 0x01, 0x27, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Refresh"), kMenuWindows},
    {36, {0x8E, 0x01, 0x21, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Search"), kMenuWindows},
    {37, {0x8E, 0x01, 0x2A, 0x02}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Browser Favorite"), kMenuWindows},
    {38, {0x8E, 0x01, 0x8A, 0x01}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Mail"), kMenuWindows},
    {40, {0x8E, 0x01, 0xB7, 0x00}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Stop"), kMenuMedia},
    {39, {0x8E, 0x01, 0xCD, 0x00}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Play/Pause"), kMenuMedia},
    {41, {0x8E, 0x01, 0xB6, 0x00}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Previous Track"), kMenuMedia},
    {42, {0x8E, 0x01, 0xB5, 0x00}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Next Track"), kMenuMedia},
    {43,
     {0x8E, 0x01, 0xE9, 0x00},
     QT_TRANSLATE_NOOP("ButtonCatalogue", "Volume Up"),
     kMenuMedia | kMenuWheel},
    {44,
     {0x8E, 0x01, 0xEA, 0x00},
     QT_TRANSLATE_NOOP("ButtonCatalogue", "Volume Down"),
     kMenuMedia | kMenuWheel},
    {45, {0x8E, 0x01, 0xE2, 0x00}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Mute"), kMenuMedia},
    {46, {0x8E, 0x01, 0x83, 0x01}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Media Player"), kMenuMedia},
    {6, {0x90, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "SINGLE KEY"), kMenuAdvance | kMenuWheel},
    {200, {0x91, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Macro Manager"), kMenuTop},
    {510, {0x9D, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "GunFile Manager"), kMenuNone},
    {12, {0x99, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "FIRE KEY"), kMenuAdvance},
    {16, {0x00, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Button Off"), kMenuTop},
    {47, {0x88, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "DPI Switch"), kMenuDpi},
    {63, {0x94, 0x01, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Rate Switch"), kMenuRate},
    {50, {0x94, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Rate +"), kMenuRate},
    {51, {0x95, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Rate -"), kMenuRate},
    {59, {0x8D, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Profile Switch"), kMenuProfile},
    {57, {0x94, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Profile +"), kMenuProfile},
    {58, {0x95, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Profile -"), kMenuProfile},
    {7, {0x8F, 0, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "COMBO KEY"), kMenuAdvance | kMenuWheel},
    {54, {0x9B, 0x08, 0, 0}, QT_TRANSLATE_NOOP("ButtonCatalogue", "Led Switch"), kMenuTop},
    {55, {0x96, 0x01, 0x01, 0x01}, QT_TRANSLATE_NOOP("ButtonCatalogue", "SNIPER"), kMenuAdvance},
    {60, {0x9F, 0, 0, 0}, nullptr, kMenuNone},
    {61, {0xA0, 0, 0, 0}, nullptr, kMenuNone},
    {64, {0x9B, 0, 0, 0}, nullptr, kMenuNone},
}};

const FunctionRow *findRow(int fun)
{
    for (const FunctionRow &row : kTable) {
        if (row.fun == fun)
            return &row;
    }
    return nullptr;
}

} // namespace

const std::array<FunctionRow, kFunctionCount> &functionTable()
{
    return kTable;
}

bool deviceBytes(int fun, DeviceBytes &bytes)
{
    const FunctionRow *row = findRow(fun);
    bytes = row ? row->bytes : DeviceBytes{0, 0, 0, 0};
    return row != nullptr;
}

bool isKnownFunction(int fun)
{
    return findRow(fun) != nullptr;
}

QString functionText(int fun)
{
    const FunctionRow *row = findRow(fun);
    if (!row || !row->text)
        return QString();
    return QCoreApplication::translate(kContext, row->text);
}

QString buttonLabel(const ButtonAssignment &button)
{
    if (button.Fun == kFunMacro || button.Fun == kFunGunFile)
        return button.macroname;
    return functionText(button.Fun);
}

const QVector<Submenu> &submenus()
{
    static const QVector<Submenu> menus = {
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Basic"), kMenuBasic, {17, 18, 19, 20, 21, 22, 23, 24}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Windows"),
         kMenuWindows,
         {25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 62}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Advance"), kMenuAdvance, {6, 7, 12, 55}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Media"), kMenuMedia, {39, 40, 41, 42, 43, 44, 45, 46}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "DPI"), kMenuDpi, {47, 48, 49}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Profile Menu"), kMenuProfile, {59, 57, 58}},
        {QT_TRANSLATE_NOOP("ButtonCatalogue", "Polling Rate"), kMenuRate, {63, 50, 51}},
    };
    return menus;
}

QString submenuTitle(const Submenu &submenu)
{
    return QCoreApplication::translate(kContext, submenu.title);
}

void assignFunction(ButtonAssignment &button, int fun)
{
    button.Fun = fun;
}

void assignSingleKey(ButtonAssignment &button, int keyIndex)
{
    button.Res1 = uint8_t(keyIndex);
    button.Fun = kFunSingleKey;
}

void assignComboKey(ButtonAssignment &button, const std::array<ComboSlot, kComboSlots> &comboSlots)
{
    for (KeyInfo &k : button.KeyInfo)
        k = KeyInfo();
    static constexpr int kModifierKeys[4] = {kKeyLeftShift, kKeyLeftCtrl, kKeyLeftWindows, kKeyLeftAlt};
    int n = 0;
    for (int s = 0; s < kComboSlots; ++s) {
        if (!comboSlots[size_t(s)].held)
            continue;
        const int keyIndex = s < kComboOther ? kModifierKeys[s] : comboSlots[size_t(s)].keyIndex;
        int usage = 0;
        if (!KeyTables::indexToUsage(keyIndex, usage))
            usage = 0;
        // Insert press and release at position n; entries from n move two places on.
        for (int i = kKeyInfoCount - 1; i >= n + 2; --i)
            button.KeyInfo[size_t(i)] = button.KeyInfo[size_t(i - 2)];
        button.KeyInfo[size_t(n)] = KeyInfo{uint8_t(usage), kComboKeyByte, kComboPress};
        if (n + 1 < kKeyInfoCount)
            button.KeyInfo[size_t(n + 1)] = KeyInfo{uint8_t(usage), kComboKeyByte, 0x00};
        ++n;
    }
    button.Fun = kFunComboKey;
}

uint8_t fireSource(int keyIndex)
{
    switch (keyIndex) {
    case KeyTables::kKeyLeftButton:
        return 0x81;
    case KeyTables::kKeyRightButton:
        return 0x82;
    case KeyTables::kKeyMiddleButton:
        return 0x84;
    default:
        break;
    }
    int usage = 0;
    return KeyTables::indexToUsage(keyIndex, usage) ? uint8_t(usage) : 0;
}

void assignFireKey(ButtonAssignment &button, uint8_t source, int times, int delay)
{
    button.Res1 = source;
    button.LoopNumber = times;
    button.KeyNumber = delay;
    button.Fun = kFunFireKey;
}

void assignSniper(ButtonAssignment &button)
{
    button.Res1 = 1;
    button.Fun = kFunSniper;
}

void assignMacro(ButtonAssignment &button, int fun, const QString &name, int loopCount, uint8_t runMode,
                 uint8_t option, const QVector<MacroEvent> &events)
{
    button.Fun = fun;
    button.LoopNumber = loopCount;
    button.Res1 = runMode;
    button.macroname = name;
    button.Res2 = option;
    if (option == 1) {
        button.Res1 = 0;
        button.LoopNumber = 1;
    }
    button.KeyNumber = events.size();
    const int n = std::min<int>(events.size(), kKeyInfoCount);
    for (int j = 0; j < n; ++j) {
        const MacroEvent &e = events.at(j);
        button.KeyInfo[size_t(j)] = KeyInfo{e.type, e.low, e.high};
    }
}

} // namespace ButtonCatalogue
