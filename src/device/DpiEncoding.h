#pragma once
// DPI step indexes of each sensor model: the register encoding written into
// the DPI blocks and the sniper button, and the DPI a step stands for.

#include <array>
#include <cstdint>

namespace DpiEncoding {

// One stage record of the DPI blocks: [xRange, xLow, xHigh, yLow, yHigh].
using StageRecord = std::array<uint8_t, 5>;

// The stage record of step indexes x and y for the sensor model; all zero for
// a model without a rule. Indexes outside a register table are clamped to it.
StageRecord encodeStage(int sensorModel, int x, int y);

// Bytes 2 and 3 of a sniper button record for the DPI step s (its Res1).
void sniperOperands(int sensorModel, int s, uint8_t &r2, uint8_t &r3);

// The DPI shown for step index a of the sensor model; 0 for unknown models.
int stepToDpi(int sensorModel, int a);

// Register tables, exposed for the tests of their shapes.
const std::array<uint8_t, 51> &tableT3325();
const std::array<uint8_t, 121> &tableT3311();
const std::array<uint8_t, 62> &tableT3327();
const std::array<uint8_t, 81> &tableT3333();
const std::array<uint8_t, 161> &tableT3335();
// T3335 and its continuation for the steps of the 33352 above 200 (indexes 161..200).
uint8_t t3335(int index);

} // namespace DpiEncoding
