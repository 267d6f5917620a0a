// ballclock: the hands drawn on the window by its own routines, the ball's
// path, and the real program.
#include "ball_drawing.h"
#include "clock_test.h"

// The eight five-second markers that can be lit, each seen 7 pixels to the
// side of its centre (clear of the second hand that ends there), in the
// marker colour, except the one of `litSecond` in white.
static std::vector<Expected> Markers(int litSecond) {
    const struct {
        int second;
        int x;
        int y;
    } markers[] = {{5, 655, 119},  {10, 763, 231}, {20, 756, 530}, {25, 644, 638},
                   {35, 345, 631}, {40, 237, 519}, {50, 244, 220}, {55, 356, 112}};
    std::vector<Expected> expected;
    for (const auto& m : markers) {
        expected.push_back({m.x, m.y, m.second == litSecond ? 0xFFFFFF : PixelOf(0x337889)});
    }
    return expected;
}

// At 10:20:37 the second hand (300 long) points along 222 degrees, the
// minute hand (220) along 123.7, the hour hand (120) along 310.3.
TEST(BallFace, EachHandFollowsItsOwnUnitOfTime) {
    ASSERT_NE(OpenGraphWindow(kBallWindowWidth, kBallWindowHeight), nullptr);
    DrawClockFace();
    DrawHands(10, 20, 37);
    const ScreenCapture window = TargetShows();
    const POINT centre = {500, 375};
    EXPECT_GE(PixelsAcross(window, centre, 222, 250, PixelOf(second_hand.color)), 1);
    EXPECT_GE(PixelsAcross(window, centre, 123.7, 180, PixelOf(minute_hand.color)), 2);
    EXPECT_GE(PixelsAcross(window, centre, 310.3, 100, PixelOf(hour_hand.color)), 3);
}

// Guards against a ball that leaves the panel, which the program's pictures
// never look at. From (100, 250) the ball first bounces off the floor at
// y = 710 with x = 560, then off the right side at (960, 310); in a corner it
// turns sideways first, then up.
TEST(BallPath, BouncesOffTheFloorThenTheSideAndOutOfACorner) {
    int x = 100;
    int y = 250;
    int stepX = 1;
    int stepY = 1;
    while (stepY == 1 && y < 2000) StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(x, 560);
    EXPECT_EQ(y, 710);
    EXPECT_EQ(stepX, 1);
    EXPECT_EQ(stepY, -1);
    while (stepX == 1 && y > 0) StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 310);
    x = 959;
    y = 709;
    stepX = 1;
    stepY = 1;
    StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(stepX, -1);
    EXPECT_EQ(stepY, 1);
    StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(stepY, -1);
}

// From 12:00:05 on, the repaints of the seconds 5, 10, 20 ... light that
// second's marker, one at a time (a slow start may miss the first of them).
// The hour hand straight up, the minute hand just past twelve, white outside
// the panel and at the three o'clock marker.
TEST(BallClockProgram, LightsOneMarkerAfterAChangeOfSecondAndEnds) {
    const ClockCheck pixels = ShowsPixels({{500, 300, PixelOf(0x0055AA)},
                                           {500, 200, 0x00AA00},
                                           {50, 50, 0xFFFFFF},
                                           {800, 375, 0xFFFFFF}});
    auto check = [&pixels](HWND window, const ScreenCapture& shown) {
        for (int second : {5, 10, 20, 25}) {
            if (Mismatches(Markers(second), shown).empty()) return pixels(window, shown);
        }
        return std::string("not one marker lit");
    };
    EXPECT_EQ(RunClockAsAUser(L"ballclock", "2026-01-01 12:00:04", 1000, 750, check), "");
}
