// dialclock: the mechanism at a time when every hand points elsewhere, the
// centre boss's shading, and the real program.
#include <algorithm>
#include <cstdio>

#include "clock_test.h"
#include "dial_plate.h"
#include "mechanism.h"

const LightSource kLight = {Point3(-400, -400, -400, 0xFFFFFF), 255, 255, 255, 0};
const DWORD kNeedle = 0x7F6454;

// One frame's moving parts on grey 224.
static ScreenCapture FrameAt(int hour, int minute, int second) {
    return Drawn(800, 800, [=] {
        ResetBackground();
        DrawMovingParts({400, 400}, HandAnglesAt(TimeOf(hour, minute, second)), kLight);
    });
}

// Guards against a boss shaded the wrong way round or with a channel wrapped
// past 255 (dark specks in its highlight), which the frames never look at.
// Grey 123 at the centre, brighter toward the light up-left, darker
// down-right, black beyond columns 346 to 454; a highlight, and no pixel that
// is coloured or below the ambient 12.
TEST(DialPlate, SphereIsShadedTowardItsLight) {
    const ScreenCapture shaded = Drawn(800, 800, [] {
        ShadeSphere({Point3(400, 400, -500, 0xFFFFFF), 100, 0xFFFFFF},
                    {Point3(-100, 0, 100, 0xFFFFFF), 255, 255, 255, 0}, 70, 70, 660, 660,
                    Point3(400, 400, 600, 0xFFFFFF));
    });
    EXPECT_EQ(shaded.At(400, 400), 0x7B7B7Bu);
    EXPECT_GT(shaded.At(380, 385), 0x7B7B7Bu);
    EXPECT_LT(shaded.At(420, 415), 0x7B7B7Bu);
    EXPECT_EQ(shaded.At(345, 400), 0u);
    EXPECT_EQ(shaded.At(455, 400), 0u);
    auto notGrey = [](DWORD p) {
        return p && ((p & 0xFF) < 12 || p != (p & 0xFF) * 0x10101u);
    };
    EXPECT_EQ(std::count_if(shaded.pixels.begin(), shaded.pixels.end(), notGrey), 0);
    EXPECT_GT(*std::max_element(shaded.pixels.begin(), shaded.pixels.end()), 0xC8C8C8u);
}

// At 10:20:37 the second needle's tip lies 150 pixels along 222 degrees, the
// hour needle's 100 along 300 (it moves only on the hour), the crank pin 70
// along 222; hour 22 draws like hour 10. The slider sits at L = 62 along the minute angle, so
// rhombus 0 has the vertices (451,434) (470,480) (520,480) (501,434); its fill blends from yellow
// at the outer vertex through orange at the side vertices to red at the inner one.
TEST(DialMechanism, HandsRingAndFillFollowTheirOwnUnitOfTime) {
    const ScreenCapture frame = FrameAt(10, 20, 37);
    EXPECT_EQ(Mismatches({{300, 511, kNeedle}, {314, 351, kNeedle}, {354, 452, 0xE3E2E1}}, frame),
              "");
    EXPECT_EQ(FrameAt(22, 20, 37).At(314, 351), kNeedle);
    EXPECT_EQ(frame.At(499, 466), 0xF7CF2Eu);
    EXPECT_EQ(frame.At(479, 467), 0xEDAB19u);
    EXPECT_EQ(frame.At(492, 447), 0xEDAA18u);
    EXPECT_EQ(frame.At(472, 448), 0xD56C0Du);
}

// At noon: the needles' hub, the hour needle pointing at 12, the disc, a
// corner the tiles leave uncovered. Standard output carries one rising
// number of seconds per frame.
TEST(DialClockProgram, ShowsTheDialWritesOneRisingLinePerFrameAndEnds) {
    const std::wstring output = ProgramDirectory() + L"dialclock_output.txt";
    const ClockCheck noon =
        ShowsPixels({{400, 400, 0xBDAEA9}, {397, 350, kNeedle}, {330, 470, 0xE0E0E0}, {10, 60, 0}});
    EXPECT_EQ(RunClockAsAUser(L"dialclock", "2026-01-01 12:00:00", 800, 800, noon, L"", output),
              "");
    std::vector<double> seconds;
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        double value = 0;
        while (std::fscanf(file, "%lf", &value) == 1) seconds.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    ASSERT_GE(seconds.size(), 2u);
    EXPECT_GT(seconds.front(), 0);
    EXPECT_GT(seconds.back(), seconds.front());
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
}
