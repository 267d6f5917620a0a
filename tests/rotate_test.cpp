// MakeRotatedImage: exact mappings, bounding boxes, the background and the
// bilinear soft edge, rotating in place, the window, and bad arguments.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

#include <cmath>
#include <limits>

namespace {

const double kPi = std::acos(-1.0);

// A distinct value at every pixel of a source up to 256 x 256, top byte set.
DWORD PatternPixel(int x, int y) {
    return 0x5A000000u | static_cast<DWORD>(x) << 16 | static_cast<DWORD>(y) << 8 | 0x33;
}

IMAGE Patterned(int width, int height) {
    IMAGE image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) GetSurfacePixels(&image)[y * width + x] = PatternPixel(x, y);
    return image;
}

DWORD At(IMAGE& image, int x, int y) { return GetSurfacePixels(&image)[y * image.Width() + x]; }

// Empty when both images have the same size and pixels.
std::string Compare(IMAGE& actual, IMAGE& expected) {
    return actual.Width() == expected.Width() && actual.Height() == expected.Height()
               ? KanvoTest::ComparePixels(GetSurfacePixels(&actual), GetSurfacePixels(&expected),
                                          actual.Width(), actual.Height())
               : "sizes differ";
}

TEST(Rotate, AngleZeroAndQuarterTurnMapExactly) {
    IMAGE source = Patterned(40, 10);
    IMAGE nearest(5, 5), smooth, turned;
    MakeRotatedImage(&nearest, &source, 0.0, RGB(9, 9, 9));
    MakeRotatedImage(&smooth, &source, 0.0, RGB(9, 9, 9), false, true);
    MakeRotatedImage(&turned, &source, kPi / 2, RGB(1, 2, 3), true, false);
    EXPECT_EQ(Compare(nearest, source), "");
    ASSERT_EQ(smooth.Width(), 40);
    ASSERT_EQ(turned.Width(), 10);
    ASSERT_EQ(turned.Height(), 40);
    int wrong = 0;
    for (int y = 0; y < 10; ++y)  // colour bytes kept, top byte 0
        for (int x = 0; x < 40; ++x) wrong += At(smooth, x, y) != (PatternPixel(x, y) & 0xFFFFFF);
    // Row i holds source column 40 - i, source rows 0..9 from left to right;
    // the top row is background.
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 10; ++j)
            wrong += At(turned, j, i) != (i == 0 ? 0x00010203u : PatternPixel(40 - i, j));
    EXPECT_EQ(wrong, 0);
}

TEST(Rotate, EighthTurnGrowsTheBoxAndKeepsUniformAreasExact) {
    IMAGE source(100, 100);
    std::fill(GetSurfacePixels(&source), GetSurfacePixels(&source) + 10000, 0x00336699);
    for (bool smooth : {false, true}) {
        IMAGE turned;
        MakeRotatedImage(&turned, &source, kPi / 4, RGB(0x80, 0x80, 0x80), true, smooth);
        ASSERT_EQ(turned.Width(), 141);
        ASSERT_EQ(turned.Height(), 141);
        int wrong = 0;
        for (int y = 0; y < 141; ++y) {
            for (int x = 0; x < 141; ++x) {
                const double distance = std::fabs(x - 70.0) + std::fabs(y - 70.0);
                if (distance < 66)  // inside, away from the soft edge
                    wrong += (At(turned, x, y) & 0xFFFFFF) != 0x336699u;
                else if (distance > 74)  // corners: a grey background is a byte fill
                    wrong += At(turned, x, y) != 0x80808080u;
            }
        }
        EXPECT_EQ(wrong, 0) << smooth;
    }
}

// Without autoSize a 5 x 4 source turned a quarter samples half-way between
// pixels, so each result is a known blend of source and background.
TEST(Rotate, RedBackgroundAndTheBilinearSoftEdge) {
    IMAGE source(5, 4);
    std::fill(GetSurfacePixels(&source), GetSurfacePixels(&source) + 20, 0x000000FF);  // blue
    IMAGE nearest, smooth;
    MakeRotatedImage(&nearest, &source, kPi / 2, RGB(255, 0, 0), false, false);
    MakeRotatedImage(&smooth, &source, kPi / 2, RGB(255, 0, 0), false, true);
    ASSERT_EQ(smooth.Width(), 5);
    EXPECT_EQ(At(nearest, 0, 0), 0x00FF0000u);
    EXPECT_EQ(At(nearest, 1, 1), 0x000000FFu);
    EXPECT_EQ(At(smooth, 0, 0), 0x00BF003Fu);  // one source neighbour of four
    EXPECT_EQ(At(smooth, 4, 0), 0x00BF003Fu);
    EXPECT_EQ(At(smooth, 0, 1), 0x007F007Fu);  // two of four
    EXPECT_EQ(At(smooth, 1, 1), 0x000000FFu);  // all four
}

TEST(Rotate, IntoItselfEqualsRotatingACopy) {
    for (bool smooth : {false, true}) {
        IMAGE image = Patterned(61, 33);
        IMAGE copy(image), expected;
        MakeRotatedImage(&expected, &copy, 0.7, RGB(10, 200, 30), true, smooth);
        MakeRotatedImage(&image, &image, 0.7, RGB(10, 200, 30), true, smooth);
        EXPECT_EQ(Compare(image, expected), "") << smooth;
    }
}

TEST(Rotate, WindowAsDestinationAndBadArguments) {
    IMAGE source = Patterned(40, 10);
    IMAGE expected, empty, broken(-9, 4), tooLong(40000, 2);  // turned: beyond 2 GiB
    MakeRotatedImage(&expected, &source, kPi / 2, RGB(1, 2, 3), true, false);
    IMAGE destination = Patterned(7, 6);
    IMAGE original(destination);
    const int gdiBefore = KanvoTest::FreeGdiSlots();
    const int handlesBefore = KanvoTest::OpenHandleCount();
    MakeRotatedImage(&destination, nullptr, 1.0);
    MakeRotatedImage(&destination, &empty, 1.0, 0, true, true);
    MakeRotatedImage(&destination, &broken, 1.0, 0, true, true);
    MakeRotatedImage(&destination, &source, std::numeric_limits<double>::quiet_NaN(), 0, true);
    MakeRotatedImage(&destination, &source, std::numeric_limits<double>::infinity(), 0, true);
    MakeRotatedImage(&destination, &tooLong, kPi / 4, 0, true, true);
    for (int i = 0; i < 50; ++i) {
        IMAGE scratch;
        MakeRotatedImage(&scratch, &source, i * 0.1, RGB(i, 0, 0), i % 2 == 0, i % 3 == 0);
        MakeRotatedImage(&scratch, &scratch, 0.5, 0, true, true);
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(Compare(destination, original), "");

    // The window's image and client area take the turned size.
    HWND window = OpenGraphWindow(200, 100);
    ASSERT_NE(window, nullptr);
    MakeRotatedImage(nullptr, &source, kPi / 2, RGB(1, 2, 3), true, false);
    RECT client = {};
    GetClientRect(window, &client);
    const int width = GetTargetWidth();
    const std::string difference =
        KanvoTest::ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected), 10, 40);
    CloseGraphWindow();
    EXPECT_EQ(width * 1000 + client.bottom, 10040);
    EXPECT_EQ(difference, "");
}

}  // namespace
