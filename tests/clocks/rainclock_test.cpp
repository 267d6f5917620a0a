// The rain clock: hands, scenery and rain drawn by its routines on images,
// and the program end to end, up to its picture after a change of second.
#include "rain_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "clock_run.h"
#include "gdi_twin.h"

namespace {

using KanvoTest::PixelOf;
using KanvoTest::TimeOf;
using Area = std::vector<bool>;
constexpr int kSize = 600;

std::vector<DWORD> Snapshot(IMAGE& image) {
    const DWORD* pixels = GetSurfacePixels(&image);
    std::vector<DWORD> copy(pixels, pixels + kSize * kSize);
    for (DWORD& pixel : copy) pixel &= 0xFFFFFF;
    return copy;
}

// The pixels that `draw` changes on a white 600 x 600 image in copy mode.
Area Footprint(const std::function<void()>& draw) {
    IMAGE* previous = GetTargetImage();
    IMAGE canvas(kSize, kSize);
    SetTargetImage(&canvas);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    SetInteriorColor(0);
    draw();
    SetTargetImage(previous);
    Area area(kSize * kSize);
    for (int i = 0; i < kSize * kSize; ++i)
        area[i] = (GetSurfacePixels(&canvas)[i] & 0xFFFFFF) != 0xFFFFFF;
    return area;
}

Area SecondHand(int second) {
    return Footprint(
        [&] { PaintPolygon(BuildHandShapes(ToAngles(TimeOf(12, 0, second))).second, 4); });
}

// The outlines of the three hands at 12:00:s, widened by a pixel on every side.
Area OutlinesAround(int second) {
    const Area outlines = Footprint([&] {
        const HandShapes shapes = BuildHandShapes(ToAngles(TimeOf(12, 0, second)));
        for (const POINT* wedge : {shapes.second, shapes.minute, shapes.hour})
            OutlinePolygon(wedge);
    });
    Area around(kSize * kSize);
    for (int i = kSize + 1; i < kSize * (kSize - 1) - 1; ++i)
        for (int d : {-kSize - 1, -kSize, -kSize + 1, -1, 0, 1, kSize - 1, kSize, kSize + 1})
            around[i] = around[i] || outlines[i + d];
    return around;
}

Area Without(Area area, std::initializer_list<const Area*> others) {
    for (const Area* other : others)
        for (size_t i = 0; i < area.size(); ++i) area[i] = area[i] && !(*other)[i];
    return area;
}

// How many pixels of `area` show the expected value, and how many it has.
struct Match {
    int matching = 0;
    int total = 0;
};
Match Compare(const Area& area, const DWORD* shown, const std::vector<DWORD>& expected) {
    Match match;
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i]) ++match.total, match.matching += (shown[i] & 0xFFFFFF) == expected[i];
    return match;
}

// The scenery and what a clock started at noon shows s seconds later: the
// scenery changed by the fill colour once for every hand of 12:00:s over it,
// away from the outlines of those hands and of the start-up hands and from
// the hub.
struct NoonPicture {
    std::vector<DWORD> scenery;
    Area minute, hour, startHand, aroundStart, hub;

    NoonPicture() : startHand(SecondHand(0)), aroundStart(OutlinesAround(0)) {
        const HandShapes noon = BuildHandShapes(ToAngles(TimeOf(12, 0, 0)));
        minute = Footprint([&] { PaintPolygon(noon.minute, 4); });
        hour = Footprint([&] { PaintPolygon(noon.hour, 4); });
        hub = Footprint([] { PaintCircle(300, 300, 10); });
        IMAGE image(kSize, kSize);
        SetTargetImage(&image);
        DrawScenery();
        scenery = Snapshot(image);
        SetTargetImage(nullptr);
    }

    // The whole picture, the part where only the second hand of 12:00:s is,
    // and the part where only the start-up second hand was.
    void CompareAt(int s, const DWORD* shown, Match& all, Match& handOnly,
                   Match& startHandOnly) const {
        const Area hand = SecondHand(s), around = OutlinesAround(s);
        std::vector<DWORD> expected = scenery;
        for (const Area* wedge : {&hand, &minute, &hour})
            for (size_t i = 0; i < expected.size(); ++i)
                expected[i] ^= (*wedge)[i] ? PixelOf(kRainHandFill) : 0;
        all = Compare(Without(Area(kSize * kSize, true), {&around, &aroundStart, &hub}), shown,
                      expected);
        handOnly = Compare(Without(hand, {&startHand, &minute, &hour, &around, &aroundStart, &hub}),
                           shown, expected);
        startHandOnly =
            Compare(Without(startHand, {&hand, &around, &aroundStart, &hub}), shown, expected);
    }
};

TEST(Rainclock, HandTipsAtMidnightAndHoursTwelveApart) {
    const HandShapes midnight = BuildHandShapes(ToAngles(TimeOf(0, 0, 0)));
    auto tip = [](const POINT* wedge) { return std::make_pair(wedge[2].x, wedge[2].y); };
    EXPECT_EQ(tip(midnight.second), std::make_pair(300L, 95L));
    EXPECT_EQ(tip(midnight.minute), std::make_pair(300L, 125L));
    EXPECT_EQ(tip(midnight.hour), std::make_pair(300L, 195L));
    // A full turn written as 6.2831852 may move a truncated point by a pixel.
    for (int hour = 0; hour < 12; ++hour) {
        const HandShapes early = BuildHandShapes(ToAngles(TimeOf(hour, 0, 0)));
        const HandShapes late = BuildHandShapes(ToAngles(TimeOf(hour + 12, 0, 0)));
        for (int i = 0; i < 4; ++i)
            EXPECT_LE(std::abs(early.hour[i].x - late.hour[i].x) +
                          std::abs(early.hour[i].y - late.hour[i].y),
                      1);
    }
    EXPECT_EQ(ToAngles(TimeOf(7, 59, 59)).hour, ToAngles(TimeOf(7, 0, 0)).hour);
    EXPECT_EQ(ToAngles(TimeOf(7, 31, 59)).minute, ToAngles(TimeOf(7, 31, 0)).minute);
}

TEST(Rainclock, DrawingTheSameHandsTwiceRestoresTheFill) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    DrawScenery();
    const std::vector<DWORD> scenery = Snapshot(image);
    const HandShapes shapes = BuildHandShapes(ToAngles(TimeOf(10, 20, 40)));
    const Area outlines = Footprint([&] {
        for (const POINT* wedge : {shapes.second, shapes.minute, shapes.hour})
            OutlinePolygon(wedge);
    });
    SetRasterOp(R2_XORPEN);
    DrawHands(ToAngles(TimeOf(10, 20, 40)));
    // Seven tenths of the way to the tip, the second hand's fill shows.
    const int x = 300 + (shapes.second[2].x - 300) * 7 / 10,
              y = 300 + (shapes.second[2].y - 300) * 7 / 10;
    EXPECT_EQ(GetSurfacePixels(&image)[y * kSize + x] & 0xFFFFFF,
              scenery[y * kSize + x] ^ PixelOf(kRainHandFill));
    DrawHands(ToAngles(TimeOf(10, 20, 40)));
    const std::vector<DWORD> after = Snapshot(image);
    int changedOutside = 0, changedOutline = 0;
    for (int i = 0; i < kSize * kSize; ++i)
        (outlines[i] ? changedOutline : changedOutside) += after[i] != scenery[i];
    EXPECT_EQ(changedOutside, 0);
    // The outlines are single pixels written with SetPixelV: where the
    // platform applies the raster operation to those too, they are undone
    // like the fill; otherwise they stay.
    KanvoTest::GdiTwin twin(1, 1);
    SetROP2(twin.Dc(), R2_XORPEN);
    SetPixelV(twin.Dc(), 0, 0, RGB(0xFF, 0, 0));
    GdiFlush();
    if (twin.Pixels()[0] == 0x00FF0000u)
        EXPECT_EQ(changedOutline, 0);
    else
        EXPECT_GT(changedOutline, 0);
    SetTargetImage(nullptr);
}

TEST(Rainclock, GradientFaceRunsFromTheTopRowToTheBottomRow) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    SetInteriorColor(RGB(1, 2, 3));
    PaintRectangle(100, 100, 199, 199);
    PaintGradientFace();
    EXPECT_EQ(GetPixelColor(599, 0), RGB(226, 253, 252));
    EXPECT_EQ(GetPixelColor(0, 599), RGB(107, 187, 167));
    EXPECT_EQ(GetPixelColor(150, 150), RGB(1, 2, 3));  // only white pixels change
    // In the scenery it fills the dial from its top row down to the hills.
    DrawScenery();
    auto gradient = [](int row) { return RGB(226 - row / 5, 253 - row / 9, 252 - row / 7); };
    int top = 0;
    while (top < kSize && GetPixelColor(300, top) != gradient(top)) ++top;
    EXPECT_TRUE(top >= 49 && top <= 52) << top;
    EXPECT_EQ(GetPixelColor(300, 355), gradient(355));
    EXPECT_EQ(GetPixelColor(300, 500), kRainNearHill);
    EXPECT_EQ(GetPixelColor(100, 400), kRainFarHill);
    SetTargetImage(nullptr);
}

TEST(Rainclock, LandedDropStartsAgainAtTheTop) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kRainNearHill);
    PaintRectangle(0, 100, 599, 200);
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::srand(seed);
        drops[0] = {100, 70, 50, 40};  // its end moves from (124, 102) onto the hill
        MoveDrop(0);
        const RainDrop d = drops[0];
        EXPECT_TRUE(d.y == 0 && d.length == 40 && d.x >= -120 && d.x <= 339 && d.speed >= 30 &&
                    d.speed <= 129)
            << d.x << " " << d.y << " " << d.speed;
    }
    drops[1] = {100, 10, 50, 40};    // ends on the background in the upper half: falls on
    drops[2] = {100, 350, 50, 40};   // ends on the background in the lower half: lands
    drops[3] = {580, 590, 129, 40};  // ends outside the image: falls on
    for (int i = 1; i <= 3; ++i) MoveDrop(i);
    EXPECT_EQ(drops[1].y, 14);
    EXPECT_EQ(drops[2].y, 0);
    EXPECT_EQ(drops[3].y, 600);
    SetTargetImage(nullptr);
}

TEST(RainclockProgram, RemovesTheStartUpHandsAtTheFirstChangeAndEndsOnAKey) {
    const NoonPicture noon;
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"rainclock", "2026-01-01 12:00:00");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"rainclock", 600, 600), "");
    // The second after noon that a capture shows: its second hand is there,
    // and all but a few pixels (rain crosses some) match its picture.
    auto shownSecond = [&](const KanvoTest::ScreenCapture& c) {
        for (int s = 1; s <= 20 && c.width == kSize && c.height == kSize; ++s) {
            Match all, hand, startHand;
            noon.CompareAt(s, c.pixels.data(), all, hand, startHand);
            if (all.matching * 100 >= all.total * 99 && hand.matching * 10 >= hand.total * 9)
                return s;
        }
        return 0;
    };
    const auto shot = KanvoTest::CaptureWhen(
        window, [&](const auto& c) { return shownSecond(c) > 0; }, 20000);
    const int second = shownSecond(shot);
    ASSERT_GT(second, 0);
    // Where only the start-up second hand was, the scenery shows again.
    Match all, handOnly, startHandOnly;
    noon.CompareAt(second, shot.pixels.data(), all, handOnly, startHandOnly);
    EXPECT_GT(startHandOnly.total, 200);
    EXPECT_GE(startHandOnly.matching * 10, startHandOnly.total * 9);
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(RainclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"rainclock", "2026-01-01 12:00:00", 1500), 0u);
}

}  // namespace
