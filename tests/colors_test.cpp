// Colour conversions: the documented values, round trips over a large sample
// of colours, and input outside the expected ranges.
#include <array>
#include <limits>

#include "image_checks.h"

using Parts = std::array<float, 3>;

static Parts Split(decltype(&ColorToHSL) split, COLORREF color) {
    Parts p = {-1, -1, -1};
    return split(color, &p[0], &p[1], &p[2]), p;
}

// A hue of 360 lies outside the range: HSV falls into the last sector with
// f = 0, HSL wraps it to red. Channels that no int can hold become 0, others
// keep their low 8 bits (-254.5 truncates to -254); a hue without a sector
// gives (V, p, q). The top byte of a colour is ignored; null outputs skipped.
TEST(Colors, DocumentedValuesStrangeInputAndRoundTrips) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), huge = 1e30f;
    const COLORREF colors[][2] = {{ColorToGray(0x0000FF), 0x4C4C4C},
                                  {ColorToGray(0x00FF00), 0x969696},
                                  {ColorToGray(0xFF0000), 0x1D1D1D},
                                  {ColorToGray(0xFFFFFF), 0xFFFFFF},
                                  {ColorToGray(0), 0},
                                  {ColorToGray(0x808080), 0x808080},
                                  {ColorToGray(0xAB0000FF), 0x4C4C4C},
                                  {ColorFromHSL(0, 1, .5f), 0x0000FF},
                                  {ColorFromHSL(120, 1, .5f), 0x00FF00},
                                  {ColorFromHSL(240, 1, .25f), 0x800000},
                                  {ColorFromHSL(60, 1, .75f), 0x80FFFF},
                                  {ColorFromHSV(240, 1, 1), 0xFF0000},
                                  {ColorFromHSV(30, 1, 1), 0x0080FF},
                                  {ColorFromHSV(0, 0, .5f), 0x808080},
                                  {ColorFromHSV(360, 1, 1), 0xFF00FF},
                                  {ColorFromHSL(360, 1, .5f), 0x0000FF},
                                  {ColorFromHSL(0, 0, nan), 0},
                                  {ColorFromHSV(0, 0, huge), 0},
                                  {ColorFromHSV(0, 0, -1), 0x020202},
                                  {ColorFromHSV(nan, 1, 1), 0x0000FF},
                                  {ColorFromHSV(huge, 1, 1), 0x0000FF},
                                  {ColorFromHSL(-huge, 1, .5f), 0}};
    for (const auto& c : colors) EXPECT_EQ(c[0], c[1]) << "case " << &c - colors;
    const std::pair<Parts, Parts> parts[] = {
        {Split(ColorToHSL, 0x0000FF), {0, 1, .5f}},
        {Split(ColorToHSL, 0x00FF00), {120, 1, .5f}},
        {Split(ColorToHSL, 0xFF0000), {240, 1, .5f}},
        {Split(ColorToHSL, 0xFFFFFF), {0, 0, 1}},
        {Split(ColorToHSL, 0x808080), {0, 0, static_cast<float>(128 / 255.0)}},
        {Split(ColorToHSV, 0x0000FF), {0, 1, 1}},
        {Split(ColorToHSV, 0), {0, 0, 0}}};
    for (const auto& p : parts) EXPECT_EQ(p.first, p.second) << "case " << &p - parts;
    float s = -1;
    ColorToHSV(0x00FF00, nullptr, nullptr, nullptr);
    EXPECT_EQ((ColorToHSL(0x0000FF, nullptr, &s, nullptr), s), 1);  // the saturation alone
    // 2^20 colours spread over the whole cube by an odd multiplier (a bijection
    // modulo 2^24), the grey axis and 0x336699: both round trips return each one.
    int misses = 0;
    for (unsigned i = 0; i < (1u << 20) + 257; ++i) {
        const COLORREF c = i < 256 ? i * 0x10101 : i > 256 ? i * 2654435761u & 0xFFFFFF : 0x336699;
        const Parts l = Split(ColorToHSL, c), v = Split(ColorToHSV, c);
        const COLORREF hsl = ColorFromHSL(l[0], l[1], l[2]), hsv = ColorFromHSV(v[0], v[1], v[2]);
        if ((hsl != c || hsv != c) && ++misses <= 3)
            ADD_FAILURE() << std::hex << c << " gives " << hsl << " (HSL), " << hsv << " (HSV)";
    }
    EXPECT_EQ(misses, 0);
}
