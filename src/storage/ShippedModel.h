#pragma once
// The one mouse model this copy of the program ships data for. The device
// list, the simulated mouse and the udev rule all take their numbers from here;
// data/DefaultProfile.bin carries the same product name.
//
// The vendor ID is the open-source test vendor 0x1209 with two of its test
// product IDs; a real product would put its own USB identifiers here.

#include <cstdint>

constexpr uint16_t kShippedVendorId = 0x1209;
constexpr uint16_t kShippedReceiverPid = 0x0001; // USB receiver (dongle)
constexpr uint16_t kShippedCablePid = 0x0002;    // charging cable
constexpr const char kShippedProductName[] = "ORVALE8";
constexpr int kShippedButtonCount = 8;
constexpr int kShippedDpiStageCount = 6;
constexpr int kShippedSensorModel = 3395;
