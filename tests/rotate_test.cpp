// MakeRotatedImage: exact mappings, bounding boxes, the background and the
// bilinear soft edge, rotating in place, and bad arguments.
#include <cmath>

#include "image_checks.h"

namespace {

const double kPi = std::acos(-1.0);

// 40 x 10 gives 10 x 40 whose row i holds source column 40 - i, source rows
// 0..9 from left to right; the top row is background.
TEST(Rotate, AQuarterTurnWithAutoSizeTurnsColumnsIntoRows) {
    IMAGE source = Patterned(40, 10);
    IMAGE turned;
    MakeRotatedImage(&turned, &source, kPi / 2, RGB(1, 2, 3), true, false);
    EXPECT_EQ(Differ(turned, [&](int x, int y) { return y ? At(source, 40 - y, x) : 0x010203u; }),
              "10x40 0");
}

// A 5 x 4 source turned a quarter without autoSize samples half-way between
// pixels, so each bilinear result is a known blend of blue and the red
// background: from 1, 2 or 4 blue neighbours of 4.
TEST(Rotate, WithoutAutoSizeUncoveredPixelsTakeTheBackgroundAndBilinearBlendsIt) {
    IMAGE blue = Patterned(5, 4, 0xFF, 0);
    IMAGE nearest;
    IMAGE soft;
    MakeRotatedImage(&nearest, &blue, kPi / 2, RGB(255, 0, 0), false, false);
    MakeRotatedImage(&soft, &blue, kPi / 2, RGB(255, 0, 0), false, true);
    EXPECT_EQ(Differ(nearest, [](int x, int y) { return y && x < 4 ? 0xFFu : 0xFF0000u; }),
              "5x4 0");
    EXPECT_EQ(Differ(soft,
                     [](int x, int y) {
                         const double share = (y ? 1 : 0.5) * (x % 4 ? 1 : 0.5);
                         return static_cast<DWORD>(255 * (1 - share)) << 16 |
                                static_cast<DWORD>(255 * share);
                     }),
              "5x4 0");
}

TEST(Rotate, TurningAnImageIntoItselfEqualsTurningACopy) {
    IMAGE image = Patterned(61, 33);
    IMAGE copy(image);
    IMAGE expected;
    MakeRotatedImage(&expected, &copy, 0.7, RGB(10, 200, 30), true, true);
    MakeRotatedImage(&image, &image, 0.7, RGB(10, 200, 30), true, true);
    EXPECT_EQ(Differ(image, expected), "68x65 0");
}

// `wide` would take 3 GiB turned.
TEST(Rotate, BadArgumentsChangeNothingAndNoTurnLeaks) {
    IMAGE destination = Patterned(7, 6);
    IMAGE original(destination);
    IMAGE grey = Patterned(100, 100, 0x336699, 0);
    IMAGE empty;
    IMAGE broken(-9, 4);
    IMAGE wide(40000, 2);
    const auto before = SettledCounts();
    for (IMAGE* bad : {static_cast<IMAGE*>(nullptr), &empty, &broken, &wide})
        MakeRotatedImage(&destination, bad, kPi / 4, 0, true, true);
    MakeRotatedImage(&destination, &grey, std::nan(""), 0, true);
    for (int i = 0; i < 20; ++i) {
        IMAGE scratch;
        MakeRotatedImage(&scratch, &grey, i * 0.1, RGB(i, 0, 0), i % 2, i % 3 == 0);
        MakeRotatedImage(&scratch, &scratch, 0.5, 0, true, true);
    }
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(Differ(destination, original), "7x6 0");
}

}  // namespace
