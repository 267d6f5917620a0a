// The bouncing-ball clock: frames drawn by its routines, the ball's path, the
// soft edges, and the program run end to end.
#include "ball_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "clock_run.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using KanvoTest::PixelOf;

// The five-second markers that can be lit, and their centres.
struct Marker {
    int second, x, y;
};
constexpr Marker kMarkers[] = {{5, 649, 116},  {10, 759, 225}, {20, 759, 524}, {25, 650, 634},
                               {35, 351, 634}, {40, 241, 525}, {50, 241, 226}, {55, 350, 116}};

DWORD WindowPixel(int x, int y) { return GetSurfacePixels(nullptr)[y * 1000 + x] & 0xFFFFFF; }

// A marker is lit when three of its pixels are white: 10 beyond its centre
// (past the second hand that ends there) and 7 to either side. No single
// white dot covers two of them.
template <class PixelAt>
int LitMarkers(PixelAt pixel) {
    int lit = 0;
    for (const Marker& m : kMarkers) {
        const double dx = std::sin(m.second * 6.2831852 / 60),
                     dy = -std::cos(m.second * 6.2831852 / 60);
        auto white = [&](double along, double across) {
            return pixel(static_cast<int>(std::lround(m.x + along * dx - across * dy)),
                         static_cast<int>(std::lround(m.y + along * dy + across * dx))) == 0xFFFFFF;
        };
        lit += white(10, 0) && white(0, 7) && white(0, -7);
    }
    return lit;
}

TEST(Ballclock, MarkersAndHandsAtMidnight) {
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    DrawClockFace();  // before the first change of second
    EXPECT_EQ(LitMarkers(WindowPixel), 0);
    EXPECT_EQ(WindowPixel(649, 116), PixelOf(0x00337889));
    DrawHands(0, 0, 0);
    const Hand* hands[] = {&second_hand, &minute_hand, &hour_hand};
    const int endY[] = {75, 155, 255}, sampleY[] = {100, 200, 300};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(hands[i]->x, 500);
        EXPECT_EQ(hands[i]->y, endY[i]);
        // Each hand lies over those drawn before it.
        EXPECT_EQ(WindowPixel(500, sampleY[i]), PixelOf(hands[i]->color));
    }
    last_second = 9;
    DrawClockFace();
    EXPECT_EQ(LitMarkers(WindowPixel), 1);
    EXPECT_EQ(WindowPixel(759, 225), 0xFFFFFFu);
    CloseGraphWindow();
}

TEST(Ballclock, BallBouncesOffTheFloorFirstAndTurnsSidewaysFirstInACorner) {
    int x = 100, y = 250, vx = 1, vy = 1;
    while (vx == 1 && vy == 1 && y < 2000) StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(vy, -1);
    EXPECT_EQ(y, 710);
    EXPECT_EQ(x, 560);
    while (vx == 1 && y > 0) StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 310);
    x = 959, y = 709, vx = 1, vy = 1;
    StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(vx, -1);
    EXPECT_EQ(vy, 1);
    StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(vy, -1);
}

TEST(Ballclock, FlowerBallMatchesRawGdiAndRestoresTheColours) {
    IMAGE image(200, 150);
    KanvoTest::GdiTwin twin(200, 150);
    SetTargetImage(&image);
    SetInteriorColor(RGB(1, 2, 3));
    SetDrawColor(RGB(4, 5, 6));
    int x = 100, y = 70, vx = -1, vy = 1;
    DrawFlowerBall(x, y, 40, vx, vy);
    EXPECT_EQ(x, 99);
    EXPECT_EQ(y, 71);
    EXPECT_EQ(GetInteriorColor(), RGB(1, 2, 3));
    EXPECT_EQ(GetDrawColor(), RGB(4, 5, 6));

    HDC dc = twin.Dc();
    LOGBRUSH white = {BS_SOLID, 0x00FFFFFF, 0}, yellow = {BS_SOLID, 0x0055FFFF, 0};
    DeleteObject(SelectObject(dc, CreateSolidBrush(0x00F0DFF3)));
    DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr)));
    for (POINT p : {POINT{120, 57}, {120, 81}, {96, 90}, {96, 50}, {78, 70}})
        Ellipse(dc, p.x - 16, p.y - 16, p.x + 16, p.y + 16);
    DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC, 1, &yellow, 0, nullptr)));
    Ellipse(dc, 80, 50, 120, 90);
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Ballclock, RepaintsAndBallStepsLeaveGdiObjectsFlat) {
    IMAGE image(1000, 750);
    SetTargetImage(&image);
    int x = 100, y = 250, vx = 1, vy = 1;
    auto repaint = [&](int second) {
        last_second = second;
        DrawClockFace();
        ScatterStars(400);
        DrawHands(10, 8, second + 1);
        DrawFlowerBall(x, y, 40, vx, vy);
    };
    repaint(0);
    const int before = KanvoTest::FreeGdiSlots();
    for (int second = 1; second < 30; ++second) repaint(second);
    EXPECT_EQ(KanvoTest::FreeGdiSlots(), before);
    SetTargetImage(nullptr);
}

TEST(Ballclock, SoftenShapeBlendsOnlyPixelsOfPartialCoverage) {
    SoftenShape(0x00FFFFFF, 10, 10, 0, 0, 5, true);  // no window yet: nothing to do
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    // A ring of radius 15: coverage 0.5 - (distance - 15), blended only
    // where strictly between 0 and 1, with weight sqrt(coverage).
    SoftenShape(0x00FFFFFF, 300, 300, 0, 0, 15, true);
    int wrong = 0;
    for (int y = 250; y < 350; ++y)
        for (int x = 250; x < 350; ++x) {
            const int d2 = (x - 300) * (x - 300) + (y - 300) * (y - 300);
            wrong += (d2 > 210 && d2 < 241) != (WindowPixel(x, y) != 0);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(GetSurfacePixels(nullptr)[300 * 1000 + 315], 0x00B4B4B4u);  // 255 x sqrt(0.5)
    // A band at distance 2 from a line, up to 2 pixels past the box of its ends.
    SoftenShape(0x000000FF, 100, 100, 200, 100, 2, false);
    const POINT blended[] = {{150, 98}, {150, 102}, {98, 98}, {202, 102}};
    const POINT kept[] = {{150, 99}, {150, 101}, {150, 97}, {97, 98}, {203, 102}};
    for (POINT p : blended) EXPECT_EQ(WindowPixel(p.x, p.y), 0xB40000u) << p.x << "," << p.y;
    for (POINT p : kept) EXPECT_EQ(WindowPixel(p.x, p.y), 0u) << p.x << "," << p.y;
    // A line through two equal points has no band; a window of another size
    // is left alone rather than walked past its end.
    SoftenShape(0x00FFFFFF, 400, 400, 400, 400, 3, false);
    EXPECT_EQ(WindowPixel(401, 400) | WindowPixel(403, 400), 0u);
    ASSERT_NE(OpenGraphWindow(300, 200), nullptr);
    SoftenShape(0x00FFFFFF, 100, 100, 0, 0, 20, true);
    EXPECT_EQ(GetSurfacePixels(nullptr)[100 * 300 + 120], 0u);
    CloseGraphWindow();
}

TEST(BallclockProgram, LightsOneMarkerAfterAChangeOfSecondAndEndsOnAKey) {
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"ballclock", "2026-01-01 12:00:04");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"ballclock", 1000, 750), "");
    // From 12:00:05 on, the repaints of the seconds 5, 10, 20 ... light that
    // second's marker; a slow start may miss the first of them.
    using Capture = KanvoTest::ScreenCapture;
    auto lit = [](const Capture& c) {
        return LitMarkers([&](int x, int y) { return c.At(x, y); });
    };
    const Capture shot = KanvoTest::CaptureWhen(
        window, [&](const Capture& c) { return lit(c) > 0; }, 20000);
    EXPECT_EQ(lit(shot), 1);
    EXPECT_EQ(shot.At(500, 300), PixelOf(0x000055AA));  // the hour hand straight up
    EXPECT_EQ(shot.At(500, 200), PixelOf(0x0000AA00));  // the minute hand just past twelve
    EXPECT_EQ(shot.At(50, 50), 0xFFFFFFu);              // outside the panel
    EXPECT_EQ(shot.At(800, 375), 0xFFFFFFu);            // the three o'clock marker
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(BallclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"ballclock", "2026-01-01 12:00:00", 1500), 0u);
}

}  // namespace
