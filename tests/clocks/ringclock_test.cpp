// ringclock: the rings at a time when every hand points elsewhere, and the
// real program with and without its background picture.
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

// At 10:20:37 each trail is at its brightest just behind its own hand (222,
// 123.7 and 310.1 degrees) and ends just ahead of it: dark for the seconds,
// which run almost all the way round, the background for the others.
TEST(RingFrame, EachTrailEndsAtItsOwnHand) {
    const ScreenCapture frame = RingFrameAt(TimeOf(10, 20, 37));
    const POINT centre = {320, 240};
    const POINT secondBehind = PointAlong(centre, 218 / 360.0, 120);
    const POINT secondAhead = PointAlong(centre, 228 / 360.0, 120);
    const POINT minuteBehind = PointAlong(centre, 119 / 360.0, 100);
    const POINT minuteAhead = PointAlong(centre, 131 / 360.0, 100);
    const POINT hourBehind = PointAlong(centre, 305 / 360.0, 75);
    const POINT hourAhead = PointAlong(centre, 317 / 360.0, 75);
    EXPECT_EQ(frame.At(secondBehind.x, secondBehind.y), PixelOf(RGB(0, 173, 173)));
    EXPECT_LT(frame.At(secondAhead.x, secondAhead.y) & 0xFF00, 0x4000u);
    EXPECT_EQ(frame.At(minuteBehind.x, minuteBehind.y), PixelOf(RGB(25, 156, 132)));
    EXPECT_EQ(frame.At(minuteAhead.x, minuteAhead.y), PixelOf(kGrey));
    EXPECT_EQ(frame.At(hourBehind.x, hourBehind.y), PixelOf(RGB(101, 127, 176)));
    EXPECT_EQ(frame.At(hourAhead.x, hourAhead.y), PixelOf(kGrey));
}

// At noon the hour fan shows at twelve; the picture's point (360, 65) is the
// window's corner.
TEST(RingClockProgram, ShowsItsPictureAndRingsAndEndsOnAKeyOrItsCloseBox) {
    IMAGE image;
    ReadImageFile(&image, (ClockProgramDirectory(L"ringclock") + L"001.png").c_str());
    SetTargetImage(&image);
    const ScreenCapture picture = TargetShows();  // no pixel values if it was not read
    SetTargetImage(nullptr);
    const ClockCheck check = ShowsPixels({{317, 160, 0x657FB0},
                                          {0, 0, picture(360, 65)},
                                          {639, 479, picture(999, 544)},
                                          {100, 400, picture(460, 465)}});
    EXPECT_EQ(RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480, check), "");
}

// Guards against a clock that fails where its picture file is missing.
// Started elsewhere, it runs on a black background.
TEST(RingClockProgram, RunsWithoutItsPicture) {
    const ClockCheck check = ShowsPixels({{317, 160, 0x657FB0}, {5, 5, 0}});
    EXPECT_EQ(
        RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480, check, ProgramDirectory()),
        "");
}
