// The orbit clock: frames drawn by its own routines at given times, compared
// pixel for pixel with raw GDI drawing at the body centres the clock is known
// to use; and the real program run at a faked local time.
#include <gtest/gtest.h>

#include <string>

#include <kanvo.h>

#include "clock_program.h"
#include "gdi_twin.h"
#include "orbit_drawing.h"

namespace {

using namespace KanvoTest;

tm ClockTime(int hour, int minute, int second) {
    tm time = {};
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

void DiscWithRawGdi(HDC dc, COLORREF fill, POINT centre, int radius) {
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ old = SelectObject(dc, brush);
    Ellipse(dc, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
    SelectObject(dc, old);
    DeleteObject(brush);
}

// The ring, then one frame: the inside of the dial cleared to black with no
// outline, the dial and the three bodies at the given centres.
void DrawExpectedFrame(HDC dc, const POINT (&bodies)[3]) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};  // the geometric pen of a line style
    HPEN pen = ExtCreatePen(PS_SOLID | PS_GEOMETRIC, 3, &white, 0, nullptr);
    SelectObject(dc, pen);
    Ellipse(dc, 90, 10, 550, 470);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 93, 13, 547, 467);
    SelectObject(dc, pen);
    DiscWithRawGdi(dc, 0x00000080, {320, 240}, 230);
    DiscWithRawGdi(dc, 0x004169E1, bodies[0], 100);
    DiscWithRawGdi(dc, 0x006495ED, bodies[1], 30);
    DiscWithRawGdi(dc, 0x00B0C4DE, bodies[2], 7);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
}

struct FrameCase {
    int hour;
    POINT bodies[3];  // hour, minute and second body centres
};

class OrbitFrame : public testing::TestWithParam<FrameCase> {};

TEST_P(OrbitFrame, BodiesSitAtTheirCentresAndMatchRawGdiPixelForPixel) {
    const FrameCase& c = GetParam();
    const tm time = ClockTime(c.hour, 0, 0);

    IMAGE image(640, 480);
    SetTargetImage(&image);
    DrawDialFrame();
    DrawOrbitFrame(time);
    SetTargetImage(nullptr);

    GdiTwin twin(640, 480);
    DrawExpectedFrame(twin.Dc(), c.bodies);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

INSTANTIATE_TEST_SUITE_P(
    OnTheHour, OrbitFrame,
    testing::Values(FrameCase{0, {{320, 110}, {320, 40}, {320, 17}}},
                    // Truncation of 319.99999 puts noon one pixel to the left.
                    FrameCase{12, {{319, 110}, {319, 40}, {319, 17}}},
                    FrameCase{3, {{450, 240}, {450, 170}, {450, 147}}},
                    FrameCase{6, {{320, 369}, {320, 300}, {320, 277}}}),
    [](const testing::TestParamInfo<FrameCase>& info) {
        return "At" + std::to_string(info.param.hour) + "h";
    });

// Every body stays inside the dial disc, so a frame leaves nothing of the one
// before it.
TEST(OrbitFrames, EachFrameCoversThePreviousOneCompletely) {
    IMAGE overdrawn(640, 480), fresh(640, 480);
    SetTargetImage(&overdrawn);
    DrawDialFrame();
    DrawOrbitFrame(ClockTime(3, 0, 0));
    DrawOrbitFrame(ClockTime(21, 47, 31));
    SetTargetImage(&fresh);
    DrawDialFrame();
    DrawOrbitFrame(ClockTime(21, 47, 31));
    SetTargetImage(nullptr);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&overdrawn), GetSurfacePixels(&fresh), 640, 480), "");
}

TEST(OrbitClockProgram, ShowsThreeOClockAndEndsOnAKeyInItsConsole) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"orbitclock", "2026-01-01 03:00:00", 640, 480));
    // Until the seconds first change only the ring is drawn.
    ExpectWindowShows(program.Window(), {{450, 240, 0xE16941, "hour body at three o'clock"},
                                         {450, 190, 0xED9564, "minute body straight above it"},
                                         {320, 110, 0x800000, "dial where the noon hour body is"},
                                         {320, 10, 0xFFFFFF, "ring at the top"},
                                         {20, 20, 0x000000, "outside the dial"}});
    ExpectKeyInConsoleEndsIt(program);
}

TEST(OrbitClockProgram, CloseBoxEndsItWithExitCodeZero) {
    ProgramDriver program;
    ASSERT_NO_FATAL_FAILURE(
        StartClockOnTop(program, L"orbitclock", "2026-01-01 03:00:00", 640, 480));
    ExpectCloseBoxEndsIt(program);
}

}  // namespace
