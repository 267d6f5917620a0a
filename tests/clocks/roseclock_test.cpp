// roseclock: dial, hands, rose and caption drawn by its own routines and
// checked at the coordinates and colours the clock is built on (the caption
// against raw GDI text); its particles; and the real program.
#include <algorithm>
#include <cstring>

#include "clock_test.h"
#include "rose_drawing.h"

constexpr int kWidth = 700;
constexpr int kHeight = 750;
constexpr wchar_t kCaption46[] = L"roseCurve:\u03C1=sin( 4/ 6\u03B8)";

// An image of the window's size cleared to the clock's background, the
// current target until the test ends.
class RoseImage : public testing::Test {
protected:
    void SetUp() override {
        SetTargetImage(&image_);
        SetBackgroundColor(kRoseBackground);
        ClearTarget();
    }
    void TearDown() override { SetTargetImage(nullptr); }
    IMAGE image_{kWidth, kHeight};
};

// At noon the rose is a white circle of diameter 233 hanging below the
// centre (its bottom and right side), over the six o'clock mark of 19 x 19;
// each hand is two lines either side of the upward direction: hour 8.75 left
// and right, minute 5.25 left, second 1.75 either side and 210 long.
TEST_F(RoseImage, NoonShowsACircleAndHandsPointingUp) {
    DrawDial();
    DrawRose(1, 1, 0, 300, RoseColour(0, 0));
    DrawHands(12, 0, 0);
    EXPECT_EQ(Mismatches({{350, 607, kRoseWhite},
                          {350, 610, kRoseFace},
                          {466, 491, kRoseWhite},
                          {470, 491, kRoseFace},
                          {359, 611, 0x555555},
                          {341, 320, 0xC19732},
                          {358, 320, 0xC19732},
                          {344, 220, 0x66C6C6},
                          {348, 180, 0x8E56BF},
                          {351, 180, 0x8E56BF},
                          {348, 164, kRoseFace}},
                         GetPixelColor),
              "");
}

// At 10:20:37 the second hand points along 222 degrees, the minute hand
// along 123.7, the hour hand along 310.3, each a pair of lines in its colour.
TEST_F(RoseImage, EachHandFollowsItsOwnUnitOfTime) {
    DrawDial();
    DrawHands(10, 20, 37);
    ScreenCapture shown;
    shown.width = kWidth;
    shown.height = kHeight;
    shown.pixels = PixelsOf(image_);
    const POINT centre = {350, 375};
    EXPECT_GE(PixelsAcross(shown, centre, 222, 180, PixelOf(0x8E56BF)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 123.7, 140, PixelOf(0x66C6C6)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 310.3, 90, PixelOf(0xC19732)), 1);
}

// 4/6 petals reduce to 2/3 in 500 steps; the caption keeps two places per
// number; a buffer too small is left empty, not cut, and none is refused.
TEST(RoseCurve, ReducesPetalsAndCaptionsThemInTwoPlaces) {
    const RoseShape shape = ReduceRose(4, 6);
    EXPECT_EQ(shape.n, 2);
    EXPECT_EQ(shape.d, 3);
    EXPECT_EQ(shape.steps, 500);
    wchar_t caption[32];
    ASSERT_TRUE(FormatCaption(4, 6, caption, 32));
    EXPECT_STREQ(caption, kCaption46);
    ASSERT_TRUE(FormatCaption(6, 20, caption, 32));
    EXPECT_STREQ(caption, L"roseCurve:\u03C1=sin( 6/20\u03B8)");
    wchar_t small[4] = L"x";
    EXPECT_FALSE(FormatCaption(4, 6, small, 4));
    EXPECT_EQ(small[0], L'\0');
    EXPECT_FALSE(FormatCaption(4, 6, nullptr, 32));
}

// White fades toward orange over the last four seconds of ten.
TEST(RoseCurve, ColourFadesOverTheLastFourSecondsOfTen) {
    EXPECT_EQ(RoseColour(5, 999), kRoseWhite);
    EXPECT_EQ(RoseColour(6, 0), RGB(254, 255, 255));
    EXPECT_EQ(RoseColour(9, 999), RGB(254, 164, 16));
    EXPECT_EQ(RoseColour(59, 999), RGB(254, 164, 16));
}

// At theta = 1/4 the 4/6 curve passes (350 - 164.75, 375 + 164.75), give or
// take a pixel.
TEST_F(RoseImage, CurvePassesItsPointAtAQuarterTurn) {
    const COLORREF fading = RoseColour(37, 500);
    DrawRose(4, 6, 0, 300, fading);
    int onCurve = 0;
    for (int i = 0; i < 9; ++i) onCurve += GetPixelColor(184 + i % 3, 538 + i / 3) == fading;
    EXPECT_GT(onCurve, 0);
}

// The caption in its face, size, slant and colour, as raw GDI writes it.
TEST_F(RoseImage, CaptionIsRawGdiText) {
    WriteCaption(4, 6);
    GdiTwin twin(kWidth, kHeight);
    twin.Fill(0xF6F6F6F6);  // a grey clear sets every byte of the pixel
    SetBkColor(twin.Dc(), kRoseBackground);
    SetTextColor(twin.Dc(), 0x009ED0);
    SelectAndDelete(twin.Dc(), CreateFontW(25, 0, 0, 0, 0, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0,
                                           ANTIALIASED_QUALITY, 0, L"\u9ED1\u4F53"));
    TextOutW(twin.Dc(), 210, 655, kCaption46, static_cast<int>(wcslen(kCaption46)));
    EXPECT_EQ(ComparePixels(image_, twin), "");
    const std::vector<DWORD> drawn = PixelsOf(image_);
    EXPECT_GT(drawn.size() - std::count(drawn.begin(), drawn.end(), 0xF6F6F6u), 200u);
}

// Indices outside the particle array, petal numbers below 1 and a line that
// is a point change nothing.
TEST_F(RoseImage, BadArgumentsChangeNothing) {
    const std::vector<DWORD> before = PixelsOf(image_);
    Particle kept[kParticleCount];
    std::memcpy(kept, particles, sizeof kept);
    SpawnParticle(-1);
    SpawnParticle(kParticleCount);
    DrawSmoothLine(100, 100, 100, 100, 0);
    DrawRose(0, 0, 0, 300, kRoseWhite);
    DrawRose(-3, 2, 0, 300, kRoseWhite);
    DrawRose(2, -1, 0, 300, kRoseWhite);
    EXPECT_EQ(std::memcmp(kept, particles, sizeof kept), 0);
    EXPECT_TRUE(PixelsOf(image_) == before);
}

// A new second redraws the dial (the curve starts again every tenth second);
// so does the middle of a fading second, and only its middle. A minute of
// passes, each setting a font, pens and brushes, leaves no GDI object behind.
TEST_F(RoseImage, NewSecondsAndMidFadeRedrawTheDial) {
    SYSTEMTIME time = {};
    time.wHour = 12;
    time.wSecond = 10;
    int step = 150;
    int lastSecond = -1;
    DrawTimeStep(time, &step, &lastSecond);  // a first use may set up lasting system objects
    EXPECT_EQ(step, 1);
    EXPECT_EQ(lastSecond, 10);
    time.wSecond = 16;
    time.wMilliseconds = 400;
    lastSecond = 16;
    step = 40;
    SetPixelColor(450, 275, 0);
    DrawTimeStep(time, &step, &lastSecond);
    EXPECT_EQ(GetPixelColor(450, 275), 0u);
    time.wMilliseconds = 500;
    DrawTimeStep(time, &step, &lastSecond);
    EXPECT_EQ(GetPixelColor(450, 275), kRoseFace);
    EXPECT_EQ(step, 40);
    auto minute = [&] {
        for (time.wSecond = 1; time.wSecond < 60; ++time.wSecond) {
            DrawTimeStep(time, &step, &lastSecond);
            ++step;
        }
    };
    EXPECT_EQ(GdiObjectsLeftBy(minute), 0);
}

// A thousand passes leave the face untouched and each particle shown at its
// current pixel only (earlier ones erased).
TEST_F(RoseImage, ParticlesStayOffTheFaceAndLeaveNoTrail) {
    DrawDial();
    const std::vector<DWORD> dial = PixelsOf(image_);
    std::srand(11);
    for (int i = 0; i < kParticleCount; ++i) SpawnParticle(i);
    for (Particle& p : particles) p.x = std::rand() % kWidth;
    for (int pass = 0; pass < 1000; ++pass) MoveParticles();
    const std::vector<DWORD> after = PixelsOf(image_);
    int changedOnFace = 0;
    int particlePixels = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int x = i % kWidth - 350;
        const int y = i / kWidth - 375;
        if (x * x + y * y <= 281 * 281) {
            changedOnFace += after[i] != dial[i];
        } else {
            particlePixels += after[i] != PixelOf(kRoseBackground);
        }
    }
    EXPECT_EQ(changedOnFace, 0);
    EXPECT_GT(particlePixels, 0);
    EXPECT_LE(particlePixels, kParticleCount);
}

// One leaving on the right reappears on the left, at a new height and speed,
// in the colour of its speed.
TEST_F(RoseImage, ParticlePastTheRightEdgeReappearsOnTheLeft) {
    particles[0] = {699.9, 10, 0.5, RGB(1, 2, 3)};
    SetPixelColor(699, 10, RGB(1, 2, 3));
    MoveParticles();
    const Particle& p = particles[0];
    const int b = static_cast<int>(p.speed * 100) % 100;
    EXPECT_EQ(p.x, 0.0);
    EXPECT_GE(p.y, 0);
    EXPECT_LT(p.y, kHeight);
    EXPECT_GE(p.speed, 0.4);
    EXPECT_LT(p.speed, 1.9);
    EXPECT_EQ(p.colour, RGB(130 - 6 * b / 10, 60 - 2 * b / 10, 180 - 8 * b / 10));
    EXPECT_EQ(GetPixelColor(699, 10), kRoseBackground);
    EXPECT_EQ(GetPixelColor(0, p.y), p.colour);
}

// Without a minimize box; the hour hand's left side pointing up (its right
// side may meet the second hand), the face, the six o'clock mark.
TEST(RoseClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck pixels = ShowsPixels(
        {{341, 320, 0x3297C1}, {341, 280, 0x3297C1}, {450, 275, 0xFEE8C3}, {350, 620, 0x555555}});
    auto check = [&pixels](HWND window, const ScreenCapture& shown) -> std::string {
        if (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX) return "a minimize box";
        return pixels(window, shown);
    };
    EXPECT_EQ(RunClockAsAUser(L"roseclock", "2026-01-01 12:00:00", kWidth, kHeight, check), "");
}
