// dialclock: the dial's smoothing, blur, shading and numerals against their
// plain strokes, raw GDI text and fixed values; the mechanism at its worked
// positions and at a time when every hand points elsewhere; the real program.
#include <algorithm>
#include <cstdio>

#include "clock_test.h"
#include "dial_plate.h"
#include "mechanism.h"
#include "smooth_drawing.h"

const COLORREF kInk = RGB(250, 240, 10);
const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};
const DWORD kNeedle = 0x7F6454;

// How many pixels `smooth` changes beyond the plain stroke (width 5, in the
// ink) on one colour, or -1 when one of them lies where `inFringe` forbids.
static int FringePixels(void (*smooth)(), void (*plain)(), bool (*inFringe)(int x, int y)) {
    auto draw = [](void (*stroke)()) {
        return Drawn(200, 200, [stroke] {
            SetBackgroundColor(RGB(30, 60, 90));
            ClearTarget();
            SetStrokeStyle(PS_SOLID, 5, nullptr, 0);
            SetStrokeColor(kInk);
            stroke();
        });
    };
    const ScreenCapture soft = draw(smooth);
    const ScreenCapture hard = draw(plain);
    int fringe = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (soft.At(x, y) == hard.At(x, y)) continue;
            if (!inFringe(x, y)) return -1;
            ++fringe;
        }
    }
    return fringe;
}

// One frame's moving parts on grey 224.
static ScreenCapture FrameAt(int hour, int minute, int second) {
    return Drawn(800, 800, [=] {
        ResetBackground();
        DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(hour, minute, second)), kLight);
    });
}

// The circle's fringe stays in its bounding square, 1.5 to 3.5 pixels from
// the ring (w = 5); the line's lies along the segment, 1 to 4 pixels from it.
TEST(DialPlate, SmoothFringesLieOnlyBesideTheStroke) {
    auto circle = [] {
        DrawSmoothCircle(100, 100, 60, kInk, 5);
    };
    auto circleBand = [](int x, int y) {
        const double band = std::fabs(60 - std::hypot(x - 100, y - 100));
        return x >= 40 && x < 160 && y >= 40 && y < 160 && band >= 1.5 && band <= 3.5;
    };
    EXPECT_GT(FringePixels(
                  circle, [] { DrawCircle(100, 100, 60); }, circleBand),
              300);
    auto line = [] {
        DrawSmoothLine(40, 60, 150, 130, kInk, 5);
    };
    auto lineBand = [](int x, int y) {
        const double along = ((x - 40) * 110 + (y - 60) * 70) / 17000.0;
        const double away = std::fabs((x - 40) * 70 - (y - 60) * 110) / std::sqrt(17000.0);
        return along >= 0 && along <= 1 && away > 0.999 && away < 4.001;
    };
    EXPECT_GT(FringePixels(
                  line, [] { DrawLine(40, 60, 150, 130); }, lineBand),
              200);
}

// Grey 123 at the centre, brighter toward the light up-left, darker
// down-right, black beyond columns 346 to 454; a highlight, never a channel
// wrapped past 255 (it would show below the ambient 12).
TEST(DialPlate, SphereIsShadedTowardItsLight) {
    const ScreenCapture shaded = Drawn(800, 800, [] {
        ShadeSphere({Point3(400, 400, -500, 0xFFFFFF), 100, 0xFFFFFF},
                    {Point3(-100, 0, 100, 0xFFFFFF), 255, 255, 255, 0}, 70, 70, 660, 660,
                    Point3(400, 400, 600, 0xFFFFFF));
    });
    EXPECT_EQ(shaded.At(400, 400), 0x7B7B7Bu);
    EXPECT_GT(shaded.At(380, 385), 0x7B7B7Bu);
    EXPECT_LT(shaded.At(420, 415), 0x7B7B7Bu);
    EXPECT_EQ(shaded.At(345, 400), 0u);
    EXPECT_EQ(shaded.At(455, 400), 0u);
    auto notGrey = [](DWORD p) {
        return p && ((p & 0xFF) < 12 || p != (p & 0xFF) * 0x10101u);
    };
    EXPECT_EQ(std::count_if(shaded.pixels.begin(), shaded.pixels.end(), notGrey), 0);
    EXPECT_GT(*std::max_element(shaded.pixels.begin(), shaded.pixels.end()), 0xC8C8C8u);
}

// One colour loses at most one unit per channel (163 and 164 stay, 73 and
// 255 lose one); a region with no pixels changes nothing.
TEST(DialPlate, BlurKeepsOneColourUpToTruncation) {
    for (COLORREF color : {RGB(163, 73, 164), RGB(255, 255, 255)}) {
        const ScreenCapture blurred = Drawn(50, 43, [color] {
            SetBackgroundColor(color);
            ClearTarget();
            BlurRegion(0, 0, 50, 43);
            BlurRegion(0, 0, 0, 43);
            BlurRegion(0, 0, 50, -1);
        });
        const DWORD expected = color == 0xFFFFFF ? 0xFEFEFE : 0xA348A4;
        EXPECT_EQ(std::count(blurred.pixels.begin(), blurred.pixels.end(), expected), 50 * 43);
    }
}

// Hour 0 is numbered "12", written on a transparent background (stripes
// would show a painted text box) as raw GDI writes it, and the opaque mode
// is restored.
TEST(DialPlate, NumeralTwelveIsTransparentRawGdiText) {
    IMAGE image(800, 800);
    GdiTwin twin(800, 800);
    for (int i = 0; i < 800 * 800; ++i) {
        const DWORD stripe = (i / 800) % 4 < 2 ? 0xC0C0C0 : 0x406080;
        GetSurfacePixels(&image)[i] = stripe;
        twin.Pixels()[i] = stripe;
    }
    SetTargetImage(&image);
    DrawHourMarks(400, 400, 220, 30, 40);
    EXPECT_EQ(GetBackgroundMode(), OPAQUE);
    SetTextColor(twin.Dc(), 0x00804000);
    SetBkMode(twin.Dc(), TRANSPARENT);
    SelectAndDelete(twin.Dc(), CreateFontW(55, 40, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                           ANTIALIASED_QUALITY, 0, L"Corbel"));
    TextOutW(twin.Dc(), 380, 83, L"12", 2);
    EXPECT_EQ(TwinTextIn(image, twin, {330, 60, 470, 144}, 301), "");
    SetTargetImage(nullptr);
}

// At midnight the rod runs straight up from the crank pin at (400, 330) to
// rhombus 0's inner vertex at (400, 230); the needles' hub lies at their
// centre. Repeated frames leave no GDI object behind.
TEST(DialMechanism, MidnightFrameHasTheRodStraightUp) {
    ScreenCapture frame = FrameAt(0, 0, 0);  // a first use may set up lasting system objects
    EXPECT_EQ(GdiObjectsLeftBy([&frame] { frame = FrameAt(0, 0, 0); }), 0);
    std::vector<Expected> expected = {{400, 330, 0xE3E2E1}, {400, 400, 0xBDAEA9}};
    for (int y = 232; y <= 325; ++y) expected.push_back({400, y, 0xA8A6A9});
    EXPECT_EQ(Mismatches(expected, frame), "");
}

// At 10:20:37 the second needle's tip lies 150 pixels along 222 degrees, the
// hour needle's 100 along 300 (it moves only on the hour), the crank pin 70
// along 222; hour 22 draws like hour 10. The slider sits at L = 62 along the minute angle, so
// rhombus 0 has the vertices (451,434) (470,480) (520,480) (501,434); its fill blends from yellow
// at the outer vertex through orange at the side vertices to red at the inner one.
TEST(DialMechanism, HandsRingAndFillFollowTheirOwnUnitOfTime) {
    const ScreenCapture frame = FrameAt(10, 20, 37);
    EXPECT_EQ(Mismatches({{300, 511, kNeedle}, {314, 351, kNeedle}, {354, 452, 0xE3E2E1}}, frame),
              "");
    EXPECT_EQ(FrameAt(22, 20, 37).At(314, 351), kNeedle);
    EXPECT_EQ(frame.At(499, 466), 0xF7CF2Eu);
    EXPECT_EQ(frame.At(479, 467), 0xEDAB19u);
    EXPECT_EQ(frame.At(492, 447), 0xEDAA18u);
    EXPECT_EQ(frame.At(472, 448), 0xD56C0Du);
}

// A vertical first edge or a single point has no inside.
TEST(DialMechanism, DegenerateQuadsFillNothing) {
    const ScreenCapture drawn = Drawn(60, 60, [] {
        FillGradientQuad({10, 10}, {10, 50}, {50, 50}, {50, 10});
        FillGradientQuad({5, 5}, {5, 5}, {5, 5}, {5, 5});
    });
    EXPECT_EQ(std::count(drawn.pixels.begin(), drawn.pixels.end(), 0u), 60 * 60);
}

// Without a target image the dial renders nothing and keeps nothing.
TEST(DialPlate, RenderingIntoNoImageLeavesNoGdiObject) {
    EXPECT_EQ(GdiObjectsLeftBy([] { RenderDialPlate(nullptr); }), 0);
    EXPECT_EQ(GetWindowHandle(), nullptr);
}

// At noon: the needles' hub, the hour needle pointing at 12, the disc, a
// corner the tiles leave uncovered. Standard output carries one rising
// number of seconds per frame.
TEST(DialClockProgram, ShowsTheDialWritesOneRisingLinePerFrameAndEnds) {
    const std::wstring output = ProgramDirectory() + L"dialclock_output.txt";
    const ClockCheck noon =
        ShowsPixels({{400, 400, 0xBDAEA9}, {397, 350, kNeedle}, {330, 470, 0xE0E0E0}, {10, 60, 0}});
    EXPECT_EQ(RunClockAsAUser(L"dialclock", "2026-01-01 12:00:00", 800, 800, noon, L"", output),
              "");
    std::vector<double> seconds;
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        double value = 0;
        while (std::fscanf(file, "%lf", &value) == 1) seconds.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    ASSERT_GE(seconds.size(), 2u);
    EXPECT_GT(seconds.front(), 0);
    EXPECT_GT(seconds.back(), seconds.front());
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
}
