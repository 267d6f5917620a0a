// The spiral clock: its face, hands and particles drawn by its own routines
// and checked at the coordinates and colours the clock is built on; the frame
// hand-over between screen and hidden buffer; and the real program run at a
// faked local time.
#include "spiral_drawing.h"

#include "clock_test.h"

constexpr COLORREF kFace = RGB(0, 35, 45), kTrack = RGB(0, 17, 22), kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// At midnight: the hour hand from (320, 186) to (320, 140), the minute hand
// from (320, 184) to (320, 100), the second dot at (320, 80). Drawn on the
// face: the dot's centre; the hour hand alone covers column 327 from row 140
// to row 186; the minute hand reaches row 100. The minute hand follows the
// seconds (140 sin(pi / 60)); pi as 3.1415926 leaves a quarter turn just
// short: 159.99999 truncates. Particles never move more than 40 pixels from
// the centre, nor draw beyond 42.5; indices outside the array change nothing.
TEST(SpiralFrame, HandsParticlesAndTheFrameOnTheScreenWhileTheHiddenBufferIsErased) {
    const SpiralHands h = ComputeHands(0, 0, 0);
    EXPECT_EQ(PointsText({h.hourFrom, h.hourTo, h.minuteFrom, h.minuteTo, h.secondDot,
                          ComputeHands(0, 0, 30).minuteTo, ComputeHands(3, 0, 15).secondDot}),
              "(320,186) (320,140) (320,184) (320,100) (320,80) (327,101) (479,240)");
    IMAGE image(640, 480);
    SetTargetImage(&image), DrawFace();
    const std::vector<DWORD> face = PixelsOf(image);
    DrawHands(h);
    EXPECT_EQ(ComputeHands(0, 30, 0).hourTo.x, 345);  // 100 sin(pi / 12)
    // The face: inside the rim ring; the centre ring, all soft edge (half its
    // grey); the three o'clock block's corners and beyond; a one-minute mark;
    // the five-minute ring and its dot on the track. Then the hands.
    EXPECT_EQ(Mismatches({{320, 444, RGB(112, 159, 176)},
                          {420, 300, kFace},
                          {363, 240, RGB(100, 117, 122)},
                          {504, 235, kWhite},
                          {514, 245, kWhite},
                          {515, 245, kFace},
                          {339, 428, kWhite},
                          {417, 404, RGB(176, 197, 163)},
                          {399, 378, kTrack},
                          {320, 80, kGrey},
                          {327, 140, kGrey},
                          {327, 186, kGrey},
                          {327, 139, kFace},
                          {327, 187, kFace},
                          {328, 160, kFace},
                          {320, 100, kGrey},
                          {320, 99, kFace}},
                         GetPixelColor),
              "");
    std::memcpy(GetSurfacePixels(&image), face.data(), face.size() * sizeof(DWORD));
    std::srand(7);
    for (int i = 0; i < kParticleCount; ++i) ResetParticle(i);
    int restarts = 0;  // each at (r0, 0), drawn there in its grey
    for (int frame = 0; frame < 300; ++frame)
        for (int j = 0; j < kParticleCount; ++j) {
            const Particle& p = (MoveParticle(320, 240, j), particles[j]);
            ASSERT_LE(p.x * p.x + p.y * p.y, 1600);
            restarts += p.t == 0;
            const COLORREF grey = RGB(p.level, p.level, p.level);
            ASSERT_TRUE(p.t != 0 || (p.x == static_cast<int>(p.r0) && p.y == 0 &&
                                     GetPixelColor(320 + p.x, 240) == grey))
                << j;
        }
    EXPECT_GT(restarts, 0);
    Particle before[kParticleCount];
    std::memcpy(before, particles, sizeof before);
    const std::vector<DWORD> drawn = PixelsOf(image);
    ResetParticle(-1), ResetParticle(kParticleCount);
    MoveParticle(320, 240, -1), MoveParticle(320, 240, kParticleCount);
    EXPECT_TRUE(std::memcmp(before, particles, sizeof before) == 0 && PixelsOf(image) == drawn);
    int changedOutside = 0;
    for (int i = 0; i < 640 * 480; ++i)
        changedOutside += std::hypot(i % 640 - 320, i / 640 - 240) > 42.5 && drawn[i] != face[i];
    EXPECT_EQ(changedOutside, 0);
    // The frame is on the screen while the back buffer already has the hands
    // erased (the first frame: EndBatch without BeginBatch, then several refresh
    // periods); batch drawing then holds further changes back.
    SetTargetImage(nullptr);
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
    EXPECT_EQ(
        RunClockAsAUser(
            L"spiralclock", "2026-01-01 12:00:00", 640, 480,
            ShowsPixels(
                {{323, 160, 0x808080}, {420, 300, 0x00232D}, {320, 444, 0x709FB0}, {20, 20, 0}})),
        "");
}
