// Colour conversions: pixels, the documented values, input outside the expected
// ranges, and round trips over a large sample of colours.
#include <array>
#include <limits>

#include "image_checks.h"

namespace {

using Parts = std::array<float, 3>;

Parts Split(decltype(&ColorToHSL) split, COLORREF color) {
    Parts p = {-1, -1, -1};
    split(color, &p[0], &p[1], &p[2]);
    return p;
}

// Pixels are 0x00RRGGBB, colours 0x00BBGGRR; the top byte of a pixel (0xFF in
// pictures read from files) is ignored.
TEST(Colors, PixelsAndColoursSwapRedAndBlue) {
    EXPECT_EQ(ColorToPixel(RGB(0x11, 0x22, 0x33)), 0x00112233u);
    EXPECT_EQ(ColorFromPixel(0xFF112233), RGB(0x11, 0x22, 0x33));
}

// The top byte of a colour is ignored.
TEST(Colors, GreyWeighsRedGreenAndBlue) {
    EXPECT_EQ(ColorToGray(0x0000FF), 0x4C4C4Cu);
    EXPECT_EQ(ColorToGray(0x00FF00), 0x969696u);
    EXPECT_EQ(ColorToGray(0xFF0000), 0x1D1D1Du);
    EXPECT_EQ(ColorToGray(0xAB0000FF), 0x4C4C4Cu);
}

TEST(Colors, HslAndHsvGiveTheDocumentedColours) {
    EXPECT_EQ(ColorFromHSL(240, 1, .25f), 0x800000u);
    EXPECT_EQ(ColorFromHSL(60, 1, .75f), 0x80FFFFu);
    EXPECT_EQ(ColorFromHSV(30, 1, 1), 0x0080FFu);
    EXPECT_EQ(ColorFromHSV(0, 0, .5f), 0x808080u);
}

TEST(Colors, ColoursSplitIntoTheDocumentedParts) {
    EXPECT_EQ(Split(ColorToHSL, 0xFF0000), (Parts{240, 1, .5f}));
    EXPECT_EQ(Split(ColorToHSL, 0x808080), (Parts{0, 0, static_cast<float>(128 / 255.0)}));
    EXPECT_EQ(Split(ColorToHSV, 0x00FF00), (Parts{120, 1, 1}));
}

// A hue of 360 lies outside the range: HSL wraps it to red. Channels that no
// int can hold become 0; a hue without a sector gives (V, p, q).
TEST(Colors, InputOutsideTheRangesGivesDefinedColours) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ColorFromHSL(360, 1, .5f), 0x0000FFu);
    EXPECT_EQ(ColorFromHSL(0, 0, nan), 0u);
    EXPECT_EQ(ColorFromHSV(0, 0, 1e30f), 0u);
    EXPECT_EQ(ColorFromHSV(nan, 1, 1), 0x0000FFu);
}

TEST(Colors, NullOutputsAreSkipped) {
    float saturation = -1;
    ColorToHSV(0x00FF00, nullptr, nullptr, nullptr);
    ColorToHSL(0x0000FF, nullptr, &saturation, nullptr);
    EXPECT_EQ(saturation, 1);
}

// 2^20 colours spread over the whole cube by an odd multiplier (a bijection
// modulo 2^24), the grey axis and 0x336699.
TEST(Colors, EveryColourSurvivesBothRoundTrips) {
    int misses = 0;
    for (unsigned i = 0; i < (1u << 20) + 257; ++i) {
        const COLORREF c = i < 256 ? i * 0x10101 : i > 256 ? i * 2654435761u & 0xFFFFFF : 0x336699;
        const Parts l = Split(ColorToHSL, c);
        const Parts v = Split(ColorToHSV, c);
        const COLORREF hsl = ColorFromHSL(l[0], l[1], l[2]);
        const COLORREF hsv = ColorFromHSV(v[0], v[1], v[2]);
        if (hsl == c && hsv == c) continue;
        if (++misses <= 3)
            ADD_FAILURE() << std::hex << c << " gives " << hsl << " (HSL), " << hsv << " (HSV)";
    }
    EXPECT_EQ(misses, 0);
}

}  // namespace
