// dialclock: the dial's smoothing, blur, shading and numerals against their
// plain strokes, raw GDI text and fixed values; the mechanism's positions;
// the real program.
#include "dial_plate.h"
#include "mechanism.h"
#include "smooth_drawing.h"

#include "clock_test.h"

const COLORREF kInk = RGB(250, 240, 10);
const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};

// Draws `smooth` and the plain stroke (width 5, in the ink) on one colour;
// the pixels where they differ, the soft fringe, must all lie where
// `inFringe` allows. How many there are, or -1 when one lies elsewhere.
static int FringePixels(void (*smooth)(), void (*plain)(), bool (*inFringe)(double x, double y)) {
    auto draw = [](void (*stroke)()) {
        return Drawn(200, 200,
                     [&] {
                         SetBackgroundColor(RGB(30, 60, 90));
                         ClearTarget();
                         SetStrokeStyle(PS_SOLID, 5, nullptr, 0);
                         SetStrokeColor(kInk);
                         stroke();
                     })
            .pixels;
    };
    const std::vector<DWORD> soft = draw(smooth), hard = draw(plain);
    int fringe = 0;
    for (int i = 0; i < 200 * 200 && fringe >= 0; ++i)
        if (soft[i] != hard[i]) fringe = inFringe(i % 200, i / 200) ? fringe + 1 : -1;
    return fringe;
}

// One frame's moving parts on grey 224.
static ScreenCapture FrameAt(int hour, int minute, int second) {
    return Drawn(800, 800, [&] {
        ResetBackground();
        DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(hour, minute, second)), kLight);
    });
}

// MixColor weighs each channel. Beyond what DrawCircle draws, the smooth
// circle's fringe stays in its square, 1.5 to 3.5 pixels from the ring
// (w = 5); the smooth line's lies along the segment, 1 to 4 pixels from it:
// its ends are square.
TEST(DialPlate, FringesSphereBlurNumeralsAndMechanismAtTheirValuesAndAsRawGdiDrawsThem) {
    EXPECT_EQ(Colors({MixColor(0x123456, 0xABCDEF, 1), MixColor(0x123456, 0xABCDEF, 0),
                      MixColor(0xFF, 0, 0.5), MixColor(0xFF8040, 0, 0.5)}),
              Colors({0x123456, 0xABCDEF, 0x7F, 0x7F4020}));
    EXPECT_GT(FringePixels([] { DrawSmoothCircle(100, 100, 60, kInk, 5); },
                           [] { DrawCircle(100, 100, 60); },
                           [](double x, double y) {
                               const double band = std::fabs(60 - std::hypot(x - 100, y - 100));
                               return std::fabs(x - 99.5) < 60 && std::fabs(y - 99.5) < 60 &&
                                      band >= 1.5 && band <= 3.5;
                           }),
              300);
    EXPECT_GT(FringePixels([] { DrawSmoothLine(40, 60, 150, 130, kInk, 5); },
                           [] { DrawLine(40, 60, 150, 130); },
                           [](double x, double y) {
                               const double along = ((x - 40) * 110 + (y - 60) * 70) / 17000;
                               const double away =
                                   std::fabs((x - 40) * 70 - (y - 60) * 110) / std::sqrt(17000);
                               return along >= 0 && along <= 1 && away > 0.999 && away < 4.001;
                           }),
              200);
    // With the dial's values: grey 123 at the centre, brighter up-left, darker
    // down-right; grey everywhere from the ambient 12 (a channel past 255 would
    // wrap below it) up to a highlight; black beyond columns 346 to 454.
    // Blurring one colour loses at most one unit per channel and pass (163 and
    // 164 stay, 73 -> 72, 255 -> 254); empty regions change nothing, and a region
    // one column wide samples only itself.
    const ScreenCapture shaded = Drawn(800, 800, [] {
        ShadeSphere({Point3(400, 400, -500, 0xFFFFFF), 100, 0xFFFFFF},
                    {Point3(-100, 0, 100, 0xFFFFFF), 255, 255, 255, 0}, 70, 70, 660, 660,
                    Point3(400, 400, 600, 0xFFFFFF));
    });
    EXPECT_TRUE(shaded.At(400, 400) == 0x7B7B7B && shaded.At(380, 385) > 0x7B7B7B &&
                shaded.At(420, 415) < 0x7B7B7B && (shaded.At(345, 400) | shaded.At(455, 400)) == 0);
    EXPECT_EQ(
        std::count_if(shaded.pixels.begin(), shaded.pixels.end(),
                      [](DWORD p) { return p && ((p & 0xFF) < 12 || p != (p & 0xFF) * 0x10101u); }),
        0);
    EXPECT_GT(*std::max_element(shaded.pixels.begin(), shaded.pixels.end()), 0xC8C8C8u);
    for (COLORREF color : {RGB(163, 73, 164), RGB(255, 255, 255)}) {
        const ScreenCapture blurred = Drawn(50, 43, [&] {
            SetBackgroundColor(color);
            ClearTarget();
            BlurRegion(0, 0, 50, 43);
            BlurRegion(0, 0, 0, 43);
            BlurRegion(0, 0, 50, -1);
        });
        const DWORD expected = color == 0xFFFFFF ? 0xFEFEFE : 0xA348A4;
        EXPECT_TRUE(blurred.pixels == std::vector<DWORD>(50 * 43, expected)) << expected;
    }
    const ScreenCapture column = Drawn(50, 43, [] {  // one column wide: every sample wraps into it
        SetBackgroundColor(RGB(255, 255, 255));
        ClearTarget();
        for (int y = 0; y < 43; ++y) SetPixelColor(7, y, RGB(0, 0, 255));
        BlurRegion(7, 0, 1, 43);
    });
    EXPECT_EQ(column.At(7, 20) >> 16, 0u);
    // Hour 0 is numbered "12", written on a transparent background (stripes
    // would show a painted text box), with the opaque mode restored: compared
    // with raw GDI text in the numeral's box, clear of the ticks.
    IMAGE image(800, 800);
    GdiTwin twin(800, 800);
    for (int i = 0; i < 800 * 800; ++i)
        GetSurfacePixels(&image)[i] = twin.Pixels()[i] = (i / 800) % 4 < 2 ? 0xC0C0C0 : 0x406080;
    SetTargetImage(&image), DrawHourMarks(400, 400, 220, 30, 40);
    EXPECT_EQ(GetBackgroundMode(), OPAQUE);
    SetTextColor(twin.Dc(), 0x00804000);
    SetBkMode(twin.Dc(), TRANSPARENT);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(55, 40, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0,
                                                     0, ANTIALIASED_QUALITY, 0, L"Corbel")));
    TextOutW(twin.Dc(), 380, 83, L"12", 2);
    EXPECT_EQ(TwinTextIn(image, twin, {330, 60, 470, 144}, 301), "");
    // The ring's inner radius L breathes with the angle between the second and
    // the minute hand: 170 at midnight (rhombus 0's inner vertex at (400, 230)),
    // 30 when opposite, 71 at a right angle. At midnight the rod runs straight up
    // from the crank pin at (400, 330) to that vertex, and the needles' hub lies
    // at their centre. Repeated frames leave no GDI object behind; hours 12 to
    // 23 draw like 0 to 11. Quads with a vertical first edge or a single point
    // have no inside; without a window the moving parts and the dial draw
    // nothing and keep nothing.
    std::vector<int> slider;
    for (const tm& t : {TimeOf(0, 0, 0), TimeOf(0, 30, 0), TimeOf(7, 15, 0)})
        slider.push_back(SliderDistance(HandAnglesAt(t).second - HandAnglesAt(t).minute,
                                        kCrankRadius, kRodLength));
    EXPECT_EQ(slider, std::vector<int>({170, 30, 71}));
    POINT ring[12][4], narrow[12][4];  // narrow: 30 * -cos(3.1415926) = 29.99999..., truncated
    ComputeStarRing(400, 400, 170, kRhombusSide, HandAnglesAt(TimeOf(0, 0, 0)).minute, ring);
    ComputeStarRing(400, 400, 30, kRhombusSide, HandAnglesAt(TimeOf(0, 30, 0)).minute, narrow);
    EXPECT_EQ(PointsText({ring[0][0], narrow[0][0]}), "(400,230) (400,429)");
    ScreenCapture frame = FrameAt(0, 0, 0);  // a first use may set up lasting system objects
    EXPECT_EQ(GdiObjectsLeftBy([&] { frame = FrameAt(0, 0, 0); }), 0);
    std::vector<Expected> expected = {{400, 330, 0xE3E2E1}, {400, 400, 0xBDAEA9}, {2, 2, 0xE0E0E0}};
    for (int y = 232; y <= 325; ++y) expected.push_back({400, y, 0xA8A6A9});
    EXPECT_EQ(Mismatches(expected, frame), "");
    EXPECT_TRUE(FrameAt(15, 20, 10).pixels == FrameAt(3, 20, 10).pixels);
    EXPECT_FALSE(FrameAt(4, 20, 10).pixels == FrameAt(3, 20, 10).pixels);
    EXPECT_TRUE(Drawn(60, 60, [] {
                    FillGradientQuad({10, 10}, {10, 50}, {50, 50}, {50, 10}),
                        FillGradientQuad({5, 5}, {5, 5}, {5, 5}, {5, 5});
                }).pixels == std::vector<DWORD>(60 * 60, 0));
    EXPECT_EQ(GdiObjectsLeftBy([] {
                  DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(9, 5, 7)), kLight);
                  RenderDialPlate(nullptr);
              }),
              0);
    EXPECT_EQ(GetWindowHandle(), nullptr);
}

// At noon: the needles' hub, the hour needle pointing at 12, the disc, a
// corner the tiles leave uncovered. Standard output carries one rising
// number of seconds per frame.
TEST(DialClockProgram, ShowsTheDialWritesOneRisingLinePerFrameAndEnds) {
    const std::wstring output = ProgramDirectory() + L"dialclock_output.txt";
    EXPECT_EQ(
        RunClockAsAUser(
            L"dialclock", "2026-01-01 12:00:00", 800, 800,
            ShowsPixels(
                {{400, 400, 0xBDAEA9}, {397, 350, 0x7F6454}, {330, 470, 0xE0E0E0}, {10, 60, 0}}),
            L"", output),
        "");
    std::vector<double> seconds;
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        for (double value; std::fscanf(file, "%lf", &value) == 1;) seconds.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    EXPECT_TRUE(seconds.size() >= 2 && seconds.front() > 0 && seconds.back() > seconds.front() &&
                std::is_sorted(seconds.begin(), seconds.end()))
        << seconds.size();
}
