// The bouncing-ball clock: frames drawn by its routines, the ball's path, the
// soft edges, and the program run end to end.
#include "ball_drawing.h"

#include "clock_test.h"

static DWORD OnWindow(int x, int y) {
    return GetSurfacePixels(nullptr)[y * 1000 + x] & 0xFFFFFF;
}

// The eight five-second markers that can be lit, each seen 7 pixels to the
// side of its centre (clear of the second hand that ends there), in the
// marker colour, except the one of `litSecond` in white.
static std::vector<Expected> Markers(int litSecond) {
    const struct {
        int second, x, y;
    } markers[] = {{5, 655, 119},  {10, 763, 231}, {20, 756, 530}, {25, 644, 638},
                   {35, 345, 631}, {40, 237, 519}, {50, 244, 220}, {55, 356, 112}};
    std::vector<Expected> expected;
    for (const auto& m : markers)
        expected.push_back({m.x, m.y, m.second == litSecond ? 0xFFFFFF : PixelOf(0x337889)});
    return expected;
}

// No marker is lit before the first change of second; the hands of midnight
// end at (500, 75), (500, 155), (500, 255), each over those drawn before it;
// at last_second 9 the ten-second marker is lit. The ball's first bounce is
// off the floor at y = 710 with x = 560, the next off the right side at
// (960, 310); in a corner it turns sideways first, then up.
TEST(Ballclock, MarkersHandsBouncesFlowerBallAndSoftEdges) {
    SoftenShape(0x00FFFFFF, 10, 10, 0, 0, 5, true);  // without the window: nothing to do
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    DrawClockFace();
    EXPECT_EQ(Mismatches(Markers(0), OnWindow), "");
    DrawHands(0, 0, 0);
    EXPECT_EQ(PointsText({{second_hand.x, second_hand.y},
                          {minute_hand.x, minute_hand.y},
                          {hour_hand.x, hour_hand.y}}),
              "(500,75) (500,155) (500,255)");
    EXPECT_EQ(Mismatches({{500, 100, PixelOf(second_hand.color)},
                          {500, 200, PixelOf(minute_hand.color)},
                          {500, 300, PixelOf(hour_hand.color)}},
                         OnWindow),
              "");
    last_second = 9, DrawClockFace();
    EXPECT_EQ(Mismatches(Markers(10), OnWindow), "");
    int x = 100, y = 250, vx = 1, vy = 1;
    while (vx == 1 && vy == 1 && y < 2000) StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(PointsText({{x, y}, {vx, vy}}), "(560,710) (1,-1)");
    while (vx == 1 && y > 0) StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(PointsText({{x, y}}), "(960,310)");
    x = 959, y = 709, vx = 1, vy = 1, StepBall(x, y, 40, vx, vy);
    EXPECT_TRUE(vx == -1 && vy == 1);
    StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(vy, -1);
    // The flower ball as raw GDI draws it: five petals and a yellow-rimmed
    // heart; the ball steps on, and the caller's colours are restored.
    // Repaints of the whole picture leave no GDI object behind.
    IMAGE image(200, 150), frame(1000, 750);
    SetTargetImage(&image);
    SetInteriorColor(RGB(1, 2, 3));
    SetDrawColor(RGB(4, 5, 6));
    x = 100, y = 70, vx = -1, vy = 1, DrawFlowerBall(x, y, 40, vx, vy);
    EXPECT_EQ(PointsText({{x, y}}), "(99,71)");
    EXPECT_TRUE(GetInteriorColor() == RGB(1, 2, 3) && GetDrawColor() == RGB(4, 5, 6));
    GdiTwin twin(200, 150);
    DeleteObject(SelectObject(twin.Dc(), CreateSolidBrush(0x00F0DFF3)));
    const LOGBRUSH white = {BS_SOLID, 0x00FFFFFF, 0}, yellow = {BS_SOLID, 0x0055FFFF, 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr)));
    for (POINT p : {POINT{120, 57}, {120, 81}, {96, 90}, {96, 50}, {78, 70}})
        Ellipse(twin.Dc(), p.x - 16, p.y - 16, p.x + 16, p.y + 16);
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &yellow, 0, nullptr)));
    Ellipse(twin.Dc(), 80, 50, 120, 90);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(&frame);
    auto repaint = [&](int second) {
        last_second = second, DrawClockFace(), ScatterStars(400), DrawHands(10, 8, second + 1);
        DrawFlowerBall(x, y, 40, vx, vy);
    };
    repaint(0);  // a first use may set up lasting system objects
    EXPECT_EQ(GdiObjectsLeftBy([&] {
                  for (int s = 1; s < 30; ++s) repaint(s);
              }),
              0);
    // A ring of radius 15 has coverage 0.5 - (distance - 15), blended only where
    // strictly between 0 and 1, with weight sqrt(coverage) (255 x sqrt(0.5) =
    // 180). A band at distance 2 from a line reaches up to 2 pixels past the box
    // of its ends; a line through two equal points has no band. Without the
    // window, or with a window of another size, nothing is done.
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);  // a new window, all black
    SoftenShape(0x00FFFFFF, 300, 300, 0, 0, 15, true);
    int wrong = 0;
    for (int y = 250; y < 350; ++y)
        for (int x = 250; x < 350; ++x) {
            const int d2 = (x - 300) * (x - 300) + (y - 300) * (y - 300);
            wrong += (d2 > 210 && d2 < 241) != (OnWindow(x, y) != 0);
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
    ASSERT_NE(OpenGraphWindow(300, 200), nullptr);
    SoftenShape(0x00FFFFFF, 100, 100, 0, 0, 20, true);
    EXPECT_EQ(GetSurfacePixels(nullptr)[100 * 300 + 120], 0u);
}

// From 12:00:05 on, the repaints of the seconds 5, 10, 20 ... light that
// second's marker, one at a time (a slow start may miss the first of them).
// The hour hand straight up, the minute hand just past twelve, white outside
// the panel and at the three o'clock marker.
TEST(BallclockProgram, LightsOneMarkerAfterAChangeOfSecondAndEnds) {
    const ClockCheck pixels = ShowsPixels({{500, 300, PixelOf(0x0055AA)},
                                           {500, 200, 0x00AA00},
                                           {50, 50, 0xFFFFFF},
                                           {800, 375, 0xFFFFFF}});
    auto check = [&](HWND window, const ScreenCapture& shown) {
        for (int second : {5, 10, 20, 25})
            if (Mismatches(Markers(second), shown).empty()) return pixels(window, shown);
        return std::string("not one marker lit");
    };
    EXPECT_EQ(RunClockAsAUser(L"ballclock", "2026-01-01 12:00:04", 1000, 750, check), "");
}
