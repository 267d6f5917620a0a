// The digit-tube clock: its strokes, blur and sprites, the frames of the
// start-up test and of the clock, the light blobs, and the program end to end.
#include "nixie_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "clock_run.h"

namespace {

using KanvoTest::TimeOf;
constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980};
constexpr int kDotX[4] = {320, 360, 720, 760};
// The blur kernel: centre tap, then offsets 1 to 7.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};

float CoverageAt(const StrokeCoverage& strokes, int x, int y) {
    float found = -1;  // not recorded
    for (const CoverageCell& cell : strokes.cells)
        if (cell.pixel == y * strokes.width + x) found = cell.coverage;
    return found;
}

// Whether the canvas shows `sprite` at (x, y) as added to black: within half a
// unit in the columns and rows given, which neighbouring sprites do not reach.
bool Shows(const Canvas& canvas, const Sprite& sprite, int x, int y, RECT part) {
    for (int m = part.top; m < part.bottom; ++m)
        for (int n = part.left; n < part.right; ++n)
            for (int k = 0; k < 3; ++k) {
                const float expected = std::min(std::max(sprite.At(n, m)[k], 0.0f), 255.0f);
                if (std::fabs(canvas.buffer.At(x + n, y + m)[k] - expected) > 0.5f) return false;
            }
    return true;
}
bool DigitShows(const Canvas& c, const Sprite& s, int x) {
    return Shows(c, s, x, 20, {20, 0, 140, 288});
}
bool DotShows(const Canvas& c, const Sprite& s, int x) {
    return Shows(c, s, x, 220, {36, 36, 45, 45});
}

void ClearCanvas(Canvas& canvas) {
    std::fill(canvas.buffer.pixels.begin(), canvas.buffer.pixels.end(), 0.0f);
}

TEST(Nixieclock, StrokesCoverPixelsByTheirDistanceToTheEdge) {
    StrokeCoverage disc(80, 80), segment(40, 40), ellipse(160, 288), clipped(10, 10);
    StrokeDisc(disc, {40, 40}, 5);
    EXPECT_EQ(CoverageAt(disc, 40, 40), 1.0f);
    EXPECT_EQ(CoverageAt(disc, 45, 40), 0.5f);
    EXPECT_EQ(CoverageAt(disc, 44, 44), 0.0f);  // 5.66 from the centre
    Sprite sprite(80, 80);
    LayOverCoverage(sprite, disc, {255, 136, 37});
    EXPECT_EQ(sprite.At(45, 40)[3], 0.5f);
    EXPECT_FLOAT_EQ(sprite.At(45, 40)[1], 136.0f);  // over an empty pixel the colour stays
    StrokeSegment(segment, {10, 10}, {30, 10}, 2);
    EXPECT_EQ(CoverageAt(segment, 20, 12), 0.5f);
    EXPECT_EQ(CoverageAt(segment, 32, 10), 0.5f);  // round past the end
    EXPECT_EQ(CoverageAt(segment, 33, 10), -1.0f);
    StrokeEllipse(ellipse, {80, 144}, 57.5, 123, 6);
    EXPECT_EQ(CoverageAt(ellipse, 80, 21), 1.0f);
    EXPECT_EQ(CoverageAt(ellipse, 80, 144), -1.0f);  // the centre is left out
    StrokeDisc(clipped, {0, 0}, 30);
    EXPECT_EQ(clipped.cells.size(), 100u);
}

TEST(Nixieclock, BezierDistanceOfAStraightCurveIsItsLineDistance) {
    const Point2 line[4] = {{0, 0}, {10, 0}, {20, 0}, {30, 0}};
    EXPECT_NEAR(BezierDistance({15, 4}, line), 4.0, 1e-9);
    EXPECT_NEAR(BezierDistance({7, -3}, line), 3.0, 1e-6);
    EXPECT_NEAR(BezierDistance({40, 0}, line), 10.0, 1e-9);  // past the end
    EXPECT_EQ(BezierDistance({20.05, 0}, line), -1000.0);    // on a control point
    // A flat spot in the Newton steps leaves a distance, not a number that is none.
    const Point2 point[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
    EXPECT_NEAR(BezierDistance({8, 9}, point), 5.0, 1e-9);
}

TEST(Nixieclock, BlurSpreadsAlphaWithTheKernelAndLeavesOutOuterTaps) {
    Sprite sprite(32, 32), corner(32, 32), empty;
    std::vector<float> scratch;
    sprite.At(16, 16)[3] = 1.0f;
    sprite.At(16, 16)[0] = 200.0f;
    corner.At(0, 0)[3] = 1.0f;
    BlurAlpha(sprite, scratch);
    BlurAlpha(corner, scratch);
    BlurAlpha(empty, scratch);
    float half = 0, total = 0;
    for (int k = 0; k <= 7; ++k) {
        half += kKernel[k];
        for (int l = 0; l <= 7; ++l)
            EXPECT_NEAR(sprite.At(16 + k, 16 - l)[3], kKernel[k] * kKernel[l], 1e-7f);
    }
    EXPECT_EQ(sprite.At(24, 16)[3], 0.0f);
    EXPECT_EQ(sprite.At(16, 16)[0], 200.0f);  // colour untouched
    for (size_t i = 3; i < corner.pixels.size(); i += 4) total += corner.pixels[i];
    EXPECT_NEAR(total, half * half, 1e-6f);  // the taps past the edges are lost
}

TEST(Nixieclock, FramesShowTheStartUpTestThenTheTimeWithBlinkingDots) {
    TubeDisplay built;
    BuildSprites(built);
    const Sprite* sprites = built.sprites;
    // The centre of the 0 lies on the grey ghost of the 1, lit in sprite 1.
    const float *ghost = sprites[0].At(80, 144), *lit = sprites[1].At(80, 144);
    EXPECT_TRUE(ghost[0] > 2 && ghost[0] < 30 && std::fabs(ghost[0] - ghost[2]) < 2) << ghost[0];
    EXPECT_TRUE(lit[0] > 200 && lit[2] > 120 && lit[0] > lit[2] + 50) << lit[0] << " " << lit[2];

    TubeDisplay display = built;
    Canvas canvas;
    for (int frame = 0; frame < 200; ++frame) {
        ClearCanvas(canvas);
        ShowTimeAt(display, canvas, TimeOf(9, 5, 7));
        if (frame % 100 != 0 && frame % 100 != 99) continue;
        const bool allLit = frame < 100;
        for (int x : kDigitX)
            EXPECT_TRUE(DigitShows(canvas, sprites[allLit ? kAllLitSprite : kAllDimSprite], x));
        for (int x : kDotX)
            EXPECT_TRUE(DotShows(canvas, sprites[allLit ? kLitDotSprite : kDimDotSprite], x));
    }
    EXPECT_TRUE(display.ready);

    // 09:05:07 on a fresh display: the phase turns off with the first frame,
    // so the inner dots (360, 720) are lit; the next second swaps them.
    display = built;
    display.ready = true;
    const int places[6] = {0, 9, 0, 5, 0, 7};
    const int lit07[4] = {kDimDotSprite, kLitDotSprite, kLitDotSprite, kDimDotSprite};
    const int lit08[4] = {kLitDotSprite, kDimDotSprite, kDimDotSprite, kLitDotSprite};
    for (int second : {7, 7, 8}) {
        ClearCanvas(canvas);
        ShowTimeAt(display, canvas, TimeOf(9, 5, second));
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(DotShows(canvas, sprites[(second == 7 ? lit07 : lit08)[i]], kDotX[i]));
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(DigitShows(canvas, sprites[places[i]], kDigitX[i])) << i;
        EXPECT_FALSE(DigitShows(canvas, sprites[8], kDigitX[i])) << i;
    }
    // A failed breakdown of the time leaves its fields at -1: no digits.
    ClearCanvas(canvas);
    ShowTimeAt(display, canvas, TimeOf(-1, -1, -1));
    float light = 0;
    for (int y = 20; y < 200; ++y)
        light += canvas.buffer.At(100, y)[0] + canvas.buffer.At(1060, y)[0];
    EXPECT_EQ(light, 0.0f);
}

TEST(Nixieclock, LightBlobsStayOnTheCanvasAndAreClippedToIt) {
    Glow glow;
    SetupGlow(glow);
    EXPECT_TRUE(glow.ix >= 0 && glow.ix < 1180 && glow.iy >= 0 && glow.iy < 330);
    glow.x = 1179.9f, glow.vx = 1.0f, glow.y = 0.2f, glow.vy = -1.0f;
    DriftGlow(glow);  // a step past an edge ends 0.333 inside
    EXPECT_FLOAT_EQ(glow.x, 1180.0f - 0.333f);
    EXPECT_FLOAT_EQ(glow.y, 0.333f);
    bool inside = true;
    for (int step = 0; step < 20000; ++step) {
        DriftGlow(glow);
        inside = inside && glow.x >= 0 && glow.x <= 1180 && glow.y >= 0 && glow.y <= 330 &&
                 std::fabs(glow.vx) <= 1 && std::fabs(glow.vy) <= 1 &&
                 glow.ix == static_cast<int>(glow.x);
    }
    EXPECT_TRUE(inside);

    Sprite block(96, 96);
    for (float& value : block.pixels) value = 200.0f;
    Canvas canvas;
    std::vector<DWORD> window(1180 * 330, 0xAB000000u);
    AddSprite(canvas, block, 1150, 300);
    AddSprite(canvas, block, 1150, 300);
    AddSprite(canvas, block, -50, -60);
    EXPECT_EQ(canvas.buffer.At(1179, 329)[0], 255.0f);  // sums limited to 255
    EXPECT_EQ(canvas.buffer.At(45, 35)[1], 200.0f);
    EXPECT_EQ(canvas.buffer.At(46, 35)[1] + canvas.buffer.At(45, 36)[1], 0.0f);
    EXPECT_EQ(canvas.buffer.At(0, 0)[3], 0.0f);  // alpha is not added
    for (int x = 0; x < 96; ++x) EXPECT_EQ(canvas.buffer.At(x, 301)[0], 0.0f) << x;  // no wrap
    CopyCanvas(canvas);  // no window: nothing to write
    canvas.window = window.data();
    CopyCanvas(canvas);
    EXPECT_EQ(window[1179 + 329 * 1180], 0xABFFFFFFu);  // the fourth byte is kept
    EXPECT_EQ(window[45 + 35 * 1180], 0xABC8C8C8u);
}

// Points of a 160 x 288 cell that only one digit's strokes cover.
constexpr POINT kOnlyZero = {23, 144};   // the left side of the 0
constexpr POINT kOnlyFive = {23, 45};    // the upright of the 5
constexpr POINT kOnlyNine = {104, 200};  // the stem of the 9

// Whether the place shows the bright core of a digit at a cell point: blue
// above what the orange light blobs and the glows of other digits add.
bool CoreAt(const KanvoTest::ScreenCapture& c, int place, POINT cell) {
    return (c.At(kDigitX[place] + cell.x, 20 + cell.y) & 0xFF) > 140;
}

// How many of the three cell points of the six places glow brightly (red
// above 170): all of them while every digit is lit at once.
int BrightPoints(const KanvoTest::ScreenCapture& c) {
    int bright = 0;
    for (int place = 0; place < 6; ++place)
        for (POINT cell : {kOnlyZero, kOnlyFive, kOnlyNine})
            bright += ((c.At(kDigitX[place] + cell.x, 20 + cell.y) >> 16) & 0xFF) > 170;
    return bright;
}

TEST(NixieclockProgram, ShowsTheStartUpTestThenTheTimeAndEndsOnAKey) {
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"nixieclock", "2026-01-01 09:05:00");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"nixieclock", 1180, 330), "");
    // First every place shows all digits lit at once, later 09:05 in the
    // first four places (the seconds have run on).
    const auto allLit = KanvoTest::CaptureWhen(
        window, [](const auto& c) { return BrightPoints(c) >= 16; }, 20000);
    EXPECT_GE(BrightPoints(allLit), 16);
    auto nineOhFive = [](const KanvoTest::ScreenCapture& c) {
        return CoreAt(c, 0, kOnlyZero) && !CoreAt(c, 0, kOnlyFive) && CoreAt(c, 1, kOnlyNine) &&
               !CoreAt(c, 1, kOnlyZero) && CoreAt(c, 2, kOnlyZero) && CoreAt(c, 3, kOnlyFive) &&
               !CoreAt(c, 3, kOnlyZero) && !CoreAt(c, 3, kOnlyNine);
    };
    const auto clock = KanvoTest::CaptureWhen(window, nineOhFive, 20000);
    EXPECT_TRUE(nineOhFive(clock));
    EXPECT_LE(BrightPoints(clock), 10);
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(NixieclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"nixieclock", "2026-01-01 12:00:00", 2500), 0u);
}

}  // namespace
