// flowerclock: the dial and dashed hands drawn by its routines on images,
// against raw GDI and at a time when every hand points elsewhere; the
// softening filter, the sparkle, and the real program.
#include <algorithm>

#include "clock_test.h"
#include "flower_drawing.h"

// An image cleared to white with exclusive-or drawing, as the clock draws
// its hands over the nearly white dial.
static void StartWhiteXorImage(IMAGE& image) {
    SetTargetImage(&image);
    SetBackgroundColor(0xFFFFFF);
    ClearTarget();
    SetMixMode(R2_XORPEN);
}

// How many pixels show `color` exclusive-or-ed into white near the hand from
// 20 pixels out to 5 short of `length` along `degrees` (some fall in gaps).
static int HandPixels(const ScreenCapture& shown, double degrees, int length, COLORREF color) {
    int found = 0;
    for (int distance = 20; distance < length - 5; ++distance) {
        found += PixelsAcross(shown, {320, 240}, degrees, distance, PixelOf(color ^ 0xFFFFFF));
    }
    return found;
}

// Dashed in exclusive-or mode on white the hands of noon match raw GDI's
// dashed geometric pens; a second drawing removes them.
TEST(FlowerHands, AreRawGdiDashesThatASecondDrawingRemoves) {
    IMAGE image(640, 480);
    StartWhiteXorImage(image);
    DrawDashedHands(TimeOf(12, 0, 0));
    GdiTwin twin(640, 480);
    twin.Fill(0xFFFFFFFF);
    SetROP2(twin.Dc(), R2_XORPEN);
    const DWORD dashes[2] = {4, 6};
    const struct {
        COLORREF color;
        DWORD thickness;
        int tipY;
    } hands[] = {{0x00984567, 1, 100}, {0x00C39284, 3, 140}, {0x0055FFFF, 5, 180}};
    for (const auto& hand : hands) {
        const LOGBRUSH brush = {BS_SOLID, hand.color, 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, hand.thickness, &brush, 2, dashes);
        SelectAndDelete(twin.Dc(), pen);
        MoveToEx(twin.Dc(), 320, 245, nullptr);
        LineTo(twin.Dc(), 320, hand.tipY);
    }
    EXPECT_EQ(ComparePixels(image, twin), "");
    DrawDashedHands(TimeOf(12, 0, 0));
    twin.Fill(0xFFFFFFFF);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

// At 10:20:37 the second hand (140 long) points along 222 degrees, the
// minute hand (100) along 123.7, the hour hand (60) along 310.3.
TEST(FlowerHands, EachFollowsItsOwnUnitOfTime) {
    IMAGE image(640, 480);
    StartWhiteXorImage(image);
    DrawDashedHands(TimeOf(10, 20, 37));
    SetTargetImage(nullptr);
    ScreenCapture shown;
    shown.width = 640;
    shown.height = 480;
    shown.pixels = PixelsOf(image);
    EXPECT_GT(HandPixels(shown, 222, 140, 0x00984567), 15);
    EXPECT_GT(HandPixels(shown, 123.7, 100, 0x00C39284), 30);
    EXPECT_GT(HandPixels(shown, 310.3, 60, 0x0055FFFF), 30);
}

// Whatever the random sequence, the sparkle lies on the window outside the
// dial's band.
TEST(FlowerSparkle, AlwaysLiesOutsideTheDial) {
    int inside = 0;
    for (unsigned seed = 0; seed < 2000; ++seed) {
        std::srand(seed);
        PickSparklePoint();
        const bool onWindow =
            sparkle_x >= 0 && sparkle_x < 640 && sparkle_y >= 0 && sparkle_y < 480;
        const bool beside = sparkle_x < 145 || sparkle_x > 500;
        const bool aboveOrBelow = sparkle_y <= 60 || sparkle_y >= 420;
        if (!onWindow || !(beside || aboveOrBelow)) ++inside;
    }
    EXPECT_EQ(inside, 0);
}

// Drawn again in the other colour, the sparkle leaves the pixels it covered
// changed by the exclusive-or of the two colours: blue 0x41 ^ 0x42. A minute
// of the clock's hands and sparkles leaves no GDI object behind.
TEST(FlowerSparkle, SecondPlacementKeepsThePointInTheOtherColour) {
    IMAGE image(640, 480);
    StartWhiteXorImage(image);
    PlaceSparkle(1);
    PlaceSparkle(2);
    const std::vector<DWORD> pixels = PixelsOf(image);
    const auto changed = std::count(pixels.begin(), pixels.end(), 0xFFFFFCu);
    EXPECT_GT(changed, 100);
    EXPECT_EQ(changed + std::count(pixels.begin(), pixels.end(), 0xFFFFFFu), 640 * 480);
    auto minute = [] {
        for (int second = 0; second < 60; ++second) {
            DrawDashedHands(TimeOf(10, 8, second));
            PlaceSparkle(1);
            DrawDashedHands(TimeOf(10, 8, second));
            PlaceSparkle(2);
        }
    };
    EXPECT_EQ(GdiObjectsLeftBy(minute), 0);
    SetTargetImage(nullptr);
}

// The background, the dial's default fill, the rim between two ticks, the
// first flower's heart and its petal at angle 0.
TEST(FlowerDial, ShowsBackgroundDialRimAndFlowers) {
    EXPECT_EQ(Mismatches({{5, 5, PixelOf(0x8DC2E0)},
                          {320, 240, 0xFFFFFF},
                          {328, 399, PixelOf(0x8E4519)},
                          {415, 225, PixelOf(0xF2EDFC)},
                          {438, 225, PixelOf(0xD9CAF9)}},
                         Drawn(640, 480, DrawGardenDial)),
              "");
}

// The top-left pixel averages its neighbours with weights 9, 4, 4, 1:
// (1800 + 400 + 200 + 10) / 18; the next one reads the softened corner:
// (4 x 133 + 50 + 900 + 40) / 23. Images without neighbours stay as they are;
// channels are clamped to 0 ... 255.
TEST(FlowerDial, SmoothingReadsPixelsAlreadySoftened) {
    IMAGE tiny(4, 3);
    IMAGE empty(0, 0);
    IMAGE single(1, 1);
    DWORD* p = GetSurfacePixels(&tiny);
    ASSERT_NE(p, nullptr);
    p[0] = 200;  // blue; every other pixel is black
    p[1] = 100;
    p[4] = 50;
    p[5] = 10;
    GetSurfacePixels(&single)[0] = 0x00123456;
    SmoothImage(tiny);
    SmoothImage(empty);
    SmoothImage(single);
    EXPECT_EQ(p[0], 133u);
    EXPECT_EQ(p[1], 66u);
    EXPECT_EQ(GetSurfacePixels(&single)[0], 0x123456u);
    EXPECT_EQ(ClampChannel(300), 255);
    EXPECT_EQ(ClampChannel(-4), 0);
}

// The hour hand of 12:00 points straight up, dashed: drawn in exclusive-or
// mode, its yellow shows blue on the softened, nearly white dial (dashes with
// gaps between them); the background left of the dial.
TEST(FlowerClockProgram, ShowsItsHandsOnTheDialAndEnds) {
    auto check = [](HWND, const ScreenCapture& c) -> std::string {
        const DWORD dial = c.At(250, 300);
        const DWORD dash = dial ^ PixelOf(0x0055FFFF);
        int dashes = 0;
        for (int y = 182; y < 238; ++y) {
            if (c.At(320, y) == dash) ++dashes;
        }
        if (dashes < 15 || dashes > 40) return std::to_string(dashes) + " dash pixels";
        if ((dial & 0xFEFEFE) != 0xFEFEFE) return "dial not white";
        return c.At(5, 240) == PixelOf(0x008DC2E0) ? "" : "background";
    };
    EXPECT_EQ(RunClockAsAUser(L"flowerclock", "2026-01-01 12:00:00", 640, 480, check), "");
}
