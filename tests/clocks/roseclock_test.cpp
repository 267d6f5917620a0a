// roseclock: hands drawn by its own routines, and the real program.
#include "clock_test.h"
#include "rose_drawing.h"

constexpr int kWidth = 700;
constexpr int kHeight = 750;

// At 10:20:37 the second hand points along 222 degrees, the minute hand
// along 123.7, the hour hand along 310.3, each a pair of lines in its colour.
TEST(RoseHands, EachFollowsItsOwnUnitOfTime) {
    const ScreenCapture shown = Drawn(kWidth, kHeight, [] {
        SetBackgroundColor(kRoseBackground);
        ClearTarget();
        DrawDial();
        DrawHands(10, 20, 37);
    });
    const POINT centre = {350, 375};
    EXPECT_GE(PixelsAcross(shown, centre, 222, 180, PixelOf(0x8E56BF)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 123.7, 140, PixelOf(0x66C6C6)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 310.3, 90, PixelOf(0xC19732)), 1);
}

// Without a minimize box; the hour hand's left side pointing up (its right
// side may meet the second hand), the face, the six o'clock mark.
TEST(RoseClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck pixels = ShowsPixels(
        {{341, 320, 0x3297C1}, {341, 280, 0x3297C1}, {450, 275, 0xFEE8C3}, {350, 620, 0x555555}});
    auto check = [&pixels](HWND window, const ScreenCapture& shown) -> std::string {
        if (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX) return "a minimize box";
        return pixels(window, shown);
    };
    EXPECT_EQ(RunClockAsAUser(L"roseclock", "2026-01-01 12:00:00", kWidth, kHeight, check), "");
}
