// ballclock: the face, hands and soft edges drawn on the window by its own
// routines, the ball's path and flower against raw GDI, and the real program.
#include "ball_drawing.h"
#include "clock_test.h"

static DWORD OnWindow(int x, int y) {
    return GetSurfacePixels(nullptr)[y * 1000 + x] & 0xFFFFFF;
}

// A window of the clock's size, black.
static void OpenClockWindow() {
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
}

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

// No marker is lit before the first change of second; after second 9 the
// ten-second marker is.
TEST(BallFace, LightsTheMarkerOfTheSecondShown) {
    OpenClockWindow();
    last_second = 0;
    DrawClockFace();
    EXPECT_EQ(Mismatches(Markers(0), OnWindow), "");
    last_second = 9;
    DrawClockFace();
    EXPECT_EQ(Mismatches(Markers(10), OnWindow), "");
}

// At 10:20:37 the second hand (300 long) points along 222 degrees, the
// minute hand (220) along 123.7, the hour hand (120) along 310.3.
TEST(BallFace, EachHandFollowsItsOwnUnitOfTime) {
    OpenClockWindow();
    DrawClockFace();
    DrawHands(10, 20, 37);
    ScreenCapture window;
    window.width = 1000;
    window.height = 750;
    for (int i = 0; i < 1000 * 750; ++i) window.pixels.push_back(OnWindow(i % 1000, i / 1000));
    const POINT centre = {500, 375};
    EXPECT_GE(PixelsAcross(window, centre, 222, 250, PixelOf(second_hand.color)), 1);
    EXPECT_GE(PixelsAcross(window, centre, 123.7, 180, PixelOf(minute_hand.color)), 2);
    EXPECT_GE(PixelsAcross(window, centre, 310.3, 100, PixelOf(hour_hand.color)), 3);
}

// From (100, 250) the ball first bounces off the floor at y = 710 with
// x = 560, then off the right side at (960, 310); in a corner it turns
// sideways first, then up.
TEST(BallPath, BouncesOffTheFloorThenTheSideAndOutOfACorner) {
    int x = 100;
    int y = 250;
    int stepX = 1;
    int stepY = 1;
    while (stepY == 1 && y < 2000) StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(PointsText({{x, y}, {stepX, stepY}}), "(560,710) (1,-1)");
    while (stepX == 1 && y > 0) StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(PointsText({{x, y}}), "(960,310)");
    x = 959;
    y = 709;
    stepX = 1;
    stepY = 1;
    StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(PointsText({{stepX, stepY}}), "(-1,1)");
    StepBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(stepY, -1);
}

// Five petals and a yellow-rimmed heart as raw GDI draws them; the ball
// steps on, and the caller's colours are restored.
TEST(BallPath, FlowerBallIsRawGdiAndRestoresTheColours) {
    IMAGE image(200, 150);
    SetTargetImage(&image);
    SetInteriorColor(RGB(1, 2, 3));
    SetDrawColor(RGB(4, 5, 6));
    int x = 100;
    int y = 70;
    int stepX = -1;
    int stepY = 1;
    DrawFlowerBall(x, y, 40, stepX, stepY);
    EXPECT_EQ(PointsText({{x, y}}), "(99,71)");
    EXPECT_EQ(GetInteriorColor(), RGB(1, 2, 3));
    EXPECT_EQ(GetDrawColor(), RGB(4, 5, 6));
    GdiTwin twin(200, 150);
    SelectAndDelete(twin.Dc(), CreateSolidBrush(0x00F0DFF3));
    const LOGBRUSH white = {BS_SOLID, 0x00FFFFFF, 0};
    const LOGBRUSH yellow = {BS_SOLID, 0x0055FFFF, 0};
    SelectAndDelete(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr));
    for (POINT p : {POINT{120, 57}, {120, 81}, {96, 90}, {96, 50}, {78, 70}})
        Ellipse(twin.Dc(), p.x - 16, p.y - 16, p.x + 16, p.y + 16);
    SelectAndDelete(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &yellow, 0, nullptr));
    Ellipse(twin.Dc(), 80, 50, 120, 90);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

// Repaints of the whole picture leave no GDI object behind.
TEST(BallFace, RepaintsLeaveNoGdiObject) {
    OpenClockWindow();
    int x = 100;
    int y = 250;
    int stepX = 1;
    int stepY = 1;
    auto repaint = [&](int second) {
        last_second = second;
        DrawClockFace();
        ScatterStars(400);
        DrawHands(10, 8, second + 1);
        DrawFlowerBall(x, y, 40, stepX, stepY);
    };
    repaint(0);  // a first use may set up lasting system objects
    auto repaints = [&] {
        for (int s = 1; s < 30; ++s) repaint(s);
    };
    EXPECT_EQ(GdiObjectsLeftBy(repaints), 0);
}

// A ring of radius 15 has coverage 0.5 - (distance - 15), blended only where
// strictly between 0 and 1, with weight sqrt(coverage) (255 x sqrt(0.5) =
// 180). A band at distance 2 from a line reaches up to 2 pixels past the box
// of its ends; a line through two equal points has no band.
TEST(BallSoftEdges, RingAndBandBlendByTheirCoverage) {
    OpenClockWindow();
    SoftenShape(0x00FFFFFF, 300, 300, 0, 0, 15, true);
    int wrong = 0;
    for (int y = 250; y < 350; ++y) {
        for (int x = 250; x < 350; ++x) {
            const int d2 = (x - 300) * (x - 300) + (y - 300) * (y - 300);
            const bool onRing = d2 > 210 && d2 < 241;
            if (onRing != (OnWindow(x, y) != 0)) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    SoftenShape(0x000000FF, 100, 100, 200, 100, 2, false);
    SoftenShape(0x00FFFFFF, 400, 400, 400, 400, 3, false);
    EXPECT_EQ(Mismatches({{315, 300, 0xB4B4B4},
                          {150, 98, 0xB40000},
                          {202, 102, 0xB40000},
                          {150, 99, 0},
                          {150, 97, 0},
                          {203, 102, 0},
                          {401, 400, 0}},
                         OnWindow),
              "");
}

// Without the window, or with a window of another size, nothing is done.
TEST(BallSoftEdges, NeedTheClocksWindow) {
    SoftenShape(0x00FFFFFF, 10, 10, 0, 0, 5, true);
    ASSERT_NE(OpenGraphWindow(300, 200), nullptr);
    SoftenShape(0x00FFFFFF, 100, 100, 0, 0, 20, true);
    EXPECT_EQ(GetSurfacePixels(nullptr)[100 * 300 + 120], 0u);
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
