// PasteImage and CaptureImage: pixel for pixel against the raw BitBlt on a
// twin bitmap, with raster operations, negative positions and world
// transforms; then the numbers, bad arguments and the window as target.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

// A different value at every pixel, so that misplaced copies show.
DWORD PatternPixel(int x, int y, int seed) {
    return (static_cast<DWORD>(x * 7 + seed) & 0xFF) << 16 |
           (static_cast<DWORD>(y * 11 + seed * 3) & 0xFF) << 8 | ((x * y + seed) & 0xFF);
}

void Paint(IMAGE& image, int seed) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            GetSurfacePixels(&image)[y * image.Width() + x] = PatternPixel(x, y, seed);
}

DWORD At(IMAGE& image, int x, int y) { return GetSurfacePixels(&image)[y * image.Width() + x]; }

TEST(Transfer, PasteAndCaptureEqualBitBlt) {
    const DWORD rops[] = {SRCCOPY,   SRCPAINT,  SRCAND,    SRCINVERT,
                          NOTSRCCOPY, DSTINVERT, PATINVERT, 0x00B8074A};
    const RECT places[] = {{5, 7, 10, 8}, {-9, -6, 20, 14}, {50, 40, 23, 17}};  // x, y, w, h
    IMAGE source(23, 17);
    Paint(source, 5);
    for (float scale : {1.0f, 1.5f}) {
        for (DWORD rop : rops) {
            for (const RECT& p : places) {
                IMAGE target(60, 50);
                Paint(target, 9);
                GdiTwin twin(60, 50);
                BitBlt(twin.Dc(), 0, 0, 60, 50, GetSurfaceContext(&target), 0, 0, SRCCOPY);
                SetTargetImage(&target);
                MoveOrigin(scale == 1.0f ? 0 : 7, scale == 1.0f ? 0 : -3);
                SetAxisScale(scale, 2 * scale - 1);
                XFORM transform = {};
                GetWorldTransform(GetSurfaceContext(&target), &transform);
                SetWorldTransform(twin.Dc(), &transform);
                HDC sourceDc = GetSurfaceContext(&source);

                PasteImage(p.left, p.top, &source, rop);
                BitBlt(twin.Dc(), p.left, p.top, 23, 17, sourceDc, 0, 0, rop);
                PasteImage(p.top, p.left, p.right, p.bottom, &source, 4, 3, rop);
                BitBlt(twin.Dc(), p.top, p.left, p.right, p.bottom, sourceDc, 4, 3, rop);
                IMAGE captured;
                CaptureImage(&captured, p.left + 20, p.top, 30, 20);  // may run past the edge
                GdiTwin expected(30, 20);
                BitBlt(expected.Dc(), 0, 0, 30, 20, twin.Dc(), p.left + 20, p.top, SRCCOPY);
                SetTargetImage(nullptr);
                EXPECT_EQ(ComparePixels(target, twin), "") << std::hex << rop << " " << scale;
                EXPECT_EQ(ComparePixels(captured, expected), "") << std::hex << rop << " " << scale;
            }
        }
    }
}

TEST(Transfer, NumbersOfInvertingNegativePositionsPartsAndCaptures) {
    IMAGE source(20, 20), target(30, 30), captured;
    Paint(source, 1);
    Paint(target, 2);
    IMAGE original(target);
    SetTargetImage(&captured);
    MoveOrigin(3, 3);  // the destination's own transform does not move a capture
    SetTargetImage(&target);
    PasteImage(4, 6, &source, SRCINVERT);
    EXPECT_EQ(At(target, 4, 6), PatternPixel(0, 0, 1) ^ PatternPixel(4, 6, 2));
    PasteImage(4, 6, &source, SRCINVERT);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&target), GetSurfacePixels(&original), 30, 30), "");

    PasteImage(-5, -8, &source);  // the visible part only: source (5, 8) onwards
    EXPECT_EQ(At(target, 0, 0), PatternPixel(5, 8, 1));
    EXPECT_EQ(At(target, 15, 0), PatternPixel(15, 0, 2));
    PasteImage(3, 20, 10, 6, &source, 7, 5);
    EXPECT_EQ(At(target, 12, 25), PatternPixel(16, 10, 1));

    CaptureImage(&captured, 25, 3, 10, 4);  // past the right edge: black there
    EXPECT_EQ(At(captured, 0, 0), PatternPixel(25, 3, 2));
    EXPECT_EQ(At(captured, 4, 3), PatternPixel(29, 6, 2));
    EXPECT_EQ(At(captured, 5, 0), 0u);
    CaptureImage(&target, 5, 6, 10, 8);  // the current target into itself
    EXPECT_EQ(GetTargetWidth(), 10);
    SetTargetImage(nullptr);
    EXPECT_EQ(At(target, 9, 7), PatternPixel(14, 13, 2));
}

// Pastes onto the window and captures from it while its thread copies the
// back buffer to the screen; bad arguments change nothing and leak nothing.
TEST(Transfer, WindowAsTargetAndBadArguments) {
    IMAGE source(50, 40), empty, broken(-3, 5), kept(4, 4);
    Paint(source, 8);
    Paint(kept, 7);
    PasteImage(0, 0, &source);  // before any window or target: nothing happens
    CaptureImage(&kept, 0, 0, 2, 2);
    HWND window = OpenGraphWindow(200, 150);
    ASSERT_NE(window, nullptr);
    IMAGE captured;
    int gdiBefore = 0, handlesBefore = 0;
    for (int i = -1; i < 50; ++i) {
        if (i == 0) {  // after a first round that sets up lasting state
            gdiBefore = KanvoTest::FreeGdiSlots();
            handlesBefore = KanvoTest::OpenHandleCount();
        }
        PasteImage(i + 1, i + 1, &source);
        PasteImage(1, 1, &empty, BLACKNESS);
        PasteImage(1, 1, &broken, BLACKNESS);
        PasteImage(1, 1, nullptr, BLACKNESS);
        PasteImage(1, 1, 5, 5, &broken, 0, 0, BLACKNESS);
        CaptureImage(nullptr, 0, 0, 4, 4);
        CaptureImage(&kept, 0, 0, -4, 4);
        CaptureImage(&kept, 0, 0, 1 << 20, 1 << 20);
        CaptureImage(&captured, 40, 40, 60, 50);
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    Sleep(100);  // a few refreshes
    const KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    CloseGraphWindow();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    ASSERT_EQ(kept.Width(), 4);
    EXPECT_EQ(At(kept, 3, 3), PatternPixel(3, 3, 7));
    ASSERT_EQ(shown.width, 200);
    EXPECT_EQ(shown.At(99, 89), PatternPixel(49, 39, 8));
    EXPECT_EQ(shown.At(150, 10), 0u);
    EXPECT_EQ(shown.At(4, 4), PatternPixel(0, 0, 8));  // no black from the bad sources
    EXPECT_EQ(At(captured, 10, 10), PatternPixel(0, 0, 8));
}

}  // namespace
