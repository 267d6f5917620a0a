// ringclock: the colour easing's worked values, the rings' strokes where they
// end, the unpadded digits against raw GDI text, and the real program with
// and without its background picture.
#include "ring_drawing.h"

#include "clock_test.h"

const double kHourRadius = 320 / 3.8, kMinuteRadius = 320 / 3.15, kSecondRadius = 320 / 2.65;

// The components after `steps` steps from black toward the target.
static COLORREF Eased(int steps, int red, int green, int blue, int divisor) {
    int r = 0, g = 0, b = 0;
    for (int i = 0; i < steps; ++i) StepColorToward(r, g, b, red, green, blue, divisor);
    return RGB(r, g, b);
}

// The worked values: the hour fan's layer 0, the minute and seconds trails,
// black below the divisor; the fan's four tip lines; no step without divisor.
// Each ring of 00:00:00 on its own grey image with the origin at the centre:
// the seconds trail's index 0 at (0, -120), the fan's last line 1.8 degrees
// behind, its tip lines 2 and 3 degrees ahead and the centre disc, the
// minute trail's brightest stroke; for an unknown kind the disc only.
TEST(RingFrame, ColoursEaseStrokesLieAboveTheCentreAndDigitsAreUnpaddedAtFixedPlaces) {
    EXPECT_EQ(Colors({Eased(149, 180, 206, 255, 80), Eased(180, 124, 255, 231, 100),
                      Eased(200, 0, 252, 252, 80), Eased(200, 0, 12, 12, 80)}),
              Colors({RGB(101, 127, 176), RGB(25, 156, 132), RGB(0, 173, 173), 0}));
    int r = 101, g = 127, b = 176;
    Colors tips;
    for (int divisor : {3, 3, 3, 3, 0}) {
        StepColorToward(r, g, b, divisor ? 0 : 255, divisor ? 0 : 255, divisor ? 0 : 255, divisor);
        tips.push_back(RGB(r, g, b));
    }
    EXPECT_EQ(tips, Colors({RGB(68, 85, 118), RGB(46, 57, 79), RGB(31, 38, 53), RGB(21, 26, 36),
                            RGB(21, 26, 36)}));
    const COLORREF grey = RGB(90, 90, 90);
    const struct {
        double radius;
        int kind;
        std::vector<Expected> expected;
    } rings[] = {{kSecondRadius, 's', {{320, 120, RGB(0, 173, 173)}, {320, 105, grey}}},
                 {kHourRadius,
                  'h',
                  {{317, 160, RGB(101, 127, 176)},
                   {322, 160, RGB(31, 38, 53)},
                   {324, 160, RGB(21, 26, 36)},
                   {320, 200, 0}}},
                 {kMinuteRadius, 'm', {{316, 138, RGB(25, 156, 132)}}},
                 {kSecondRadius, 'x', {{320, 120, grey}, {320, 240, 0}}}};
    for (const auto& ring : rings) {
        IMAGE ringImage(640, 480);
        SetTargetImage(&ringImage);
        SetBackgroundColor(grey);
        ClearTarget();
        MoveOrigin(320, 240);
        DrawRing(ring.radius, 0, ring.kind);
        MoveOrigin(0, 0);
        EXPECT_EQ(Mismatches(ring.expected, GetPixelColor), "") << static_cast<char>(ring.kind);
    }
    // 09:05:07 is written "9", ":", "5", ":", "7" at fixed places, as raw GDI
    // writes it; repeated frames leave no GDI object behind.
    IMAGE image(640, 480);
    SetTargetImage(&image);
    MoveOrigin(320, 240);
    SelectDigitFont();
    Ring hour = {kHourRadius, 0}, min = {kMinuteRadius, 0}, sec = {kSecondRadius, 0};
    DrawRingFrame(TimeOf(9, 5, 7), hour, min, sec);  // a first frame may set up lasting objects
    EXPECT_EQ(GdiObjectsLeftBy([&] { DrawRingFrame(TimeOf(9, 5, 7), hour, min, sec); }), 0);
    GdiTwin twin(640, 480);
    DeleteObject(SelectObject(twin.Dc(), CreateFontW(24, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                                     ANTIALIASED_QUALITY, 0, L"\u9ED1\u4F53")));
    const int places[] = {270, 300, 310, 340, 350};
    for (int i = 0; i < 5; ++i) TextOutW(twin.Dc(), places[i], 235, &L"9:5:7"[i], 1);
    EXPECT_EQ(TwinTextIn(image, twin, {265, 233, 376, 263}, 51), "");  // in the disc under them
}

// At noon the first frame (drawn when the next second begins) shows the hour
// fan at twelve; the picture's point (360, 65) is the window's corner.
TEST(RingClockProgram, ShowsItsPictureAndRingsAndEndsOnAKeyOrItsCloseBox) {
    IMAGE picture;
    ReadImageFile(&picture, (ClockProgramDirectory(L"ringclock") + L"001.png").c_str());
    ASSERT_TRUE(picture.Width() >= 1000 && picture.Height() >= 545);
    const DWORD* p = GetSurfacePixels(&picture);
    auto at = [&](int x, int y) {
        return p[y * picture.Width() + x] & 0xFFFFFF;
    };
    EXPECT_EQ(RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480,
                              ShowsPixels({{317, 160, 0x657FB0},
                                           {0, 0, at(360, 65)},
                                           {639, 479, at(999, 544)},
                                           {100, 400, at(460, 465)}})),
              "");
}

// Started where there is no picture, it runs on a black background.
TEST(RingClockProgram, RunsWithoutItsPicture) {
    EXPECT_EQ(RunClockAsAUser(L"ringclock", "2026-01-01 12:00:00", 640, 480,
                              ShowsPixels({{317, 160, 0x657FB0}, {5, 5, 0}}), ProgramDirectory()),
              "");
}
