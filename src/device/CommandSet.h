#pragma once
// Every command frame the program sends: the two control commands and the
// numbered 30-byte blocks of a whole write, computed from the profile set.

#include "DpiEncoding.h"
#include "ProtocolConstants.h"

#include "ProfileTypes.h"

#include <QString>

#include <array>
#include <cstdint>
#include <map>

// One's complement of the 8-bit sum of frame bytes 1..31.
uint8_t BlockChecksum(const Frame &frame);
// True when frame byte 32 holds the checksum of bytes 1..31.
bool blockChecksumOk(const Frame &frame);

namespace ControlFrame {
// 00 05 00 FA opcode operands...
Frame make(uint8_t opcode, const uint8_t *operands, int count);
Frame selectProfile(int index);
Frame reload(uint8_t code);
} // namespace ControlFrame

namespace BlockFrame {
// A block with its checksum; payload lands in frame bytes 2..(1+count).
Frame make(uint8_t code, const uint8_t *payload, int count);
Frame beginWrite();
Frame endWrite();
// Mode block of profile: stage, rate, LED mode, breath and brightness of the
// current effect (cleared by effect).
Frame mode(const ProfileData &profile);
// Sensor block: lift, sleep time, move-off, angle or debounce, sync, colour.
Frame sensor(const ProfileSet &set, const ProfileData &profile, int syncMode);
// Colour table: the colours of effects 0..7.
Frame colourTable(const ProfileData &profile);
// DPI blocks 0x05 (stages 0..5) and 0x06 (stages 6, 7).
std::array<Frame, 2> dpiStages(const ProfileData &profile, int sensorModel);
// Button blocks 0x07, 0x08, 0x09 of a button table.
std::array<Frame, 3> buttons(const ButtonTable &table);
// Block n (0..8) of macro slot (0..11).
Frame macro(int slot, int block, const uint8_t *slotBytes);
// The battery/status query.
Frame batteryQuery();
} // namespace BlockFrame

// Macro index map: macro index to macro name, filled while the button table is built.
using MacroIndexMap = std::map<uint8_t, QString>;

// -1 when the map is empty, 255 when name is not in it, else its index.
int LookUpMacroIndex(const MacroIndexMap &map, const QString &name);

// Where the buttons go and how the sensor encodes values.
struct ButtonTableLayout
{
    int buttonCount = 0;              // unmasked "PROFILE/ButtonCount"
    std::array<uint8_t, 16> matrix{}; // device slot of each profile button
    int scrollRev = 0;                // 1 swaps slots 14 and 15
    int sensorModel = 0;              // for the sniper operands
};

// The four device bytes of one button record. For macros the index comes
// from (and new names are added to) map, and is stored back into Res4.
std::array<uint8_t, 4> buttonRecord(ButtonAssignment &button, int sensorModel, MacroIndexMap &map);

// Rebuilds table from profile's buttons through the matrix (ScrollRev
// applies to buttons 14/15 and 40/41). Assigns macro indexes into map.
void buildButtonTable(ButtonTable &table, ProfileData &profile, const ButtonTableLayout &layout,
                      MacroIndexMap &map);

// Select the mouse's profile (0..4) and reload it. Returns SendCommand's
// code of the first frame that failed (kSendOk when the mouse took both).
int SwitchProfile(int index);
// Reload 0x04, 0x01, 0x02, 0x08, 0x10, stopping at the first failure.
int ReloadSettings();
