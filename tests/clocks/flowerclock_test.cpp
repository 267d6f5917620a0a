// The flower clock: the dial and hands drawn by its routines on images, the
// softening filter, the sparkle, and the program end to end.
#include "flower_drawing.h"

#include "clock_test.h"

// At noon and at midnight the tips lie straight up at (320, 100), (320, 140)
// and (320, 180); dashed in exclusive-or mode on white the hands match raw
// GDI, and a second drawing removes them. The sparkle always lies outside the
// dial's band; two placements within one second land on the same point, in
// the colour of their mode. A minute of the clock's pens and brushes leaves
// no GDI object behind.
TEST(Flowerclock, HandsSparkleAndGardenDialMatchRawGdiAndFixedValues) {
    for (int hour : {12, 0}) {
        const HandLines lines = DashedHandLines(TimeOf(hour, 0, 0));
        EXPECT_EQ(PointsText({lines.second.tip, lines.minute.tip, lines.hour.tip}),
                  "(320,100) (320,140) (320,180)")
            << hour;
    }
    IMAGE image(640, 480);
    SetTargetImage(&image);
    SetBackgroundColor(0xFFFFFF);
    ClearTarget();
    SetMixMode(R2_XORPEN);
    DrawDashedHands(TimeOf(12, 0, 0));
    GdiTwin twin(640, 480);
    twin.Fill(0xFFFFFFFF);
    SetROP2(twin.Dc(), R2_XORPEN);
    const DWORD dashes[2] = {4, 6};
    const struct {
        COLORREF color;
        DWORD thickness;
        int tipY;
    } hands[] = {{0x00984567, 1, 100}, {0x00C39284, 3, 140}, {0x0055FFFF, 5, 180}};
    for (const auto& hand : hands) {
        const LOGBRUSH brush = {BS_SOLID, hand.color, 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, hand.thickness, &brush, 2, dashes);
        DeleteObject(SelectObject(twin.Dc(), pen));
        MoveToEx(twin.Dc(), 320, 245, nullptr);
        LineTo(twin.Dc(), 320, hand.tipY);
    }
    EXPECT_EQ(ComparePixels(image, twin), "");
    DrawDashedHands(TimeOf(12, 0, 0));
    twin.Fill(0xFFFFFFFF);
    EXPECT_EQ(ComparePixels(image, twin), "");
    for (unsigned seed = 0; seed < 2000; ++seed) {
        std::srand(seed), PickSparklePoint();
        EXPECT_TRUE(sparkle_x >= 0 && sparkle_x < 640 && sparkle_y >= 0 && sparkle_y < 480 &&
                    (sparkle_x < 145 || sparkle_x > 500) && (sparkle_y <= 60 || sparkle_y >= 420))
            << seed << ": " << sparkle_x << ", " << sparkle_y;
    }
    std::string first, again;  // again stays empty when a second began in between
    for (int attempt = 0; attempt < 5 && (first.empty() || first != again); ++attempt) {
        const __time64_t before = _time64(nullptr);
        PlaceSparkle(1), first = PointsText({{sparkle_x, sparkle_y}}), PlaceSparkle(1);
        again = _time64(nullptr) == before ? PointsText({{sparkle_x, sparkle_y}}) : "";
    }
    EXPECT_EQ(first, again);
    // Drawn again in the other colour, the sparkle leaves the pixels it
    // covered changed by the exclusive-or of the two: blue 0x41 ^ 0x42.
    ClearTarget(), PlaceSparkle(1), PlaceSparkle(2);
    const std::vector<DWORD> pixels = PixelsOf(image);
    const auto changed = std::count(pixels.begin(), pixels.end(), 0xFFFFFCu);
    EXPECT_TRUE(changed > 100 &&
                changed + std::count(pixels.begin(), pixels.end(), 0xFFFFFFu) == 640 * 480)
        << changed;
    EXPECT_EQ(GdiObjectsLeftBy([] {
                  for (int second = 0; second < 60; ++second) {
                      DrawDashedHands(TimeOf(10, 8, second)), PlaceSparkle(1);
                      DrawDashedHands(TimeOf(10, 8, second)), PlaceSparkle(2);
                  }
              }),
              0);
    // The garden dial: the background, the dial's default fill, the rim between
    // two ticks, the first flower's heart and its petal at angle 0. Smoothing:
    // the top-left pixel averages its neighbours with weights 9, 4, 4, 1:
    // (1800 + 400 + 200 + 10) / 18; the next one reads the softened corner:
    // (4 x 133 + 50 + 900 + 40) / 23. Channels are clamped to 0 ... 255; images
    // without neighbours stay as they are.
    EXPECT_EQ(Mismatches({{5, 5, PixelOf(0x8DC2E0)},
                          {320, 240, 0xFFFFFF},
                          {328, 399, PixelOf(0x8E4519)},
                          {415, 225, PixelOf(0xF2EDFC)},
                          {438, 225, PixelOf(0xD9CAF9)}},
                         Drawn(640, 480, DrawGardenDial)),
              "");
    IMAGE tiny(4, 3), empty(0, 0), single(1, 1);
    DWORD* p = GetSurfacePixels(&tiny);
    ASSERT_NE(p, nullptr);
    p[0] = 200, p[1] = 100, p[4] = 50, p[5] = 10;  // blue; every other pixel is black
    GetSurfacePixels(&single)[0] = 0x00123456;
    for (IMAGE* i : {&tiny, &empty, &single}) SmoothImage(*i);
    EXPECT_TRUE(p[0] == 133 && p[1] == 66 && *GetSurfacePixels(&single) == 0x123456) << p[0];
    EXPECT_TRUE(ClampChannel(300) == 255 && ClampChannel(255) == 255 && ClampChannel(-4) == 0);
}

// The hour hand of 12:00 points straight up, dashed: drawn in exclusive-or
// mode, its yellow shows blue on the softened, nearly white dial (dashes with
// gaps between them); the background left of the dial.
TEST(FlowerclockProgram, ShowsItsHandsOnTheDialAndEnds) {
    auto check = [](HWND, const ScreenCapture& c) -> std::string {
        int dashes = 0;
        const DWORD dial = c.At(250, 300), dash = dial ^ PixelOf(0x0055FFFF);
        for (int y = 182; y < 238; ++y) dashes += c.At(320, y) == dash;
        if (dashes < 15 || dashes > 40) return std::to_string(dashes) + " dash pixels";
        if ((dial & 0xFEFEFE) != 0xFEFEFE) return "dial not white";
        return c.At(5, 240) == PixelOf(0x008DC2E0) ? "" : "background";
    };
    EXPECT_EQ(RunClockAsAUser(L"flowerclock", "2026-01-01 12:00:00", 640, 480, check), "");
}
