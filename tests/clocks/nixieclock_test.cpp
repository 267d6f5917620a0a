// nixieclock: the frames of the clock, sprites added at the canvas's edges,
// and the program end to end.
#include <algorithm>

#include "clock_test.h"
#include "nixie_drawing.h"

constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980};
constexpr int kDotX[4] = {320, 360, 720, 760};

// Whether the canvas shows `sprite` at (x, y) as added to black: within half a
// unit in the part given, which neighbouring sprites do not reach. Digits
// stand at y = 20, dots at y = 220.
static bool Shows(const Canvas& canvas, const Sprite& sprite, int x, bool dot = false) {
    const RECT part = dot ? RECT{36, 36, 45, 45} : RECT{20, 0, 140, 288};
    const int y = dot ? 220 : 20;
    for (int m = part.top; m < part.bottom; ++m) {
        for (int n = part.left; n < part.right; ++n) {
            for (int k = 0; k < 3; ++k) {
                const float expected = std::min(std::max(sprite.At(n, m)[k], 0.0f), 255.0f);
                if (std::fabs(canvas.buffer.At(x + n, y + m)[k] - expected) > 0.5f) return false;
            }
        }
    }
    return true;
}

// A display with its sprites built once for all cases, and a canvas cleared
// before each frame.
class NixieFrame : public testing::Test {
protected:
    static void SetUpTestSuite() { BuildSprites(built_); }
    void Show(const tm& time) {
        std::fill(canvas_.buffer.pixels.begin(), canvas_.buffer.pixels.end(), 0.0f);
        ShowTimeAt(display_, canvas_, time);
    }
    const Sprite& SpriteOf(int index) const { return built_.sprites[index]; }
    static TubeDisplay built_;
    TubeDisplay display_ = built_;
    Canvas canvas_;
};
TubeDisplay NixieFrame::built_;

// 14:28:37 shows 1 4 2 8 3 7; the phase turns off with the first frame, so
// the inner dots (360, 720) are lit; the next second swaps them.
TEST_F(NixieFrame, EachPlaceShowsItsOwnDigitAndTheDotsBlink) {
    display_.ready = true;
    const int digits[6] = {1, 4, 2, 8, 3, 7};
    Show(TimeOf(14, 28, 37));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(Shows(canvas_, SpriteOf(digits[i]), kDigitX[i])) << i;
    for (int second : {37, 38}) {
        Show(TimeOf(14, 28, second));
        for (int i = 0; i < 4; ++i) {
            const bool lit = (i == 1 || i == 2) == (second == 37);
            const Sprite& dot = SpriteOf(lit ? kLitDotSprite : kDimDotSprite);
            EXPECT_TRUE(Shows(canvas_, dot, kDotX[i], true)) << second << " " << i;
        }
    }
}

// Guards against light blobs near an edge that wrap into the next row or
// write past the canvas. Sprites added there are clipped to it, their sums
// limited to 255.
TEST(NixieCanvas, ClipsSpritesAtItsEdges) {
    Sprite block(96, 96);
    std::fill(block.pixels.begin(), block.pixels.end(), 200.0f);
    Canvas canvas;
    AddSprite(canvas, block, 1150, 300);
    AddSprite(canvas, block, 1150, 300);
    AddSprite(canvas, block, -50, -60);
    const Sprite& b = canvas.buffer;
    EXPECT_EQ(b.At(1179, 329)[0], 255.0f);
    EXPECT_EQ(b.At(45, 35)[1], 200.0f);
    EXPECT_EQ(b.At(46, 35)[1], 0.0f);
    EXPECT_EQ(b.At(45, 36)[1], 0.0f);
    EXPECT_EQ(b.At(0, 301)[0], 0.0f);
}

// First every place shows all digits lit at once (at least 16 of the cell
// points below glow brightly, red above 170); once the start-up test is over,
// 09:05 in the first four places (the seconds have run on), with at most 10
// bright points: the bright blue core of a digit stands above what the
// orange light blobs and the glows of other digits add. The cell points are
// covered by one digit's strokes only: the left side of the 0, the upright
// of the 5, the stem of the 9.
TEST(NixieClockProgram, ShowsTheStartUpTestThenTheTimeAndEnds) {
    const POINT zero = {23, 144};
    const POINT five = {23, 45};
    const POINT nine = {104, 200};
    bool allLitSeen = false;
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        auto at = [&c](int place, POINT cell) {
            return c.At(kDigitX[place] + cell.x, 20 + cell.y);
        };
        auto core = [&at](int place, POINT cell) {
            return (at(place, cell) & 0xFF) > 140;
        };
        int bright = 0;
        for (int place = 0; place < 6; ++place) {
            for (POINT cell : {zero, five, nine}) bright += (at(place, cell) >> 16) > 170;
        }
        if (bright >= 16) allLitSeen = true;
        if (!allLitSeen) return "no start-up test";
        const bool shown0 = core(0, zero) && !core(0, five);
        const bool shown9 = core(1, nine) && !core(1, zero);
        const bool shown5 = core(3, five) && !core(3, zero) && !core(3, nine);
        return shown0 && shown9 && core(2, zero) && shown5 && bright <= 10 ? "" : "no 09:05";
    };
    EXPECT_EQ(RunClockAsAUser(L"nixieclock", "2026-01-01 09:05:00", 1180, 330, check), "");
}
