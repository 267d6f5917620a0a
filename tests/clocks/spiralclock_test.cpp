// spiralclock: its face, hands and particles drawn by its own routines and
// checked at the coordinates and colours the clock is built on; the frame
// hand-over between screen and hidden buffer; the real program.
#include <algorithm>
#include <cstring>

#include "clock_test.h"
#include "spiral_drawing.h"

constexpr COLORREF kFace = RGB(0, 35, 45);
constexpr COLORREF kTrack = RGB(0, 17, 22);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The face with every particle started afresh from a fixed random sequence.
static void StartParticles(IMAGE& image) {
    SetTargetImage(&image);
    DrawFace();
    std::srand(7);
    for (int i = 0; i < kParticleCount; ++i) ResetParticle(i);
}

// Inside the rim ring; the centre ring, all soft edge; the three o'clock
// block's corners and beyond; a one-minute mark; the five-minute ring and
// its dot on the track.
TEST(SpiralFace, ShowsItsRingsMarksAndTrack) {
    EXPECT_EQ(Mismatches({{320, 444, PixelOf(RGB(112, 159, 176))},
                          {420, 300, PixelOf(kFace)},
                          {363, 240, PixelOf(RGB(100, 117, 122))},
                          {504, 235, PixelOf(kWhite)},
                          {514, 245, PixelOf(kWhite)},
                          {515, 245, PixelOf(kFace)},
                          {339, 428, PixelOf(kWhite)},
                          {417, 404, PixelOf(RGB(176, 197, 163))},
                          {399, 378, PixelOf(kTrack)}},
                         Drawn(640, 480, DrawFace)),
              "");
}

// Pixels of the hands' grey across the hand `distance` along `degrees`.
static int GreyAcross(const ScreenCapture& frame, double degrees, double distance) {
    return PixelsAcross(frame, {320, 240}, degrees, distance, PixelOf(kGrey));
}

// At 10:20:37 the second dot lies 160 pixels along 222 degrees, the minute
// hand along 123.7 and the hour hand along 310.3; the face shows well beside
// the hour hand.
TEST(SpiralHands, EachFollowsItsOwnUnitOfTime) {
    const ScreenCapture frame = Drawn(640, 480, [] {
        DrawFace();
        DrawHands(ComputeHands(10, 20, 37));
    });
    const POINT dot = PointAlong({320, 240}, 222 / 360.0, 160);
    EXPECT_EQ(frame.At(dot.x, dot.y), PixelOf(kGrey));
    EXPECT_GE(GreyAcross(frame, 123.7, 110), 3);
    EXPECT_GE(GreyAcross(frame, 310.3, 80), 5);
    EXPECT_EQ(GreyAcross(frame, 290, 80), 0);
}

// Over 300 frames no particle moves more than 40 pixels from the centre,
// some start again, and each new start sits at (r0, 0) in its grey.
TEST(SpiralParticles, StayInsideTheCentreRingAndRestartAtTheirRadius) {
    IMAGE image(640, 480);
    StartParticles(image);
    int restarts = 0;
    int farthest = 0;
    int misplaced = 0;
    for (int frame = 0; frame < 300; ++frame) {
        for (int j = 0; j < kParticleCount; ++j) {
            MoveParticle(320, 240, j);
            const Particle& p = particles[j];
            farthest = std::max(farthest, p.x * p.x + p.y * p.y);
            if (p.t != 0) continue;
            ++restarts;
            const bool atStart = p.x == static_cast<int>(p.r0) && p.y == 0;
            if (!atStart || GetPixelColor(320 + p.x, 240) != RGB(p.level, p.level, p.level))
                ++misplaced;
        }
    }
    SetTargetImage(nullptr);
    EXPECT_LE(farthest, 1600);
    EXPECT_GT(restarts, 0);
    EXPECT_EQ(misplaced, 0);
}

// Particles draw nothing beyond 42.5 pixels from the centre; indices outside
// the array change neither the particles nor the picture.
TEST(SpiralParticles, DrawOnlyNearTheCentreAndIgnoreBadIndices) {
    IMAGE image(640, 480);
    StartParticles(image);
    const std::vector<DWORD> started = PixelsOf(image);
    for (int frame = 0; frame < 100; ++frame) {
        for (int j = 0; j < kParticleCount; ++j) MoveParticle(320, 240, j);
    }
    const std::vector<DWORD> moved = PixelsOf(image);
    int changedOutside = 0;
    for (int i = 0; i < 640 * 480; ++i) {
        const bool outside = std::hypot(i % 640 - 320, i / 640 - 240) > 42.5;
        if (outside && moved[i] != started[i]) ++changedOutside;
    }
    EXPECT_EQ(changedOutside, 0);
    Particle before[kParticleCount];
    std::memcpy(before, particles, sizeof before);
    ResetParticle(-1);
    ResetParticle(kParticleCount);
    MoveParticle(320, 240, -1);
    MoveParticle(320, 240, kParticleCount);
    EXPECT_EQ(std::memcmp(before, particles, sizeof before), 0);
    EXPECT_TRUE(PixelsOf(image) == moved);
    SetTargetImage(nullptr);
}

// The frame is on the screen while the hidden buffer already has the hands
// erased (the first frame: EndBatch without BeginBatch, then several refresh
// periods); batch drawing then holds further changes back.
TEST(SpiralFrame, ScreenKeepsTheHandsWhileTheHiddenBufferErasesThem) {
    HWND window = OpenGraphWindow(640, 480, 0);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // not covered
    DrawFace();
    DrawHandsAndFlush(0, 0, 0);
    EXPECT_EQ(Mismatches({{323, 160, kFace}, {320, 80, kTrack}}, GetPixelColor), "");
    Sleep(100);
    EXPECT_EQ(Mismatches({{323, 160, 0x808080}, {320, 80, 0x808080}}, CaptureWindowDc(window)), "");
    EndBatch();
    CloseGraphWindow();
}

// Both hands pointing up, the face, the rim, outside the face.
TEST(SpiralClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck noon = ShowsPixels(
        {{323, 160, 0x808080}, {420, 300, 0x00232D}, {320, 444, 0x709FB0}, {20, 20, 0}});
    EXPECT_EQ(RunClockAsAUser(L"spiralclock", "2026-01-01 12:00:00", 640, 480, noon), "");
}
