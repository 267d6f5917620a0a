// ballclock: the hands drawn by its own routines, the ball's path, and the
// real program.
#include "ball_drawing.h"
#include "clock_test.h"

// At 10:20:37 the second hand (300 long) points along 222 degrees, the
// minute hand (220) along 123.7, the hour hand (120) along 310.3.
TEST(BallFace, EachHandFollowsItsOwnUnitOfTime) {
    const ScreenCapture window = Drawn(kBallWindowWidth, kBallWindowHeight, [] {
        DrawClockFace();
        DrawHands(10, 20, 37);
    });
    const POINT centre = {500, 375};
    EXPECT_GE(PixelsAcross(window, centre, 222, 250, PixelOf(g_secondHand.color)), 1);
    EXPECT_GE(PixelsAcross(window, centre, 123.7, 180, PixelOf(g_minuteHand.color)), 2);
    EXPECT_GE(PixelsAcross(window, centre, 310.3, 100, PixelOf(g_hourHand.color)), 3);
}

// Guards against a ball that leaves the window, which the program's pictures
// never look at: from where the clock starts it, over 20 000 steps (several
// bounces off every wall), its centre stays inside.
TEST(BallPath, StaysInsideTheWindow) {
    int x = 100;
    int y = 250;
    int stepX = 1;
    int stepY = 1;
    int outside = 0;
    for (int step = 0; step < 20000; ++step) {
        StepBall(x, y, 40, stepX, stepY);
        outside += x < 0 || x >= kBallWindowWidth || y < 0 || y >= kBallWindowHeight;
    }
    EXPECT_EQ(outside, 0);
}

// At noon the hour hand points straight up and the minute hand just past
// twelve; white outside the panel and at the three o'clock marker.
TEST(BallClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck noon = ShowsPixels({{500, 300, PixelOf(0x0055AA)},
                                         {500, 200, 0x00AA00},
                                         {50, 50, 0xFFFFFF},
                                         {800, 375, 0xFFFFFF}});
    EXPECT_EQ(RunClockAsAUser(L"ballclock", "2026-01-01 12:00:04", 1000, 750, noon), "");
}
