// spiralclock: its hands drawn by its own routines, the frame hand-over
// between screen and hidden buffer, and the real program.
#include "clock_test.h"
#include "spiral_drawing.h"

constexpr COLORREF kFace = RGB(0, 35, 45);
constexpr COLORREF kTrack = RGB(0, 17, 22);
constexpr COLORREF kGrey = RGB(128, 128, 128);

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
    EXPECT_GE(PixelsAcross(frame, {320, 240}, 123.7, 110, PixelOf(kGrey)), 3);
    EXPECT_GE(PixelsAcross(frame, {320, 240}, 310.3, 80, PixelOf(kGrey)), 5);
    EXPECT_EQ(PixelsAcross(frame, {320, 240}, 290, 80, PixelOf(kGrey)), 0);
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
    EXPECT_EQ(GetPixelColor(323, 160), kFace);
    EXPECT_EQ(GetPixelColor(320, 80), kTrack);
    Sleep(100);
    const ScreenCapture screen = CaptureWindowDc(window);
    EXPECT_EQ(screen(323, 160), PixelOf(kGrey));
    EXPECT_EQ(screen(320, 80), PixelOf(kGrey));
    EndBatch();
    CloseGraphWindow();
}

// Both hands pointing up, the face, the rim, outside the face.
TEST(SpiralClockProgram, ShowsNoonAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck noon = ShowsPixels(
        {{323, 160, 0x808080}, {420, 300, 0x00232D}, {320, 444, 0x709FB0}, {20, 20, 0}});
    EXPECT_EQ(RunClockAsAUser(L"spiralclock", "2026-01-01 12:00:00", 640, 480, noon), "");
}
