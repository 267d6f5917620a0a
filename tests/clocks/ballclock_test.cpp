// The bouncing-ball clock: frames drawn by its routines on the window, the
// ball's path, the soft edges, and the program run end to end.
#include "ball_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "clock_run.h"
#include "gdi_twin.h"

namespace {

using KanvoTest::PixelOf;

// The five-second markers (5, 10, 20, 25, 35, 40, 50, 55) and their centres.
struct Marker {
    int second, x, y;
};
constexpr Marker kMarkers[] = {{5, 649, 116},  {10, 759, 225}, {20, 759, 524}, {25, 650, 634},
                               {35, 351, 634}, {40, 241, 525}, {50, 241, 226}, {55, 350, 116}};

DWORD WindowPixel(int x, int y) { return GetSurfacePixels(nullptr)[y * 1000 + x] & 0xFFFFFF; }

int LitMarkers() {
    int lit = 0;
    for (const Marker& marker : kMarkers) lit += WindowPixel(marker.x, marker.y) == 0xFFFFFF;
    return lit;
}

TEST(Ballclock, HandsAtMidnightEndStraightAboveTheCentre) {
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    DrawClockFace();
    DrawHands(0, 0, 0);
    EXPECT_EQ(second_hand.x, 500);
    EXPECT_EQ(second_hand.y, 75);
    EXPECT_EQ(minute_hand.x, 500);
    EXPECT_EQ(minute_hand.y, 155);
    EXPECT_EQ(hour_hand.x, 500);
    EXPECT_EQ(hour_hand.y, 255);
    // Each hand lies over the ones drawn before it: second, minute, hour.
    EXPECT_EQ(WindowPixel(500, 100), PixelOf(0x005555FF));
    EXPECT_EQ(WindowPixel(500, 200), PixelOf(0x0000AA00));
    EXPECT_EQ(WindowPixel(500, 300), PixelOf(0x000055AA));
    CloseGraphWindow();
}

TEST(Ballclock, OnlyTheMarkerOfTheShownSecondIsLit) {
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    last_second = 0.0;  // before the first change of second
    DrawClockFace();
    EXPECT_EQ(LitMarkers(), 0);
    EXPECT_EQ(WindowPixel(649, 116), PixelOf(0x00337889));
    last_second = 9;
    DrawClockFace();
    EXPECT_EQ(LitMarkers(), 1);
    EXPECT_EQ(WindowPixel(759, 225), 0xFFFFFFu);
    last_second = 14;  // fifteen is a plain white marker at three o'clock
    DrawClockFace();
    EXPECT_EQ(LitMarkers(), 0);
    EXPECT_EQ(WindowPixel(800, 375), 0xFFFFFFu);
    CloseGraphWindow();
}

TEST(Ballclock, DotsFallOnThePanelAndTakeTwoRandomNumbersEach) {
    IMAGE image(1000, 750);
    SetTargetImage(&image);
    std::srand(1);  // the sequence of the unseeded rand
    ScatterStars(400);
    const int next = std::rand();
    std::srand(1);
    for (int i = 0; i < 2 * 401; ++i) std::rand();
    EXPECT_EQ(next, std::rand());
    const DWORD* pixels = GetSurfacePixels(&image);
    int outside = 0, inside = 0;
    for (int y = 0; y < 750; ++y)
        for (int x = 0; x < 1000; ++x) {
            if (pixels[y * 1000 + x] == 0) continue;
            ++(x >= 148 && x <= 851 && y >= 23 && y <= 726 ? inside : outside);
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 401);
    SetTargetImage(nullptr);
}

TEST(Ballclock, BallBouncesOffTheFloorFirstThenOffTheRightWall) {
    int x = 100, y = 250, vx = 1, vy = 1;
    int steps = 0;
    while (vy == 1 && vx == 1 && steps < 10000) {
        StepBall(x, y, 40, vx, vy);
        ++steps;
    }
    EXPECT_EQ(vx, 1);
    EXPECT_EQ(vy, -1);
    EXPECT_EQ(y, 710);
    EXPECT_EQ(x, 560);
    while (vx == 1 && vy == -1 && steps < 10000) {
        StepBall(x, y, 40, vx, vy);
        ++steps;
    }
    EXPECT_EQ(vx, -1);
    EXPECT_EQ(vy, -1);
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 310);
}

TEST(Ballclock, InACornerOnlyTheHorizontalMotionTurnsFirst) {
    int x = 959, y = 709, vx = 1, vy = 1;
    StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(vx, -1);
    EXPECT_EQ(vy, 1);
    StepBall(x, y, 40, vx, vy);
    EXPECT_EQ(y, 711);
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
    const POINT petals[] = {{120, 57}, {120, 81}, {96, 90}, {96, 50}, {78, 70}};
    for (const POINT& p : petals) Ellipse(dc, p.x - 16, p.y - 16, p.x + 16, p.y + 16);
    DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC, 1, &yellow, 0, nullptr)));
    Ellipse(dc, 80, 50, 120, 90);
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Ballclock, SoftenShapeBlendsOnlyPixelsOfPartialCoverage) {
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    // A ring of radius 15: coverage 0.5 at distance 15, none at 14 or 16.
    EXPECT_DOUBLE_EQ(ShapeCoverage(300, 300, 0, 0, 315, 300, 15, true), 0.5);
    SoftenShape(0x00FFFFFF, 300, 300, 0, 0, 15, true);
    int changed = 0, ring = 0;
    for (int y = 250; y < 350; ++y)
        for (int x = 250; x < 350; ++x) {
            const int d2 = (x - 300) * (x - 300) + (y - 300) * (y - 300);
            const bool inRing = d2 > 210 && d2 < 241;  // 14.5 < distance < 15.5
            ring += inRing;
            changed += WindowPixel(x, y) != 0;
            if (inRing != (WindowPixel(x, y) != 0)) ADD_FAILURE() << x << ", " << y;
        }
    EXPECT_EQ(changed, ring);
    EXPECT_EQ(WindowPixel(315, 300), 0xB4B4B4u);  // 255 x sqrt(0.5), truncated
    EXPECT_EQ(GetSurfacePixels(nullptr)[300 * 1000 + 315], 0x00B4B4B4u);  // top byte 0

    // A band at distance 2 from a horizontal line, up to 2 pixels past its ends.
    SoftenShape(0x000000FF, 100, 100, 200, 100, 2, false);
    EXPECT_EQ(WindowPixel(150, 98), 0xB40000u);
    EXPECT_EQ(WindowPixel(150, 102), 0xB40000u);
    EXPECT_EQ(WindowPixel(150, 99), 0u);
    EXPECT_EQ(WindowPixel(150, 101), 0u);
    EXPECT_EQ(WindowPixel(150, 97), 0u);
    EXPECT_EQ(WindowPixel(98, 98), 0xB40000u);
    EXPECT_EQ(WindowPixel(97, 98), 0u);
    EXPECT_EQ(WindowPixel(202, 102), 0xB40000u);
    EXPECT_EQ(WindowPixel(203, 102), 0u);
    CloseGraphWindow();
}

TEST(Ballclock, SoftenShapeIgnoresDegenerateLinesAndForeignWindows) {
    SoftenShape(0x00FFFFFF, 10, 10, 0, 0, 5, true);  // no window yet: nothing to do
    ASSERT_NE(OpenGraphWindow(1000, 750), nullptr);
    SoftenShape(0x00FFFFFF, 400, 400, 400, 400, 3, false);
    int changed = 0;
    for (int i = 0; i < 1000 * 750; ++i) changed += GetSurfacePixels(nullptr)[i] != 0;
    EXPECT_EQ(changed, 0);
    // A window of another size is left alone rather than walked past its end.
    ASSERT_NE(OpenGraphWindow(300, 200), nullptr);
    SoftenShape(0x00FFFFFF, 100, 100, 0, 0, 20, true);
    EXPECT_EQ(GetSurfacePixels(nullptr)[100 * 300 + 120], 0u);
    CloseGraphWindow();
    SoftenShape(0x00FFFFFF, 10, 10, 0, 0, 5, true);  // after closing: nothing
}

// The lit five-second markers in a capture of the window. A marker counts as
// lit when three of its pixels are white: 10 pixels beyond its centre (the
// second hand that ends there does not reach it) and 7 pixels to either side;
// no single white dot covers two of them.
int LitMarkersIn(const KanvoTest::ScreenCapture& capture) {
    int lit = 0;
    for (const Marker& marker : kMarkers) {
        const double angle = marker.second * 6.2831852 / 60;
        const double dx = std::sin(angle), dy = -std::cos(angle);
        auto white = [&](double along, double across) {
            const int x = static_cast<int>(std::lround(marker.x + along * dx - across * dy));
            const int y = static_cast<int>(std::lround(marker.y + along * dy + across * dx));
            return capture.At(x, y) == 0xFFFFFF;
        };
        lit += white(10, 0) && white(0, 7) && white(0, -7);
    }
    return lit;
}

TEST(BallclockProgram, LightsOneMarkerAfterAChangeOfSecondAndEndsOnAKey) {
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"ballclock", "2026-01-01 12:00:04");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"ballclock", 1000, 750), "");
    // From 12:00:05 on, each repaint in the seconds 5, 10, 20 ... lights that
    // second's marker; a slow start may miss the first of them.
    const auto shot = KanvoTest::CaptureWhen(
        window, [](const KanvoTest::ScreenCapture& c) { return LitMarkersIn(c) > 0; }, 20000);
    EXPECT_EQ(LitMarkersIn(shot), 1);
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
