// The digit-tube clock: its strokes, blur and sprites, the frames of the
// start-up test and of the clock, the light blobs, and the program end to end.
#include "nixie_drawing.h"

#include "clock_test.h"

constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980}, kDotX[4] = {320, 360, 720, 760};

// Whether the canvas shows `sprite` at (x, y) as added to black: within half a
// unit in the part given, which neighbouring sprites do not reach. Digits
// stand at y = 20, dots at y = 220.
static bool Shows(const Canvas& canvas, const Sprite& sprite, int x, bool dot = false) {
    const RECT part = dot ? RECT{36, 36, 45, 45} : RECT{20, 0, 140, 288};
    const int y = dot ? 220 : 20;
    for (int m = part.top; m < part.bottom; ++m)
        for (int n = part.left; n < part.right; ++n)
            for (int k = 0; k < 3; ++k) {
                const float expected = std::min(std::max(sprite.At(n, m)[k], 0.0f), 255.0f);
                if (std::fabs(canvas.buffer.At(x + n, y + m)[k] - expected) > 0.5f) return false;
            }
    return true;
}

// Coverage is 0.5 - d from the distance d to a stroke's edge, clamped to
// 0 ... 1: segments end round, the ellipse leaves its centre out, strokes
// are clipped to the sprite (-1: not recorded). A straight curve's distance
// is its line distance, past its end too; -1000 near a control point; a flat
// spot in the Newton steps still gives a distance. The blur spreads the alpha
// with the 15-tap kernel and leaves out the taps past the edges, without
// renormalising; the colour stays.
TEST(Nixieclock, StrokesBlurSpritesFramesAndLightBlobs) {
    StrokeCoverage disc(80, 80), segment(80, 80), ellipse(160, 288), clipped(10, 10);
    StrokeDisc(disc, {40, 40}, 5), StrokeSegment(segment, {10, 10}, {30, 10}, 2);
    StrokeEllipse(ellipse, {80, 144}, 57.5, 123, 6), StrokeDisc(clipped, {0, 0}, 30);
    auto at = [](const StrokeCoverage& strokes, int x, int y) {
        float found = -1;
        for (const CoverageCell& cell : strokes.cells)
            if (cell.pixel == y * strokes.width + x) found = cell.coverage;
        return found;
    };
    EXPECT_EQ(std::vector<float>({at(disc, 40, 40), at(disc, 45, 40), at(disc, 44, 44),
                                  at(segment, 20, 12), at(segment, 32, 10), at(segment, 33, 10),
                                  at(ellipse, 80, 21), at(ellipse, 80, 144)}),
              std::vector<float>({1, 0.5f, 0, 0.5f, 0.5f, -1, 1, -1}));
    EXPECT_EQ(clipped.cells.size(), 100u);
    Sprite laid(80, 80);  // over an empty pixel the colour stays
    LayOverCoverage(laid, disc, {255, 136, 37});
    EXPECT_TRUE(laid.At(45, 40)[3] == 0.5f && laid.At(45, 40)[1] == 136.0f) << laid.At(45, 40)[1];
    const Point2 line[4] = {{0, 0}, {10, 0}, {20, 0}, {30, 0}};
    const Point2 dot[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
    const struct {
        Point2 p;
        const Point2* curve;
        double distance, within;
    } distances[] = {{{7, -3}, line, 3, 1e-6},
                     {{40, 0}, line, 10, 1e-9},
                     {{8, 9}, dot, 5, 1e-9},
                     {{20.05, 0}, line, -1000, 0},
                     {{15, 4}, line, 4, 1e-9}};
    for (const auto& d : distances)
        EXPECT_NEAR(BezierDistance(d.p, d.curve), d.distance, d.within) << d.p.x << "," << d.p.y;
    const float kernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                             0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};
    Sprite sprite(32, 32), corner(32, 32), empty;
    std::vector<float> scratch;
    sprite.At(16, 16)[3] = corner.At(0, 0)[3] = 1.0f, sprite.At(16, 16)[0] = 200.0f;
    for (Sprite* s : {&sprite, &corner, &empty}) BlurAlpha(*s, scratch);
    float half = 0, total = 0;
    for (int k = 0; k <= 7; ++k) {
        half += kernel[k];
        for (int l = 0; l <= 7; ++l)
            EXPECT_NEAR(sprite.At(16 + k, 16 - l)[3], kernel[k] * kernel[l], 1e-7f);
    }
    for (size_t i = 3; i < corner.pixels.size(); i += 4) total += corner.pixels[i];
    EXPECT_NEAR(total, half * half, 1e-6f);
    EXPECT_TRUE(sprite.At(24, 16)[3] == 0 && sprite.At(16, 16)[0] == 200);
    // The centre of the 0 lies on the grey ghost of the 1, lit in sprite 1. The
    // start-up test shows 100 frames of all-lit sprites, then 100 all-dim. Then
    // 09:05:07 shows 0 9 0 5 0 7: the phase turns off with the first frame, so
    // the inner dots (360, 720) are lit; the next second swaps them. A failed
    // breakdown of the time leaves its fields at -1: no digits.
    TubeDisplay built;
    BuildSprites(built);  // the sprites, built once
    const Sprite* sprites = built.sprites;
    const float *ghost = sprites[0].At(80, 144), *one = sprites[1].At(80, 144);
    EXPECT_TRUE(ghost[0] > 2 && ghost[0] < 30 && std::fabs(ghost[0] - ghost[2]) < 2) << ghost[0];
    EXPECT_TRUE(one[0] > 200 && one[2] > 120 && one[0] > one[2] + 50) << one[0] << " " << one[2];
    TubeDisplay display = built;
    Canvas canvas;
    auto show = [&](const tm& time) {
        std::fill(canvas.buffer.pixels.begin(), canvas.buffer.pixels.end(), 0.0f);
        ShowTimeAt(display, canvas, time);
    };
    for (int frame = 0; frame < 200; ++frame) {
        show(TimeOf(9, 5, 7));
        if (frame % 100 != 0 && frame % 100 != 99) continue;
        const Sprite& digits = sprites[frame < 100 ? kAllLitSprite : kAllDimSprite];
        const Sprite& dots = sprites[frame < 100 ? kLitDotSprite : kDimDotSprite];
        for (int x : kDigitX) EXPECT_TRUE(Shows(canvas, digits, x)) << frame;
        for (int x : kDotX) EXPECT_TRUE(Shows(canvas, dots, x, true)) << frame;
    }
    EXPECT_TRUE(display.ready);
    display = built, display.ready = true;
    for (int second : {7, 7, 8}) {
        show(TimeOf(9, 5, second));
        const int places[6] = {0, 9, 0, 5, 0, second};
        for (int i = 0; i < 6; ++i) EXPECT_TRUE(Shows(canvas, sprites[places[i]], kDigitX[i]));
        for (int i = 0; i < 4; ++i)  // the inner dots lit at second 7
            EXPECT_TRUE(
                Shows(canvas,
                      sprites[(i == 1 || i == 2) == (second == 7) ? kLitDotSprite : kDimDotSprite],
                      kDotX[i], true))
                << second << " " << i;
    }
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(Shows(canvas, sprites[8], kDigitX[i])) << i;
    show(TimeOf(-1, -1, -1));
    for (int y = 20; y < 200; ++y)  // down the middle of the first and the last digit
        EXPECT_EQ(canvas.buffer.At(100, y)[0] + canvas.buffer.At(1060, y)[0], 0.0f) << y;
    // A blob starts on the canvas and drifts on it: a step past an edge ends
    // 0.333 inside. Sprites added to the canvas are clipped to it (no wrap
    // into the next row), their sums limited to 255, alpha not added; the
    // copy into the window keeps each pixel's fourth byte, and needs a window.
    Glow glow;
    SetupGlow(glow);
    EXPECT_TRUE(glow.ix >= 0 && glow.ix < 1180 && glow.iy >= 0 && glow.iy < 330);
    glow.x = 1179.9f, glow.vx = 1.0f, glow.y = 0.2f, glow.vy = -1.0f;
    bool inside = true;
    for (int step = 0; step < 20000; ++step, DriftGlow(glow))
        inside = inside && glow.x >= 0 && glow.x <= 1180 && glow.y >= 0 && glow.y <= 330 &&
                 std::fabs(glow.vx) <= 1 && std::fabs(glow.vy) <= 1 &&
                 (step != 1 || (glow.x == 1180.0f - 0.333f && glow.y == 0.333f));
    EXPECT_TRUE(inside && glow.ix == int(glow.x));
    Sprite block(96, 96);
    std::fill(block.pixels.begin(), block.pixels.end(), 200.0f);
    canvas = Canvas();
    for (POINT p : {POINT{1150, 300}, {1150, 300}, {-50, -60}}) AddSprite(canvas, block, p.x, p.y);
    const Sprite& b = canvas.buffer;
    EXPECT_EQ(std::vector<float>({b.At(1179, 329)[0], b.At(45, 35)[1], b.At(46, 35)[1],
                                  b.At(45, 36)[1], b.At(0, 0)[3]}),
              std::vector<float>({255, 200, 0, 0, 0}));
    for (int x = 0; x < 96; ++x) EXPECT_EQ(b.At(x, 301)[0], 0.0f) << x;
    CopyCanvas(canvas);  // no window: nothing to do
    std::vector<DWORD> window(1180 * 330, 0xAB000000u);
    canvas.window = window.data(), CopyCanvas(canvas);
    EXPECT_TRUE(window[1179 + 329 * 1180] == 0xABFFFFFFu && window[45 + 35 * 1180] == 0xABC8C8C8u);
}

// First every place shows all digits lit at once (at least 16 of the cell
// points below glow brightly, red above 170); once the start-up test is over,
// 09:05 in the first four places (the seconds have run on), with at most 10
// bright points: the bright blue core of a digit stands above what the
// orange light blobs and the glows of other digits add. The cell points are
// covered by one digit's strokes only: the left side of the 0, the upright
// of the 5, the stem of the 9.
TEST(NixieclockProgram, ShowsTheStartUpTestThenTheTimeAndEnds) {
    const POINT zero = {23, 144}, five = {23, 45}, nine = {104, 200};
    bool allLitSeen = false;
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        auto at = [&](int place, POINT cell) {
            return c.At(kDigitX[place] + cell.x, 20 + cell.y);
        };
        auto core = [&](int place, POINT cell) {
            return (at(place, cell) & 0xFF) > 140;
        };
        int bright = 0;
        for (int place = 0; place < 6; ++place)
            for (POINT cell : {zero, five, nine}) bright += (at(place, cell) >> 16) > 170;
        allLitSeen = allLitSeen || bright >= 16;
        const bool nineOhFive = core(0, zero) && !core(0, five) && core(1, nine) &&
                                !core(1, zero) && core(2, zero) && core(3, five) &&
                                !core(3, zero) && !core(3, nine);
        return !allLitSeen ? "no start-up test" : nineOhFive && bright <= 10 ? "" : "no 09:05";
    };
    EXPECT_EQ(RunClockAsAUser(L"nixieclock", "2026-01-01 09:05:00", 1180, 330, check), "");
}
