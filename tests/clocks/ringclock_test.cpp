// ringclock: the colour easing's worked values, the rings' strokes where they
// end, the unpadded digits against raw GDI text, and the real program with
// and without its background picture.
#include "ring_drawing.h"

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

namespace {

using namespace KanvoTest;

const COLORREF kGrey = RGB(90, 90, 90);
const double kHourRadius = 320 / 3.8, kMinuteRadius = 320 / 3.15, kSecondRadius = 320 / 2.65;

COLORREF ColorAt(const DWORD* pixels, int x, int y) {
    const DWORD pixel = pixels[y * 640 + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The components after `steps` steps from black toward the target.
COLORREF Eased(int steps, int red, int green, int blue, int divisor) {
    int r = 0, g = 0, b = 0;
    for (int i = 0; i < steps; ++i) StepColorToward(r, g, b, red, green, blue, divisor);
    return RGB(r, g, b);
}

TEST(RingColors, EasingStopsShortOfTheTargetAsTheWorkedValuesSay) {
    EXPECT_EQ(Eased(149, 180, 206, 255, 80), RGB(101, 127, 176));  // the hour fan's layer 0
    EXPECT_EQ(Eased(180, 124, 255, 231, 100), RGB(25, 156, 132));  // the minute trail's
    EXPECT_EQ(Eased(200, 0, 252, 252, 80), RGB(0, 173, 173));      // the seconds trail's
    EXPECT_EQ(Eased(200, 0, 12, 12, 80), RGB(0, 0, 0));            // below the divisor: black
    int r = 101, g = 127, b = 176;
    const COLORREF tips[4] = {RGB(68, 85, 118), RGB(46, 57, 79), RGB(31, 38, 53), RGB(21, 26, 36)};
    for (COLORREF tip : tips) {
        StepColorToward(r, g, b, 0, 0, 0, 3);
        EXPECT_EQ(RGB(r, g, b), tip);
    }
    StepColorToward(r, g, b, 255, 255, 255, 0);  // no divisor, no step
    EXPECT_EQ(RGB(r, g, b), tips[3]);
}

// The rings of 00:00:00, each on its own grey 640 x 480 image with the origin
// at the centre; `check` reads the image's pixels.
template <class Check>
void DrawRingAtMidnight(double radius, int kind, Check check) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    SetBackgroundColor(kGrey);
    ClearTarget();
    MoveOrigin(320, 240);
    DrawRing(radius, 0, kind);
    SetTargetImage(nullptr);
    check(GetSurfacePixels(&image));
}

TEST(RingStrokes, AtMidnightTheBrightestStrokesLieStraightAboveTheCentre) {
    DrawRingAtMidnight(kHourRadius, 'h', [](const DWORD* p) {
        EXPECT_EQ(ColorAt(p, 317, 160), RGB(101, 127, 176));  // the fan's last line, 1.8 degrees behind
        EXPECT_EQ(ColorAt(p, 322, 160), RGB(31, 38, 53));     // tip lines 2 and 3 degrees ahead
        EXPECT_EQ(ColorAt(p, 324, 160), RGB(21, 26, 36));
        EXPECT_EQ(ColorAt(p, 320, 200), RGB(0, 0, 0));        // the centre disc
    });
    DrawRingAtMidnight(kMinuteRadius, 'm', [](const DWORD* p) {
        EXPECT_EQ(ColorAt(p, 316, 138), RGB(25, 156, 132));
    });
    DrawRingAtMidnight(kSecondRadius, 's', [](const DWORD* p) {
        EXPECT_EQ(ColorAt(p, 320, 120), RGB(0, 173, 173));  // index 0 at (0, -120)
        EXPECT_EQ(ColorAt(p, 320, 105), kGrey);
    });
    DrawRingAtMidnight(kSecondRadius, 'x', [](const DWORD* p) {  // an unknown kind: the disc only
        EXPECT_EQ(ColorAt(p, 320, 120), kGrey);
        EXPECT_EQ(ColorAt(p, 320, 240), RGB(0, 0, 0));
    });
}

TEST(RingDigits, AreWrittenUnpaddedAtFixedPlacesAndLeakNothing) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    MoveOrigin(320, 240);
    SelectDigitFont();
    tm time = {};
    time.tm_hour = 9, time.tm_min = 5, time.tm_sec = 7;
    Ring hour = {kHourRadius, 0}, min = {kMinuteRadius, 0}, sec = {kSecondRadius, 0};
    DrawRingFrame(time, hour, min, sec);  // a first frame may set up lasting system objects
    const int gdiBefore = FreeGdiSlots();
    DrawRingFrame(time, hour, min, sec);
    const int gdiAfter = FreeGdiSlots();
    SetTargetImage(nullptr);
    EXPECT_EQ(gdiAfter, gdiBefore);

    GdiTwin twin(640, 480);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(24, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                                     ANTIALIASED_QUALITY, 0, L"\u9ED1\u4F53")));
    const struct { int x; const wchar_t* text; } texts[] = {
        {270, L"9"}, {300, L":"}, {310, L"5"}, {340, L":"}, {350, L"7"}};
    for (const auto& t : texts) TextOutW(twin.Dc(), t.x, 235, t.text, 1);
    GdiFlush();
    int differing = 0, inked = 0;  // inside the black disc under the digits
    for (int y = 233; y < 263; ++y)
        for (int x = 265; x < 376; ++x) {
            differing += ColorAt(GetSurfacePixels(&image), x, y) != ColorAt(twin.Pixels(), x, y);
            inked += ColorAt(twin.Pixels(), x, y) != 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 50);
}

// The real program at 12:00:00 in `directory`, once its first frame (drawn
// when the next second begins) shows the hour fan at twelve.
HWND StartAtNoon(ProgramDriver& program, const std::wstring& directory) {
    HWND window = StartClockAt(program, L"ringclock", "2026-01-01 12:00:00", directory);
    return window && WaitForPixel(window, 317, 160, 0x657FB0) ? window : nullptr;
}

TEST(RingClockProgram, ShowsItsPictureAndRingsAndEndsOnAKey) {
    IMAGE picture;
    ReadImageFile(&picture, (ClockProgramDirectory(L"ringclock") + L"001.png").c_str());
    ASSERT_GE(picture.Width(), 1000);
    ASSERT_GE(picture.Height(), 545);
    ProgramDriver program;
    HWND window = StartAtNoon(program, ClockProgramDirectory(L"ringclock"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowTitle(window), L"ringclock");
    const ScreenCapture shown = CaptureClientArea(window);
    ASSERT_EQ(shown.width, 640);
    ASSERT_EQ(shown.height, 480);
    // The picture's point (360, 65) is the window's corner.
    const DWORD* pixels = GetSurfacePixels(&picture);
    const int w = picture.Width();
    EXPECT_EQ(shown.At(0, 0), pixels[65 * w + 360] & 0xFFFFFF);
    EXPECT_EQ(shown.At(639, 479), pixels[544 * w + 999] & 0xFFFFFF);
    EXPECT_EQ(shown.At(100, 400), pixels[465 * w + 460] & 0xFFFFFF);
    ASSERT_TRUE(program.TypeKeyInConsole(L'q'));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

TEST(RingClockProgram, RunsWithoutItsPictureAndEndsByTheCloseBox) {
    ProgramDriver program;
    HWND window = StartAtNoon(program, ProgramDirectory());  // no 001.png here
    ASSERT_NE(window, nullptr);
    const ScreenCapture shown = CaptureClientArea(window);
    EXPECT_EQ(shown.At(5, 5), 0u);
    ASSERT_TRUE(program.PressCloseBox());
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace
