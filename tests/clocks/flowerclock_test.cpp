// flowerclock: the dashed hands drawn by its routines on an image at a time
// when every hand points elsewhere, and removed again; the sparkle's place;
// the real program.
#include <algorithm>
#include <cstdlib>

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

// At 10:20:37 the second hand (140 long) points along 222 degrees, the
// minute hand (100) along 123.7, the hour hand (60) along 310.3.
TEST(FlowerHands, EachFollowsItsOwnUnitOfTime) {
    IMAGE image(640, 480);
    StartWhiteXorImage(image);
    DrawDashedHands(TimeOf(10, 20, 37));
    const ScreenCapture shown = TargetShows();
    SetTargetImage(nullptr);
    EXPECT_GT(HandPixels(shown, 222, 140, 0x00984567), 15);
    EXPECT_GT(HandPixels(shown, 123.7, 100, 0x00C39284), 30);
    EXPECT_GT(HandPixels(shown, 310.3, 60, 0x0055FFFF), 30);
}

// Guards against hands left behind on the dial: drawn a second time in
// exclusive-or mode, the hands of a time leave nothing.
TEST(FlowerHands, ASecondDrawingRemovesThem) {
    IMAGE image(640, 480);
    StartWhiteXorImage(image);
    DrawDashedHands(TimeOf(10, 20, 37));
    const std::vector<DWORD> drawn = PixelsOf(image);
    DrawDashedHands(TimeOf(10, 20, 37));
    const std::vector<DWORD> removed = PixelsOf(image);
    SetTargetImage(nullptr);
    EXPECT_GT(drawn.size() - std::count(drawn.begin(), drawn.end(), 0xFFFFFFu), 100u);
    EXPECT_EQ(std::count(removed.begin(), removed.end(), 0xFFFFFFu), 640 * 480);
}

// Guards against a sparkle drawn over the dial and its hands. Whatever the
// random sequence, the sparkle lies on the window outside the dial's band.
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
