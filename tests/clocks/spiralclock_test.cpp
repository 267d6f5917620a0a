// spiralclock: its hands drawn by its own routines, the frame hand-over
// between screen and hidden buffer, and the real program.
#include "clock_test.h"
#include "spiral_drawing.h"

constexpr COLORREF kFace = RGB(0, 35, 45);
constexpr COLORREF kTrack = RGB(0, 17, 22);
constexpr COLORREF kGrey = RGB(128, 128, 128);

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

// Guards against flicker: hands missing from the screen between frames.
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
