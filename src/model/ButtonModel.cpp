#include "ButtonModel.h"

#include "DeviceDescription.h"
#include "DpiEncoding.h"
#include "KeyTables.h"

#include <QCoreApplication>

using namespace ButtonCatalogue;

namespace ButtonModel {

const char kOneClickMessage[] =
    QT_TRANSLATE_NOOP("MousecfgWidget", "AT LEAST ONE CLICK FUNCTION TO BE RETAINED.");

namespace {

constexpr int kScrollUp = 52;
constexpr int kScrollDown = 53;
constexpr int kLedSwitch = 54;
constexpr int kMaxStep = 255;

// The first set's design geometry.
constexpr double kFirstSetX = 56.0;
constexpr double kFirstSetWidth = 220.0;
constexpr double kFirstSetHeight = 30.0;
constexpr int kDenseLimit = 9; // more visible buttons than this: fixed spacing
constexpr int kDenseSpacing = 5;
constexpr int kDenseTop = 10;

// A combo record's entries: key byte 5, high 0x80 for a press.
constexpr uint8_t kComboKeyByte = 5;
constexpr uint8_t kComboPress = 0x80;
// The mouse-button functions that name the fire key's sources 0 to 2.
constexpr int kFireSourceFunctions[3] = {1, 2, 3};

// Left and right key of each modifier slot.
constexpr int kModifierKeys[4][2] = {{42, 54}, {29, 238}, {91, 92}, {56, 239}};

int modifierSlot(int keyIndex, int *side)
{
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 2; ++k) {
            if (kModifierKeys[s][k] == keyIndex) {
                *side = k;
                return s;
            }
        }
    }
    return -1;
}

struct ScanRule
{
    int scan;
    uint32_t flags[3];
    int count;
    int index;
};
// The sixteen keys whose index is not their scan code, on their exact flags.
constexpr ScanRule kScanRules[] = {
    {28, {0x01, 0x81}, 2, 229}, {29, {0x01, 0x81}, 2, 238},       {53, {0x01, 0x81}, 2, 226},
    {55, {0x00, 0x80}, 2, 227}, {56, {0x01, 0x21, 0x81}, 3, 239}, {69, {0x01, 0x81}, 2, 225},
    {71, {0x00, 0x80}, 2, 235}, {72, {0x00, 0x80}, 2, 236},       {73, {0x00, 0x80}, 2, 228},
    {75, {0x00, 0x80}, 2, 233}, {77, {0x00, 0x80}, 2, 234},       {79, {0x00, 0x80}, 2, 230},
    {80, {0x00, 0x80}, 2, 231}, {81, {0x00, 0x80}, 2, 232},       {82, {0x00, 0x80}, 2, 237},
    {83, {0x00, 0x80}, 2, 224},
};

// evdev codes above 88 that have a set-1 scan code: the extended keys.
struct EvdevKey
{
    int evdev;
    int scan;
    uint32_t flags;
};
constexpr EvdevKey kEvdevKeys[] = {
    {69, 69, kFlagExtended},  // Num Lock
    {96, 28, kFlagExtended},  // Num Enter
    {97, 29, kFlagExtended},  // Right Ctrl
    {98, 53, kFlagExtended},  // Num /
    {99, 55, kFlagExtended},  // Print Screen
    {100, 56, kFlagExtended}, // Right Alt
    {102, 71, kFlagExtended}, // Home
    {103, 72, kFlagExtended}, // Up
    {104, 73, kFlagExtended}, // Page Up
    {105, 75, kFlagExtended}, // Left
    {106, 77, kFlagExtended}, // Right
    {107, 79, kFlagExtended}, // End
    {108, 80, kFlagExtended}, // Down
    {109, 81, kFlagExtended}, // Page Down
    {110, 82, kFlagExtended}, // Insert
    {111, 83, kFlagExtended}, // Delete
    {119, 69, 0},             // Pause
    {125, 91, kFlagExtended}, // Left Windows
    {126, 92, kFlagExtended}, // Right Windows
    {127, 93, kFlagExtended}, // Menu
};

struct NamedFunction
{
    const char *name;
    int fun;
};
// Command-line names of the functions without arguments, in menu order.
constexpr NamedFunction kNames[] = {
    {"left", 1},
    {"right", 2},
    {"middle", 3},
    {"forward", 4},
    {"back", 5},
    {"cut", 17},
    {"copy", 18},
    {"paste", 19},
    {"select-all", 20},
    {"find", 21},
    {"new", 22},
    {"print", 23},
    {"save", 24},
    {"switch-window", 25},
    {"close-window", 26},
    {"my-computer", 27},
    {"run", 28},
    {"show-desktop", 29},
    {"lock-pc", 30},
    {"browser-home", 31},
    {"browser-back", 32},
    {"browser-forward", 33},
    {"browser-stop", 34},
    {"browser-refresh", 35},
    {"browser-search", 36},
    {"browser-favorite", 37},
    {"mail", 38},
    {"boss-key", 62},
    {"media play-pause", 39},
    {"media stop", 40},
    {"media prev-track", 41},
    {"media next-track", 42},
    {"media volume-up", 43},
    {"media volume-down", 44},
    {"media mute", 45},
    {"media player", 46},
    {"dpi-loop", 47},
    {"dpi+", 48},
    {"dpi-", 49},
    {"rate-loop", 63},
    {"rate+", 50},
    {"rate-", 51},
    {"led", kLedSwitch},
    {"off", kFunButtonOff},
    {"scroll-up", kScrollUp},
    {"scroll-down", kScrollDown},
};

QString normalisedName(QString name)
{
    name = name.trimmed().toLower();
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    name.replace(QLatin1Char('_'), QLatin1Char('-'));
    return name;
}

bool parseRange(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok, 10);
    return ok && *value >= kFireMin && *value <= kFireMax;
}

} // namespace

// ---------------------------------------------------------------------------
// Sets

int recordIndex(int set, int index)
{
    if (set < 0 || set >= kSetCount || index < 0 || index >= kSetSizes[set])
        return -1;
    return kSetFirstRecord[set] + index;
}

int setOfRecord(int record)
{
    for (int s = kSetCount - 1; s >= 0; --s) {
        if (record >= kSetFirstRecord[s] && record < kSetFirstRecord[s] + kSetSizes[s])
            return s;
    }
    return -1;
}

QVector<Slot> firstSetLayout(const QVector<int> &matrix, int pageHeight, double scale)
{
    int visible = 0;
    for (int m : matrix)
        visible += m != kEmptyPosition ? 1 : 0;
    int spacing = kDenseSpacing;
    int top = kDenseTop;
    if (visible <= kDenseLimit) {
        spacing = int((pageHeight - kFirstSetHeight * scale * visible) / (visible + 1));
        top = spacing;
    }
    QVector<Slot> layout(matrix.size());
    int c = 0;
    for (int i = 0; i < matrix.size(); ++i) {
        if (matrix.at(i) == kEmptyPosition)
            continue;
        layout[i].geometry =
            QRect(int(kFirstSetX * scale), int(top + spacing * c + kFirstSetHeight * scale * c),
                  int(kFirstSetWidth * scale), int(kFirstSetHeight * scale));
        layout[i].number = c + 1;
        ++c;
    }
    return layout;
}

QVector<int> secondMatrix()
{
    DeviceDescription::ButtonMatrix m{};
    DeviceDescription::loadMatrix2(m);
    const int count = qBound(0, DeviceDescription::buttonCount(), int(m.size()));
    QVector<int> out;
    for (int i = 0; i < count; ++i)
        out << m[size_t(i)];
    return out;
}

QVector<int> shownRecords(const QVector<int> &matrix)
{
    QVector<int> out;
    for (int i = 0; i < qMin(int(matrix.size()), kSetSizes[kFirstSet]); ++i) {
        if (matrix.at(i) != kEmptyPosition)
            out << recordIndex(kFirstSet, i);
    }
    for (int i = 0; i < qMin(2, int(matrix.size())); ++i)
        out << recordIndex(kSecondSet, i);
    for (int i = 0; i < kSetSizes[kWheelSet]; ++i)
        out << recordIndex(kWheelSet, i);
    return out;
}

// ---------------------------------------------------------------------------
// Menus and labels

MenuSwitches menuSwitches()
{
    MenuSwitches s;
    s.macro = DeviceDescription::disableMacro() == 0;
    s.led = DeviceDescription::ledDisable() == 0;
    return s;
}

QVector<int> menuHeadEntries()
{
    return {1, 2, 3, 4, 5};
}

QVector<Submenu> menuSubmenus()
{
    QVector<Submenu> out;
    for (const Submenu &s : submenus()) {
        if (s.menu != kMenuProfile)
            out << s;
    }
    return out;
}

QVector<int> menuTailEntries(const MenuSwitches &switches)
{
    QVector<int> out;
    if (switches.macro)
        out << ButtonCatalogue::kFunMacro;
    if (switches.led)
        out << kLedSwitch;
    out << kFunButtonOff;
    return out;
}

QVector<int> wheelMenuEntries()
{
    return {kScrollUp, kScrollDown, 43, 44, 1, 2, 3, 4, 5, kFunSingleKey, kFunComboKey};
}

QVector<int> offeredFunctions(int set, const MenuSwitches &switches)
{
    if (set == kWheelSet)
        return wheelMenuEntries();
    QVector<int> out = menuHeadEntries();
    for (const Submenu &s : menuSubmenus())
        out += s.entries;
    out += menuTailEntries(switches);
    return out;
}

QString comboLabel(const ButtonAssignment &button)
{
    // The presses of the record (key byte 5, high 0x80) name the keys.
    static const char *const kModifierNames[4] = {
        QT_TRANSLATE_NOOP("ButtonModel", "Shift"), QT_TRANSLATE_NOOP("ButtonModel", "Ctrl"),
        QT_TRANSLATE_NOOP("ButtonModel", "Win"), QT_TRANSLATE_NOOP("ButtonModel", "Alt")};
    static constexpr int kShownOrder[4] = {kComboCtrl, kComboShift, kComboAlt, kComboWindows};
    std::array<bool, 4> modifiers{};
    QStringList keys;
    for (const KeyInfo &k : button.KeyInfo) {
        if (k.map == 0 || k.H != kComboPress || k.key != kComboKeyByte)
            continue;
        int index = 0;
        if (!KeyTables::usageToIndex(k.map, index))
            continue;
        int side = 0;
        const int slot = modifierSlot(index, &side);
        if (slot >= 0)
            modifiers[size_t(slot)] = true;
        else
            keys << KeyTables::keyName(index);
    }
    QStringList parts;
    for (int slot : kShownOrder) {
        if (modifiers[size_t(slot)])
            parts << QCoreApplication::translate("ButtonModel", kModifierNames[slot]);
    }
    parts += keys;
    return parts.join(QLatin1Char('+'));
}

QString buttonLabel(const ButtonAssignment &button, int set)
{
    if (set != kWheelSet && (button.Fun == kScrollUp || button.Fun == kScrollDown))
        return QString();
    const QString plain = ButtonCatalogue::buttonLabel(button);
    switch (button.Fun) {
    case kFunSingleKey: {
        const QString key = KeyTables::keyName(button.Res1);
        return key.isEmpty() ? plain : key;
    }
    case kFunComboKey: {
        const QString keys = comboLabel(button);
        return keys.isEmpty() ? plain : keys;
    }
    case kFunFireKey: {
        const FireSettings f = fireSettings(button);
        const QString source = f.source == kFireKeyboard ? KeyTables::keyName(f.key)
                                                         : functionText(kFireSourceFunctions[f.source]);
        return QCoreApplication::translate("ButtonModel", "Fire: %1 ×%2, %3 ms")
            .arg(source)
            .arg(f.times)
            .arg(f.delay);
    }
    case ButtonCatalogue::kFunMacro:
        return plain.isEmpty() ? functionText(ButtonCatalogue::kFunMacro)
                               : QCoreApplication::translate("ButtonModel", "Macro: %1").arg(plain);
    case ButtonCatalogue::kFunGunFile:
        return plain.isEmpty() ? functionText(ButtonCatalogue::kFunGunFile)
                               : QCoreApplication::translate("ButtonModel", "Gun file: %1").arg(plain);
    default:
        return plain;
    }
}

// ---------------------------------------------------------------------------
// Assignment

bool keepsClick(const Buttons &buttons, int record, int fun)
{
    if (record < 0 || record >= kButtonCount || buttons[size_t(record)].Fun != kFunLeft || fun == kFunLeft)
        return true;
    for (int i = 0; i < kButtonCount; ++i) {
        if (i != record && buttons[size_t(i)].Fun == kFunLeft)
            return true;
    }
    return false;
}

Result assign(Buttons &buttons, int record, const Assignment &a)
{
    if (!keepsClick(buttons, record, a.fun))
        return Result::LastClick;
    ButtonAssignment &b = buttons[size_t(record)];
    switch (a.fun) {
    case kFunSingleKey:
        assignSingleKey(b, a.keyIndex);
        break;
    case kFunComboKey:
        assignComboKey(b, a.combo);
        break;
    case kFunFireKey:
        assignFireKey(b, a.fireSource, a.times, a.delay);
        break;
    case kFunSniper:
        assignSniper(b);
        b.Res1 = uint8_t(a.sniperStep);
        break;
    default:
        assignFunction(b, a.fun);
        break;
    }
    return Result::Assigned;
}

// ---------------------------------------------------------------------------
// Key capture

int keyIndexFromScan(int scanCode, uint32_t flags)
{
    for (const ScanRule &r : kScanRules) {
        if (r.scan != scanCode)
            continue;
        for (int i = 0; i < r.count; ++i) {
            if (r.flags[i] == flags)
                return r.index;
        }
    }
    return scanCode;
}

bool scanFromEvdev(int evdevCode, bool release, int *scanCode, uint32_t *flags)
{
    int scan = -1;
    uint32_t f = 0;
    for (const EvdevKey &k : kEvdevKeys) {
        if (k.evdev == evdevCode) {
            scan = k.scan;
            f = k.flags;
        }
    }
    if (scan < 0 && ((evdevCode >= 1 && evdevCode <= 83) || (evdevCode >= 86 && evdevCode <= 88)))
        scan = evdevCode;
    if (scan < 0)
        return false;
    *scanCode = scan;
    *flags = f | (release ? kFlagUp : 0);
    return true;
}

int evdevFromQtKey(int qtKey)
{
    static const int kLetters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                     49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return kLetters[qtKey - Qt::Key_A];
    if (qtKey >= Qt::Key_1 && qtKey <= Qt::Key_9)
        return 2 + (qtKey - Qt::Key_1);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F10)
        return 59 + (qtKey - Qt::Key_F1);
    static const struct
    {
        int key;
        int evdev;
    } kKeys[] = {
        {Qt::Key_0, 11},        {Qt::Key_F11, 87},       {Qt::Key_F12, 88},     {Qt::Key_Escape, 1},
        {Qt::Key_Tab, 15},      {Qt::Key_Backspace, 14}, {Qt::Key_Return, 28},  {Qt::Key_Enter, 96},
        {Qt::Key_Space, 57},    {Qt::Key_Shift, 42},     {Qt::Key_Control, 29}, {Qt::Key_Alt, 56},
        {Qt::Key_Meta, 125},    {Qt::Key_Super_L, 125},  {Qt::Key_Delete, 111}, {Qt::Key_Insert, 110},
        {Qt::Key_Home, 102},    {Qt::Key_End, 107},      {Qt::Key_PageUp, 104}, {Qt::Key_PageDown, 109},
        {Qt::Key_Left, 105},    {Qt::Key_Up, 103},       {Qt::Key_Right, 106},  {Qt::Key_Down, 108},
        {Qt::Key_CapsLock, 58}, {Qt::Key_Minus, 12},     {Qt::Key_Equal, 13},   {Qt::Key_Comma, 51},
        {Qt::Key_Period, 52},   {Qt::Key_Slash, 53}};
    for (const auto &k : kKeys) {
        if (k.key == qtKey)
            return k.evdev;
    }
    return 0;
}

bool isKeyDown(uint32_t flags)
{
    return flags < 2 || flags == kFlagAltDown;
}

bool RepeatFilter::accept(int keyIndex, uint32_t flags)
{
    if (keyIndex == m_iLastCode && flags == m_iLastFlags)
        return false;
    m_iLastCode = keyIndex;
    m_iLastFlags = flags;
    return true;
}

ComboCapture::ComboCapture()
{
    for (int s = 0; s < 4; ++s) {
        m_iHotKeyCode[size_t(s)][0] = uint8_t(kModifierKeys[s][0]);
        m_iHotKeyCode[size_t(s)][1] = uint8_t(kModifierKeys[s][1]);
    }
}

void ComboCapture::keyEvent(int keyIndex, uint32_t flags)
{
    if (m_iFresh == -1) {
        m_held.fill(0);
        m_iComboKey.fill(0);
        m_iHotKeyCode[kComboOther] = {0, 0};
        m_iFresh = 0;
    }
    int side = 0;
    const int slot = modifierSlot(keyIndex, &side);
    uint8_t &held = m_held[size_t(slot >= 0 ? slot : kComboOther)];
    if (isKeyDown(flags)) {
        if (slot >= 0) {
            held = uint8_t(side + 1);
        } else {
            held = 1;
            m_iHotKeyCode[kComboOther][0] = uint8_t(keyIndex);
        }
        commit();
    } else if (slot >= 0) {
        held = uint8_t(qMax(0, held - (side + 1)));
    } else {
        held = 0;
    }
}

void ComboCapture::fill(const ButtonAssignment &button)
{
    m_held.fill(0);
    for (int i = 0; i < kComboSlots; ++i) {
        const uint8_t usage = button.KeyInfo[size_t(i)].map;
        int keyIndex = 0;
        if (usage == 0 || !KeyTables::usageToIndex(usage, keyIndex))
            continue;
        int side = 0;
        const int slot = modifierSlot(keyIndex, &side);
        if (slot >= 0) {
            m_held[size_t(slot)] = uint8_t(m_held[size_t(slot)] + side + 1);
        } else {
            m_held[kComboOther] = 1;
            m_iHotKeyCode[kComboOther][0] = uint8_t(keyIndex);
        }
    }
    commit();
}

void ComboCapture::commit()
{
    QStringList names;
    for (int s = 0; s < kComboSlots; ++s) {
        if (m_held[size_t(s)] == 0)
            continue;
        const int side = s < kComboOther && m_held[size_t(s)] > 2 ? 1 : 0;
        names << KeyTables::keyName(m_iHotKeyCode[size_t(s)][size_t(side)]);
    }
    m_strDisplay = names.join(QStringLiteral(" + "));
    m_iComboKey = m_held;
}

std::array<ComboSlot, kComboSlots> ComboCapture::comboSlots() const
{
    std::array<ComboSlot, kComboSlots> out{};
    for (int s = 0; s < kComboSlots; ++s) {
        out[size_t(s)].held = m_iComboKey[size_t(s)] != 0;
        out[size_t(s)].keyIndex = m_iHotKeyCode[size_t(s)][0];
    }
    return out;
}

FireSettings fireSettings(const ButtonAssignment &button)
{
    FireSettings f;
    if (button.Fun != kFunFireKey)
        return f;
    switch (button.Res1) {
    case 0:
    case 0x81:
        f.source = kFireLeft;
        break;
    case 0x82:
        f.source = kFireRight;
        break;
    case 0x84:
        f.source = kFireMiddle;
        break;
    default:
        f.source = kFireKeyboard;
        KeyTables::usageToIndex(button.Res1, f.key);
        break;
    }
    f.delay = button.KeyNumber != 0 ? button.KeyNumber : 10;
    f.times = button.LoopNumber != 0 ? button.LoopNumber : 3;
    return f;
}

uint8_t fireSourceCode(const FireSettings &settings)
{
    switch (settings.source) {
    case kFireLeft:
        return ButtonCatalogue::fireSource(KeyTables::kKeyLeftButton);
    case kFireRight:
        return ButtonCatalogue::fireSource(KeyTables::kKeyRightButton);
    case kFireMiddle:
        return ButtonCatalogue::fireSource(KeyTables::kKeyMiddleButton);
    default:
        return ButtonCatalogue::fireSource(settings.key);
    }
}

// ---------------------------------------------------------------------------
// Command-line names

QVector<CliName> cliNames()
{
    QVector<CliName> out;
    for (const NamedFunction &n : kNames) {
        out << CliName{QLatin1String(n.name), n.fun};
        if (n.fun == 62) { // the "Advance" entries follow the "Windows" ones
            out << CliName{QStringLiteral("key NAME"), kFunSingleKey}
                << CliName{QStringLiteral("combo MOD+...+KEY"), kFunComboKey}
                << CliName{QStringLiteral("fire left|right|middle|KEY [--times N] [--delay MS]"), kFunFireKey}
                << CliName{QStringLiteral("sniper [DPI]"), kFunSniper};
        }
    }
    return out;
}

int keyIndexFromName(const QString &name)
{
    static const struct
    {
        const char *alias;
        int index;
    } kAliases[] = {{"ctrl", 29},   {"control", 29},  {"lctrl", 29}, {"rctrl", 238}, {"shift", 42},
                    {"lshift", 42}, {"rshift", 54},   {"alt", 56},   {"lalt", 56},   {"ralt", 239},
                    {"altgr", 239}, {"win", 91},      {"super", 91}, {"meta", 91},   {"lwin", 91},
                    {"rwin", 92},   {"esc", 1},       {"escape", 1}, {"del", 83},    {"return", 28},
                    {"pgup", 73},   {"pgdn", 81},     {"ins", 82},   {"menu", 93},   {"minus", 12},
                    {"plus", 78},   {"backspace", 14}};
    const QString wanted = normalisedName(name);
    if (wanted.isEmpty())
        return -1;
    for (const auto &a : kAliases) {
        if (wanted == QLatin1String(a.alias))
            return a.index;
    }
    for (int i = 0; i < KeyTables::kKeyIndexCount; ++i) {
        const QString n = KeyTables::keyName(i, false);
        if (!n.isEmpty() && normalisedName(n) == wanted)
            return i;
    }
    return -1;
}

bool parseCliFunction(const QStringList &args, const ButtonAssignment &current, int sensorModel,
                      Assignment *a, QString *error)
{
    if (args.isEmpty()) {
        *error = QStringLiteral("no function given");
        return false;
    }
    const QString verb = args.first().toLower();
    auto fail = [error](const QString &text) {
        *error = text;
        return false;
    };
    auto keyWithUsage = [&](const QString &keyName, int *index) {
        *index = keyIndexFromName(keyName);
        int usage = 0;
        if (*index < 0)
            return fail(QStringLiteral("unknown key \"%1\"").arg(keyName));
        if (!KeyTables::indexToUsage(*index, usage) || *index >= KeyTables::kKeyLeftButton)
            return fail(QStringLiteral("the key \"%1\" has no keyboard code").arg(keyName));
        return true;
    };

    if (verb == QLatin1String("key")) {
        if (args.size() != 2)
            return fail(QStringLiteral("key takes one key name"));
        a->fun = kFunSingleKey;
        return keyWithUsage(args.at(1), &a->keyIndex);
    }
    if (verb == QLatin1String("combo")) {
        if (args.size() != 2 || args.at(1).isEmpty())
            return fail(QStringLiteral("combo takes MOD+...+KEY"));
        a->fun = kFunComboKey;
        for (const QString &part : args.at(1).split(QLatin1Char('+'))) {
            int index = 0;
            if (!keyWithUsage(part, &index))
                return false;
            int side = 0;
            const int slot = modifierSlot(index, &side);
            if (slot >= 0) {
                a->combo[size_t(slot)] = ComboSlot{true, kModifierKeys[slot][0]};
            } else {
                if (a->combo[kComboOther].held)
                    return fail(QStringLiteral("a combo holds one key besides its modifiers"));
                a->combo[kComboOther] = ComboSlot{true, index};
            }
        }
        return true;
    }
    if (verb == QLatin1String("fire")) {
        if (args.size() < 2)
            return fail(QStringLiteral("fire takes left, right, middle or a key"));
        FireSettings f = fireSettings(current);
        const QString source = args.at(1).toLower();
        if (source == QLatin1String("left"))
            f.source = kFireLeft;
        else if (source == QLatin1String("right"))
            f.source = kFireRight;
        else if (source == QLatin1String("middle"))
            f.source = kFireMiddle;
        else {
            f.source = kFireKeyboard;
            if (!keyWithUsage(args.at(1), &f.key))
                return false;
        }
        for (int i = 2; i < args.size(); i += 2) {
            const QString &option = args.at(i);
            int *target = option == QLatin1String("--times")   ? &f.times
                          : option == QLatin1String("--delay") ? &f.delay
                                                               : nullptr;
            if (!target || i + 1 >= args.size())
                return fail(QStringLiteral("fire takes --times N and --delay MS"));
            if (!parseRange(args.at(i + 1), target))
                return fail(QStringLiteral("%1 must be %2 to %3").arg(option).arg(kFireMin).arg(kFireMax));
        }
        a->fun = kFunFireKey;
        a->fireSource = fireSourceCode(f);
        a->times = f.times;
        a->delay = f.delay;
        return true;
    }
    if (verb == QLatin1String("sniper")) {
        a->fun = kFunSniper;
        a->sniperStep = 1;
        if (args.size() == 1)
            return true;
        bool ok = false;
        const int dpi = args.at(1).toInt(&ok, 10);
        if (args.size() != 2 || !ok)
            return fail(QStringLiteral("sniper takes a DPI value"));
        for (int s = 0; s <= kMaxStep; ++s) {
            if (DpiEncoding::stepToDpi(sensorModel, s) == dpi) {
                a->sniperStep = s;
                return true;
            }
        }
        return fail(QStringLiteral("%1 DPI is not a step of this mouse's sensor").arg(dpi));
    }
    QString wanted = verb;
    if (verb == QLatin1String("media") && args.size() == 2)
        wanted += QLatin1Char(' ') + args.at(1).toLower();
    else if (args.size() != 1)
        return fail(QStringLiteral("\"%1\" takes no arguments").arg(verb));
    for (const NamedFunction &n : kNames) {
        if (wanted == QLatin1String(n.name)) {
            a->fun = n.fun;
            return true;
        }
    }
    return fail(QStringLiteral("unknown function \"%1\"; button --list names them").arg(wanted));
}

} // namespace ButtonModel
