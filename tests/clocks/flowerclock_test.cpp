// The flower clock: the dial and hands drawn by its routines on images, the
// softening filter, the sparkle, and the program end to end.
#include "flower_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "clock_run.h"
#include "gdi_twin.h"

namespace {

using KanvoTest::TimeOf;
using KanvoTest::PixelOf;


// Every channel 254 or 255.
bool NearlyWhite(DWORD pixel) { return (pixel & 0xFEFEFE) == 0xFEFEFE; }

DWORD PixelAt(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[y * image.Width() + x] & 0xFFFFFF;
}

TEST(Flowerclock, HandsPointStraightUpAtNoonAndAtMidnight) {
    for (int hour : {12, 0}) {
        const HandLines lines = DashedHandLines(TimeOf(hour, 0, 0));
        EXPECT_EQ(lines.second.tip.x, 320);
        EXPECT_EQ(lines.second.tip.y, 100);
        EXPECT_EQ(lines.minute.tip.x, 320);
        EXPECT_EQ(lines.minute.tip.y, 140);
        EXPECT_EQ(lines.hour.tip.x, 320) << hour;
        EXPECT_EQ(lines.hour.tip.y, 180) << hour;
    }
    const HandLines noon = DashedHandLines(TimeOf(12, 0, 0));
    EXPECT_EQ(noon.hour.tail.x, 320);
    EXPECT_EQ(noon.hour.tail.y, 245);
}

TEST(Flowerclock, DashedHandsMatchRawGdiAndASecondDrawingRemovesThem) {
    IMAGE image(640, 480);
    KanvoTest::GdiTwin twin(640, 480);
    SetTargetImage(&image);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    twin.Fill(0xFFFFFFFF);
    SetMixMode(R2_XORPEN);
    DrawDashedHands(TimeOf(12, 0, 0));

    HDC dc = twin.Dc();
    SetROP2(dc, R2_XORPEN);
    const DWORD dashes[2] = {4, 6};
    const struct {
        COLORREF color;
        DWORD thickness;
        int tipY;
    } hands[] = {{0x00984567, 1, 100}, {0x00C39284, 3, 140}, {0x0055FFFF, 5, 180}};
    for (const auto& hand : hands) {
        LOGBRUSH brush = {BS_SOLID, hand.color, 0};
        DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, hand.thickness,
                                                   &brush, 2, dashes)));
        MoveToEx(dc, 320, 245, nullptr);
        LineTo(dc, 320, hand.tipY);
    }
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    int changed = 0;
    for (int y = 0; y < 480; ++y) changed += PixelAt(image, 320, y) != 0xFFFFFF;
    EXPECT_GT(changed, 20);

    DrawDashedHands(TimeOf(12, 0, 0));
    twin.Fill(0xFFFFFFFF);
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Flowerclock, GardenDialAtFixedPointsBeforeAndAfterSoftening) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    DrawGardenDial();
    SetTargetImage(nullptr);
    const DWORD background = PixelOf(0x008DC2E0);
    EXPECT_EQ(PixelAt(image, 5, 5), background);
    EXPECT_EQ(PixelAt(image, 320, 240), 0xFFFFFFu);             // the dial's default fill
    EXPECT_EQ(PixelAt(image, 328, 399), PixelOf(0x008E4519));   // the rim, between two ticks
    EXPECT_EQ(PixelAt(image, 415, 225), PixelOf(0x00F2EDFC));   // first flower's heart
    EXPECT_EQ(PixelAt(image, 438, 225), PixelOf(0x00D9CAF9));   // its petal at angle 0
    SmoothImage(image);
    // The area before the first edge stays as it is; the rim's edge is
    // softened. Truncated averages over neighbours already softened settle
    // uniform areas after an edge one level lower: white at 254.
    EXPECT_EQ(PixelAt(image, 5, 5), background);
    EXPECT_EQ(GetSurfacePixels(&image)[0] >> 24, 0u);
    EXPECT_NE(PixelAt(image, 320, 78), background);
    EXPECT_TRUE(NearlyWhite(PixelAt(image, 320, 240)));
}

TEST(Flowerclock, SmoothingWeighsNeighboursInPlace) {
    IMAGE image(4, 3);
    DWORD* p = GetSurfacePixels(&image);
    ASSERT_NE(p, nullptr);
    p[0] = 200;  // blue channel values; every other pixel is black
    p[1] = 100;
    p[4] = 50;
    p[5] = 10;
    SmoothImage(image);
    // The top-left pixel: weights 9, 4, 4, 1 for itself, its right, lower and
    // lower-right neighbours: (1800 + 400 + 200 + 10) / 18.
    EXPECT_EQ(p[0], 133u);
    // Its right neighbour reads the softened value: (4 x 133 + 50 + 9 x 100 +
    // 4 x 10) / 23.
    EXPECT_EQ(p[1], 66u);
    EXPECT_EQ(ClampChannel(300), 255);
    EXPECT_EQ(ClampChannel(255), 255);
    EXPECT_EQ(ClampChannel(254), 254);
    EXPECT_EQ(ClampChannel(-4), 0);

    IMAGE empty(0, 0), single(1, 1);
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
        EXPECT_TRUE(sparkle_x < 145 || sparkle_x > 500) << seed << ": " << sparkle_x;
        EXPECT_TRUE(sparkle_y <= 60 || sparkle_y >= 420) << seed << ": " << sparkle_y;
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
    // Drawn once more in the other colour, the sparkle leaves its pixels
    // changed by the exclusive-or of the two colours: blue 0x41 ^ 0x42.
    ClearTarget();
    PlaceSparkle(1);
    PlaceSparkle(2);
    int changed = 0, otherwise = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const DWORD pixel = PixelAt(image, x, y);
            changed += pixel == (0xFFFFFFu ^ 0x000003u);
            otherwise += pixel != 0xFFFFFF && pixel != (0xFFFFFFu ^ 0x000003u);
        }
    EXPECT_GT(changed, 100);
    EXPECT_EQ(otherwise, 0);
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
        const DWORD dashed = c.At(250, 300) ^ PixelOf(0x0055FFFF);
        int dashes = 0;
        for (int y = 182; y < 238; ++y) dashes += c.At(320, y) == dashed;
        return dashes;
    };
    const auto shot = KanvoTest::CaptureWhen(
        window, [&](const KanvoTest::ScreenCapture& c) { return hourDashes(c) >= 15; }, 20000);
    EXPECT_GE(hourDashes(shot), 15);
    EXPECT_LE(hourDashes(shot), 40);                    // dashes with gaps between them
    EXPECT_TRUE(NearlyWhite(shot.At(250, 300)));        // the softened dial
    EXPECT_EQ(shot.At(5, 240), PixelOf(0x008DC2E0));    // the background left of the dial
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(FlowerclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"flowerclock", "2026-01-01 12:00:00", 1500), 0u);
}

}  // namespace
