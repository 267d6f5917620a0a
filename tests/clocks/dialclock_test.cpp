// dialclock: the mechanism at a time when every hand points elsewhere, and
// the real program.
#include "clock_test.h"
#include "dial_plate.h"
#include "mechanism.h"

const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};
const DWORD kNeedle = 0x7F6454;

// One frame's moving parts at 10:20:37 on grey 224.
static ScreenCapture FrameAt1020And37() {
    return Drawn(800, 800, [] {
        ResetBackground();
        DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(10, 20, 37)), kLight);
    });
}

// At 10:20:37 the second needle's tip lies 150 pixels along 222 degrees, the
// hour needle's 100 along 300 (it moves only on the hour), and the crank pin
// on the ring 70 along 222.
TEST(DialMechanism, NeedlesFollowTheSecondsAndTheHours) {
    const ScreenCapture frame = FrameAt1020And37();
    EXPECT_EQ(frame.At(300, 511), kNeedle);
    EXPECT_EQ(frame.At(314, 351), kNeedle);
    EXPECT_EQ(frame.At(354, 452), 0xE3E2E1u);
}

// The minutes show in the ring of rhombuses: at 10:20:37 the slider sits at
// L = 62 along the minute angle, so rhombus 0 has the vertices (451,434)
// (470,480) (520,480) (501,434), and its fill blends from yellow at the outer
// vertex through orange at the side vertices to red at the inner one.
TEST(DialMechanism, RhombusesFollowTheMinutes) {
    const ScreenCapture frame = FrameAt1020And37();
    EXPECT_EQ(frame.At(499, 466), 0xF7CF2Eu);
    EXPECT_EQ(frame.At(479, 467), 0xEDAB19u);
    EXPECT_EQ(frame.At(492, 447), 0xEDAA18u);
    EXPECT_EQ(frame.At(472, 448), 0xD56C0Du);
}

// At noon: the needles' hub, the hour needle pointing at 12, the disc, a
// corner the tiles leave uncovered.
TEST(DialClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck noon =
        ShowsPixels({{400, 400, 0xBDAEA9}, {397, 350, kNeedle}, {330, 470, 0xE0E0E0}, {10, 60, 0}});
    EXPECT_EQ(RunClockAsAUser(L"dialclock", "2026-01-01 12:00:00", 800, 800, noon), "");
}
