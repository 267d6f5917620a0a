// The rain clock: hands, scenery and rain drawn by its routines on images,
// and the program end to end, up to its picture after a change of second.
#include "rain_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "clock_run.h"
#include "gdi_twin.h"

namespace {

using namespace KanvoTest;
constexpr int kSize = 600;

// The pixels near (within one of) the outlines of the hands of a time: the
// outlines are written pixel by pixel, which exclusive-or mode need not undo.
std::vector<bool> NearOutlines(const tm& time) {
    IMAGE canvas(kSize, kSize);
    SetTargetImage(&canvas);
    SetBackgroundColor(0xFFFFFF);
    ClearTarget();
    const HandShapes shapes = BuildHandShapes(ToAngles(time));
    for (const POINT* wedge : {shapes.second, shapes.minute, shapes.hour}) OutlinePolygon(wedge);
    SetTargetImage(nullptr);
    const std::vector<DWORD> drawn = PixelsOf(canvas);
    std::vector<bool> close(drawn.size());
    for (int i = kSize + 1; i < kSize * (kSize - 1) - 1; ++i)
        for (int d : {-kSize - 1, -kSize, -kSize + 1, -1, 0, 1, kSize - 1, kSize, kSize + 1})
            close[i] = close[i] || drawn[i + d] != 0xFFFFFF;
    return close;
}

// The scenery with the hands of the given times drawn over it in
// exclusive-or mode, and the hub over them.
std::vector<DWORD> SceneryWithHands(std::initializer_list<tm> times) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    DrawScenery();
    SetRasterOp(R2_XORPEN);
    for (const tm& time : times) DrawHands(ToAngles(time));
    PaintHub();
    SetTargetImage(nullptr);
    return PixelsOf(image);
}

// At midnight the tips lie at (300, 95), (300, 125), (300, 195); hours 12 to
// 23 turn a second time round (a full turn written as 6.2831852 may move a
// truncated point by a pixel); the hands move by whole hours and minutes.
TEST(Rainclock, HandTipsAtMidnightAndHoursTwelveApart) {
    const HandShapes midnight = BuildHandShapes(ToAngles(TimeOf(0, 0, 0)));
    EXPECT_EQ(PointsText({midnight.second[2], midnight.minute[2], midnight.hour[2]}),
              "(300,95) (300,125) (300,195)");
    for (int hour = 0; hour < 12; ++hour) {
        const HandShapes early = BuildHandShapes(ToAngles(TimeOf(hour, 0, 0)));
        const HandShapes late = BuildHandShapes(ToAngles(TimeOf(hour + 12, 0, 0)));
        for (int i = 0; i < 4; ++i)
            EXPECT_LE(std::abs(early.hour[i].x - late.hour[i].x) + std::abs(early.hour[i].y - late.hour[i].y), 1);
    }
    EXPECT_EQ(ToAngles(TimeOf(7, 59, 59)).hour, ToAngles(TimeOf(7, 0, 0)).hour);
    EXPECT_EQ(ToAngles(TimeOf(7, 31, 59)).minute, ToAngles(TimeOf(7, 31, 0)).minute);
}

// Drawn once, the second hand's fill shows seven tenths of the way to its
// tip; drawn twice, the fill is gone and only the outlines may remain: where
// the platform applies the raster operation to single pixels written with
// SetPixelV, they are undone like the fill, otherwise they stay.
TEST(Rainclock, DrawingTheSameHandsTwiceRestoresTheFill) {
    const tm time = TimeOf(10, 20, 40);
    const std::vector<DWORD> scenery = SceneryWithHands({}), once = SceneryWithHands({time}),
                             twice = SceneryWithHands({time, time});
    const std::vector<bool> outlines = NearOutlines(time);
    const POINT tip = BuildHandShapes(ToAngles(time)).second[2];
    const int i = (300 + (tip.y - 300) * 7 / 10) * kSize + 300 + (tip.x - 300) * 7 / 10;
    EXPECT_EQ(once[i], scenery[i] ^ PixelOf(kRainHandFill));
    int changedOutside = 0, changedOutline = 0;
    for (int j = 0; j < kSize * kSize; ++j) (outlines[j] ? changedOutline : changedOutside) += twice[j] != scenery[j];
    EXPECT_EQ(changedOutside, 0);
    GdiTwin twin(1, 1);
    SetROP2(twin.Dc(), R2_XORPEN);
    SetPixelV(twin.Dc(), 0, 0, RGB(0xFF, 0, 0));
    GdiFlush();
    EXPECT_EQ(changedOutline > 0, twin.Pixels()[0] != 0x00FF0000u) << changedOutline;
}

// The gradient runs from the top row to the bottom row and changes only
// white pixels; in the scenery it fills the dial from its top row down to
// the hills.
TEST(Rainclock, GradientFaceRunsFromTheTopRowToTheBottomRow) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    SetInteriorColor(RGB(1, 2, 3));
    PaintRectangle(100, 100, 199, 199);
    PaintGradientFace();
    EXPECT_EQ(TargetMismatches({{599, 0, RGB(226, 253, 252)}, {0, 599, RGB(107, 187, 167)},
                                {150, 150, RGB(1, 2, 3)}}), "");
    DrawScenery();
    auto gradient = [](int row) { return RGB(226 - row / 5, 253 - row / 9, 252 - row / 7); };
    int top = 0;
    while (top < kSize && GetPixelColor(300, top) != gradient(top)) ++top;
    EXPECT_TRUE(top >= 49 && top <= 52) << top;
    EXPECT_EQ(TargetMismatches({{300, 355, gradient(355)}, {300, 500, kRainNearHill},
                                {100, 400, kRainFarHill}}), "");
    SetTargetImage(nullptr);
}

// A drop whose end moves from (124, 102) onto the near hill starts again at
// the top, with x in -120 ... 339 and speed in 30 ... 129. One ending on the
// background falls on in the upper half and lands in the lower half; one
// ending outside the image falls on.
TEST(Rainclock, LandedDropStartsAgainAtTheTop) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kRainNearHill);
    PaintRectangle(0, 100, 599, 200);
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::srand(seed);
        drops[0] = {100, 70, 50, 40};
        MoveDrop(0);
        const RainDrop d = drops[0];
        EXPECT_TRUE(d.y == 0 && d.length == 40 && d.x >= -120 && d.x <= 339 && d.speed >= 30 &&
                    d.speed <= 129) << d.x << " " << d.y << " " << d.speed;
    }
    drops[1] = {100, 10, 50, 40}, drops[2] = {100, 350, 50, 40}, drops[3] = {580, 590, 129, 40};
    for (int i = 1; i <= 3; ++i) MoveDrop(i);
    EXPECT_EQ(PointsText({{drops[1].y, drops[2].y}, {drops[3].y, 0}}), "(14,0) (600,0)");
    SetTargetImage(nullptr);
}

// A clock started at noon shows, once the rain of a change of second has
// passed, the picture of the second it matches best: the scenery with only
// the hands of 12:00:s over it. Away from the hand outlines all but a few
// pixels (rain crosses some) must match it, and so must nine in ten of the
// pixels where the start-up hands would still show.
TEST(RainclockProgram, RemovesTheStartUpHandsAtTheFirstChangeAndEnds) {
    const std::vector<bool> nearStart = NearOutlines(TimeOf(12, 0, 0));
    std::vector<std::vector<DWORD>> pictures(21), withStart(21);
    std::vector<std::vector<bool>> nearHands(21);
    for (int s = 1; s <= 20; ++s) {
        pictures[s] = SceneryWithHands({TimeOf(12, 0, s)});
        withStart[s] = SceneryWithHands({TimeOf(12, 0, 0), TimeOf(12, 0, s)});
        nearHands[s] = NearOutlines(TimeOf(12, 0, s));
    }
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        if (c.width != kSize || c.height != kSize) return "size";
        int best = 0, wrong = kSize * kSize, counted = 0, start = 0, startWrong = 0;
        for (int s = 1; s <= 20; ++s) {
            int w = 0, n = 0, sn = 0, sw = 0;
            for (int i = 0; i < kSize * kSize; ++i) {
                if (nearStart[i] || nearHands[s][i]) continue;
                const bool right = (c.pixels[i] & 0xFFFFFF) == pictures[s][i];
                ++n, w += !right;
                if (withStart[s][i] != pictures[s][i]) ++sn, sw += !right;
            }
            if (w < wrong) best = s, wrong = w, counted = n, start = sn, startWrong = sw;
        }
        if (wrong * 100 > counted) return std::to_string(wrong) + " pixels wrong";
        if (startWrong * 10 > start)
            return "start-up hands at second " + std::to_string(best) + ": " +
                   std::to_string(startWrong) + " of " + std::to_string(start) + " pixels wrong";
        return "";
    };
    EXPECT_EQ(RunClockAsAUser(L"rainclock", "2026-01-01 12:00:00", kSize, kSize, check), "");
}

}  // namespace
