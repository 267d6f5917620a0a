// ringclock: the colour easing's worked values, the rings at a time when
// every hand points elsewhere, the unpadded digits against raw GDI text, and
// the real program with and without its background picture.
#include "clock_test.h"
#include "ring_drawing.h"

const COLORREF kGrey = RGB(90, 90, 90);

// A frame of `time` drawn on grey with the origin at the window centre.
static ScreenCapture RingFrameAt(const tm& time) {
    return Drawn(640, 480, [&time] {
        SetBackgroundColor(kGrey);
        ClearTarget();
        MoveOrigin(320, 240);
        SelectDigitFont();
        Ring hour = {320 / 3.8, 0};
        Ring minute = {320 / 3.15, 0};
        Ring second = {320 / 2.65, 0};
        DrawRingFrame(time, hour, minute, second);
        MoveOrigin(0, 0);
    });
}

// A divisor of 0 moves nothing; otherwise each component moves a part of
// the way, red first, then green, then blue.
TEST(RingColours, EasingMovesAPartOfTheWayUnlessTheDivisorIsZero) {
    int red = 101;
    int green = 127;
    int blue = 176;
    StepColorToward(red, green, blue, 255, 255, 255, 0);
    EXPECT_EQ(RGB(red, green, blue), RGB(101, 127, 176));
    StepColorToward(red, green, blue, 0, 0, 0, 3);
    EXPECT_EQ(RGB(red, green, blue), RGB(68, 85, 118));
}

// At 10:20:37 each trail is at its brightest just behind its own hand (222,
// 123.7 and 310.1 degrees) and ends just ahead of it: dark for the seconds,
// which run almost all the way round, the background for the others.
TEST(RingFrame, EachTrailEndsAtItsOwnHand) {
    const ScreenCapture frame = RingFrameAt(TimeOf(10, 20, 37));
    const POINT centre = {320, 240};
    const POINT secondBehind = PointAlong(centre, 218 / 360.0, 120);
    const POINT secondAhead = PointAlong(centre, 228 / 360.0, 120);
    const POINT minuteBehind = PointAlong(centre, 119 / 360.0, 100);
    const POINT minuteAhead = PointAlong(centre, 131 / 360.0, 100);
    const POINT hourBehind = PointAlong(centre, 305 / 360.0, 75);
    const POINT hourAhead = PointAlong(centre, 317 / 360.0, 75);
    EXPECT_EQ(frame.At(secondBehind.x, secondBehind.y), PixelOf(RGB(0, 173, 173)));
    EXPECT_LT(frame.At(secondAhead.x, secondAhead.y) & 0xFF00, 0x4000u);
    EXPECT_EQ(frame.At(minuteBehind.x, minuteBehind.y), PixelOf(RGB(25, 156, 132)));
    EXPECT_EQ(frame.At(minuteAhead.x, minuteAhead.y), PixelOf(kGrey));
    EXPECT_EQ(frame.At(hourBehind.x, hourBehind.y), PixelOf(RGB(101, 127, 176)));
    EXPECT_EQ(frame.At(hourAhead.x, hourAhead.y), PixelOf(kGrey));
}

// A kind that is no ring draws the black centre disc only.
TEST(RingFrame, UnknownKindDrawsOnlyTheCentreDisc) {
    const ScreenCapture drawn = Drawn(640, 480, [] {
        SetBackgroundColor(kGrey);
        ClearTarget();
        MoveOrigin(320, 240);
        DrawRing(320 / 2.65, 0, 'x');
        MoveOrigin(0, 0);
    });
    EXPECT_EQ(drawn.At(320, 120), PixelOf(kGrey));
    EXPECT_EQ(drawn.At(320, 240), 0u);
}

// 09:05:07 is written "9", ":", "5", ":", "7" at fixed places, as raw GDI
// writes it; repeated frames leave no GDI object behind.
TEST(RingFrame, DigitsAreUnpaddedAtFixedPlaces) {
    IMAGE image(640, 480);
    SetTargetImage(&image);
    MoveOrigin(320, 240);
    SelectDigitFont();
    Ring hour = {320 / 3.8, 0};
    Ring minute = {320 / 3.15, 0};
    Ring second = {320 / 2.65, 0};
    DrawRingFrame(TimeOf(9, 5, 7), hour, minute, second);  // may set up lasting objects
    auto again = [&] {
        DrawRingFrame(TimeOf(9, 5, 7), hour, minute, second);
    };
    EXPECT_EQ(GdiObjectsLeftBy(again), 0);
    MoveOrigin(0, 0);
    SetTargetImage(nullptr);
    GdiTwin twin(640, 480);
    SelectAndDelete(twin.Dc(), CreateFontW(24, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                           ANTIALIASED_QUALITY, 0, L"\u9ED1\u4F53"));
    const int places[] = {270, 300, 310, 340, 350};
    for (int i = 0; i < 5; ++i) TextOutW(twin.Dc(), places[i], 235, &L"9:5:7"[i], 1);
    EXPECT_EQ(TwinTextIn(image, twin, {265, 233, 376, 263}, 51), "");  // in the disc under them
}

// At noon the hour fan shows at twelve; the picture's point (360, 65) is the
// window's corner.
TEST(RingClockProgram, ShowsItsPictureAndRingsAndEndsOnAKeyOrItsCloseBox) {
    IMAGE picture;
    ReadImageFile(&picture, (ClockProgramDirectory(L"ringclock") + L"001.png").c_str());
    ASSERT_GE(picture.Width(), 1000);
    ASSERT_GE(picture.Height(), 545);
    const std::vector<DWORD> pixels = PixelsOf(picture);
    auto at = [&](int x, int y) {
        return pixels[y * picture.Width() + x];
    };
    const ClockCheck check = ShowsPixels({{317, 160, 0x657FB0},
                                          {0, 0, at(360, 65)},
                                          {639, 479, at(999, 544)},
                                          {100, 400, at(460, 465)}});
    EXPECT_EQ(RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480, check), "");
}

// Started where there is no picture, it runs on a black background.
TEST(RingClockProgram, RunsWithoutItsPicture) {
    const ClockCheck check = ShowsPixels({{317, 160, 0x657FB0}, {5, 5, 0}});
    EXPECT_EQ(
        RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480, check, ProgramDirectory()),
        "");
}
