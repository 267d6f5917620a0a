// The rose-curve clock: dial, hands, rose and caption drawn by its own
// routines and checked at the coordinates and colours the clock is built on
// (the caption against raw GDI text); its particles; and the real program
// run at a faked local time.
#include <gtest/gtest.h>

#include <kanvo.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "clock_program.h"
#include "gdi_twin.h"
#include "resource_counts.h"
#include "rose_drawing.h"

namespace {

using namespace KanvoTest;

constexpr int kWidth = 700;
constexpr int kHeight = 750;

// A window-sized image cleared to the clock's background, the current target.
class RoseImage : public testing::Test {
protected:
    void SetUp() override {
        SetTargetImage(&image_);
        SetBackgroundColor(kRoseBackground);
        ClearTarget();
    }
    void TearDown() override { SetTargetImage(nullptr); }
    std::vector<DWORD> Pixels() {
        GdiFlush();
        const DWORD* pixels = GetSurfacePixels(&image_);
        return std::vector<DWORD>(pixels, pixels + kWidth * kHeight);
    }
    IMAGE image_{kWidth, kHeight};
};

// True when the curve's exact colour lies within one pixel of (x, y).
bool ColourNear(int x, int y, COLORREF colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (GetPixelColor(x + dx, y + dy) == colour) return true;
    return false;
}

using RoseFrame = RoseImage;

TEST_F(RoseFrame, AtNoonTheRoseIsAWhiteCircleThroughTheCentreAndTheHandsPointUp) {
    EXPECT_EQ(RoseColour(0, 0), kRoseWhite);
    DrawDial();
    DrawRose(1, 1, 0, 300, kRoseWhite);
    DrawHands(12, 0, 0);

    // The circle of diameter 233 hangs below the centre: bottom and right side.
    EXPECT_EQ(GetPixelColor(350, 607), kRoseWhite);
    EXPECT_EQ(GetPixelColor(350, 610), kRoseFace);
    EXPECT_EQ(GetPixelColor(466, 491), kRoseWhite);
    EXPECT_EQ(GetPixelColor(470, 491), kRoseFace);
    EXPECT_EQ(GetPixelColor(359, 611), 0x555555u);  // the six o'clock mark, 19 x 19
    // Each hand is two lines either side of the upward direction.
    EXPECT_EQ(GetPixelColor(341, 320), 0xC19732u);  // hour, 8.75 left of the centre line
    EXPECT_EQ(GetPixelColor(358, 320), 0xC19732u);
    EXPECT_EQ(GetPixelColor(344, 220), 0x66C6C6u);  // minute, 5.25 left
    EXPECT_EQ(GetPixelColor(348, 180), 0x8E56BFu);  // second, 1.75 either side
    EXPECT_EQ(GetPixelColor(351, 180), 0x8E56BFu);
    EXPECT_EQ(GetPixelColor(348, 164), kRoseFace);   // the second hand is 210 long
}

TEST_F(RoseFrame, AtMinute42Second37ThePetalNumbersReduceToTwoAndThree) {
    const RoseShape shape = ReduceRose(4, 6);
    EXPECT_EQ(shape.n, 2);
    EXPECT_EQ(shape.d, 3);
    EXPECT_EQ(shape.steps, 500);
    wchar_t caption[32];
    ASSERT_TRUE(FormatCaption(37 / 10 + 1, 37 / 30 + (42 % 10) * 2 + 1, caption, 32));
    EXPECT_STREQ(caption, L"roseCurve:\u03C1=sin( 4/ 6\u03B8)");
    ASSERT_TRUE(FormatCaption(6, 20, caption, 32));
    EXPECT_STREQ(caption, L"roseCurve:\u03C1=sin( 6/20\u03B8)");

    // At theta = 1/4 the curve passes (350 - 164.75, 375 + 164.75).
    DrawDial();
    const COLORREF colour = RoseColour(37, 500);
    DrawRose(4, 6, 0, 300, colour);
    EXPECT_TRUE(ColourNear(185, 539, colour));
}

TEST(RoseColour, FadesFromWhiteTowardOrangeOverTheLastFourSecondsOfTen) {
    EXPECT_EQ(RoseColour(5, 999), kRoseWhite);
    EXPECT_EQ(RoseColour(6, 0), RGB(254, 255, 255));
    EXPECT_EQ(RoseColour(9, 999), RGB(254, 164, 16));
    EXPECT_EQ(RoseColour(59, 999), RGB(254, 164, 16));
}

// The caption in its face, size, slant and colour, as raw GDI writes it.
TEST_F(RoseFrame, CaptionMatchesRawGdiTextPixelForPixel) {
    WriteCaption(4, 6);
    GdiTwin twin(kWidth, kHeight);
    twin.Fill(0xF6F6F6F6);  // a grey clear sets every byte of the pixel
    SetBkColor(twin.Dc(), kRoseBackground);
    SetTextColor(twin.Dc(), 0x009ED0);
    LOGFONTW font = {};
    font.lfHeight = 25;
    font.lfItalic = 1;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    lstrcpyW(font.lfFaceName, L"\u9ED1\u4F53");
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(twin.Dc(), handle);
    const wchar_t text[] = L"roseCurve:\u03C1=sin( 4/ 6\u03B8)";
    TextOutW(twin.Dc(), 210, 655, text, static_cast<int>(wcslen(text)));
    SelectObject(twin.Dc(), old);
    DeleteObject(handle);

    EXPECT_EQ(ComparePixels(image_, twin), "");
    int inked = 0;
    for (DWORD pixel : Pixels()) inked += (pixel & 0xFFFFFF) != 0xF6F6F6;
    EXPECT_GT(inked, 200);
}

TEST_F(RoseFrame, BadArgumentsDrawAndChangeNothing) {
    const std::vector<DWORD> before = Pixels();
    Particle particlesBefore[kParticleCount];
    std::memcpy(particlesBefore, particles, sizeof particlesBefore);
    SpawnParticle(-1);
    SpawnParticle(kParticleCount);
    EXPECT_EQ(std::memcmp(particlesBefore, particles, sizeof particlesBefore), 0);
    DrawRose(0, 0, 0, 300, kRoseWhite);
    DrawRose(-3, 2, 0, 300, kRoseWhite);
    DrawRose(2, -1, 0, 300, kRoseWhite);
    DrawSmoothLine(100, 100, 100, 100, 0);  // a point
    EXPECT_TRUE(Pixels() == before);
    wchar_t caption[4] = L"x";
    EXPECT_FALSE(FormatCaption(4, 6, caption, 4));  // too small: empty, not cut
    EXPECT_STREQ(caption, L"");
}

// A new second redraws the dial; so does the middle of a fading second, and
// only its middle.
TEST_F(RoseFrame, DialIsRedrawnOnANewSecondAndMidwayThroughFadingSeconds) {
    SYSTEMTIME time = {};
    time.wHour = 12;
    int step = 150, lastSecond = -1;
    time.wSecond = 10;
    DrawTimeStep(time, &step, &lastSecond);
    EXPECT_EQ(step, 1);  // the curve starts again at every tenth second
    EXPECT_EQ(lastSecond, 10);

    time.wSecond = 16;
    lastSecond = 16;
    step = 40;
    SetPixelColor(450, 275, 0);
    time.wMilliseconds = 400;
    DrawTimeStep(time, &step, &lastSecond);
    EXPECT_EQ(GetPixelColor(450, 275), 0u);
    time.wMilliseconds = 500;
    DrawTimeStep(time, &step, &lastSecond);
    EXPECT_EQ(GetPixelColor(450, 275), kRoseFace);
    EXPECT_EQ(step, 40);
}

// Every pass sets a font, pens and brushes; none of them may pile up.
TEST_F(RoseFrame, PassesLeaveNoGdiObjectBehind) {
    SYSTEMTIME time = {};
    int step = 1, lastSecond = -1;
    DrawTimeStep(time, &step, &lastSecond);
    const int before = FreeGdiSlots();
    for (time.wSecond = 1; time.wSecond < 60; ++time.wSecond) {
        DrawTimeStep(time, &step, &lastSecond);
        ++step;
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

using RoseParticles = RoseImage;

TEST_F(RoseParticles, DriftOutsideTheFaceOnlyAndLeaveNoTrail) {
    DrawDial();
    const std::vector<DWORD> dial = Pixels();
    std::srand(11);
    for (int i = 0; i < kParticleCount; ++i) {
        SpawnParticle(i);
        particles[i].x = std::rand() % kWidth;
    }
    for (int pass = 0; pass < 1000; ++pass) MoveParticles();
    const std::vector<DWORD> after = Pixels();
    int changedOnFace = 0, particlePixels = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            const bool onFace = (x - 350) * (x - 350) + (y - 375) * (y - 375) <= 281 * 281;
            if (onFace) changedOnFace += after[i] != dial[i];
            else particlePixels += (after[i] & 0xFFFFFF) != 0xF6F6F6;
        }
    }
    EXPECT_EQ(changedOnFace, 0);
    // Each particle shows at its current pixel only: earlier ones were erased.
    EXPECT_GT(particlePixels, 0);
    EXPECT_LE(particlePixels, kParticleCount);
}

TEST_F(RoseParticles, OneLeavingOnTheRightReappearsOnTheLeft) {
    particles[0] = {699.9, 10, 0.5, RGB(1, 2, 3)};
    SetPixelColor(699, 10, RGB(1, 2, 3));
    MoveParticles();
    const Particle& p = particles[0];
    EXPECT_EQ(p.x, 0.0);
    EXPECT_TRUE(p.y >= 0 && p.y < kHeight);
    EXPECT_TRUE(p.speed >= 0.4 && p.speed < 1.9);
    const int b = static_cast<int>(p.speed * 100) % 100;
    EXPECT_EQ(p.colour, RGB(130 - 6 * b / 10, 60 - 2 * b / 10, 180 - 8 * b / 10));
    EXPECT_EQ(GetPixelColor(699, 10), kRoseBackground);
    EXPECT_EQ(GetPixelColor(0, p.y), p.colour);
}

TEST(RoseClockProgram, ShowsNoonAndEndsOnAKeyInItsConsole) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"roseclock", "2026-01-01 12:00:00", kWidth, kHeight));
    EXPECT_EQ(GetWindowLongW(program.Window(), GWL_STYLE) & WS_MINIMIZEBOX, 0);
    // The hour hand's left side (its right side may meet the second hand).
    ExpectWindowShows(program.Window(), {{341, 320, 0x3297C1, "hour hand pointing up"},
                                         {341, 280, 0x3297C1, "hour hand pointing up"},
                                         {450, 275, 0xFEE8C3, "face"},
                                         {350, 620, 0x555555, "six o'clock mark"}});
    ExpectKeyInConsoleEndsIt(program);
}

TEST(RoseClockProgram, CloseBoxEndsItWithExitCodeZero) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"roseclock", "2026-01-01 12:00:00", kWidth, kHeight));
    ExpectCloseBoxEndsIt(program);
}

}  // namespace
