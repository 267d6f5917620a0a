// MakeRotatedImage: exact mappings for quarter and half turns, bounding
// boxes, the background and the bilinear soft edge, rotating in place, the
// window as destination, and bad arguments.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

#include <cmath>
#include <limits>

namespace {

using KanvoTest::ComparePixels;

const double kPi = std::acos(-1.0);

// A distinct value for every pixel of a source up to 256 x 256, with a top
// byte that is not 0.
DWORD PatternPixel(int x, int y) {
    return 0x5A000000u | static_cast<DWORD>(x) << 16 | static_cast<DWORD>(y) << 8 | 0x33;
}

void Paint(IMAGE& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            GetSurfacePixels(&image)[y * image.Width() + x] = PatternPixel(x, y);
}

void Fill(IMAGE& image, DWORD pixel) {
    std::fill(GetSurfacePixels(&image), GetSurfacePixels(&image) + image.Width() * image.Height(),
              pixel);
}

DWORD At(IMAGE& image, int x, int y) { return GetSurfacePixels(&image)[y * image.Width() + x]; }

TEST(Rotate, AngleZeroReproducesTheSource) {
    IMAGE source(37, 23);
    Paint(source);
    IMAGE nearest(5, 5), smooth;
    MakeRotatedImage(&nearest, &source, 0.0, RGB(9, 9, 9));
    MakeRotatedImage(&smooth, &source, 0.0, RGB(9, 9, 9), false, true);
    ASSERT_EQ(nearest.Width(), 37);
    ASSERT_EQ(smooth.Height(), 23);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&nearest), GetSurfacePixels(&source), 37, 23), "");
    int wrong = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) wrong += At(smooth, x, y) != (PatternPixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);  // colour bytes kept, top byte 0
}

TEST(Rotate, QuarterTurnMapsColumnsToRows) {
    IMAGE source(40, 10);
    Paint(source);
    IMAGE turned;
    MakeRotatedImage(&turned, &source, kPi / 2, RGB(1, 2, 3), true, false);
    ASSERT_EQ(turned.Width(), 10);
    ASSERT_EQ(turned.Height(), 40);
    // Row i holds source column 40 - i, source rows 0..9 from left to right;
    // the top row is background.
    int wrong = 0;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 10; ++j)
            wrong += At(turned, j, i) != (i == 0 ? 0x00010203u : PatternPixel(40 - i, j));
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(At(turned, 0, 1), PatternPixel(39, 0));  // the source's top-right pixel
}

TEST(Rotate, EighthTurnGrowsTheBoxAndFillsTheCorners) {
    IMAGE source(100, 100);
    Fill(source, 0x00336699);
    for (bool smooth : {false, true}) {
        IMAGE turned;
        MakeRotatedImage(&turned, &source, kPi / 4, RGB(0x80, 0x80, 0x80), true, smooth);
        ASSERT_EQ(turned.Width(), 141);
        ASSERT_EQ(turned.Height(), 141);
        // A grey background is a byte fill: the top byte holds the grey too.
        for (int d = 0; d < 20; ++d) {
            EXPECT_EQ(At(turned, d, 0), 0x80808080u);
            EXPECT_EQ(At(turned, 140, d), 0x80808080u);
            EXPECT_EQ(At(turned, 140 - d, 140), 0x80808080u);
            EXPECT_EQ(At(turned, 0, 140 - d), 0x80808080u);
        }
        // Inside the turned square, away from its soft edge, the colour is exact.
        int inexact = 0;
        for (int y = 0; y < 141; ++y)
            for (int x = 0; x < 141; ++x)
                if (std::fabs(x - 70.0) + std::fabs(y - 70.0) < 66)
                    inexact += (At(turned, x, y) & 0xFFFFFF) != 0x336699u;
        EXPECT_EQ(inexact, 0) << smooth;
    }
}

// Without autoSize a 5 x 4 source turned a quarter samples half-way between
// pixels, so each result is a known blend of source and background.
TEST(Rotate, RedBackgroundAndTheBilinearSoftEdge) {
    IMAGE source(5, 4);
    Fill(source, 0x000000FF);  // blue
    IMAGE nearest, smooth;
    MakeRotatedImage(&nearest, &source, kPi / 2, RGB(255, 0, 0), false, false);
    MakeRotatedImage(&smooth, &source, kPi / 2, RGB(255, 0, 0), false, true);
    ASSERT_EQ(smooth.Width(), 5);
    EXPECT_EQ(At(nearest, 0, 0), 0x00FF0000u);
    EXPECT_EQ(At(nearest, 1, 1), 0x000000FFu);
    EXPECT_EQ(At(smooth, 0, 0), 0x00BF003Fu);  // one source neighbour of four
    EXPECT_EQ(At(smooth, 0, 1), 0x007F007Fu);  // two of four
    EXPECT_EQ(At(smooth, 1, 1), 0x000000FFu);  // all four
    EXPECT_EQ(At(smooth, 4, 0), 0x00BF003Fu);
    EXPECT_EQ(At(smooth, 4, 3), 0x007F007Fu);
}

TEST(Rotate, IntoItselfEqualsRotatingACopy) {
    for (bool smooth : {false, true}) {
        IMAGE image(61, 33);
        Paint(image);
        IMAGE copy(image);
        IMAGE expected;
        MakeRotatedImage(&expected, &copy, 0.7, RGB(10, 200, 30), true, smooth);
        MakeRotatedImage(&image, &image, 0.7, RGB(10, 200, 30), true, smooth);
        ASSERT_EQ(image.Width(), expected.Width());
        ASSERT_EQ(image.Height(), expected.Height());
        EXPECT_EQ(ComparePixels(GetSurfacePixels(&image), GetSurfacePixels(&expected),
                                image.Width(), image.Height()),
                  "");
    }
}

TEST(Rotate, NullDestinationIsTheWindow) {
    IMAGE source(40, 10);
    Paint(source);
    IMAGE expected;
    MakeRotatedImage(&expected, &source, kPi / 2, RGB(1, 2, 3), true, false);
    HWND window = OpenGraphWindow(200, 100);
    ASSERT_NE(window, nullptr);
    MakeRotatedImage(nullptr, &source, kPi / 2, RGB(1, 2, 3), true, false);
    EXPECT_EQ(GetTargetWidth(), 10);
    EXPECT_EQ(GetTargetHeight(), 40);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected), 10, 40), "");
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 40);
    Sleep(100);  // a few refreshes
    const KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    CloseGraphWindow();
    ASSERT_GE(shown.width, 10);
    EXPECT_EQ(shown.At(0, 1), PatternPixel(39, 0) & 0xFFFFFF);
    EXPECT_EQ(shown.At(9, 39), PatternPixel(1, 9) & 0xFFFFFF);
}

TEST(Rotate, BadArgumentsChangeNothingAndLeakNothing) {
    IMAGE destination(7, 6);
    Paint(destination);
    IMAGE original(destination);
    IMAGE source(9, 4);
    Paint(source);
    IMAGE empty;
    IMAGE broken(-9, 4);
    IMAGE tooLong(40000, 2);  // its quarter-turned bounding box is beyond 2 GiB
    const int gdiBefore = KanvoTest::FreeGdiSlots();
    const int handlesBefore = KanvoTest::OpenHandleCount();
    MakeRotatedImage(&destination, nullptr, 1.0);
    MakeRotatedImage(&destination, &empty, 1.0, 0, true, true);
    MakeRotatedImage(&destination, &broken, 1.0, 0, true, true);
    MakeRotatedImage(&destination, &source, std::numeric_limits<double>::quiet_NaN(), 0, true);
    MakeRotatedImage(&destination, &source, std::numeric_limits<double>::infinity(), 0, true);
    MakeRotatedImage(&destination, &tooLong, kPi / 4, 0, true, true);
    MakeRotatedImage(&empty, &empty, 1.0);
    for (int i = 0; i < 100; ++i) {
        IMAGE scratch;
        MakeRotatedImage(&scratch, &source, i * 0.1, RGB(i, 0, 0), i % 2 == 0, i % 3 == 0);
        MakeRotatedImage(&scratch, &scratch, 0.5, 0, true, true);
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    ASSERT_EQ(destination.Width(), 7);
    ASSERT_EQ(destination.Height(), 6);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&destination), GetSurfacePixels(&original), 7, 6), "");
    EXPECT_EQ(GetSurfacePixels(&empty), nullptr);
}

}  // namespace
