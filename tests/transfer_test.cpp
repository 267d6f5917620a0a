// PasteImage and CaptureImage: pixel for pixel against the raw BitBlt on a
// twin bitmap, with raster operations, negative positions, world transforms
// and a capture into the current target itself; then the window as target,
// bad arguments and leaks.
#include "image_checks.h"

namespace {

// Places inside, partly before and partly past a 60 x 50 target: x, y, w, h.
const RECT kPlaces[] = {{5, 7, 10, 8}, {-9, -6, 20, 14}, {50, 40, 23, 17}};
// Source only, source and destination, and source, destination and pattern.
const DWORD kRops[] = {SRCCOPY, SRCINVERT, 0x00B8074A};

// A patterned 60 x 50 target under `transform`, and its twin.
void PrepareTarget(IMAGE& target, KanvoTest::GdiTwin& twin, const XFORM& transform) {
    BitBlt(twin.Dc(), 0, 0, 60, 50, GetSurfaceContext(&target), 0, 0, SRCCOPY);
    SetTargetImage(&target);
    SetWorldTransform(twin.Dc(), &transform);
    MoveOrigin(static_cast<int>(transform.eDx), static_cast<int>(transform.eDy));
    SetAxisScale(transform.eM11, transform.eM22);
}

// Both paste forms, plainly and under a scaling transform.
TEST(Transfer, PastingEqualsBitBlt) {
    IMAGE source = Patterned(23, 17, 5);
    for (const XFORM& transform : {XFORM{1, 0, 0, 1, 0, 0}, XFORM{1.5f, 0, 0, 2, 7, -3}})
        for (DWORD rop : kRops)
            for (const RECT& p : kPlaces) {
                IMAGE target = Patterned(60, 50, 9);
                KanvoTest::GdiTwin twin(60, 50);
                PrepareTarget(target, twin, transform);
                PasteImage(p.left, p.top, &source, rop);
                BitBlt(twin.Dc(), p.left, p.top, 23, 17, GetSurfaceContext(&source), 0, 0, rop);
                PasteImage(p.top, p.left, p.right, p.bottom, &source, 4, 3, rop);
                BitBlt(twin.Dc(), p.top, p.left, p.right, p.bottom, GetSurfaceContext(&source), 4,
                       3, rop);
                EXPECT_EQ(KanvoTest::ComparePixels(target, twin), "")
                    << std::hex << rop << " at " << std::dec << p.left << " " << p.top;
            }
}

// A capture of the current target into itself reads the old pixels and lands
// at (0, 0) whatever the target's transform.
TEST(Transfer, CapturingTheTargetIntoItselfEqualsBitBlt) {
    for (const XFORM& transform : {XFORM{1, 0, 0, 1, 0, 0}, XFORM{1.5f, 0, 0, 2, 7, -3}})
        for (const RECT& p : kPlaces) {
            IMAGE target = Patterned(60, 50, 9);
            KanvoTest::GdiTwin twin(60, 50);
            KanvoTest::GdiTwin grabbed(30, 20);
            PrepareTarget(target, twin, transform);
            CaptureImage(&target, p.left + 20, p.top, 30, 20);
            BitBlt(grabbed.Dc(), 0, 0, 30, 20, twin.Dc(), p.left + 20, p.top, SRCCOPY);
            EXPECT_EQ(KanvoTest::ComparePixels(target, grabbed), "") << p.left << " " << p.top;
        }
}

// The window thread copies the back buffer to the screen meanwhile; inverting
// twice restores, and the bad sources paint no black over the source pasted
// at (1, 1) in the first counted round.
TEST(Transfer, PastesOntoTheWindowAndCapturesFromItWithoutLeaks) {
    IMAGE source = Patterned(23, 17, 5);
    IMAGE kept = Patterned(4, 4, 7);
    IMAGE original(kept);
    IMAGE captured;
    IMAGE empty;
    IMAGE broken(-3, 5);
    CaptureImage(&kept, 0, 0, 2, 2);  // before any window: nothing
    ASSERT_NE(OpenGraphWindow(200, 150), nullptr);
    std::pair<int, int> before;
    for (int i = -1; i < 50; ++i) {  // a first round may set up lasting state
        if (i == 0) before = SettledCounts();
        PasteImage(i + 1, i + 1, &source);
        PasteImage(60, 60, &source, SRCINVERT);
        PasteImage(60, 60, &source, SRCINVERT);
        for (const IMAGE* bad : {&empty, &broken, static_cast<IMAGE*>(nullptr)}) {
            PasteImage(1, 1, bad, BLACKNESS);
            PasteImage(1, 1, 5, 5, bad, 0, 0, BLACKNESS);
        }
        CaptureImage(nullptr, 0, 0, 4, 4);
        CaptureImage(&kept, 0, 0, 1 << 20, 1 << 20);
        CaptureImage(&captured, 40, 40, 60, 50);
    }
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(Differ(kept, original), "4x4 0");
    EXPECT_EQ(At(captured, 10, 10), At(source, 0, 0));
    EXPECT_EQ(GetSurfacePixels(nullptr)[1 * 200 + 1] & 0xFFFFFF, At(source, 0, 0) & 0xFFFFFF);
}

}  // namespace
