// orbitclock: frames drawn by its own routines, compared pixel for pixel
// with raw GDI drawing at the body centres the clock is known to use, and at
// a time when every hand points elsewhere; the real program.
#include "clock_test.h"
#include "orbit_drawing.h"

struct Disc {
    POINT centre;
    int radius;
    COLORREF fill;
};

// The twin of a frame: the dial's ring with the geometric pen of a line
// style, the inside cleared without outline, then the discs, each outlined
// by the ring's pen.
static void DrawTwinFrame(HDC dc, const std::vector<Disc>& discs) {
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};
    HPEN ring = ExtCreatePen(PS_SOLID | PS_GEOMETRIC, 3, &white, 0, nullptr);
    SelectAndDelete(dc, ring);
    SelectAndDelete(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, 90, 10, 550, 470);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 93, 13, 547, 467);
    SelectObject(dc, ring);
    for (const Disc& d : discs) {
        SelectAndDelete(dc, CreateSolidBrush(d.fill));
        const LONG x = d.centre.x;
        const LONG y = d.centre.y;
        Ellipse(dc, x - d.radius, y - d.radius, x + d.radius, y + d.radius);
    }
}

// The frames follow each other on one image: each must cover the one before
// it completely. On the hour the bodies line up; the truncation of 319.99999
// puts noon one pixel to the left.
TEST(OrbitFrame, BodiesOnTheHourMatchRawGdiPixelForPixel) {
    const struct {
        int hour;
        POINT hourBody;
        POINT minuteBody;
        POINT secondBody;
    } cases[] = {{0, {320, 110}, {320, 40}, {320, 17}},
                 {12, {319, 110}, {319, 40}, {319, 17}},
                 {3, {450, 240}, {450, 170}, {450, 147}},
                 {6, {320, 369}, {320, 300}, {320, 277}}};
    IMAGE image(640, 480);
    SetTargetImage(&image);
    DrawDialFrame();
    for (const auto& c : cases) {
        DrawOrbitFrame(TimeOf(c.hour, 0, 0));
        GdiTwin twin(640, 480);
        DrawTwinFrame(twin.Dc(), {{{320, 240}, 230, 0x000080},
                                  {c.hourBody, 100, 0x4169E1},
                                  {c.minuteBody, 30, 0x6495ED},
                                  {c.secondBody, 7, 0xB0C4DE}});
        EXPECT_EQ(ComparePixels(image, twin), "") << c.hour << " o'clock";
    }
    SetTargetImage(nullptr);
}

// At 10:20:37 the hour body sits 130 pixels along 310.3 degrees from the
// centre, the minute body 70 along 123.7 from it, the second body 23 along
// 222 from that.
TEST(OrbitFrame, EachBodyFollowsItsOwnHand) {
    const ScreenCapture frame = Drawn(640, 480, [] {
        DrawDialFrame();
        DrawOrbitFrame(TimeOf(10, 20, 37));
    });
    const POINT hour = PointAlong({320, 240}, 310.3 / 360, 130);
    const POINT minute = PointAlong(hour, 123.7 / 360, 70);
    const POINT second = PointAlong(minute, 222 / 360.0, 23);
    EXPECT_EQ(frame.At(hour.x, hour.y), PixelOf(0x4169E1));
    EXPECT_EQ(frame.At(minute.x, minute.y), PixelOf(0x6495ED));
    EXPECT_EQ(frame.At(second.x, second.y), PixelOf(0xB0C4DE));
}

// Until the seconds first change only the ring is drawn: the bodies show the
// first frame. Hour body at three, minute body straight above it, the dial
// where the noon hour body would be, the ring's top, outside the dial.
TEST(OrbitClockProgram, ShowsThreeOClockAndEndsOnAKeyOrItsCloseBox) {
    const ClockCheck three = ShowsPixels({{450, 240, 0xE16941},
                                          {450, 190, 0xED9564},
                                          {320, 110, 0x800000},
                                          {320, 10, 0xFFFFFF},
                                          {20, 20, 0}});
    EXPECT_EQ(RunClockAsAUser(L"orbitclock", "2026-01-01 03:00:00", 640, 480, three), "");
}
