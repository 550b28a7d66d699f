#include "DpiEncoding.h"

#include <algorithm>

namespace DpiEncoding {

namespace {

constexpr std::array<uint8_t, 51> kT3325 = {0,  2,  4,  6,  8,  11,  13,  15,  18,  20,  22,  25, 27,
                                            29, 32, 34, 36, 39, 41,  43,  46,  48,  50,  52,  55, 57,
                                            59, 62, 64, 66, 69, 71,  73,  76,  78,  80,  83,  85, 87,
                                            90, 92, 94, 97, 99, 101, 104, 106, 108, 111, 113, 115};

constexpr std::array<uint8_t, 121> kT3311 = {
    0,   0,   2,   3,   4,   5,   6,   7,   9,   10,  11,  12,  13,  14,  16,  17,  18,  19,  20,  22,  23,
    24,  25,  26,  27,  29,  30,  31,  32,  33,  35,  37,  38,  39,  40,  41,  42,  44,  45,  46,  47,  48,
    50,  51,  52,  53,  54,  56,  57,  58,  59,  60,  62,  63,  64,  65,  66,  68,  69,  70,  71,  72,  74,
    75,  76,  77,  78,  80,  81,  82,  83,  84,  86,  87,  88,  89,  90,  92,  93,  94,  95,  96,  98,  99,
    100, 101, 102, 104, 105, 106, 107, 108, 110, 111, 112, 113, 114, 116, 117, 118, 119, 120, 122, 123, 124,
    125, 126, 128, 129, 130, 131, 132, 134, 135, 136, 137, 138, 140, 141, 142, 143};

// Our register tables of the 3327, 3333 and 3335. Each register step is about
// 44 DPI (3327) or 42.6 DPI (3333, 3335) of the sensor's base range, so one
// step index of 100 DPI advances the register by 2 or 3 (1 or 2 for the 3335,
// whose register saturates at 188).
constexpr std::array<uint8_t, 62> kT3327 = {
    0,  4,  6,   9,   11,  13,  15,  18,  20,  22,  24,  27,  29,  31,  34,  36,  38,  40,  43,  45, 47,
    49, 52, 54,  56,  58,  61,  63,  65,  68,  70,  72,  74,  77,  79,  81,  83,  86,  88,  90,  92, 95,
    97, 99, 102, 104, 106, 108, 111, 113, 115, 117, 120, 122, 124, 127, 129, 131, 133, 136, 138, 140};

constexpr std::array<uint8_t, 81> kT3333 = {
    0,   2,   4,   6,   9,   11,  13,  16,  18,  20,  23,  25,  28,  30,  32,  35,  37,  39,  42,  44,  46,
    49,  51,  53,  56,  58,  60,  63,  65,  67,  70,  72,  74,  77,  79,  81,  84,  86,  88,  91,  93,  96,
    98,  100, 103, 105, 107, 110, 112, 114, 117, 119, 121, 124, 126, 128, 131, 133, 135, 138, 140, 142, 145,
    147, 149, 152, 154, 156, 159, 161, 164, 166, 168, 171, 173, 175, 178, 180, 182, 185, 187};

constexpr std::array<uint8_t, 161> kT3335 = {
    0,   0,   2,   3,   4,   5,   6,   8,   9,   10,  11,  12,  13,  15,  16,  17,  18,  19,  21,  22,  23,
    24,  25,  27,  28,  29,  30,  31,  32,  34,  35,  36,  37,  38,  40,  41,  42,  43,  44,  45,  47,  48,
    49,  50,  51,  53,  54,  55,  56,  57,  59,  60,  61,  62,  63,  64,  66,  67,  68,  69,  70,  72,  73,
    74,  75,  76,  78,  79,  80,  81,  82,  83,  85,  86,  87,  88,  89,  91,  92,  93,  94,  95,  97,  98,
    99,  100, 101, 102, 104, 105, 106, 107, 108, 110, 111, 112, 113, 114, 116, 117, 118, 119, 120, 121, 123,
    124, 125, 126, 127, 129, 130, 131, 132, 133, 135, 136, 137, 138, 139, 140, 142, 143, 144, 145, 146, 148,
    149, 150, 151, 152, 154, 155, 156, 157, 158, 159, 161, 162, 163, 164, 165, 167, 168, 169, 170, 171, 173,
    174, 175, 176, 177, 178, 180, 181, 182, 183, 184, 186, 187, 188, 188};

// The 33352 reaches step 240, that is T3335 index 200: the register goes on
// rising in range 1 beyond the 3335's own saturation.
constexpr std::array<uint8_t, 40> kT3335Ext = {
    190, 191, 193, 194, 195, 196, 197, 199, 200, 201, 202, 203, 205, 206, 207, 208, 209, 210, 212, 213,
    214, 215, 216, 218, 219, 220, 221, 222, 224, 225, 226, 227, 228, 229, 231, 232, 233, 234, 235, 237};

template <size_t N> uint8_t at(const std::array<uint8_t, N> &table, int index)
{
    return table[size_t(std::clamp(index, 0, int(N) - 1))];
}

struct Encoded
{
    uint8_t range = 0;
    uint16_t reg = 0;
};

// The register rule of one axis value v; ok = false for models without a rule.
Encoded encodeAxis(int model, int v, bool &ok)
{
    ok = true;
    switch (model) {
    case 3104:
    case 31042:
        return v < 107 ? Encoded{0, uint16_t(v)} : Encoded{1, uint16_t(v - 53)};
    case 3212:
        if (v >= 95)
            return {2, uint16_t(v - 63)};
        if (v >= 64)
            return {1, uint16_t(v - 32)};
        return {0, uint16_t(v)};
    case 3311:
    case 33112:
        return v <= 120 ? Encoded{0, at(kT3311, v)} : Encoded{1, at(kT3311, v - 60)};
    case 3325:
    case 33252:
        if (v <= 50)
            return {0, at(kT3325, v)};
        if (v <= 75)
            return {1, at(kT3325, v - 25)};
        return {2, at(kT3325, v - 50)};
    case 3327:
        if (v < 62)
            return {0, at(kT3327, v)};
        if (v <= 92)
            return {1, at(kT3327, v - 31)};
        return {4, at(kT3327, v - 52)};
    case 3333:
        return v < 80 ? Encoded{0, at(kT3333, v)} : Encoded{1, at(kT3333, v - 40)};
    case 3335:
    case 33352:
        return v < 161 ? Encoded{0, t3335(v)} : Encoded{1, t3335(v - 40)};
    case 3360:
        return v <= 120 ? Encoded{0, uint16_t(v - 1)} : Encoded{1, uint16_t(v - 61)};
    case 3370:
        return v <= 200 ? Encoded{0, uint16_t(v - 1)} : Encoded{1, uint16_t(v - 101)};
    case 3389:
        return v <= 320 ? Encoded{0, uint16_t(v)} : Encoded{1, uint16_t(v - 160)};
    case 3395:
        return {0, uint16_t(v)};
    case 33952:
        return v < 520 ? Encoded{0, uint16_t(v)} : Encoded{1, uint16_t(v - 260)};
    default:
        ok = false;
        return {};
    }
}

} // namespace

const std::array<uint8_t, 51> &tableT3325()
{
    return kT3325;
}
const std::array<uint8_t, 121> &tableT3311()
{
    return kT3311;
}
const std::array<uint8_t, 62> &tableT3327()
{
    return kT3327;
}
const std::array<uint8_t, 81> &tableT3333()
{
    return kT3333;
}
const std::array<uint8_t, 161> &tableT3335()
{
    return kT3335;
}

uint8_t t3335(int index)
{
    if (index <= 160)
        return at(kT3335, index);
    return at(kT3335Ext, index - 161);
}

StageRecord encodeStage(int model, int x, int y)
{
    StageRecord r{};
    if (model == 3809) {
        const int64_t vx = x, vy = y;
        const int64_t rx = (x < 61 ? vx * 500 : vx * 500 - 15000) & ~int64_t(3);
        const int64_t ry = y < 61 ? (vy * 10000) / 18 : (vy * 10000 - 300000) / 18;
        r = {uint8_t(x < 61 ? 0 : 1), uint8_t(rx), uint8_t(rx >> 8), uint8_t(ry), uint8_t(ry >> 8)};
        return r;
    }
    bool ok = false;
    const Encoded ex = encodeAxis(model, x, ok);
    if (!ok)
        return r;
    const Encoded ey = encodeAxis(model, y, ok);
    switch (model) {
    case 3104:
    case 31042: // the pair is crossed
        r = {ey.range, uint8_t(ey.reg), 0, uint8_t(ex.reg), 0};
        break;
    case 3335:
    case 33352: // both registers from x
        r = {ex.range, uint8_t(ex.reg), 0, uint8_t(ex.reg), 0};
        break;
    case 3389:
    case 3395:
    case 33952: // 16-bit registers
        r = {ex.range, uint8_t(ex.reg), uint8_t(ex.reg >> 8), uint8_t(ey.reg), uint8_t(ey.reg >> 8)};
        break;
    default:
        r = {ex.range, uint8_t(ex.reg), 0, uint8_t(ey.reg), 0};
        break;
    }
    return r;
}

void sniperOperands(int model, int s, uint8_t &r2, uint8_t &r3)
{
    r2 = r3 = 4;
    switch (model) {
    case 3104:
    case 3212:
    case 3389:
        r2 = r3 = uint8_t(s);
        break;
    case 3325:
        r2 = r3 = at(kT3325, s);
        break;
    case 3360:
        r2 = r3 = uint8_t(s - 1);
        break;
    case 3809:
        r2 = uint8_t(s * 5);
        r3 = uint8_t((s * 100) / 18);
        break;
    case 3327:
        r2 = r3 = at(kT3327, s);
        break;
    case 3335:
        r2 = r3 = t3335(s);
        break;
    default:
        break;
    }
}

int stepToDpi(int model, int a)
{
    switch (model) {
    case 3104:
    case 31042:
        if (a >= 107)
            return 80 * a - 4240;
        return a == 14 ? 500 : 40 * a;
    case 3212:
        if (a > 94) {
            const int d = ((a - 63) * 152 / 10) * 10;
            return d == 7290 ? 7200 : d;
        }
        if (a >= 64)
            return ((a - 32) * 76 / 10) * 10;
        {
            const int d = (a * 38 / 10) * 10;
            switch (d) {
            case 790:
                return 800;
            case 1210:
                return 1200;
            case 1630:
                return 1600;
            case 2390:
                return 2400;
            default:
                return d;
            }
        }
    case 3311:
    case 3360:
    case 33112:
        return a <= 120 ? 100 * a : 200 * a - 12000;
    case 3325:
    case 33252:
        if (a <= 50)
            return 100 * a;
        if (a <= 75)
            return 200 * a - 5000;
        return 400 * a - 20000;
    case 3327:
        if (a <= 61)
            return 100 * a + 100;
        if (a <= 92)
            return 200 * a - 6000;
        return a == 106 ? 16400 : 300 * a - 15300;
    case 3333:
        return a <= 80 ? 100 * a : 200 * a - 8000;
    case 3335:
    case 33352:
        return a <= 160 ? 100 * a : 200 * a - 16000;
    case 3370:
        return a <= 200 ? 50 * a : 100 * a - 10000;
    case 3389:
        return a <= 320 ? 50 * a : 100 * a - 16000;
    case 3395:
    case 33952:
        return a < 520 ? 50 * a + 50 : 100 * a - 25900;
    case 3399:
        return a < 400 ? 50 * a + 50 : 100 * a - 19900;
    case 3809:
        return a <= 60 ? 100 * a : 200 * a - 6000;
    default:
        return 0;
    }
}

} // namespace DpiEncoding
