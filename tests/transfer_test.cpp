// PasteImage and CaptureImage: pixel for pixel against the raw BitBlt on a
// twin bitmap, with raster operations, negative positions, world transforms
// and a capture into the current target itself; then bad arguments, leaks and
// the window as target.
#include "image_checks.h"

// Both paste forms, then a capture of the current target into itself (which
// reads the old pixels and lands at (0, 0) whatever the target's transform),
// at places inside, partly before and partly past the target. Then pastes onto
// the window and captures from it while its thread copies the back buffer to
// the screen; inverting twice restores; bad arguments change nothing and leak
// nothing.
TEST(Transfer, PasteAndCaptureEqualBitBltTheWindowAndBadArguments) {
    const RECT places[] = {{5, 7, 10, 8}, {-9, -6, 20, 14}, {50, 40, 23, 17}};  // x, y, w, h
    IMAGE source = Patterned(23, 17, 5), kept = Patterned(4, 4, 7), original(kept), captured;
    IMAGE empty, broken(-3, 5);
    const HDC from = GetSurfaceContext(&source);
    PasteImage(0, 0, &source);
    CaptureImage(&kept, 0, 0, 2, 2);  // before any window: nothing
    for (const XFORM& t : {XFORM{1, 0, 0, 1, 0, 0}, XFORM{1.5f, 0, 0, 2, 7, -3}})
        for (DWORD rop :
             {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY, DSTINVERT, PATINVERT, 0x00B8074Aul})
            for (const RECT& p : places) {
                IMAGE target = Patterned(60, 50, 9);
                KanvoTest::GdiTwin twin(60, 50), grabbed(30, 20);
                const HDC to = twin.Dc();
                BitBlt(to, 0, 0, 60, 50, GetSurfaceContext(&target), 0, 0, SRCCOPY);
                SetTargetImage(&target);
                SetWorldTransform(to, &t);
                MoveOrigin(int(t.eDx), int(t.eDy));
                SetAxisScale(t.eM11, t.eM22);
                PasteImage(p.left, p.top, &source, rop);
                BitBlt(to, p.left, p.top, 23, 17, from, 0, 0, rop);
                PasteImage(p.top, p.left, p.right, p.bottom, &source, 4, 3, rop);
                BitBlt(to, p.top, p.left, p.right, p.bottom, from, 4, 3, rop);
                EXPECT_EQ(KanvoTest::ComparePixels(target, twin), "") << std::hex << rop;
                CaptureImage(&target, p.left + 20, p.top, 30, 20);
                BitBlt(grabbed.Dc(), 0, 0, 30, 20, to, p.left + 20, p.top, SRCCOPY);
                EXPECT_EQ(KanvoTest::ComparePixels(target, grabbed), "") << std::hex << rop;
            }
    ASSERT_NE(OpenGraphWindow(200, 150), nullptr);
    std::pair<int, int> before;
    for (int i = -1; i < 50; ++i) {  // a first round may set up lasting state
        if (i == 0) before = SettledCounts();
        PasteImage(i + 1, i + 1, &source);
        PasteImage(60, 60, &source, SRCINVERT);
        PasteImage(60, 60, &source, SRCINVERT);
        for (const IMAGE* bad : {&empty, &broken, static_cast<IMAGE*>(nullptr)})
            PasteImage(1, 1, bad, BLACKNESS), PasteImage(1, 1, 5, 5, bad, 0, 0, BLACKNESS);
        CaptureImage(nullptr, 0, 0, 4, 4);
        CaptureImage(&kept, 0, 0, -4, 4);
        CaptureImage(&kept, 0, 0, 1 << 20, 1 << 20);
        CaptureImage(&captured, 40, 40, 60, 50);
    }
    EXPECT_EQ(SettledCounts(), before);
    // After a few refreshes:
    Sleep(100);
    const auto shown = KanvoTest::CaptureWindowDc(GetWindowHandle());
    EXPECT_EQ(Differ(kept, original), "4x4 0");
    ASSERT_EQ(shown.width, 200);
    EXPECT_EQ(shown.At(72, 66), At(source, 22, 16) & 0xFFFFFF);  // inverted twice
    EXPECT_EQ(shown.At(150, 10), 0u);
    EXPECT_EQ(shown.At(4, 4), At(source, 0, 0) & 0xFFFFFF);  // no black from the bad sources
    EXPECT_EQ(At(captured, 10, 10), At(source, 0, 0));
}
