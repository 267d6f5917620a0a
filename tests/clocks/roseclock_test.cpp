// The rose-curve clock: dial, hands, rose and caption drawn by its own
// routines and checked at the coordinates and colours the clock is built on
// (the caption against raw GDI text); its particles; and the real program
// run at a faked local time.
#include "rose_drawing.h"

#include "clock_test.h"

constexpr int kWidth = 700, kHeight = 750;
constexpr COLORREF kBack = kRoseBackground, kWhite = kRoseWhite, kFace = kRoseFace;
constexpr wchar_t kCaption46[] = L"roseCurve:\u03C1=sin( 4/ 6\u03B8)";

// At noon the rose is a white circle of diameter 233 hanging below the
// centre (its bottom and right side), over the six o'clock mark of 19 x 19;
// each hand is two lines either side of the upward direction: hour 8.75 left
// and right, minute 5.25 left, second 1.75 either side and 210 long. 42:37
// asks for 4/6 petals: reduced 2/3 in 500 steps; the caption keeps two places
// per number. White fades toward orange over the last four seconds of ten.
TEST(Rose, FramesCaptionBadArgumentsAndParticlesAtTheClocksPointsAndColours) {
    IMAGE image(kWidth, kHeight);  // the window's size, cleared to the clock's background
    SetTargetImage(&image);
    SetBackgroundColor(kBack);
    ClearTarget();
    DrawDial();
    DrawRose(1, 1, 0, 300, RoseColour(0, 0));
    DrawHands(12, 0, 0);
    EXPECT_EQ(Mismatches({{350, 607, kWhite},
                          {350, 610, kFace},
                          {466, 491, kWhite},
                          {470, 491, kFace},
                          {359, 611, 0x555555},
                          {341, 320, 0xC19732},
                          {358, 320, 0xC19732},
                          {344, 220, 0x66C6C6},
                          {348, 180, 0x8E56BF},
                          {351, 180, 0x8E56BF},
                          {348, 164, kFace}},
                         GetPixelColor),
              "");
    const RoseShape shape = ReduceRose(4, 6);
    EXPECT_TRUE(shape.n == 2 && shape.d == 3 && shape.steps == 500) << shape.n << shape.d;
    wchar_t caption[32], other[32];
    ASSERT_TRUE(FormatCaption(37 / 10 + 1, 37 / 30 + (42 % 10) * 2 + 1, caption, 32) &&
                FormatCaption(6, 20, other, 32));
    EXPECT_STREQ(caption, kCaption46);
    EXPECT_STREQ(other, L"roseCurve:\u03C1=sin( 6/20\u03B8)");
    EXPECT_EQ(
        Colors({RoseColour(5, 999), RoseColour(6, 0), RoseColour(9, 999), RoseColour(59, 999)}),
        Colors({kWhite, RGB(254, 255, 255), RGB(254, 164, 16), RGB(254, 164, 16)}));
    // At theta = 1/4 the 4/6 curve passes (350 - 164.75, 375 + 164.75), give
    // or take a pixel.
    const COLORREF fading = RoseColour(37, 500);
    DrawRose(4, 6, 0, 300, fading);
    int onCurve = 0;
    for (int i = 0; i < 9; ++i) onCurve += GetPixelColor(184 + i % 3, 538 + i / 3) == fading;
    EXPECT_GT(onCurve, 0);
    // The caption in its face, size, slant and colour, as raw GDI writes it.
    SetBackgroundColor(kBack);
    ClearTarget();
    WriteCaption(4, 6);
    GdiTwin twin(kWidth, kHeight);
    twin.Fill(0xF6F6F6F6);  // a grey clear sets every byte of the pixel
    SetBkColor(twin.Dc(), kBack);
    SetTextColor(twin.Dc(), 0x009ED0);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(25, 0, 0, 0, 0, TRUE, 0, 0, DEFAULT_CHARSET, 0,
                                                     0, ANTIALIASED_QUALITY, 0, L"\u9ED1\u4F53")));
    TextOutW(twin.Dc(), 210, 655, kCaption46, static_cast<int>(wcslen(kCaption46)));
    EXPECT_EQ(ComparePixels(image, twin), "");
    const std::vector<DWORD> drawn = PixelsOf(image);
    EXPECT_GT(drawn.size() - std::count(drawn.begin(), drawn.end(), 0xF6F6F6u), 200u);
    // Indices outside the particle array, petal numbers below 1, a line that is
    // a point, a caption buffer too small (left empty, not cut) or missing
    // change nothing. A minute of passes, each setting a font, pens and
    // brushes, leaves no GDI object behind.
    const std::vector<DWORD> before = PixelsOf(image);
    Particle kept[kParticleCount];
    std::memcpy(kept, particles, sizeof kept);
    SpawnParticle(-1), SpawnParticle(kParticleCount), DrawSmoothLine(100, 100, 100, 100, 0);
    for (POINT nd : {POINT{0, 0}, {-3, 2}, {2, -1}}) DrawRose(nd.x, nd.y, 0, 300, kWhite);
    EXPECT_TRUE(!std::memcmp(kept, particles, sizeof kept) && PixelsOf(image) == before);
    wchar_t small[4] = L"x";
    EXPECT_FALSE(FormatCaption(4, 6, small, 4) || small[0] || FormatCaption(4, 6, nullptr, 32));
    // A new second redraws the dial (the curve starts again every tenth second);
    // so does the middle of a fading second, and only its middle.
    SYSTEMTIME time = {};  // 12:00:10
    time.wHour = 12, time.wSecond = 10;
    int step = 150, lastSecond = -1;
    DrawTimeStep(time, &step, &lastSecond);  // a first use may set up lasting system objects
    EXPECT_TRUE(step == 1 && lastSecond == 10) << step << " " << lastSecond;
    time.wSecond = 16, lastSecond = 16, step = 40, time.wMilliseconds = 400;
    SetPixelColor(450, 275, 0), DrawTimeStep(time, &step, &lastSecond);
    const COLORREF before400 = GetPixelColor(450, 275);
    time.wMilliseconds = 500, DrawTimeStep(time, &step, &lastSecond);
    EXPECT_TRUE(before400 == 0 && GetPixelColor(450, 275) == kFace && step == 40) << step;
    EXPECT_EQ(GdiObjectsLeftBy([&] {
                  for (time.wSecond = 1; time.wSecond < 60; ++time.wSecond, ++step)
                      DrawTimeStep(time, &step, &lastSecond);
              }),
              0);
    // A thousand passes leave the face untouched and each particle shown at
    // its current pixel only (earlier ones erased).
    ClearTarget(), DrawDial();
    const std::vector<DWORD> dial = PixelsOf(image);
    std::srand(11);
    for (int i = 0; i < kParticleCount; ++i) SpawnParticle(i);
    for (Particle& p : particles) p.x = std::rand() % kWidth;
    for (int pass = 0; pass < 1000; ++pass) MoveParticles();
    const std::vector<DWORD> after = PixelsOf(image);
    int changedOnFace = 0, particlePixels = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int x = i % kWidth - 350, y = i / kWidth - 375;
        if (x * x + y * y <= 281 * 281)
            changedOnFace += after[i] != dial[i];
        else
            particlePixels += after[i] != kBack;
    }
    EXPECT_EQ(changedOnFace, 0);
    EXPECT_TRUE(particlePixels > 0 && particlePixels <= kParticleCount) << particlePixels;
    // One leaving on the right reappears on the left, at a new height and
    // speed, in the colour of its speed.
    particles[0] = {699.9, 10, 0.5, RGB(1, 2, 3)};
    SetPixelColor(699, 10, RGB(1, 2, 3)), MoveParticles();
    const Particle& p = particles[0];
    const int b = static_cast<int>(p.speed * 100) % 100;
    EXPECT_TRUE(p.x == 0.0 && p.y >= 0 && p.y < kHeight && p.speed >= 0.4 && p.speed < 1.9 &&
                p.colour == RGB(130 - 6 * b / 10, 60 - 2 * b / 10, 180 - 8 * b / 10));
    EXPECT_TRUE(GetPixelColor(699, 10) == kBack && GetPixelColor(0, p.y) == p.colour);
}

// Without a minimize box; the hour hand's left side pointing up (its right
// side may meet the second hand), the face, the six o'clock mark.
TEST(RoseClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck pixels = ShowsPixels(
        {{341, 320, 0x3297C1}, {341, 280, 0x3297C1}, {450, 275, 0xFEE8C3}, {350, 620, 0x555555}});
    EXPECT_EQ(RunClockAsAUser(L"roseclock", "2026-01-01 12:00:00", kWidth, kHeight,
                              [&](HWND window, const ScreenCapture& shown) -> std::string {
                                  if (GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX)
                                      return "a minimize box";
                                  return pixels(window, shown);
                              }),
              "");
}
