// The flower clock: the dial and hands drawn by its routines on images, the
// softening filter, the sparkle, and the program end to end.
#include "flower_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "clock_run.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using KanvoTest::PixelOf;
using KanvoTest::TimeOf;

DWORD PixelAt(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[y * image.Width() + x] & 0xFFFFFF;
}

// Every channel 254 or 255.
bool NearlyWhite(DWORD pixel) { return (pixel & 0xFEFEFE) == 0xFEFEFE; }

TEST(Flowerclock, HandsPointStraightUpAtNoonAndAtMidnight) {
    for (int hour : {12, 0}) {
        const HandLines lines = DashedHandLines(TimeOf(hour, 0, 0));
        const HandLine* hands[] = {&lines.second, &lines.minute, &lines.hour};
        const LONG tipY[] = {100, 140, 180};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(hands[i]->tip.x, 320) << hour << " " << i;
            EXPECT_EQ(hands[i]->tip.y, tipY[i]) << hour << " " << i;
        }
    }
}

TEST(Flowerclock, DashedHandsMatchRawGdiAndASecondDrawingRemovesThem) {
    IMAGE image(640, 480);
    KanvoTest::GdiTwin twin(640, 480);
    SetTargetImage(&image);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    SetMixMode(R2_XORPEN);
    DrawDashedHands(TimeOf(12, 0, 0));
    twin.Fill(0xFFFFFFFF);
    SetROP2(twin.Dc(), R2_XORPEN);
    const DWORD dashes[2] = {4, 6};
    const std::tuple<COLORREF, DWORD, int> hands[] = {
        {0x00984567, 1, 100}, {0x00C39284, 3, 140}, {0x0055FFFF, 5, 180}};
    for (auto [color, thickness, tipY] : hands) {
        LOGBRUSH brush = {BS_SOLID, color, 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, thickness, &brush, 2, dashes);
        DeleteObject(SelectObject(twin.Dc(), pen));
        MoveToEx(twin.Dc(), 320, 245, nullptr);
        LineTo(twin.Dc(), 320, tipY);
    }
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    DrawDashedHands(TimeOf(12, 0, 0));
    twin.Fill(0xFFFFFFFF);
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Flowerclock, GardenDialAtFixedPoints) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    DrawGardenDial();
    SetTargetImage(nullptr);
    EXPECT_EQ(PixelAt(image, 5, 5), PixelOf(0x008DC2E0));      // the background
    EXPECT_EQ(PixelAt(image, 320, 240), 0xFFFFFFu);            // the dial's default fill
    EXPECT_EQ(PixelAt(image, 328, 399), PixelOf(0x008E4519));  // the rim, between two ticks
    EXPECT_EQ(PixelAt(image, 415, 225), PixelOf(0x00F2EDFC));  // the first flower's heart
    EXPECT_EQ(PixelAt(image, 438, 225), PixelOf(0x00D9CAF9));  // and its petal at angle 0
}

TEST(Flowerclock, SmoothingWeighsNeighboursInPlace) {
    IMAGE image(4, 3), empty(0, 0), single(1, 1);
    DWORD* p = GetSurfacePixels(&image);
    ASSERT_NE(p, nullptr);
    p[0] = 200;  // blue; every other pixel is black
    p[1] = 100;
    p[4] = 50;
    p[5] = 10;
    SmoothImage(image);
    EXPECT_EQ(p[0], 133u);  // weights 9, 4, 4, 1: (1800 + 400 + 200 + 10) / 18
    EXPECT_EQ(p[1], 66u);   // reads the softened corner: (4 x 133 + 50 + 900 + 40) / 23
    EXPECT_EQ(ClampChannel(300), 255);
    EXPECT_EQ(ClampChannel(255), 255);
    EXPECT_EQ(ClampChannel(-4), 0);
    SmoothImage(empty);  // no pixels: nothing to do
    GetSurfacePixels(&single)[0] = 0x00123456;
    SmoothImage(single);
    EXPECT_EQ(GetSurfacePixels(&single)[0], 0x00123456u);
}

TEST(Flowerclock, SparkleLiesOutsideTheDialsBand) {
    for (unsigned seed = 0; seed < 2000; ++seed) {
        std::srand(seed);
        PickSparklePoint();
        EXPECT_TRUE(sparkle_x >= 0 && sparkle_x < 640 && sparkle_y >= 0 && sparkle_y < 480);
        EXPECT_TRUE((sparkle_x < 145 || sparkle_x > 500) && (sparkle_y <= 60 || sparkle_y >= 420))
            << seed << ": " << sparkle_x << ", " << sparkle_y;
    }
}

TEST(Flowerclock, PlacementsWithinOneSecondLandOnTheSamePoint) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    SetMixMode(R2_XORPEN);
    bool compared = false;
    for (int attempt = 0; attempt < 5 && !compared; ++attempt) {
        const __time64_t before = _time64(nullptr);
        PlaceSparkle(1);
        const int x = sparkle_x, y = sparkle_y;
        PlaceSparkle(1);
        if (_time64(nullptr) != before) continue;  // a second began in between
        compared = true;
        EXPECT_EQ(sparkle_x, x);
        EXPECT_EQ(sparkle_y, y);
    }
    EXPECT_TRUE(compared);
    // Drawn again in the other colour, the sparkle leaves the pixels it
    // covered changed by the exclusive-or of the two: blue 0x41 ^ 0x42.
    ClearTarget();
    PlaceSparkle(1);
    PlaceSparkle(2);
    int changed = 0, otherwise = 0;
    for (int i = 0; i < 640 * 480; ++i) {
        const DWORD pixel = GetSurfacePixels(&image)[i] & 0xFFFFFF;
        changed += pixel == 0xFFFFFC;
        otherwise += pixel != 0xFFFFFF && pixel != 0xFFFFFC;
    }
    EXPECT_GT(changed, 100);
    EXPECT_EQ(otherwise, 0);
    // A minute of the clock's pens and brushes leaves no GDI object behind.
    const int before = KanvoTest::FreeGdiSlots();
    for (int second = 0; second < 60; ++second) {
        DrawDashedHands(TimeOf(10, 8, second));
        PlaceSparkle(1);
        DrawDashedHands(TimeOf(10, 8, second));
        PlaceSparkle(2);
    }
    EXPECT_EQ(KanvoTest::FreeGdiSlots(), before);
    SetTargetImage(nullptr);
}

TEST(FlowerclockProgram, ShowsItsHandsOnTheDialAndEndsOnAKey) {
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"flowerclock", "2026-01-01 12:00:00");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"flowerclock", 640, 480), "");
    // The hour hand of 12:00 points straight up, dashed: drawn in
    // exclusive-or mode, its yellow shows blue on the softened dial.
    auto hourDashes = [](const KanvoTest::ScreenCapture& c) {
        int dashes = 0;
        const DWORD dash = c.At(250, 300) ^ PixelOf(0x0055FFFF);
        for (int y = 182; y < 238; ++y) dashes += c.At(320, y) == dash;
        return dashes;
    };
    const auto shot = KanvoTest::CaptureWhen(
        window, [&](const auto& c) { return hourDashes(c) >= 15; }, 20000);
    EXPECT_GE(hourDashes(shot), 15);
    EXPECT_LE(hourDashes(shot), 40);                  // dashes with gaps between them
    EXPECT_TRUE(NearlyWhite(shot.At(250, 300)));      // the softened dial
    EXPECT_EQ(shot.At(5, 240), PixelOf(0x008DC2E0));  // the background left of the dial
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(FlowerclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"flowerclock", "2026-01-01 12:00:00", 1500), 0u);
}

}  // namespace
