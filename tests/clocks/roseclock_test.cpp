// roseclock: hands and rose drawn by its own routines, its particles, and
// the real program.
#include <cstdlib>

#include "clock_test.h"
#include "rose_drawing.h"

constexpr int kWidth = 700;
constexpr int kHeight = 750;

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

// At 10:20:37 the second hand points along 222 degrees, the minute hand
// along 123.7, the hour hand along 310.3, each a pair of lines in its colour.
TEST_F(RoseImage, EachHandFollowsItsOwnUnitOfTime) {
    DrawDial();
    DrawHands(10, 20, 37);
    const ScreenCapture shown = TargetShows();
    const POINT centre = {350, 375};
    EXPECT_GE(PixelsAcross(shown, centre, 222, 180, PixelOf(0x8E56BF)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 123.7, 140, PixelOf(0x66C6C6)), 1);
    EXPECT_GE(PixelsAcross(shown, centre, 310.3, 90, PixelOf(0xC19732)), 1);
}

// Guards against a rose of the wrong shape, which no other case looks at. At
// theta = 1/4 the 4/6 curve passes (350 - 164.75, 375 + 164.75), give or
// take a pixel.
TEST_F(RoseImage, CurvePassesItsPointAtAQuarterTurn) {
    const COLORREF fading = RoseColour(37, 500);
    DrawRose(4, 6, 0, 300, fading);
    int onCurve = 0;
    for (int i = 0; i < 9; ++i) onCurve += GetPixelColor(184 + i % 3, 538 + i / 3) == fading;
    EXPECT_GT(onCurve, 0);
}

// Guards against particles that smear the face or leave trails.
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
