// The digit-tube clock: its strokes, blur and sprites, the frames of the
// start-up test and of the clock, the light blobs, and the program end to end.
#include "nixie_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "clock_run.h"

namespace {

using KanvoTest::TimeOf;
constexpr Rgb kOrange = {255, 136, 37};
constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980};
constexpr int kDotX[4] = {320, 360, 720, 760};
// The blur kernel: centre tap, then offsets 1 to 7.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,     0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};

float CoverageAt(const StrokeCoverage& strokes, int x, int y) {
    float found = -1;  // not recorded
    for (const CoverageCell& cell : strokes.cells)
        if (cell.pixel == y * strokes.width + x) found = cell.coverage;
    return found;
}


// Whether the canvas holds exactly the digit sprite at (x, y), as added to
// black, in columns 20 to 139 of the cell, which the dots beside it do not reach.
bool CanvasShows(const Canvas& canvas, const Sprite& sprite, int x, int y) {
    for (int m = 0; m < sprite.height; ++m)
        for (int n = 20; n < 140; ++n)
            for (int k = 0; k < 3; ++k) {
                const float value = sprite.At(n, m)[k];
                const float expected = value > 0 ? std::min(value, 255.0f) : 0.0f;
                if (canvas.buffer.At(x + n, y + m)[k] != expected) return false;
            }
    return true;
}

// Whether the canvas shows `dot` at (x, 220): the 9 x 9 pixels about its
// centre, where the neighbouring dot of a pair adds next to nothing.
bool DotShows(const Canvas& canvas, const Sprite& dot, int x) {
    for (int m = 36; m <= 44; ++m)
        for (int n = 36; n <= 44; ++n)
            for (int k = 0; k < 3; ++k)
                if (std::fabs(canvas.buffer.At(x + n, 220 + m)[k] - dot.At(n, m)[k]) > 0.5f) return false;
    return true;
}

void ClearCanvas(Canvas& canvas) {
    std::fill(canvas.buffer.pixels.begin(), canvas.buffer.pixels.end(), 0.0f);
}

TEST(Nixieclock, StrokesCoverPixelsByTheirDistanceToTheEdge) {
    StrokeCoverage disc(80, 80);
    StrokeDisc(disc, {40, 40}, 5);
    EXPECT_EQ(CoverageAt(disc, 40, 40), 1.0f);
    EXPECT_EQ(CoverageAt(disc, 45, 40), 0.5f);
    EXPECT_EQ(CoverageAt(disc, 44, 44), 0.0f);  // 5.66 from the centre
    Sprite sprite(80, 80);
    LayOverCoverage(sprite, disc, kOrange);
    EXPECT_EQ(sprite.At(40, 40)[3], 1.0f);
    EXPECT_EQ(sprite.At(45, 40)[3], 0.5f);
    EXPECT_FLOAT_EQ(sprite.At(45, 40)[1], 136.0f);  // "over" an empty pixel keeps the colour
    EXPECT_EQ(sprite.At(46, 40)[3], 0.0f);

    StrokeCoverage segment(40, 40);
    StrokeSegment(segment, {10, 10}, {30, 10}, 2);
    EXPECT_EQ(CoverageAt(segment, 20, 11), 1.0f);
    EXPECT_EQ(CoverageAt(segment, 20, 12), 0.5f);
    EXPECT_EQ(CoverageAt(segment, 32, 10), 0.5f);  // round past the end
    EXPECT_EQ(CoverageAt(segment, 33, 10), -1.0f);

    StrokeCoverage ring(80, 80);
    StrokeRing(ring, {40, 40}, 20, 1);
    EXPECT_EQ(CoverageAt(ring, 60, 40), 1.0f);
    EXPECT_EQ(CoverageAt(ring, 61, 40), 0.5f);
    EXPECT_EQ(CoverageAt(ring, 40, 40), 0.0f);

    StrokeCoverage ellipse(160, 288);
    StrokeEllipse(ellipse, {80, 144}, 57.5, 123, 6);
    EXPECT_EQ(CoverageAt(ellipse, 80, 21), 1.0f);   // on the ellipse
    EXPECT_EQ(CoverageAt(ellipse, 80, 144), -1.0f); // the centre is left out
    EXPECT_EQ(CoverageAt(ellipse, 80, 100), 0.0f);

    // Strokes are clipped to the sprite.
    StrokeCoverage corner(10, 10);
    StrokeDisc(corner, {0, 0}, 30);
    EXPECT_EQ(corner.cells.size(), 100u);
}

TEST(Nixieclock, BezierDistanceOfAStraightCurveIsItsLineDistance) {
    const Point2 line[4] = {{0, 0}, {10, 0}, {20, 0}, {30, 0}};
    EXPECT_NEAR(BezierDistance({15, 4}, line), 4.0, 1e-9);
    EXPECT_NEAR(BezierDistance({7, -3}, line), 3.0, 1e-6);
    EXPECT_NEAR(BezierDistance({40, 0}, line), 10.0, 1e-9);  // past the end
    EXPECT_EQ(BezierDistance({20.05, 0}, line), -1000.0);    // on a control point
    const Point2 curve[4] = {{35.15, 49.2}, {45.65, 32}, {61.85, 21}, {80, 21}};
    EXPECT_NEAR(BezierDistance({80, 25}, curve), 4.0, 1e-6);
    // A flat spot in the Newton steps does not give a distance that is not a number.
    const Point2 point[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
    EXPECT_NEAR(BezierDistance({8, 9}, point), 5.0, 1e-9);
}

TEST(Nixieclock, BlurSpreadsAlphaWithTheKernelAndLeavesOutOuterTaps) {
    Sprite sprite(32, 32);
    std::vector<float> scratch;
    sprite.At(16, 16)[3] = 1.0f;
    sprite.At(16, 16)[0] = 200.0f;
    BlurAlpha(sprite, scratch);
    for (int k = 0; k <= 7; ++k)
        for (int l = 0; l <= 7; ++l) {
            EXPECT_NEAR(sprite.At(16 + k, 16 - l)[3], kKernel[k] * kKernel[l], 1e-7f);
            EXPECT_NEAR(sprite.At(16 - k, 16 + l)[3], kKernel[k] * kKernel[l], 1e-7f);
        }
    EXPECT_EQ(sprite.At(24, 16)[3], 0.0f);
    EXPECT_EQ(sprite.At(16, 16)[0], 200.0f);  // colour untouched

    Sprite corner(32, 32);
    corner.At(0, 0)[3] = 1.0f;
    BlurAlpha(corner, scratch);
    float total = 0;
    for (float& alpha : corner.pixels) total += (&alpha - corner.pixels.data()) % 4 == 3 ? alpha : 0;
    float half = 0;
    for (float tap : kKernel) half += tap;
    EXPECT_NEAR(total, half * half, 1e-6f);  // the taps past the edge are lost
    Sprite empty;
    BlurAlpha(empty, scratch);
}

TEST(Nixieclock, FramesShowTheStartUpTestThenTheTimeWithBlinkingDots) {
    TubeDisplay built;
    BuildSprites(built);
    const Sprite* sprites = built.sprites;

    // Each place shows its digit in front of grey ghosts of the others: the
    // centre of the 0 lies on the ghost of the 1, which is lit in sprite 1.
    const float* ghost = sprites[0].At(80, 144);
    EXPECT_GT(ghost[0], 2.0f);
    EXPECT_LT(ghost[0], 30.0f);
    EXPECT_NEAR(ghost[0], ghost[2], 2.0f);
    const float* lit = sprites[1].At(80, 144);
    EXPECT_GT(lit[0], 200.0f);
    EXPECT_GT(lit[2], 120.0f);
    EXPECT_GT(lit[0], lit[2] + 50.0f);

    TubeDisplay display = built;
    Canvas canvas;
    const tm time = TimeOf(9, 5, 7);
    for (int frame = 0; frame < 200; ++frame) {
        ClearCanvas(canvas);
        ShowTimeAt(display, canvas, time);
        if (frame == 0 || frame == 99 || frame == 100 || frame == 199) {
            const bool allLit = frame < 100;
            for (int x : kDigitX)
                EXPECT_TRUE(CanvasShows(canvas, sprites[allLit ? kAllLitSprite : kAllDimSprite], x, 20))
                    << frame;
            for (int x : kDotX)
                EXPECT_TRUE(DotShows(canvas, sprites[allLit ? kLitDotSprite : kDimDotSprite], x)) << frame;
        }
    }
    EXPECT_TRUE(display.ready);

    display = built;
    display.ready = true;
    ClearCanvas(canvas);
    ShowTimeAt(display, canvas, time);
    const int places[6] = {0, 9, 0, 5, 0, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(CanvasShows(canvas, sprites[places[i]], kDigitX[i], 20)) << i;
        EXPECT_FALSE(CanvasShows(canvas, sprites[8], kDigitX[i], 20)) << i;
    }
    // The phase starts on and turns off with the first frame: the inner dots
    // (360, 720) are lit, the outer ones dim; each new second swaps them.
    const int lit07[4] = {kDimDotSprite, kLitDotSprite, kLitDotSprite, kDimDotSprite};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(DotShows(canvas, sprites[lit07[i]], kDotX[i])) << i;
    ClearCanvas(canvas);
    ShowTimeAt(display, canvas, time);  // the same second: no change
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(DotShows(canvas, sprites[lit07[i]], kDotX[i])) << i;
    ClearCanvas(canvas);
    ShowTimeAt(display, canvas, TimeOf(9, 5, 8));
    const int lit08[4] = {kLitDotSprite, kDimDotSprite, kDimDotSprite, kLitDotSprite};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(DotShows(canvas, sprites[lit08[i]], kDotX[i])) << i;

    // A failed breakdown of the time leaves all its fields at -1: no digits.
    ClearCanvas(canvas);
    ShowTimeAt(display, canvas, TimeOf(-1, -1, -1));
    float light = 0;
    for (int y = 20; y < 200; ++y) light += canvas.buffer.At(100, y)[0] + canvas.buffer.At(1060, y)[0];
    EXPECT_EQ(light, 0.0f);
}

TEST(Nixieclock, LightBlobsStayOnTheCanvasAndAreClippedToIt) {
    Glow glow;
    std::srand(3);
    SetupGlow(glow);
    EXPECT_TRUE(glow.ix >= 0 && glow.ix < 1180 && glow.iy >= 0 && glow.iy < 330);
    EXPECT_TRUE(glow.vx >= -1 && glow.vx < 1 && glow.vy >= -1 && glow.vy < 1);
    glow.x = 1179.9f;
    glow.vx = 1.0f;
    glow.y = 0.2f;
    glow.vy = -1.0f;
    DriftGlow(glow);
    EXPECT_FLOAT_EQ(glow.x, 1180.0f - 0.333f);
    EXPECT_FLOAT_EQ(glow.y, 0.333f);
    EXPECT_EQ(glow.ix, 1179);
    EXPECT_EQ(glow.iy, 0);
    bool inside = true;
    for (int step = 0; step < 20000; ++step) {
        DriftGlow(glow);
        inside = inside && glow.x >= 0 && glow.x <= 1180 && glow.y >= 0 && glow.y <= 330 &&
                 std::fabs(glow.vx) <= 1 && std::fabs(glow.vy) <= 1 && glow.ix == static_cast<int>(glow.x);
    }
    EXPECT_TRUE(inside);

    Sprite block(96, 96);
    for (float& value : block.pixels) value = 200.0f;
    Canvas canvas;
    AddSprite(canvas, block, 1150, 300);
    AddSprite(canvas, block, 1150, 300);
    EXPECT_EQ(canvas.buffer.At(1179, 329)[0], 255.0f);  // sums limited to 255
    EXPECT_EQ(canvas.buffer.At(1149, 329)[0], 0.0f);
    for (int x = 0; x < 96; ++x) EXPECT_EQ(canvas.buffer.At(x, 301)[0], 0.0f) << x;  // no wrap
    AddSprite(canvas, block, -50, -60);
    EXPECT_EQ(canvas.buffer.At(45, 35)[1], 200.0f);
    EXPECT_EQ(canvas.buffer.At(46, 35)[1], 0.0f);
    EXPECT_EQ(canvas.buffer.At(45, 36)[1], 0.0f);
    EXPECT_EQ(canvas.buffer.At(0, 0)[3], 0.0f);  // alpha is not added
}

TEST(Nixieclock, CopyWritesColourBytesAndKeepsTheFourth) {
    Canvas canvas;
    std::vector<DWORD> window(1180 * 330, 0xAB000000u);
    float* first = canvas.buffer.At(0, 0);
    first[0] = 255.0f;
    first[1] = 136.9f;
    first[2] = 37.2f;
    CopyCanvas(canvas);  // no window: nothing to write
    canvas.window = window.data();
    CopyCanvas(canvas);
    EXPECT_EQ(window[0], 0xABFF8825u);
    EXPECT_EQ(window[1], 0xAB000000u);
}

// Points of a 160 x 288 cell that only one digit's strokes cover.
constexpr POINT kOnlyZero = {23, 144};  // the left side of the 0
constexpr POINT kOnlyFive = {23, 45};   // the upright of the 5
constexpr POINT kOnlyNine = {104, 200}; // the stem of the 9

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
    // First every place shows all digits lit at once ...
    const auto allLit = KanvoTest::CaptureWhen(
        window, [](const KanvoTest::ScreenCapture& c) { return BrightPoints(c) >= 16; }, 20000);
    EXPECT_GE(BrightPoints(allLit), 16);
    // ... later 09:05 in the first four places (the seconds have run on).
    auto showsNineOhFive = [](const KanvoTest::ScreenCapture& c) {
        return CoreAt(c, 0, kOnlyZero) && !CoreAt(c, 0, kOnlyFive) && CoreAt(c, 1, kOnlyNine) &&
               !CoreAt(c, 1, kOnlyZero) && CoreAt(c, 2, kOnlyZero) && CoreAt(c, 3, kOnlyFive) &&
               !CoreAt(c, 3, kOnlyZero) && !CoreAt(c, 3, kOnlyNine);
    };
    const auto clock = KanvoTest::CaptureWhen(window, showsNineOhFive, 20000);
    EXPECT_TRUE(showsNineOhFive(clock));
    EXPECT_LE(BrightPoints(clock), 10);
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(NixieclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"nixieclock", "2026-01-01 12:00:00", 2500), 0u);
}

}  // namespace
