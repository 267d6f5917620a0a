// ringclock: the rings at a time when every hand points elsewhere, and the
// real program over its background picture.
#include "clock_test.h"
#include "ring_drawing.h"

const COLORREF kGrey = RGB(90, 90, 90);

// A frame of `time` drawn on grey with the origin at the window centre.
static ScreenCapture RingFrameAt(const tm& time) {
    return Drawn(640, 480, [&time] {
        SetBackgroundColor(kGrey);
        ClearTarget();
        MoveOrigin(320, 240);
        SelectDigitFont();
        Ring hour = {320 / 3.8, 0};
        Ring minute = {320 / 3.15, 0};
        Ring second = {320 / 2.65, 0};
        DrawRingFrame(time, hour, minute, second);
        MoveOrigin(0, 0);
    });
}

// What the frame shows `distance` from its centre along `degrees`.
static DWORD ShownAlong(const ScreenCapture& frame, double degrees, double distance) {
    const POINT p = PointAlong({320, 240}, degrees / 360, distance);
    return frame(p.x, p.y);
}

// At 10:20:37 each trail is at its brightest just behind its own hand (222,
// 123.7 and 310.1 degrees) and ends just ahead of it: dark for the seconds,
// which run almost all the way round, the background for the others.
TEST(RingFrame, EachTrailEndsAtItsOwnHand) {
    const ScreenCapture frame = RingFrameAt(TimeOf(10, 20, 37));
    EXPECT_EQ(ShownAlong(frame, 218, 120), PixelOf(RGB(0, 173, 173)));
    EXPECT_LT(ShownAlong(frame, 228, 120) & 0xFF00, 0x4000u);
    EXPECT_EQ(ShownAlong(frame, 119, 100), PixelOf(RGB(25, 156, 132)));
    EXPECT_EQ(ShownAlong(frame, 131, 100), PixelOf(kGrey));
    EXPECT_EQ(ShownAlong(frame, 305, 75), PixelOf(RGB(101, 127, 176)));
    EXPECT_EQ(ShownAlong(frame, 317, 75), PixelOf(kGrey));
}

// At noon the hour fan shows at twelve; the picture's point (360, 65) is the
// window's corner.
TEST(RingClockProgram, ShowsItsPictureAndRingsAndEndsOnAKeyOrItsCloseBox) {
    const std::wstring path = ClockProgramDirectory(L"ringclock") + L"001.png";
    bool read = false;
    const ScreenCapture picture =
        Drawn(1000, 545, [&] { read = ReadImageFile(GetTargetImage(), path.c_str()); });
    ASSERT_TRUE(read);
    const ClockCheck check = ShowsPixels({{317, 160, 0x657FB0},
                                          {0, 0, picture(360, 65)},
                                          {639, 479, picture(999, 544)},
                                          {100, 400, picture(460, 465)}});
    EXPECT_EQ(RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480, check), "");
}
