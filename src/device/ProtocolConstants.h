#pragma once
// Every constant of the mouse's wire protocol, named once.

#include <array>
#include <cstdint>

constexpr int kFrameSize = 33;      // report ID + 32-byte report
constexpr int kReportSize = 32;     // what the mouse sends and receives
constexpr int kMouseReportSize = 4; // the mouse collection's motion report: buttons, X, Y, wheel
constexpr int kBlockPayloadSize = 30;

using Frame = std::array<uint8_t, kFrameSize>;
using Report = std::array<uint8_t, kReportSize>;

// SendCommand result codes; the write adds kResultMacrosNotWritten and
// kResultMacroMissing.
enum SendResult : int
{
    kSendOk = 0,
    kSendNoDevice = 1,
    kSendRetriesExhausted = 2,
    kSendWriteFailed = 4,
    // The whole write reached its end block, but the macros did not fit into
    // the mouse's twelve slots and none was downloaded.
    kResultMacrosNotWritten = 8,
    // The whole write reached its end block, but a button of the written
    // profile ran a macro that is not in the macro library: that button was
    // written with its factory function and no empty macro was sent.
    kResultMacroMissing = 16,
};

// ControlFrame header (frame bytes 1..3) and opcodes (byte 4).
constexpr uint8_t kControlHeader0 = 0x05;
constexpr uint8_t kControlHeader1 = 0x00;
constexpr uint8_t kControlHeader2 = 0xFA;
constexpr uint8_t kOpControl = 0x40;
constexpr uint8_t kOpSelectProfile = 0x44;
constexpr uint8_t kOpVerifiedExtra = 0x46; // verified like 0x40
constexpr uint8_t kReloadSubcode = 0xF3;
constexpr uint8_t kReloadCodes[5] = {0x04, 0x01, 0x02, 0x08, 0x10}; // ReloadSettings order
constexpr uint8_t kReloadProfile = 0x01;

// Frames whose byte 4 is above this (other than 0x40/0x46) are not verified.
constexpr uint8_t kVerifyLimit = 10;

// Block codes.
constexpr uint8_t kBlockBeginEnd = 0x00;
constexpr uint8_t kBlockMode = 0x01;
constexpr uint8_t kBlockSensor = 0x02;
constexpr uint8_t kBlockColour = 0x04;
constexpr uint8_t kBlockDpi1 = 0x05;
constexpr uint8_t kBlockDpi2 = 0x06;
constexpr uint8_t kBlockButtons1 = 0x07;
constexpr uint8_t kBlockButtons2 = 0x08;
constexpr uint8_t kBlockButtons3 = 0x09;
constexpr uint8_t kBlockBattery = 0x0A;
constexpr uint8_t kBlockMacroFirst = 0x10;
constexpr uint8_t kBlockMacroLast = 0x7B;
constexpr uint8_t kBeginMark[2] = {0xAA, 0x55};
constexpr uint8_t kEndMark[2] = {0xCC, 0x33};
constexpr uint8_t kSensorBlockTag = 0x06;

// Battery/status report marker (report bytes 1..3).
constexpr uint8_t kStatusMark[3] = {0xAA, 0xFF, 0xDD};

// Macro slots of the mouse.
constexpr int kMacroSlots = 12;
constexpr int kMacroSlotSize = 256;
constexpr int kMacroPackedMax = 200; // bytes of a packed macro that reach the slot
constexpr int kMacroBlocksPerSlot = 9;
constexpr int kMacroEventsMax = 84; // events taken from a macro file

// Button table: sixteen 4-byte records.
constexpr int kButtonSlots = 16;
constexpr int kButtonTableSize = 64;
using ButtonTable = std::array<uint8_t, kButtonTableSize>;

// Pauses and timeouts of SendCommand and the poller, in milliseconds.
constexpr int kPostWriteMs = 10;
constexpr int kReadTimeoutMs = 150;
constexpr int kReReadMs = 50;
constexpr int kPollReadTimeoutMs = 50;
constexpr int kPollPassMs = 10;
constexpr int kPollQueryWaitMs = 100;
constexpr int kPollListenPasses = 45;

// Retry limits of SendCommand.
constexpr int kMaxReadFails = 29;  // a 30th failed read asks for a rewrite
constexpr int kMaxCheckFails = 19; // a 20th mismatch asks for a rewrite
constexpr int kMaxRewrites = 2;    // the third rewrite request gives up
constexpr int kMaxAllZero = 5;     // six all-zero answers end the rewriting

// Profile unknown in a status signal (the status report carries no profile).
constexpr uint8_t kProfileUnknown = 0xFF;
