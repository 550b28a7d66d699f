#include "CommandSet.h"

#include "ButtonCatalogue.h"
#include "DeviceLink.h"
#include "KeyTables.h"

#include <algorithm>
#include <cstring>

namespace {

uint8_t colourByte(const QColor &c, int channel)
{
    if (!c.isValid())
        return 0;
    return uint8_t(channel == 0 ? c.red() : channel == 1 ? c.green() : c.blue());
}

const LedModeSetting &currentEffect(const ProfileData &profile)
{
    return profile.LED_MODE[profile.LedMode < kLedModeCount ? profile.LedMode : 0];
}

// PC scan codes of the modifier keys and the bit each adds.
int modifierBit(int keyIndex)
{
    switch (keyIndex) {
    case 0x1D:
    case 0xEE:
        return 1; // Ctrl
    case 0x2A:
    case 0x36:
        return 2; // Shift
    case 0x38:
    case 0xEF:
        return 4; // Alt
    case 0x5B:
    case 0x5C:
        return 8; // Windows
    default:
        return 0;
    }
}

} // namespace

uint8_t BlockChecksum(const Frame &frame)
{
    unsigned sum = 0;
    for (int i = 1; i <= 31; ++i)
        sum += frame[size_t(i)];
    return uint8_t(0xFF - (sum & 0xFF));
}

bool blockChecksumOk(const Frame &frame)
{
    return frame[32] == BlockChecksum(frame);
}

namespace ControlFrame {

Frame make(uint8_t opcode, const uint8_t *operands, int count)
{
    Frame f{};
    f[1] = kControlHeader0;
    f[2] = kControlHeader1;
    f[3] = kControlHeader2;
    f[4] = opcode;
    for (int i = 0; i < count && 5 + i < kFrameSize; ++i)
        f[size_t(5 + i)] = operands[i];
    return f;
}

Frame selectProfile(int index)
{
    const uint8_t op = uint8_t(index);
    return make(kOpSelectProfile, &op, 1);
}

Frame reload(uint8_t code)
{
    const uint8_t ops[2] = {kReloadSubcode, code};
    return make(kOpControl, ops, 2);
}

} // namespace ControlFrame

namespace BlockFrame {

Frame make(uint8_t code, const uint8_t *payload, int count)
{
    Frame f{};
    f[1] = code;
    for (int i = 0; i < count && i < kBlockPayloadSize; ++i)
        f[size_t(2 + i)] = payload[i];
    f[32] = BlockChecksum(f);
    return f;
}

Frame beginWrite()
{
    return make(kBlockBeginEnd, kBeginMark, 2);
}
Frame endWrite()
{
    return make(kBlockBeginEnd, kEndMark, 2);
}

Frame mode(const ProfileData &profile)
{
    const LedModeSetting &effect = currentEffect(profile);
    uint8_t p[5] = {profile.dpi, profile.pollrate, profile.LedMode, uint8_t(effect.breath),
                    uint8_t(effect.bright)};
    switch (profile.LedMode) {
    case 0:
    case 3:
        p[3] = p[4] = 0;
        break;
    case 1:
        p[3] = 0;
        break;
    case 4:
        p[4] = 0;
        break;
    default:
        break;
    }
    return make(kBlockMode, p, 5);
}

Frame sensor(const ProfileSet &set, const ProfileData &profile, int syncMode)
{
    const QColor &c = currentEffect(profile).RGB;
    const uint8_t p[9] = {kSensorBlockTag,
                          set.LiftHigh,
                          profile.LedSleepTime,
                          uint8_t(profile.LedMoveOFF != 0xFF ? 1 : 0),
                          syncMode == 3 ? set.Debounce : set.AngleValue,
                          set.Sync,
                          colourByte(c, 0),
                          colourByte(c, 1),
                          colourByte(c, 2)};
    return make(kBlockSensor, p, 9);
}

Frame colourTable(const ProfileData &profile)
{
    uint8_t p[24] = {};
    for (int k = 0; k < 8; ++k) {
        for (int ch = 0; ch < 3; ++ch)
            p[3 * k + ch] = colourByte(profile.LED_MODE[size_t(k)].RGB, ch);
    }
    return make(kBlockColour, p, 24);
}

std::array<Frame, 2> dpiStages(const ProfileData &profile, int sensorModel)
{
    uint8_t p1[30] = {}, p2[10] = {};
    for (int i = 0; i < kDpiStageCount; ++i) {
        const DpiStage &s = profile.DPI_INFO[size_t(i)];
        const DpiEncoding::StageRecord r = DpiEncoding::encodeStage(sensorModel, s.x, s.y);
        uint8_t *dst = i < 6 ? p1 + 5 * i : p2 + 5 * (i - 6);
        std::copy(r.begin(), r.end(), dst);
    }
    return {make(kBlockDpi1, p1, 30), make(kBlockDpi2, p2, 10)};
}

std::array<Frame, 3> buttons(const ButtonTable &table)
{
    return {make(kBlockButtons1, table.data(), 28), make(kBlockButtons2, table.data() + 28, 28),
            make(kBlockButtons3, table.data() + 56, 8)};
}

Frame macro(int slot, int block, const uint8_t *slotBytes)
{
    const uint8_t code = uint8_t(kBlockMacroFirst + kMacroBlocksPerSlot * slot + block);
    if (block < 8)
        return make(code, slotBytes + 30 * block, 30);
    return make(code, slotBytes + 240, 16);
}

Frame batteryQuery()
{
    return make(kBlockBattery, kStatusMark, 3);
}

} // namespace BlockFrame

int LookUpMacroIndex(const MacroIndexMap &map, const QString &name)
{
    if (map.empty())
        return -1;
    for (const auto &entry : map) {
        if (entry.second == name)
            return entry.first;
    }
    return 255;
}

std::array<uint8_t, 4> buttonRecord(ButtonAssignment &button, int sensorModel, MacroIndexMap &map)
{
    using namespace ButtonCatalogue;
    DeviceBytes row;
    deviceBytes(button.Fun, row);
    std::array<uint8_t, 4> r = row;
    switch (button.Fun) {
    case kFunSingleKey: {
        int usage = 0;
        if (!KeyTables::indexToUsage(button.Res1, usage))
            usage = 0;
        r[1] = 0;
        r[2] = uint8_t(usage);
        r[3] = 0;
        break;
    }
    case kFunComboKey: {
        int modifiers = 0;
        uint8_t mainKey = 0;
        for (int i = 0; i < 10; ++i) {
            const uint8_t stored = button.KeyInfo[size_t(i)].map;
            if (stored == 0)
                continue;
            int scan = -1;
            const int bit = KeyTables::usageToIndex(stored, scan) ? modifierBit(scan) : 0;
            if (bit)
                modifiers += bit;
            else
                mainKey = stored;
        }
        r[1] = uint8_t(modifiers >> 1);
        r[2] = mainKey;
        r[3] = 0;
        break;
    }
    case kFunFireKey:
        if (button.Res1 != 0) {
            r[1] = button.Res1;
            r[2] = uint8_t(button.LoopNumber);
            r[3] = uint8_t(button.KeyNumber / 10);
        } else {
            r[1] = 0x81;
            r[2] = 3;
            r[3] = 0;
        }
        break;
    case kFunSniper:
        r[1] = 1;
        DpiEncoding::sniperOperands(sensorModel, button.Res1, r[2], r[3]);
        break;
    case ButtonCatalogue::kFunMacro:
    case kFunGunFile: {
        int index = LookUpMacroIndex(map, button.macroname);
        if (index == -1 || index == 255) {
            index = int(map.size());
            map[uint8_t(index)] = button.macroname;
        }
        button.Res4 = uint8_t(index);
        const uint8_t loopLow = uint8_t(button.LoopNumber);
        const uint8_t loopHigh = uint8_t(button.LoopNumber >> 8);
        switch (button.Res1) {
        case 1:
            r = {r[0], uint8_t(index | 0x80), 0xFF, 0xFF};
            break;
        case 2:
            r = {r[0], uint8_t(index | 0x40), 0xFF, 0xFF};
            break;
        default: // 0, and any other run mode: the bare index with the loop count
            r = {r[0], uint8_t(index), loopLow, loopHigh};
            break;
        }
        break;
    }
    default:
        break;
    }
    return r;
}

void buildButtonTable(ButtonTable &table, ProfileData &profile, const ButtonTableLayout &layout,
                      MacroIndexMap &map)
{
    auto place = [&](int button, int slot) {
        if (slot < 0 || slot >= kButtonSlots)
            return;
        const auto r = buttonRecord(profile.BUTTON_INFO[size_t(button)], layout.sensorModel, map);
        std::copy(r.begin(), r.end(), table.begin() + 4 * slot);
    };
    const bool rev = layout.scrollRev == 1;
    const int count = std::clamp(layout.buttonCount, 0, kButtonSlots);
    for (int i = 0; i < count; ++i) {
        int slot = layout.matrix[size_t(i)];
        if (i == 14)
            slot = rev ? 15 : 14;
        else if (i == 15)
            slot = rev ? 14 : 15;
        place(i, slot);
    }
    place(40, rev ? 15 : 14);
    place(41, rev ? 14 : 15);
}

int SwitchProfile(int index)
{
    const Frame select = ControlFrame::selectProfile(index);
    const int res = SendCommand(select.data(), kFrameSize);
    if (res != kSendOk)
        return res;
    const Frame reload = ControlFrame::reload(kReloadProfile);
    return SendCommand(reload.data(), kFrameSize);
}

int ReloadSettings()
{
    for (uint8_t code : kReloadCodes) {
        const Frame f = ControlFrame::reload(code);
        const int res = SendCommand(f.data(), kFrameSize);
        if (res != kSendOk)
            return res;
    }
    return kSendOk;
}
