// MakeRotatedImage: exact mappings, bounding boxes, the background and the
// bilinear soft edge, rotating in place, the window, and bad arguments.
#include <cmath>

#include "image_checks.h"

static const double kPi = std::acos(-1.0);

// Angle 0 reproduces the source (the colour bytes only when bilinear); a
// quarter turn of 40 x 10 with autoSize gives 10 x 40 whose row i holds source
// column 40 - i, source rows 0..9 from left to right, the top row background.
// Without autoSize a 5 x 4 source turned a quarter samples half-way between
// pixels, so each bilinear result is a known blend of source and background.
TEST(Rotate, MappingsBackgroundsSoftEdgesInPlaceBadArgumentsLeaksAndTheWindow) {
    IMAGE source = Patterned(40, 10), nearest(5, 5), smooth, turned, red, soft, broken(-9, 4);
    IMAGE blue = Patterned(5, 4, 0xFF, 0), grey = Patterned(100, 100, 0x336699, 0), wide(40000, 2);
    IMAGE destination = Patterned(7, 6), original(destination), empty;  // wide: 3 GiB turned
    MakeRotatedImage(&nearest, &source, 0.0, RGB(9, 9, 9));
    MakeRotatedImage(&smooth, &source, 0.0, RGB(9, 9, 9), false, true);
    MakeRotatedImage(&turned, &source, kPi / 2, RGB(1, 2, 3), true, false);
    MakeRotatedImage(&red, &blue, kPi / 2, RGB(255, 0, 0), false, false);
    MakeRotatedImage(&soft, &blue, kPi / 2, RGB(255, 0, 0), false, true);
    EXPECT_EQ(Differ(nearest, source), "40x10 0");
    EXPECT_EQ(Differ(smooth, [&](int x, int y) { return At(source, x, y) & 0xFFFFFF; }), "40x10 0");
    EXPECT_EQ(Differ(turned, [&](int x, int y) { return y ? At(source, 40 - y, x) : 0x010203u; }),
              "10x40 0");
    EXPECT_EQ(Differ(red, [](int x, int y) { return y && x < 4 ? 0xFFu : 0xFF0000u; }), "5x4 0");
    EXPECT_EQ(Differ(soft,
                     [](int x, int y) {  // blue from 1, 2 or 4 neighbours of 4
                         const double share = (y ? 1 : 0.5) * (x % 4 ? 1 : 0.5);
                         return static_cast<DWORD>(255 * (1 - share)) << 16 |
                                static_cast<DWORD>(255 * share);
                     }),
              "5x4 0");
    // An eighth turn of 100 x 100 fills 141 x 141, the corners with a grey
    // background, which is a byte fill: its top byte the grey level too.
    // Turning an image into itself equals turning a copy.
    for (bool bilinear : {false, true}) {
        IMAGE eighth, image = Patterned(61, 33), copy(image), expected;
        MakeRotatedImage(&eighth, &grey, kPi / 4, RGB(0x80, 0x80, 0x80), true, bilinear);
        EXPECT_EQ(Differ(eighth,
                         [&](int x, int y) {  // inside, soft edge, corners
                             const double distance = std::fabs(x - 70.0) + std::fabs(y - 70.0);
                             return distance < 66   ? 0x00336699u
                                    : distance > 74 ? 0x80808080u
                                                    : At(eighth, x, y);
                         }),
                  "141x141 0")
            << bilinear;
        MakeRotatedImage(&expected, &copy, 0.7, RGB(10, 200, 30), true, bilinear);
        MakeRotatedImage(&image, &image, 0.7, RGB(10, 200, 30), true, bilinear);
        EXPECT_EQ(Differ(image, expected), "68x65 0") << bilinear;
    }
    // Bad arguments change nothing, and no turn leaks.
    const auto before = SettledCounts();
    for (IMAGE* bad : {static_cast<IMAGE*>(nullptr), &empty, &broken, &wide})
        MakeRotatedImage(&destination, bad, kPi / 4, 0, true, true);
    for (double a : {std::nan(""), HUGE_VAL}) MakeRotatedImage(&destination, &grey, a, 0, true);
    for (int i = 0; i < 50; ++i) {  // into new images and into themselves
        IMAGE scratch;
        MakeRotatedImage(&scratch, &grey, i * 0.1, RGB(i, 0, 0), i % 2, i % 3 == 0);
        MakeRotatedImage(&scratch, &scratch, 0.5, 0, true, true);
    }
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(Differ(destination, original), "7x6 0");
    // Into the window, its image and client area take the turned size.
    ASSERT_NE(OpenGraphWindow(200, 100), nullptr);
    MakeRotatedImage(nullptr, &source, kPi / 2, RGB(1, 2, 3), true, false);
    RECT client = {};
    GetClientRect(GetWindowHandle(), &client);
    EXPECT_EQ(GetTargetWidth() * 1000 + client.bottom, 10040);
    EXPECT_EQ(KanvoTest::ComparePixels(GetSurfacePixels(), GetSurfacePixels(&turned), 10, 40), "");
}
