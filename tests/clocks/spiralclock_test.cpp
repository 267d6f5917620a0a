// The spiral clock: its face, hands and particles drawn by its own routines
// and checked at the coordinates and colours the clock is built on; the frame
// hand-over between screen and hidden buffer; and the real program run at a
// faked local time.
#include <gtest/gtest.h>

#include <kanvo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "clock_program.h"
#include "spiral_drawing.h"

namespace {

using namespace KanvoTest;

constexpr COLORREF kFace = RGB(0, 35, 45);
constexpr COLORREF kTrack = RGB(0, 17, 22);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// An image of the window's size holding the face, made the current target.
class SpiralImage : public testing::Test {
protected:
    void SetUp() override {
        SetTargetImage(&image_);
        DrawFace();
    }
    void TearDown() override { SetTargetImage(nullptr); }
    std::vector<DWORD> Pixels() {
        GdiFlush();
        return std::vector<DWORD>(GetSurfacePixels(&image_), GetSurfacePixels(&image_) + 640 * 480);
    }
    IMAGE image_{640, 480};
};

using SpiralFace = SpiralImage;

TEST_F(SpiralFace, RingsMarksAndTrackDotsHaveTheirColours) {
    EXPECT_EQ(GetPixelColor(320, 444), RGB(112, 159, 176));  // inside the rim ring
    EXPECT_EQ(GetPixelColor(420, 300), kFace);
    // The centre ring is all soft edge: half its grey over the face.
    EXPECT_EQ(GetPixelColor(363, 240), RGB(100, 117, 122));
    // The three o'clock block covers both given corners and no more.
    EXPECT_EQ(GetPixelColor(504, 235), kWhite);
    EXPECT_EQ(GetPixelColor(514, 245), kWhite);
    EXPECT_EQ(GetPixelColor(515, 245), kFace);
    EXPECT_EQ(GetPixelColor(339, 428), kWhite);                 // a one-minute mark
    EXPECT_EQ(GetPixelColor(417, 404), RGB(176, 197, 163));     // the five-minute ring
    EXPECT_EQ(GetPixelColor(399, 378), kTrack);                 // its dot on the track
}

std::string PointsText(const SpiralHands& h) {
    char text[128];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld) (%ld,%ld)-(%ld,%ld) (%ld,%ld)",
                  h.hourFrom.x, h.hourFrom.y, h.hourTo.x, h.hourTo.y, h.minuteFrom.x,
                  h.minuteFrom.y, h.minuteTo.x, h.minuteTo.y, h.secondDot.x, h.secondDot.y);
    return text;
}

using SpiralHandsAt = SpiralImage;

TEST_F(SpiralHandsAt, MidnightPointsStraightUp) {
    const SpiralHands hands = ComputeHands(0, 0, 0);
    EXPECT_EQ(PointsText(hands), "(320,186)-(320,140) (320,184)-(320,100) (320,80)");
    DrawHands(hands);
    EXPECT_EQ(GetPixelColor(320, 80), kGrey);  // the second dot's centre
    // The hour hand alone covers column 327, from row 140 to row 186.
    EXPECT_EQ(GetPixelColor(327, 140), kGrey);
    EXPECT_EQ(GetPixelColor(327, 186), kGrey);
    EXPECT_EQ(GetPixelColor(327, 139), kFace);
    EXPECT_EQ(GetPixelColor(327, 187), kFace);
    EXPECT_EQ(GetPixelColor(328, 160), kFace);
    // The minute hand reaches row 100.
    EXPECT_EQ(GetPixelColor(320, 100), kGrey);
    EXPECT_EQ(GetPixelColor(320, 99), kFace);
}

TEST(SpiralHandAngles, MinuteHandFollowsTheSecondsAndHourHandTheMinutes) {
    EXPECT_EQ(ComputeHands(0, 0, 30).minuteTo.x, 327);  // 140 sin(pi / 60)
    EXPECT_EQ(ComputeHands(0, 30, 0).hourTo.x, 345);    // 100 sin(pi / 12)
    // pi as 3.1415926 leaves a quarter turn just short: 159.99999 truncates.
    EXPECT_EQ(ComputeHands(3, 0, 15).secondDot.x, 479);
    EXPECT_EQ(ComputeHands(3, 0, 15).secondDot.y, 240);
}

using SpiralParticles = SpiralImage;

TEST_F(SpiralParticles, StayWithinRadius40AndRestartWhereTheyAreDrawn) {
    std::srand(7);
    const std::vector<DWORD> face = Pixels();
    for (int i = 0; i < kParticleCount; ++i) ResetParticle(i);
    int restarts = 0;
    for (int frame = 0; frame < 300; ++frame) {
        for (int j = 0; j < kParticleCount; ++j) {
            MoveParticle(320, 240, j);
            const Particle& p = particles[j];
            ASSERT_LE(p.x * p.x + p.y * p.y, 1600) << "particle " << j << " frame " << frame;
            if (p.t == 0) {  // restarted in this pass: at (r0, 0), drawn there
                ++restarts;
                ASSERT_EQ(p.x, static_cast<int>(p.r0));
                ASSERT_EQ(p.y, 0);
                ASSERT_EQ(GetPixelColor(320 + p.x, 240), RGB(p.level, p.level, p.level));
            }
        }
    }
    EXPECT_GT(restarts, 0);
    // Nothing outside the particles' reach changed.
    const std::vector<DWORD> now = Pixels();
    int changedOutside = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (std::hypot(x - 320, y - 240) > 42.5 && now[y * 640 + x] != face[y * 640 + x])
                ++changedOutside;
    EXPECT_EQ(changedOutside, 0);
}

TEST_F(SpiralParticles, IndexOutsideTheArrayChangesNothing) {
    Particle before[kParticleCount];
    std::memcpy(before, particles, sizeof before);
    const std::vector<DWORD> pixels = Pixels();
    ResetParticle(-1);
    ResetParticle(kParticleCount);
    MoveParticle(320, 240, -1);
    MoveParticle(320, 240, kParticleCount);
    EXPECT_EQ(std::memcmp(before, particles, sizeof before), 0);
    EXPECT_TRUE(Pixels() == pixels);
}

// The frame is on the screen while the back buffer already has the hands
// erased; batch drawing then holds further changes back.
TEST(SpiralFlush, ScreenShowsTheFrameWhileTheHiddenBufferIsErased) {
    HWND window = OpenGraphWindow(640, 480, 0);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // not covered
    DrawFace();
    DrawHandsAndFlush(0, 0, 0);  // the first frame: EndBatch without BeginBatch
    EXPECT_EQ(GetPixelColor(323, 160), kFace);
    EXPECT_EQ(GetPixelColor(320, 80), kTrack);
    Sleep(100);  // several refresh periods
    const ScreenCapture screen = CaptureWindowDc(window);
    ASSERT_EQ(screen.width, 640);
    EXPECT_EQ(screen.At(323, 160), 0x808080u);
    EXPECT_EQ(screen.At(320, 80), 0x808080u);
    EndBatch();
    CloseGraphWindow();
}

TEST(SpiralClockProgram, ShowsNoonAndEndsOnAKeyInItsConsole) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"spiralclock", "2026-01-01 12:00:00", 640, 480));
    ExpectWindowShows(program.Window(), {{323, 160, 0x808080, "both hands pointing up"},
                                         {420, 300, 0x00232D, "face"},
                                         {320, 444, 0x709FB0, "rim"},
                                         {20, 20, 0x000000, "outside the face"}});
    ExpectKeyInConsoleEndsIt(program);
}

TEST(SpiralClockProgram, CloseBoxEndsItWithExitCodeZero) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"spiralclock", "2026-01-01 12:00:00", 640, 480));
    ExpectCloseBoxEndsIt(program);
}

}  // namespace
