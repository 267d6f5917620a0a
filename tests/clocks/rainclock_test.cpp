// The rain clock: hands, scenery and rain drawn by its routines on images,
// the start-up and the first change of second, and the program end to end.
#include "rain_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "clock_run.h"
#include "gdi_twin.h"

namespace {

using KanvoTest::TimeOf;
using KanvoTest::PixelOf;
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
    draw();
    Area area(kSize * kSize);
    const DWORD* pixels = GetSurfacePixels(&canvas);
    for (int i = 0; i < kSize * kSize; ++i) area[i] = (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
    SetTargetImage(previous);
    return area;
}

Area Wedge(double length, double angle, double half) {
    return Footprint([&] {
        POINT points[4];
        HandPolygon(points, length, angle, half);
        SetInteriorColor(0);
        PaintPolygon(points, 4);
    });
}

Area SecondWedge(int second) { return Wedge(205, second * 6.2831852 / 60, 0.10471975333333333); }

// The outlines of all three hands.
Area Outlines(const HandAngles& angles) {
    return Footprint([&] {
        const HandShapes shapes = BuildHandShapes(angles);
        OutlinePolygon(shapes.second);
        OutlinePolygon(shapes.minute);
        OutlinePolygon(shapes.hour);
    });
}

// The outlines of all three hands, widened by a pixel on every side.
Area OutlinesNear(const HandAngles& angles) {
    const Area outlines = Outlines(angles);
    Area around(kSize * kSize);
    for (int y = 1; y < kSize - 1; ++y)
        for (int x = 1; x < kSize - 1; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (outlines[(y + dy) * kSize + x + dx]) around[y * kSize + x] = true;
    return around;
}

// `area` without the pixels of any of `others`.
Area Without(Area area, std::initializer_list<const Area*> others) {
    for (const Area* other : others)
        for (size_t i = 0; i < area.size(); ++i)
            if ((*other)[i]) area[i] = false;
    return area;
}

// The scenery with hands drawn over it in exclusive-or mode: each pixel
// changed by the fill colour once for every wedge that covers it.
std::vector<DWORD> WithHands(std::vector<DWORD> scenery, std::initializer_list<const Area*> wedges) {
    for (const Area* wedge : wedges)
        for (size_t i = 0; i < scenery.size(); ++i)
            if ((*wedge)[i]) scenery[i] ^= PixelOf(kRainHandFill);
    return scenery;
}

// How many pixels of `area` show the expected value, and how many it has.
struct Match {
    int matching = 0;
    int total = 0;
};
Match Compare(const Area& area, const DWORD* shown, const std::vector<DWORD>& expected) {
    Match match;
    for (size_t i = 0; i < area.size(); ++i) {
        if (!area[i]) continue;
        ++match.total;
        match.matching += (shown[i] & 0xFFFFFF) == expected[i];
    }
    return match;
}

Area Hub() {
    return Footprint([] {
        SetInteriorColor(0);
        PaintCircle(300, 300, 10);
    });
}


// Whether this platform's SetPixelV follows the raster operation.
bool SetPixelFollowsRasterOp() {
    KanvoTest::GdiTwin twin(1, 1);
    twin.Fill(0x00102030);
    SetROP2(twin.Dc(), R2_XORPEN);
    SetPixelV(twin.Dc(), 0, 0, RGB(0xFF, 0, 0));
    GdiFlush();
    return twin.Pixels()[0] == (0x00102030u ^ 0x00FF0000u);
}

TEST(Rainclock, HandTipsAtMidnightAndHoursTwelveApart) {
    const HandShapes midnight = BuildHandShapes(ToAngles(TimeOf(0, 0, 0)));
    EXPECT_EQ(midnight.second[2].x, 300);
    EXPECT_EQ(midnight.second[2].y, 95);
    EXPECT_EQ(midnight.minute[2].x, 300);
    EXPECT_EQ(midnight.minute[2].y, 125);
    EXPECT_EQ(midnight.hour[2].x, 300);
    EXPECT_EQ(midnight.hour[2].y, 195);
    for (int hour = 0; hour < 12; ++hour) {
        const HandShapes early = BuildHandShapes(ToAngles(TimeOf(hour, 0, 0)));
        const HandShapes late = BuildHandShapes(ToAngles(TimeOf(hour + 12, 0, 0)));
        // A full turn written as 6.2831852 may move a truncated point by one pixel.
        for (int i = 0; i < 4; ++i) {
            EXPECT_LE(std::abs(early.hour[i].x - late.hour[i].x), 1) << hour;
            EXPECT_LE(std::abs(early.hour[i].y - late.hour[i].y), 1) << hour;
        }
    }
    // The hour hand moves only on the hour, the minute hand only on the minute.
    EXPECT_EQ(ToAngles(TimeOf(7, 59, 59)).hour, ToAngles(TimeOf(7, 0, 0)).hour);
    EXPECT_EQ(ToAngles(TimeOf(7, 31, 59)).minute, ToAngles(TimeOf(7, 31, 0)).minute);
}

TEST(Rainclock, DrawingTheSameHandsTwiceRestoresTheFillExactly) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    DrawScenery();
    const std::vector<DWORD> scenery = Snapshot(image);
    const HandAngles angles = ToAngles(TimeOf(10, 20, 40));
    const Area outlines = Outlines(angles);
    const Area fill = Without(SecondWedge(40), {&outlines});

    SetRasterOp(R2_XORPEN);
    DrawHands(angles);
    const Match shown = Compare(fill, GetSurfacePixels(&image), WithHands(scenery, {&fill}));
    DrawHands(angles);
    const std::vector<DWORD> after = Snapshot(image);
    int outsideChanged = 0, outlineChanged = 0, outlinePixels = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
        const bool changed = after[i] != scenery[i];
        if (outlines[i]) {
            ++outlinePixels;
            outlineChanged += changed;
        } else {
            outsideChanged += changed;
        }
    }
    EXPECT_GT(shown.total, 500);
    EXPECT_EQ(shown.matching, shown.total);  // the second hand's fill was shown
    EXPECT_EQ(outsideChanged, 0);
    EXPECT_GT(outlinePixels, 0);
    // The outlines are written with SetPixelV: they stay where the platform
    // writes single pixels regardless of the raster operation, and are undone
    // like the fill where it applies the exclusive-or to them too.
    if (SetPixelFollowsRasterOp()) EXPECT_EQ(outlineChanged, 0);
    else EXPECT_GT(outlineChanged, 0);
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
    EXPECT_EQ(GetPixelColor(0, 0), RGB(226, 253, 252));
    EXPECT_EQ(GetPixelColor(599, 0), RGB(226, 253, 252));
    EXPECT_EQ(GetPixelColor(0, 599), RGB(107, 187, 167));
    EXPECT_EQ(GetPixelColor(599, 599), RGB(107, 187, 167));
    EXPECT_EQ(GetPixelColor(150, 150), RGB(1, 2, 3));  // only white pixels change

    // In the scenery the gradient fills the dial from its top row down to the
    // around hill.
    DrawScenery();
    int top = 0;
    while (top < kSize && GetPixelColor(300, top) != RGB(226 - top / 5, 253 - top / 9, 252 - top / 7))
        ++top;
    EXPECT_GE(top, 49);
    EXPECT_LE(top, 52);
    EXPECT_EQ(GetPixelColor(300, 355), RGB(226 - 71, 253 - 39, 252 - 50));
    EXPECT_EQ(GetPixelColor(300, 500), kRainNearHill);
    EXPECT_EQ(GetPixelColor(100, 400), kRainFarHill);
    EXPECT_EQ(GetPixelColor(300, 300), kRainHub);
    SetTargetImage(nullptr);
}

TEST(Rainclock, LandedDropStartsAgainAtTheTop) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kRainNearHill);
    PaintRectangle(0, 100, 599, 200);
    int distinctX = 0, previousX = 1000;
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::srand(seed);
        drops[0] = {100, 70, 50, 40};  // its end moves from (124, 102) to (127, 106)
        MoveDrop(0);
        const RainDrop d = drops[0];
        EXPECT_EQ(d.y, 0);
        EXPECT_EQ(d.length, 40);
        EXPECT_TRUE(d.x >= -120 && d.x <= 339) << d.x;
        EXPECT_TRUE(d.speed >= 30 && d.speed <= 129) << d.speed;
        distinctX += d.x != previousX;
        previousX = d.x;
    }
    EXPECT_GT(distinctX, 250);

    drops[1] = {100, 10, 50, 40};  // end on the background in the upper half
    MoveDrop(1);
    EXPECT_EQ(drops[1].y, 14);
    drops[2] = {100, 350, 50, 40};  // end on the background in the lower half
    MoveDrop(2);
    EXPECT_EQ(drops[2].y, 0);
    drops[3] = {580, 590, 129, 40};  // end outside the image: falls on
    MoveDrop(3);
    EXPECT_EQ(drops[3].y, 600);
    SetTargetImage(nullptr);
}

TEST(Rainclock, AfterTheFirstChangeOfSecondOnlyTheNewHandsShow) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    DrawScenery();
    const std::vector<DWORD> scenery = Snapshot(image);
    const tm first = TimeOf(12, 0, 0), next = TimeOf(12, 0, 1);
    std::srand(7);
    StartHandsAndRain(first);
    ChangeSecond(first, next);
    PaintHub();
    EXPECT_EQ(GetRasterOp(), R2_XORPEN);

    const Area rain = Footprint([] {
        for (int k = 0; k < kDropCount; ++k) DrawDrop(k);
    });
    const Area oldSecond = SecondWedge(0), newSecond = SecondWedge(1);
    const Area minute = Wedge(175, 0, 0.15707963), hour = Wedge(105, 0, 0.20943950666666666);
    const Area aroundOld = OutlinesNear(ToAngles(first)), aroundNew = OutlinesNear(ToAngles(next));
    const Area hub = Hub();
    // Every pixel away from the outlines, the streaks and the hub shows the
    // scenery with exactly the new hands, also where the old second hand was.
    const Area checked = Without(Area(kSize * kSize, true), {&aroundOld, &aroundNew, &rain, &hub});
    const Area oldHand = Without(oldSecond, {&newSecond, &aroundOld, &aroundNew, &rain, &hub});
    const std::vector<DWORD> expected = WithHands(scenery, {&newSecond, &minute, &hour});
    const DWORD* pixels = GetSurfacePixels(&image);
    const Match all = Compare(checked, pixels, expected);
    const Match old = Compare(oldHand, pixels, expected);
    EXPECT_EQ(all.matching, all.total);
    EXPECT_GT(old.total, 200);
    EXPECT_EQ(old.matching, old.total);
    SetTargetImage(nullptr);
}

// What the window of a clock started at noon shows s seconds later: the
// scenery with the hands of 12:00:s, away from the outlines of those hands
// and of the start-up hands and from the hub.
struct NoonPicture {
    std::vector<DWORD> scenery;
    Area minute, hour, startHand, aroundStart, hub;

    NoonPicture()
        : minute(Wedge(175, 0, 0.15707963)),
          hour(Wedge(105, 0, 0.20943950666666666)),
          startHand(SecondWedge(0)),
          aroundStart(OutlinesNear(ToAngles(TimeOf(12, 0, 0)))),
          hub(Hub()) {
        IMAGE image(kSize, kSize);
        SetTargetImage(&image);
        DrawScenery();
        scenery = Snapshot(image);
        SetTargetImage(nullptr);
    }

    // The whole picture and the part where only the start-up second hand was,
    // compared with the picture of 12:00:s.
    void CompareAt(int s, const DWORD* shown, Match& all, Match& startHandOnly) const {
        const Area hand = SecondWedge(s), around = OutlinesNear(ToAngles(TimeOf(12, 0, s)));
        const std::vector<DWORD> expected = WithHands(scenery, {&hand, &minute, &hour});
        const Area checked = Without(Area(kSize * kSize, true), {&around, &aroundStart, &hub});
        all = Compare(checked, shown, expected);
        startHandOnly = Compare(Without(startHand, {&hand, &around, &aroundStart, &hub}), shown, expected);
    }
};

// The second (1 ... 20) after noon that a capture shows, or 0: all but a few
// pixels (streaks of rain cross some) match its picture.
int ShownSecond(const KanvoTest::ScreenCapture& capture, const NoonPicture& noon) {
    if (capture.width != kSize || capture.height != kSize) return 0;
    for (int s = 1; s <= 20; ++s) {
        Match all, startHandOnly;
        noon.CompareAt(s, capture.pixels.data(), all, startHandOnly);
        if (all.total > 0 && all.matching * 100 >= all.total * 99) return s;
    }
    return 0;
}

TEST(RainclockProgram, RemovesTheStartUpHandsAtTheFirstChangeAndEndsOnAKey) {
    const NoonPicture noon;
    KanvoTest::ProgramDriver program;
    HWND window = KanvoTest::StartClockAt(program, L"rainclock", "2026-01-01 12:00:00");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(KanvoTest::DescribeClockWindow(window, L"rainclock", 600, 600), "");
    const auto shot = KanvoTest::CaptureWhen(
        window, [&](const KanvoTest::ScreenCapture& c) { return ShownSecond(c, noon) > 0; }, 20000);
    const int second = ShownSecond(shot, noon);
    ASSERT_GT(second, 0);
    // Where only the start-up second hand was, the scenery shows again.
    Match all, startHandOnly;
    noon.CompareAt(second, shot.pixels.data(), all, startHandOnly);
    EXPECT_GT(startHandOnly.total, 200);
    EXPECT_GE(startHandOnly.matching * 10, startHandOnly.total * 9);
    EXPECT_EQ(KanvoTest::ExitCodeAfterKey(program), 0u);
}

TEST(RainclockProgram, CloseBoxEndsIt) {
    EXPECT_EQ(KanvoTest::ExitCodeAfterCloseBox(L"rainclock", "2026-01-01 12:00:00", 1500), 0u);
}

}  // namespace
