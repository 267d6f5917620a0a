// dialclock: the dial's smoothing, blur, shading and numerals against raw GDI
// and their fixed values; the mechanism's positions; the real program.
#include "dial_plate.h"
#include "mechanism.h"
#include "smooth_drawing.h"

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using namespace KanvoTest;

const COLORREF kInk = RGB(250, 240, 10);
const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};

COLORREF ColorAt(const DWORD* pixels, int width, int x, int y) {
    const DWORD pixel = pixels[y * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
COLORREF ColorAt(IMAGE& image, int x, int y) {
    return ColorAt(GetSurfacePixels(&image), image.Width(), x, y);
}

int CountNot(IMAGE& image, COLORREF color) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) count += ColorAt(image, x, y) != color;
    return count;
}

// Draws with Kanvo on a grey 200 x 200 image and with the raw stroke on its
// twin; counts the pixels where they differ and, of those, the ones outside
// the fringe (`inFringe` says where it may lie) or not a blend of ink and stroke.
template <class Kanvo, class Stroke, class InFringe>
int CountFringe(Kanvo kanvo, Stroke stroke, InFringe inFringe, int* stray) {
    IMAGE image(200, 200);
    GdiTwin twin(200, 200);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(30, 60, 90));
    ClearTarget();
    kanvo();
    SetTargetImage(nullptr);
    twin.Fill(0x1E3C5A);
    LOGBRUSH brush = {BS_SOLID, kInk, 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 5, &brush, 0, nullptr)));
    SelectObject(twin.Dc(), GetStockObject(NULL_BRUSH));
    stroke(twin.Dc());
    GdiFlush();
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const COLORREF actual = ColorAt(image, x, y), gdi = ColorAt(twin.Pixels(), 200, x, y);
            if (actual == gdi) continue;
            ++differing;
            bool blend = true;  // each channel between ink and stroke (truncation may take one more)
            for (int shift = 0; shift <= 16; shift += 8) {
                const int m = (actual >> shift) & 0xFF, p = (kInk >> shift) & 0xFF, q = (gdi >> shift) & 0xFF;
                blend = blend && m >= std::min(p, q) - 1 && m <= std::max(p, q);
            }
            *stray += !blend || !inFringe(x, y);
        }
    return differing;
}

TEST(DialPlate, MixColorWeighsEachChannel) {
    EXPECT_EQ(MixColor(0x00123456, 0x00ABCDEF, 1), 0x00123456u);
    EXPECT_EQ(MixColor(0x00123456, 0x00ABCDEF, 0), 0x00ABCDEFu);
    EXPECT_EQ(MixColor(0x000000FF, 0, 0.5), 0x0000007Fu);
    EXPECT_EQ(MixColor(0x00FF8040, 0, 0.5), 0x007F4020u);
}

TEST(DialPlate, SmoothFringesStayInTheirBandAndSquareAndEndSquare) {
    int stray = 0;
    EXPECT_GT(CountFringe([] { DrawSmoothCircle(100, 100, 60, kInk, 5); },
                          [](HDC dc) { Ellipse(dc, 40, 40, 160, 160); },
                          [](int x, int y) {
                              const double band = std::fabs(60 - std::hypot(x - 100, y - 100));
                              return x >= 40 && x < 160 && y >= 40 && y < 160 && band >= 1.5 &&
                                     band <= 3.5;
                          }, &stray), 300);
    EXPECT_GT(CountFringe([] { DrawSmoothLine(40, 60, 150, 130, kInk, 5); },
                          [](HDC dc) {
                              MoveToEx(dc, 40, 60, nullptr);
                              LineTo(dc, 150, 130);
                          },
                          [](int x, int y) {  // on the segment's span, 1 to 4 pixels from it
                              const double t = ((x - 40.0) * 110 + (y - 60.0) * 70) / (110 * 110 + 70 * 70);
                              const double dist = std::fabs((x - 40.0) * 70 - (y - 60.0) * 110) / std::hypot(110, 70);
                              return t >= 0 && t <= 1 && dist > 1 - 1e-9 && dist < 4 + 1e-9;
                          }, &stray), 200);
    EXPECT_EQ(stray, 0);
}

TEST(DialPlate, SphereIsGrey123AtTheCentreAndLitFromTheUpperLeft) {
    IMAGE image(800, 800);
    SetTargetImage(&image);
    ShadeSphere({Point3(400, 400, -500, 0xFFFFFF), 100, 0xFFFFFF},
                {Point3(-100, 0, 100, 0xFFFFFF), 255, 255, 255, 0}, 70, 70, 660, 660,
                Point3(400, 400, 600, 0xFFFFFF));
    SetTargetImage(nullptr);
    EXPECT_EQ(ColorAt(image, 400, 400), RGB(123, 123, 123));
    EXPECT_GT(GetRValue(ColorAt(image, 380, 385)), 123);
    EXPECT_LT(GetRValue(ColorAt(image, 420, 415)), 123);
    EXPECT_EQ(ColorAt(image, 345, 400) | ColorAt(image, 455, 400), 0u);  // columns 346 to 454
    // Grey everywhere, from the ambient 12 (a channel past 255 would wrap below it) to a highlight.
    int offRange = 0, brightest = 0;
    for (int y = 346; y <= 454; ++y)
        for (int x = 346; x <= 454; ++x) {
            const COLORREF c = ColorAt(image, x, y);
            offRange += c != 0 && (GetRValue(c) < 12 || c != RGB(GetRValue(c), GetRValue(c), GetRValue(c)));
            brightest = std::max<int>(brightest, GetRValue(c));
        }
    EXPECT_EQ(offRange, 0);
    EXPECT_GT(brightest, 200);
}

TEST(DialPlate, BlurLosesAtMostOneUnitPerPassAndStaysInsideThinRegions) {
    IMAGE image(50, 43);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(163, 73, 164));
    ClearTarget();
    BlurRegion(0, 0, 50, 43);
    EXPECT_EQ(CountNot(image, RGB(163, 72, 164)), 0);
    SetBackgroundColor(RGB(255, 255, 255));
    ClearTarget();
    BlurRegion(0, 0, 50, 43);
    BlurRegion(0, 0, 0, 43);  // empty regions change nothing
    BlurRegion(0, 0, 50, -1);
    EXPECT_EQ(CountNot(image, RGB(254, 254, 254)), 0);
    for (int y = 0; y < 43; ++y) SetPixelColor(7, y, RGB(0, 0, 255));
    BlurRegion(7, 0, 1, 43);  // one column wide: every sample wraps into it
    EXPECT_EQ(static_cast<int>(GetRValue(ColorAt(image, 7, 20))), 0);
    SetTargetImage(nullptr);
}

TEST(DialPlate, HourZeroIsNumberedTwelveOnATransparentBackground) {
    IMAGE image(800, 800);
    GdiTwin twin(800, 800);
    for (int i = 0; i < 800 * 800; ++i)  // stripes would show a painted text box
        GetSurfacePixels(&image)[i] = twin.Pixels()[i] = (i / 800) % 4 < 2 ? 0xC0C0C0 : 0x406080;
    SetTargetImage(&image);
    DrawHourMarks(400, 400, 220, 30, 40);
    EXPECT_EQ(GetBackgroundMode(), OPAQUE);
    SetTargetImage(nullptr);
    SetTextColor(twin.Dc(), 0x00804000);
    SetBkMode(twin.Dc(), TRANSPARENT);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(55, 40, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0,
                                                     0, ANTIALIASED_QUALITY, 0, L"Corbel")));
    TextOutW(twin.Dc(), 380, 83, L"12", 2);
    GdiFlush();
    int differing = 0, inked = 0;  // in the numeral's box, clear of the ticks
    for (int y = 60; y < 144; ++y)
        for (int x = 330; x < 470; ++x) {
            differing += ColorAt(image, x, y) != ColorAt(twin.Pixels(), 800, x, y);
            inked += ColorAt(twin.Pixels(), 800, x, y) != ColorAt(twin.Pixels(), 800, 0, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 300);
}

HandAngles AnglesAt(int hour, int minute, int second) {
    tm time = {};
    time.tm_hour = hour, time.tm_min = minute, time.tm_sec = second;
    return HandAnglesAt(time);
}

int SliderAt(const HandAngles& a) { return SliderDistance(a.second - a.minute, kCrankRadius, kRodLength); }

// One frame's moving parts on a fresh image of grey 224.
void DrawFrameAt(IMAGE& image, int hour, int minute, int second) {
    SetTargetImage(&image);
    ResetBackground();
    DrawMovingParts({400, 400}, AnglesAt(hour, minute, second), kLight);
    SetTargetImage(nullptr);
}

TEST(Mechanism, AtMidnightTheRodRunsStraightUpToTheInnerVertex) {
    EXPECT_EQ(SliderAt(AnglesAt(0, 0, 0)), 170);
    POINT ring[12][4];
    ComputeStarRing(400, 400, 170, kRhombusSide, AnglesAt(0, 0, 0).minute, ring);
    EXPECT_EQ(ring[0][0].x, 400);
    EXPECT_EQ(ring[0][0].y, 230);

    IMAGE image(800, 800);
    DrawFrameAt(image, 0, 0, 0);  // a first use may set up lasting system objects
    const int gdiBefore = FreeGdiSlots();
    DrawFrameAt(image, 0, 0, 0);
    const int gdiAfter = FreeGdiSlots();
    EXPECT_EQ(gdiAfter, gdiBefore);
    int offRod = 0;
    for (int y = 232; y <= 325; ++y) offRod += ColorAt(image, 400, y) != 0x00A9A6A8;
    EXPECT_EQ(offRod, 0);
    EXPECT_EQ(ColorAt(image, 400, 330), 0x00E1E2E3u);  // the crank pin
    EXPECT_EQ(ColorAt(image, 400, 400), 0x00A9AEBDu);  // the needles' hub, at their centre
    EXPECT_EQ(ColorAt(image, 2, 2), 0x00E0E0E0u);
}

TEST(Mechanism, RingBreathesWithTheAngleBetweenSecondAndMinute) {
    EXPECT_EQ(SliderAt(AnglesAt(0, 30, 0)), 30);  // opposite
    EXPECT_EQ(SliderAt(AnglesAt(7, 15, 0)), 71);  // at a right angle
    POINT ring[12][4];
    ComputeStarRing(400, 400, 30, kRhombusSide, AnglesAt(0, 30, 0).minute, ring);
    EXPECT_EQ(ring[0][0].x, 400);
    EXPECT_EQ(ring[0][0].y, 429);  // 30 * -cos(3.1415926) = 29.99999..., truncated
}

TEST(Mechanism, HoursTwelveToTwentyThreeDrawLikeZeroToEleven) {
    IMAGE afternoon(800, 800), night(800, 800), hourLater(800, 800);
    DrawFrameAt(afternoon, 15, 20, 10);
    DrawFrameAt(night, 3, 20, 10);
    DrawFrameAt(hourLater, 4, 20, 10);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&afternoon), GetSurfacePixels(&night), 800, 800), "");
    EXPECT_NE(ComparePixels(GetSurfacePixels(&hourLater), GetSurfacePixels(&night), 800, 800), "");
}

TEST(Mechanism, DegenerateQuadsAndDrawingWithoutAWindowDoNothing) {
    IMAGE image(60, 60);
    SetTargetImage(&image);
    FillGradientQuad({10, 10}, {10, 50}, {50, 50}, {50, 10});  // P0P1 vertical
    FillGradientQuad({5, 5}, {5, 5}, {5, 5}, {5, 5});
    EXPECT_EQ(CountNot(image, 0), 0);
    SetTargetImage(nullptr);
    const int gdiBefore = FreeGdiSlots();
    DrawMovingParts({400, 400}, AnglesAt(9, 5, 7), kLight);
    RenderDialPlate(nullptr);
    const int gdiAfter = FreeGdiSlots();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(GetWindowHandle(), nullptr);
}

// The real program at 12:00:00, once its first frame shows the needles' hub.
HWND StartAtNoon(ProgramDriver& program) {
    HWND window = StartClockAt(program, L"dialclock", "2026-01-01 12:00:00");
    return window && WaitForPixel(window, 400, 400, 0xBDAEA9) ? window : nullptr;
}

TEST(DialClockProgram, ShowsTheDialWritesOneRisingLinePerFrameAndEndsOnAKey) {
    const std::wstring output = ProgramDirectory() + L"dialclock_output.txt";
    ProgramDriver program;
    program.SendOutputTo(output);
    HWND window = StartAtNoon(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowTitle(window), L"dialclock");
    const ScreenCapture shown = CaptureClientArea(window);
    ASSERT_EQ(shown.width, 800);
    ASSERT_EQ(shown.height, 800);
    EXPECT_EQ(shown.At(397, 350), 0x7F6454u);  // the hour needle, pointing at 12
    EXPECT_EQ(shown.At(330, 470), 0xE0E0E0u);  // the disc
    EXPECT_EQ(shown.At(10, 60), 0u);           // left uncovered by the tiles
    Sleep(300);
    ASSERT_TRUE(program.TypeKeyInConsole(L'q'));
    EXPECT_EQ(program.WaitForExit(10000), 0u);

    std::vector<double> seconds;
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        for (double value; std::fscanf(file, "%lf", &value) == 1;) seconds.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    ASSERT_GE(seconds.size(), 2u);
    EXPECT_GT(seconds.front(), 0.0);
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
    EXPECT_GT(seconds.back(), seconds.front());
}

TEST(DialClockProgram, CloseBoxEndsIt) {
    ProgramDriver program;
    ASSERT_NE(StartAtNoon(program), nullptr);
    ASSERT_TRUE(program.PressCloseBox());
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace
