// nixieclock: its strokes, blur and sprites, the frames of the start-up test
// and of the clock, the light blobs, and the program end to end.
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

// A display with its sprites built once for all cases, past its start-up test
// unless asked, and a canvas cleared before each frame.
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

// The start-up test shows 100 frames of all-lit sprites, then 100 all-dim.
TEST_F(NixieFrame, StartUpTestLightsEveryPlaceThenDimsIt) {
    display_.ready = false;
    for (int frame = 0; frame < 200; ++frame) {
        Show(TimeOf(9, 5, 7));
        if (frame != 99 && frame != 199) continue;
        const Sprite& digits = SpriteOf(frame < 100 ? kAllLitSprite : kAllDimSprite);
        const Sprite& dots = SpriteOf(frame < 100 ? kLitDotSprite : kDimDotSprite);
        for (int x : kDigitX) EXPECT_TRUE(Shows(canvas_, digits, x)) << frame << " " << x;
        for (int x : kDotX) EXPECT_TRUE(Shows(canvas_, dots, x, true)) << frame << " " << x;
    }
    EXPECT_TRUE(display_.ready);
}

// 14:28:37 shows 1 4 2 8 3 7; the phase turns off with the first frame, so
// the inner dots (360, 720) are lit; the next second swaps them.
TEST_F(NixieFrame, EachPlaceShowsItsOwnDigitAndTheDotsBlink) {
    display_.ready = true;
    const int digits[6] = {1, 4, 2, 8, 3, 7};
    Show(TimeOf(14, 28, 37));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(Shows(canvas_, SpriteOf(digits[i]), kDigitX[i])) << i;
    for (int i = 0; i < 4; ++i) {
        const bool inner = i == 1 || i == 2;
        const int dot = inner ? kLitDotSprite : kDimDotSprite;
        EXPECT_TRUE(Shows(canvas_, SpriteOf(dot), kDotX[i], true)) << i;
    }
    Show(TimeOf(14, 28, 38));
    EXPECT_TRUE(Shows(canvas_, SpriteOf(8), kDigitX[5]));
    for (int i = 0; i < 4; ++i) {
        const bool inner = i == 1 || i == 2;
        const int dot = inner ? kDimDotSprite : kLitDotSprite;
        EXPECT_TRUE(Shows(canvas_, SpriteOf(dot), kDotX[i], true)) << i;
    }
}

// A failed breakdown of the time leaves its fields at -1: no digits, down the
// middle of the first and the last place.
TEST_F(NixieFrame, InvalidTimeShowsNoDigits) {
    display_.ready = true;
    Show(TimeOf(-1, -1, -1));
    float lit = 0;
    for (int y = 20; y < 200; ++y)
        lit += canvas_.buffer.At(100, y)[0] + canvas_.buffer.At(1060, y)[0];
    EXPECT_EQ(lit, 0.0f);
}

// A blob starts on the canvas and stays on it; a step past an edge ends
// 0.333 inside.
TEST(NixieGlow, DriftsOnTheCanvasAndTurnsAtItsEdges) {
    Glow glow;
    SetupGlow(glow);
    EXPECT_GE(glow.ix, 0);
    EXPECT_LT(glow.ix, 1180);
    EXPECT_GE(glow.iy, 0);
    EXPECT_LT(glow.iy, 330);
    glow.x = 1179.9f;
    glow.vx = 1.0f;
    glow.y = 0.2f;
    glow.vy = -1.0f;
    DriftGlow(glow);
    DriftGlow(glow);
    EXPECT_EQ(glow.x, 1180.0f - 0.333f);
    EXPECT_EQ(glow.y, 0.333f);
    int outside = 0;
    for (int step = 0; step < 20000; ++step) {
        DriftGlow(glow);
        const bool inside = glow.x >= 0 && glow.x <= 1180 && glow.y >= 0 && glow.y <= 330;
        if (!inside || glow.ix != static_cast<int>(glow.x)) ++outside;
    }
    EXPECT_EQ(outside, 0);
}

// Sprites added to the canvas are clipped to it (no wrap into the next row),
// their sums limited to 255, alpha not added; the copy into the window keeps
// each pixel's fourth byte, and needs a window.
TEST(NixieCanvas, AddsClippedSpritesAndCopiesThemIntoTheWindow) {
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
    EXPECT_EQ(b.At(0, 0)[3], 0.0f);
    EXPECT_EQ(b.At(0, 301)[0], 0.0f);
    CopyCanvas(canvas);  // no window: nothing to do
    std::vector<DWORD> window(1180 * 330, 0xAB000000u);
    canvas.window = window.data();
    CopyCanvas(canvas);
    EXPECT_EQ(window[1179 + 329 * 1180], 0xABFFFFFFu);
    EXPECT_EQ(window[45 + 35 * 1180], 0xABC8C8C8u);
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
