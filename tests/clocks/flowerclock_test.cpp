// flowerclock: the dashed hands drawn by its routines at a time when every
// hand points elsewhere, and removed again; the real program.
#include <algorithm>

#include "clock_test.h"
#include "flower_drawing.h"

// What the hands of 10:20:37 leave, drawn `times` times with exclusive-or
// drawing on white, as the clock draws them over its nearly white dial.
static ScreenCapture HandsDrawn(int times) {
    return Drawn(640, 480, [times] {
        SetBackgroundColor(0xFFFFFF);
        ClearTarget();
        SetMixMode(R2_XORPEN);
        for (int i = 0; i < times; ++i) DrawDashedHands(TimeOf(10, 20, 37));
    });
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
    const ScreenCapture shown = HandsDrawn(1);
    EXPECT_GT(HandPixels(shown, 222, 140, 0x00984567), 15);
    EXPECT_GT(HandPixels(shown, 123.7, 100, 0x00C39284), 30);
    EXPECT_GT(HandPixels(shown, 310.3, 60, 0x0055FFFF), 30);
}

// Guards against hands left behind on the dial as the time moves on: drawn
// a second time, the hands of a time leave nothing.
TEST(FlowerHands, ASecondDrawingRemovesThem) {
    const ScreenCapture shown = HandsDrawn(2);
    EXPECT_EQ(std::count(shown.pixels.begin(), shown.pixels.end(), 0xFFFFFFu), 640 * 480);
}

// The hour hand of 12:00 points straight up, dashed: drawn in exclusive-or
// mode, its yellow shows blue on the softened, nearly white dial (dashes with
// gaps between them); the background left of the dial.
TEST(FlowerClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    auto check = [](HWND, const ScreenCapture& c) -> std::string {
        const DWORD dial = c.At(250, 300);
        const DWORD dash = dial ^ PixelOf(0x0055FFFF);
        int dashes = 0;
        for (int y = 182; y < 238; ++y) dashes += c.At(320, y) == dash;
        if (dashes < 15 || dashes > 40) return std::to_string(dashes) + " dash pixels";
        if ((dial & 0xFEFEFE) != 0xFEFEFE) return "dial not white";
        return c.At(5, 240) == PixelOf(0x008DC2E0) ? "" : "background";
    };
    EXPECT_EQ(RunClockAsAUser(L"flowerclock", "2026-01-01 12:00:00", 640, 480, check), "");
}
