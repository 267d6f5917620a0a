// nixieclock: a frame of the clock at a time of six different digits, and
// the program end to end.
#include <algorithm>

#include "clock_test.h"
#include "nixie_drawing.h"

constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980};

// Whether the canvas shows `sprite` in the digit place at x, as added to
// black: within half a unit over the part of the place that neighbouring
// sprites do not reach.
static bool ShowsDigit(const Canvas& canvas, const Sprite& sprite, int x) {
    for (int m = 0; m < 288; ++m) {
        for (int n = 20; n < 140; ++n) {
            for (int k = 0; k < 3; ++k) {
                const float expected = std::min(std::max(sprite.At(n, m)[k], 0.0f), 255.0f);
                if (std::fabs(canvas.buffer.At(x + n, 20 + m)[k] - expected) > 0.5f) return false;
            }
        }
    }
    return true;
}

// 14:28:37, once the start-up test is over, shows 1 4 2 8 3 7.
TEST(NixieFrame, EachPlaceShowsItsOwnDigit) {
    TubeDisplay display;
    BuildSprites(display);
    display.ready = true;
    Canvas canvas;
    ShowTimeAt(display, canvas, TimeOf(14, 28, 37));
    const int digits[6] = {1, 4, 2, 8, 3, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(ShowsDigit(canvas, display.sprites[digits[i]], kDigitX[i])) << i;
    }
}

// Whether the bright blue core of a digit lies at `cell` of the digit place.
static bool Lit(const ScreenCapture& c, int place, POINT cell) {
    return (c.At(kDigitX[place] + cell.x, 20 + cell.y) & 0xFF) > 140;
}

// Once the start-up test of all digits is over, 09:05 in the first four
// places (the seconds have run on). The cell points are covered by one
// digit's strokes only: the left side of the 0, the upright of the 5, the
// stem of the 9.
TEST(NixieClockProgram, ShowsTheTimeAndEndsOnAKeyOrItsCloseBox) {
    const POINT zero = {23, 144};
    const POINT five = {23, 45};
    const POINT nine = {104, 200};
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        const bool shows0 = Lit(c, 0, zero) && !Lit(c, 0, five);
        const bool shows9 = Lit(c, 1, nine) && !Lit(c, 1, zero);
        const bool shows5 = Lit(c, 3, five) && !Lit(c, 3, zero) && !Lit(c, 3, nine);
        return shows0 && shows9 && Lit(c, 2, zero) && shows5 ? "" : "no 09:05";
    };
    EXPECT_EQ(RunClockAsAUser(L"nixieclock", "2026-01-01 09:05:00", 1180, 330, check), "");
}
