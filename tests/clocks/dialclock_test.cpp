// dialclock: the dial's smoothing, blur, shading and numerals against raw GDI
// and their fixed values; the mechanism's positions; the real program.
#include "dial_plate.h"
#include "mechanism.h"
#include "smooth_drawing.h"

#include "clock_test.h"

namespace {

const COLORREF kInk = RGB(250, 240, 10);
const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};

// Draws with Kanvo on a 200 x 200 image and the raw stroke with the geometric
// pen of width 5 on its twin, both over one colour; the pixels where they
// differ (the soft fringe) must all lie where `inFringe` allows. How many
// there are, or -1 when one lies elsewhere.
int FringePixels(void (*kanvo)(), void (*stroke)(HDC), bool (*inFringe)(int x, int y)) {
    IMAGE image(200, 200);
    SetTargetImage(&image); SetBackgroundColor(RGB(30, 60, 90)); ClearTarget();
    kanvo();
    SetTargetImage(nullptr);
    GdiTwin twin(200, 200);
    const LOGBRUSH ink = {BS_SOLID, kInk, 0};
    twin.Fill(0x1E3C5A);
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 5, &ink, 0, nullptr)));
    DeleteObject(SelectObject(twin.Dc(), GetStockObject(NULL_BRUSH)));
    stroke(twin.Dc());
    const std::vector<DWORD> drawn = PixelsOf(image);
    int fringe = 0;
    for (int i = 0; i < 200 * 200 && fringe >= 0; ++i)
        if (drawn[i] != (twin.Pixels()[i] & 0xFFFFFF))
            fringe = inFringe(i % 200, i / 200) ? fringe + 1 : -1;
    return fringe;
}

TEST(DialPlate, MixColorWeighsEachChannel) {
    EXPECT_EQ(Colors({MixColor(0x123456, 0xABCDEF, 1), MixColor(0x123456, 0xABCDEF, 0),
                      MixColor(0xFF, 0, 0.5), MixColor(0xFF8040, 0, 0.5)}),
              Colors({0x123456, 0xABCDEF, 0x7F, 0x7F4020}));
}

// The circle's fringe stays in its square, 1.5 to 3.5 pixels from the ring
// (w = 5); the line's lies along the segment, 1 to 4 pixels from it: its
// ends are square.
TEST(DialPlate, SmoothFringesStayInTheirBandAndSquareAndEndSquare) {
    EXPECT_GT(FringePixels([] { DrawSmoothCircle(100, 100, 60, kInk, 5); },
                           [](HDC dc) { Ellipse(dc, 40, 40, 160, 160); },
                           [](int x, int y) {
                               const double band = std::fabs(60 - std::hypot(x - 100, y - 100));
                               return x >= 40 && x < 160 && y >= 40 && y < 160 && band >= 1.5 &&
                                      band <= 3.5;
                           }), 300);
    EXPECT_GT(FringePixels([] { DrawSmoothLine(40, 60, 150, 130, kInk, 5); },
                           [](HDC dc) { MoveToEx(dc, 40, 60, nullptr); LineTo(dc, 150, 130); },
                           [](int x, int y) {
                               const double dx = x - 40.0, dy = y - 60.0;
                               const double along = (dx * 110 + dy * 70) / 17000;
                               const double away = std::fabs(dx * 70 - dy * 110) / std::sqrt(17000);
                               return along >= 0 && along <= 1 && away > 0.999 && away < 4.001;
                           }), 200);
}

// With the dial's values: grey 123 at the centre, brighter up-left, darker
// down-right, nothing beyond columns 346 to 454; grey everywhere from the
// ambient 12 (a channel past 255 would wrap below it) up to a highlight.
TEST(DialPlate, SphereIsGrey123AtTheCentreAndLitFromTheUpperLeft) {
    IMAGE image(800, 800);
    SetTargetImage(&image);
    ShadeSphere({Point3(400, 400, -500, 0xFFFFFF), 100, 0xFFFFFF},
                {Point3(-100, 0, 100, 0xFFFFFF), 255, 255, 255, 0}, 70, 70, 660, 660,
                Point3(400, 400, 600, 0xFFFFFF));
    SetTargetImage(nullptr);
    const std::vector<DWORD> shaded = PixelsOf(image);
    auto at = [&](int x, int y) { return shaded[y * 800 + x]; };
    EXPECT_EQ(Mismatches({{400, 400, 0x7B7B7B}, {345, 400, 0}, {455, 400, 0}}, at), "");
    EXPECT_TRUE((at(380, 385) & 0xFF) > 123 && (at(420, 415) & 0xFF) < 123);
    int offRange = 0;
    for (DWORD p : shaded) offRange += p != 0 && ((p & 0xFF) < 12 || p != (p & 0xFF) * 0x010101u);
    EXPECT_EQ(offRange, 0);
    EXPECT_GT(*std::max_element(shaded.begin(), shaded.end()), 0xC8C8C8u);
}

// At most one unit lost per channel and pass (163 and 164 stay, 73 -> 72,
// 255 -> 254); empty regions change nothing; in a region one column wide
// every sample wraps into that column.
TEST(DialPlate, BlurLosesAtMostOneUnitPerPassAndStaysInsideThinRegions) {
    IMAGE image(50, 43);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(163, 73, 164)); ClearTarget(); BlurRegion(0, 0, 50, 43);
    EXPECT_TRUE(PixelsOf(image) == std::vector<DWORD>(50 * 43, 0xA348A4));
    SetBackgroundColor(RGB(255, 255, 255)); ClearTarget(); BlurRegion(0, 0, 50, 43);
    BlurRegion(0, 0, 0, 43); BlurRegion(0, 0, 50, -1);
    EXPECT_TRUE(PixelsOf(image) == std::vector<DWORD>(50 * 43, 0xFEFEFE));
    for (int y = 0; y < 43; ++y) SetPixelColor(7, y, RGB(0, 0, 255));
    BlurRegion(7, 0, 1, 43);
    EXPECT_EQ(GetRValue(GetPixelColor(7, 20)), 0);
    SetTargetImage(nullptr);
}

// Hour 0 is numbered "12", written on a transparent background (stripes
// would show a painted text box), with the opaque mode restored.
TEST(DialPlate, HourZeroIsNumberedTwelveOnATransparentBackground) {
    IMAGE image(800, 800);
    GdiTwin twin(800, 800);
    for (int i = 0; i < 800 * 800; ++i)
        GetSurfacePixels(&image)[i] = twin.Pixels()[i] = (i / 800) % 4 < 2 ? 0xC0C0C0 : 0x406080;
    SetTargetImage(&image);
    DrawHourMarks(400, 400, 220, 30, 40);
    EXPECT_EQ(GetBackgroundMode(), OPAQUE);
    SetTargetImage(nullptr);
    SetTextColor(twin.Dc(), 0x00804000); SetBkMode(twin.Dc(), TRANSPARENT);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(55, 40, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0,
                                                     0, ANTIALIASED_QUALITY, 0, L"Corbel")));
    TextOutW(twin.Dc(), 380, 83, L"12", 2);
    GdiFlush();
    const std::vector<DWORD> drawn = PixelsOf(image);
    int differing = 0, inked = 0;  // in the numeral's box, clear of the ticks
    for (int y = 60; y < 144; ++y)
        for (int x = 330; x < 470; ++x) {
            const DWORD expected = twin.Pixels()[y * 800 + x] & 0xFFFFFF;
            differing += drawn[y * 800 + x] != expected;
            inked += expected != (twin.Pixels()[y * 800] & 0xFFFFFF);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 300);
}

int SliderAt(int hour, int minute, int second) {
    const HandAngles a = HandAnglesAt(TimeOf(hour, minute, second));
    return SliderDistance(a.second - a.minute, kCrankRadius, kRodLength);
}

// One frame's moving parts on a fresh image of grey 224; its pixels.
std::vector<DWORD> FrameAt(int hour, int minute, int second) {
    IMAGE image(800, 800);
    SetTargetImage(&image);
    ResetBackground();
    DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(hour, minute, second)), kLight);
    SetTargetImage(nullptr);
    return PixelsOf(image);
}

// The ring's inner radius L breathes with the angle between the second and
// the minute hand: 170 at midnight (rhombus 0's inner vertex at (400, 230)),
// 30 when opposite (30 * -cos(3.1415926) = 29.99999... truncated), 71 at a
// right angle. At midnight the rod runs straight up from the crank pin at
// (400, 330) to that vertex, and the needles' hub lies at their centre.
// Repeated frames leave no GDI object behind.
TEST(Mechanism, RodAndRingFollowTheSecondAndMinuteHands) {
    EXPECT_TRUE(SliderAt(0, 0, 0) == 170 && SliderAt(0, 30, 0) == 30 && SliderAt(7, 15, 0) == 71);
    POINT midnight[12][4], half[12][4];
    ComputeStarRing(400, 400, 170, kRhombusSide, HandAnglesAt(TimeOf(0, 0, 0)).minute, midnight);
    ComputeStarRing(400, 400, 30, kRhombusSide, HandAnglesAt(TimeOf(0, 30, 0)).minute, half);
    EXPECT_EQ(PointsText({midnight[0][0], half[0][0]}), "(400,230) (400,429)");
    std::vector<DWORD> frame = FrameAt(0, 0, 0);  // a first use may set up lasting objects
    EXPECT_EQ(GdiObjectsLeftBy([&] { frame = FrameAt(0, 0, 0); }), 0);
    std::vector<Expected> expected = {{400, 330, 0xE3E2E1}, {400, 400, 0xBDAEA9}, {2, 2, 0xE0E0E0}};
    for (int y = 232; y <= 325; ++y) expected.push_back({400, y, 0xA8A6A9});
    EXPECT_EQ(Mismatches(expected, [&](int x, int y) { return frame[y * 800 + x]; }), "");
}

TEST(Mechanism, HoursTwelveToTwentyThreeDrawLikeZeroToEleven) {
    EXPECT_TRUE(FrameAt(15, 20, 10) == FrameAt(3, 20, 10));
    EXPECT_FALSE(FrameAt(4, 20, 10) == FrameAt(3, 20, 10));
}

// Quads with a vertical first edge or a single point have no inside; without
// a window the moving parts and the dial draw nothing and keep nothing.
TEST(Mechanism, DegenerateQuadsAndDrawingWithoutAWindowDoNothing) {
    IMAGE image(60, 60);
    SetTargetImage(&image);
    FillGradientQuad({10, 10}, {10, 50}, {50, 50}, {50, 10});
    FillGradientQuad({5, 5}, {5, 5}, {5, 5}, {5, 5});
    SetTargetImage(nullptr);
    EXPECT_TRUE(PixelsOf(image) == std::vector<DWORD>(60 * 60, 0));
    EXPECT_EQ(GdiObjectsLeftBy([] {
                  DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(9, 5, 7)), kLight);
                  RenderDialPlate(nullptr);
              }), 0);
    EXPECT_EQ(GetWindowHandle(), nullptr);
}

// At noon: the needles' hub, the hour needle pointing at 12, the disc, a
// corner the tiles leave uncovered. Standard output carries one rising
// number of seconds per frame.
TEST(DialClockProgram, ShowsTheDialWritesOneRisingLinePerFrameAndEnds) {
    const std::wstring output = ProgramDirectory() + L"dialclock_output.txt";
    EXPECT_EQ(RunClockAsAUser(L"dialclock", "2026-01-01 12:00:00", 800, 800,
                              ShowsPixels({{400, 400, 0xBDAEA9}, {397, 350, 0x7F6454},
                                           {330, 470, 0xE0E0E0}, {10, 60, 0}}), L"", output), "");
    std::vector<double> seconds;
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        for (double value; std::fscanf(file, "%lf", &value) == 1;) seconds.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    ASSERT_GE(seconds.size(), 2u);
    EXPECT_TRUE(seconds.front() > 0 && seconds.back() > seconds.front() &&
                std::is_sorted(seconds.begin(), seconds.end()));
}

}  // namespace
