// Colour conversions: the documented values, round trips over a large sample
// of colours, and input outside the expected ranges.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

using Parts = std::array<float, 3>;
using Split = void (*)(COLORREF, float*, float*, float*);
using Join = COLORREF (*)(float, float, float);

Parts SplitColor(Split split, COLORREF color) {
    Parts parts = {-1, -1, -1};
    split(color, &parts[0], &parts[1], &parts[2]);
    return parts;
}
COLORREF RoundTrip(Split split, Join join, COLORREF color) {
    const Parts p = SplitColor(split, color);
    return join(p[0], p[1], p[2]);
}

TEST(Colors, GrayHasEqualLuminance) {
    EXPECT_EQ(ColorToGray(0x0000FF), 0x4C4C4Cu);
    EXPECT_EQ(ColorToGray(0x00FF00), 0x969696u);
    EXPECT_EQ(ColorToGray(0xFF0000), 0x1D1D1Du);
    EXPECT_EQ(ColorToGray(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(ColorToGray(0x000000), 0u);
    EXPECT_EQ(ColorToGray(0x808080), 0x808080u);
    EXPECT_EQ(ColorToGray(0xAB0000FF), 0x4C4C4Cu);  // the top byte is ignored
}

TEST(Colors, DocumentedHslAndHsvValues) {
    EXPECT_EQ(SplitColor(ColorToHSL, 0x0000FF), (Parts{0, 1, 0.5f}));
    EXPECT_EQ(SplitColor(ColorToHSL, 0x00FF00)[0], 120);
    EXPECT_EQ(SplitColor(ColorToHSL, 0xFF0000)[0], 240);
    EXPECT_EQ(SplitColor(ColorToHSL, 0xFFFFFF), (Parts{0, 0, 1}));
    EXPECT_EQ(SplitColor(ColorToHSL, 0x808080), (Parts{0, 0, static_cast<float>(128 / 255.0)}));
    EXPECT_EQ(ColorFromHSL(0, 1, 0.5f), 0x0000FFu);
    EXPECT_EQ(ColorFromHSL(120, 1, 0.5f), 0x00FF00u);
    EXPECT_EQ(ColorFromHSL(240, 1, 0.25f), 0x800000u);
    EXPECT_EQ(ColorFromHSL(60, 1, 0.75f), 0x80FFFFu);
    EXPECT_EQ(SplitColor(ColorToHSV, 0x0000FF), (Parts{0, 1, 1}));
    EXPECT_EQ(SplitColor(ColorToHSV, 0x000000), (Parts{0, 0, 0}));
    EXPECT_EQ(ColorFromHSV(240, 1, 1), 0xFF0000u);
    EXPECT_EQ(ColorFromHSV(30, 1, 1), 0x0080FFu);
    EXPECT_EQ(ColorFromHSV(0, 0, 0.5f), 0x808080u);
    // A hue of 360: HSV falls into the last sector with f = 0, HSL wraps to red.
    EXPECT_EQ(ColorFromHSV(360, 1, 1), 0xFF00FFu);
    EXPECT_EQ(ColorFromHSL(360, 1, 0.5f), 0x0000FFu);
    EXPECT_EQ(RoundTrip(ColorToHSL, ColorFromHSL, 0x336699), 0x336699u);
    EXPECT_EQ(RoundTrip(ColorToHSV, ColorFromHSV, 0x336699), 0x336699u);
}

// 2^20 colours spread over the whole cube by an odd multiplier (a bijection
// modulo 2^24), and the grey axis.
TEST(Colors, RoundTripsReturnTheColour) {
    int misses[2] = {};
    COLORREF first[2] = {};
    auto check = [&](COLORREF c) {
        const COLORREF back[2] = {RoundTrip(ColorToHSL, ColorFromHSL, c),
                                  RoundTrip(ColorToHSV, ColorFromHSV, c)};
        for (int k = 0; k < 2; ++k)
            if (back[k] != c && misses[k]++ == 0) first[k] = c;
    };
    for (unsigned i = 0; i < (1u << 20); ++i) check((i * 2654435761u) & 0xFFFFFFu);
    for (unsigned k = 0; k < 256; ++k) check(k * 0x010101u);
    EXPECT_EQ(misses[0], 0) << "HSL, first 0x" << std::hex << first[0];
    EXPECT_EQ(misses[1], 0) << "HSV, first 0x" << std::hex << first[1];
}

TEST(Colors, NullOutputsAreSkippedAndStrangeInputStaysDefined) {
    float saturation = -1;
    ColorToHSL(0x0000FF, nullptr, &saturation, nullptr);
    EXPECT_EQ(saturation, 1);
    ColorToHSV(0x00FF00, nullptr, nullptr, nullptr);
    const float nan = std::numeric_limits<float>::quiet_NaN(), huge = 1e30f;
    // Channels that no int can hold become 0; others keep their low 8 bits.
    EXPECT_EQ(ColorFromHSL(0, 0, nan), 0u);
    EXPECT_EQ(ColorFromHSV(0, 0, huge), 0u);
    EXPECT_EQ(ColorFromHSV(0, 0, -1), 0x020202u);    // -254.5 truncates to -254
    EXPECT_EQ(ColorFromHSV(nan, 1, 1), 0x0000FFu);   // no sector: (V, p, q)
    EXPECT_EQ(ColorFromHSV(huge, 1, 1), 0x0000FFu);  // likewise, q far below 0
    EXPECT_EQ(ColorFromHSL(-huge, 1, 0.5f), 0u);     // every ramp far below 0
}

}  // namespace
