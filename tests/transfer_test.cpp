// Block copies: PasteImage (both forms, any raster operation) and
// CaptureImage, checked pixel for pixel against the raw BitBlt on a twin
// bitmap, with and without a world transform, on images and on the window.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

#include <vector>

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

// A different colour for every pixel, so that misplaced copies show.
DWORD PatternPixel(int x, int y, int seed) {
    return (static_cast<DWORD>(x * 7 + seed) & 0xFF) << 16 |
           (static_cast<DWORD>(y * 11 + seed * 3) & 0xFF) << 8 | ((x * y + seed) & 0xFF);
}

void Paint(IMAGE& image, int seed) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            GetSurfacePixels(&image)[y * image.Width() + x] = PatternPixel(x, y, seed);
}

void Paint(GdiTwin& twin, int seed) {
    GdiFlush();
    for (int y = 0; y < twin.Height(); ++y)
        for (int x = 0; x < twin.Width(); ++x)
            twin.Pixels()[y * twin.Width() + x] = PatternPixel(x, y, seed);
}

DWORD At(IMAGE& image, int x, int y) { return GetSurfacePixels(&image)[y * image.Width() + x]; }

// Paints the image and its twin alike, makes the image the current target
// with the origin and axis scale, and gives the twin the same world transform
// as the image's device context then has.
void PrepareTwins(IMAGE& image, GdiTwin& twin, int seed, POINT origin = {0, 0},
                  float xScale = 1.0f, float yScale = 1.0f) {
    Paint(image, seed);
    Paint(twin, seed);
    SetTargetImage(&image);
    MoveOrigin(origin.x, origin.y);
    SetAxisScale(xScale, yScale);
    XFORM transform = {};
    GetWorldTransform(GetSurfaceContext(&image), &transform);
    SetWorldTransform(twin.Dc(), &transform);
}

struct PasteCase {
    int x, y, width, height, sourceX, sourceY;
    DWORD rop;
};

// Pastes onto a 60 x 50 target with Kanvo and onto its twin with BitBlt.
void ExpectPasteLikeBitBlt(const PasteCase& c, bool whole, bool transformed) {
    IMAGE source(23, 17);
    Paint(source, 5);
    IMAGE target(60, 50);
    GdiTwin twin(60, 50);
    if (transformed)
        PrepareTwins(target, twin, 9, {7, -3}, 2.0f, 1.5f);
    else
        PrepareTwins(target, twin, 9);
    if (whole) {
        PasteImage(c.x, c.y, &source, c.rop);
        BitBlt(twin.Dc(), c.x, c.y, 23, 17, GetSurfaceContext(&source), 0, 0, c.rop);
    } else {
        PasteImage(c.x, c.y, c.width, c.height, &source, c.sourceX, c.sourceY, c.rop);
        BitBlt(twin.Dc(), c.x, c.y, c.width, c.height, GetSurfaceContext(&source), c.sourceX,
               c.sourceY, c.rop);
    }
    SetTargetImage(nullptr);
    EXPECT_EQ(ComparePixels(target, twin), "")
        << std::hex << "rop " << c.rop << std::dec << " at " << c.x << ", " << c.y
        << (whole ? " whole" : " part") << (transformed ? " transformed" : "");
}

TEST(Transfer, PasteEqualsBitBltForRasterOperationsPositionsAndTransforms) {
    const DWORD rops[] = {SRCCOPY,   SRCPAINT,  SRCAND,    SRCINVERT, SRCERASE,  NOTSRCCOPY,
                          MERGEPAINT, DSTINVERT, PATINVERT, 0x00B8074A, BLACKNESS};
    const PasteCase places[] = {{5, 7, 10, 8, 4, 3, 0},   {-9, -6, 20, 14, 2, 1, 0},
                                {50, 40, 23, 17, 0, 0, 0}, {0, 0, 30, 30, -4, -2, 0}};
    for (DWORD rop : rops) {
        for (PasteCase place : places) {
            place.rop = rop;
            ExpectPasteLikeBitBlt(place, true, false);
            ExpectPasteLikeBitBlt(place, false, false);
        }
    }
    for (PasteCase place : places) {
        place.rop = SRCCOPY;
        ExpectPasteLikeBitBlt(place, true, true);
        ExpectPasteLikeBitBlt(place, false, true);
    }
}

TEST(Transfer, PasteNumbersSrcInvertTwiceNegativePositionAndPart) {
    IMAGE source(20, 20);
    Paint(source, 1);
    IMAGE target(30, 30);
    Paint(target, 2);
    IMAGE original(target);
    SetTargetImage(&target);

    PasteImage(4, 6, &source, SRCINVERT);
    EXPECT_EQ(At(target, 4, 6), PatternPixel(0, 0, 1) ^ PatternPixel(4, 6, 2));
    PasteImage(4, 6, &source, SRCINVERT);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&target), GetSurfacePixels(&original),
                            30, 30),
              "");

    PasteImage(-5, -8, &source);  // only the visible part: source (5, 8) onwards
    EXPECT_EQ(At(target, 0, 0), PatternPixel(5, 8, 1));
    EXPECT_EQ(At(target, 14, 11), PatternPixel(19, 19, 1));
    EXPECT_EQ(At(target, 15, 0), PatternPixel(15, 0, 2));
    EXPECT_EQ(At(target, 0, 12), PatternPixel(0, 12, 2));

    PasteImage(3, 20, 10, 6, &source, 7, 5);  // the part form
    EXPECT_EQ(At(target, 3, 20), PatternPixel(7, 5, 1));
    EXPECT_EQ(At(target, 12, 25), PatternPixel(16, 10, 1));
    EXPECT_EQ(At(target, 13, 25), PatternPixel(13, 25, 2));
    EXPECT_EQ(At(target, 2, 20), PatternPixel(2, 20, 2));
    SetTargetImage(nullptr);
}

TEST(Transfer, CaptureEqualsBitBltAndLeavesBlackOutsideTheTarget) {
    for (bool transformed : {false, true}) {
        IMAGE target(40, 30);
        GdiTwin twin(40, 30);
        if (transformed)
            PrepareTwins(target, twin, 3, {-6, 4}, 0.5f, 2.0f);
        else
            PrepareTwins(target, twin, 3);
        IMAGE captured(5, 5);
        SetTargetImage(&captured);
        MoveOrigin(3, 3);  // the destination's own transform does not move the copy
        SetTargetImage(&target);
        CaptureImage(&captured, 30, 10, 20, 12);
        GdiTwin expected(20, 12);
        BitBlt(expected.Dc(), 0, 0, 20, 12, twin.Dc(), 30, 10, SRCCOPY);
        SetTargetImage(nullptr);
        ASSERT_EQ(captured.Width(), 20);
        ASSERT_EQ(captured.Height(), 12);
        EXPECT_EQ(ComparePixels(captured, expected), "") << transformed;
        if (!transformed) {
            EXPECT_EQ(At(captured, 0, 0), PatternPixel(30, 10, 3));
            EXPECT_EQ(At(captured, 9, 11), PatternPixel(39, 21, 3));
            EXPECT_EQ(At(captured, 10, 0), 0u);  // past the right edge
            EXPECT_EQ(At(captured, 19, 11), 0u);
        }
    }
}

TEST(Transfer, CaptureOfTheCurrentTargetIntoItselfKeepsItsPixels) {
    IMAGE target(30, 30);
    Paint(target, 4);
    SetTargetImage(&target);
    CaptureImage(&target, 5, 6, 10, 8);
    EXPECT_EQ(GetTargetWidth(), 10);
    SetTargetImage(nullptr);
    ASSERT_EQ(target.Width(), 10);
    EXPECT_EQ(At(target, 0, 0), PatternPixel(5, 6, 4));
    EXPECT_EQ(At(target, 9, 7), PatternPixel(14, 13, 4));
}

TEST(Transfer, EmptyNullAndBadArgumentsChangeNothingAndLeakNothing) {
    IMAGE target(20, 20);
    Paint(target, 6);
    IMAGE original(target);
    IMAGE empty;
    IMAGE broken(-3, 5);
    IMAGE zeroWide(0, 8);
    IMAGE captured(4, 4);
    Paint(captured, 7);
    PasteImage(0, 0, nullptr);  // no target chosen yet
    CaptureImage(&captured, 0, 0, 2, 2);
    SetTargetImage(&target);
    const int gdiBefore = KanvoTest::FreeGdiSlots();
    const int handlesBefore = KanvoTest::OpenHandleCount();
    for (int i = 0; i < 100; ++i) {
        PasteImage(1, 1, &empty, SRCCOPY);
        PasteImage(1, 1, &broken, SRCCOPY);
        PasteImage(1, 1, &zeroWide, BLACKNESS);
        PasteImage(1, 1, nullptr, BLACKNESS);
        PasteImage(1, 1, 5, 5, &broken, 0, 0, BLACKNESS);
        PasteImage(1, 1, 5, 5, nullptr, 0, 0, BLACKNESS);
        CaptureImage(nullptr, 0, 0, 4, 4);
        CaptureImage(&captured, 0, 0, 0, 4);
        CaptureImage(&captured, 0, 0, -4, 4);
        CaptureImage(&captured, 0, 0, 1 << 20, 1 << 20);
        IMAGE fresh;
        CaptureImage(&fresh, i % 7, i % 5, 8 + i % 3, 6);  // replaces bitmaps every time
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    SetTargetImage(nullptr);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&target), GetSurfacePixels(&original),
                            20, 20),
              "");
    ASSERT_EQ(captured.Width(), 4);
    EXPECT_EQ(At(captured, 3, 3), PatternPixel(3, 3, 7));
}

// The window thread copies the back buffer to the screen while the program
// pastes onto it and captures from it.
TEST(Transfer, WindowAsTargetShowsPastesAndCaptures) {
    HWND window = OpenGraphWindow(200, 150);
    ASSERT_NE(window, nullptr);
    IMAGE source(50, 40);
    Paint(source, 8);
    for (int i = 0; i < 50; ++i) PasteImage(i, i, &source);
    IMAGE captured;
    CaptureImage(&captured, 40, 40, 60, 50);
    Sleep(100);  // a few refreshes
    const KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    CloseGraphWindow();
    ASSERT_EQ(shown.width, 200);
    EXPECT_EQ(shown.At(49, 49), PatternPixel(0, 0, 8));
    EXPECT_EQ(shown.At(98, 88), PatternPixel(49, 39, 8));
    EXPECT_EQ(shown.At(150, 10), 0u);
    ASSERT_EQ(captured.Width(), 60);
    EXPECT_EQ(At(captured, 9, 9), PatternPixel(0, 0, 8));
    EXPECT_EQ(At(captured, 0, 0), PatternPixel(0, 0, 8));
    EXPECT_EQ(At(captured, 59, 49), 0u);  // no paste reached (99, 89)
}

}  // namespace
