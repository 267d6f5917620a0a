// The rain clock: hands, scenery and rain drawn by its routines on images,
// and the program end to end, up to its picture after a change of second.
#include "rain_drawing.h"

#include "clock_test.h"

constexpr int kSize = 600;
const DWORD kFill = PixelOf(kRainHandFill);
using Pixels = std::vector<DWORD>;

// The scenery with the hands of the given times drawn over it in
// exclusive-or mode, then the hub: as the clock draws them.
static Pixels SceneryWithHands(std::initializer_list<tm> times) {
    return Drawn(kSize, kSize,
                 [&] {
                     DrawScenery();
                     SetRasterOp(R2_XORPEN);
                     for (const tm& time : times) DrawHands(ToAngles(time));
                     PaintHub();
                 })
        .pixels;
}

// The pixels within one of the hand outlines in `withHands`: those that are
// neither the scenery nor the scenery with the fill colour exclusive-or-ed
// in. The outlines are written pixel by pixel, which that mode need not undo.

static std::vector<bool> NearOutlines(const Pixels& withHands, const Pixels& scenery) {
    std::vector<bool> close(withHands.size());
    for (int i = kSize + 1; i < kSize * (kSize - 1) - 1; ++i)
        for (int j : {i - kSize - 1, i - kSize, i - kSize + 1, i - 1, i, i + 1, i + kSize - 1,
                      i + kSize, i + kSize + 1})
            close[i] =
                close[i] || (withHands[j] != scenery[j] && (withHands[j] ^ kFill) != scenery[j]);
    return close;
}

// At midnight the tips lie at (300, 95), (300, 125), (300, 195); the hands
// move by whole hours and minutes. Drawn once, the second hand's fill shows
// seven tenths of the way to its tip; drawn twice, the fill is gone and only
// the outlines may remain: where the platform applies the raster operation
// to single pixels written with SetPixelV, they are undone like the fill,
// otherwise they stay.
TEST(Rainclock, HandsGradientAndDropsAtTheirPointsAndColours) {
    const HandShapes midnight = BuildHandShapes(ToAngles(TimeOf(0, 0, 0)));
    EXPECT_EQ(PointsText({midnight.second[2], midnight.minute[2], midnight.hour[2]}),
              "(300,95) (300,125) (300,195)");
    for (int hour = 0; hour < 12; ++hour)  // a full turn of 6.2831852 may move a point a pixel
        for (int i = 0; i < 4; ++i) {
            const POINT a = BuildHandShapes(ToAngles(TimeOf(hour, 0, 0))).hour[i];
            const POINT b = BuildHandShapes(ToAngles(TimeOf(hour + 12, 0, 0))).hour[i];
            EXPECT_LE(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1) << hour;
        }
    EXPECT_EQ(ToAngles(TimeOf(7, 59, 59)).hour, ToAngles(TimeOf(7, 0, 0)).hour);
    EXPECT_EQ(ToAngles(TimeOf(7, 31, 59)).minute, ToAngles(TimeOf(7, 31, 0)).minute);
    const tm time = TimeOf(10, 20, 40);
    const Pixels scenery = SceneryWithHands({}), once = SceneryWithHands({time});
    const Pixels twice = SceneryWithHands({time, time});
    const std::vector<bool> outlines = NearOutlines(once, scenery);
    const POINT tip = BuildHandShapes(ToAngles(time)).second[2];
    const int i = (300 + (tip.y - 300) * 7 / 10) * kSize + 300 + (tip.x - 300) * 7 / 10;
    EXPECT_EQ(once[i], scenery[i] ^ kFill);
    int changed[2] = {0, 0};  // away from the outlines, on them
    for (int j = 0; j < kSize * kSize; ++j) changed[outlines[j]] += twice[j] != scenery[j];
    EXPECT_EQ(changed[0], 0);
    GdiTwin twin(1, 1);
    SetROP2(twin.Dc(), R2_XORPEN), SetPixelV(twin.Dc(), 0, 0, RGB(0xFF, 0, 0)), GdiFlush();
    EXPECT_EQ(changed[1] > 0, twin.Pixels()[0] != 0x00FF0000u) << changed[1];
    // The gradient runs from the top row to the bottom row and changes only
    // white pixels; in the scenery it fills the dial from its top row down to
    // the hills.
    EXPECT_EQ(Mismatches({{599, 0, 0xE2FDFC}, {0, 599, 0x6BBBA7}, {150, 150, 0x010203}},
                         Drawn(kSize, kSize,
                               [] {
                                   SetBackgroundColor(0xFFFFFF);
                                   ClearTarget();
                                   SetInteriorColor(RGB(1, 2, 3));
                                   PaintRectangle(100, 100, 199, 199);
                                   PaintGradientFace();
                               })),
              "");
    const ScreenCapture land = Drawn(kSize, kSize, DrawScenery);
    auto gradient = [](int y) {
        return PixelOf(RGB(226 - y / 5, 253 - y / 9, 252 - y / 7));
    };
    int top = 0;
    while (top < kSize && land.At(300, top) != gradient(top)) ++top;
    EXPECT_TRUE(top >= 49 && top <= 52) << top;
    EXPECT_EQ(Mismatches({{300, 355, gradient(355)},
                          {300, 500, PixelOf(kRainNearHill)},
                          {100, 400, PixelOf(kRainFarHill)}},
                         land),
              "");
    // A drop whose end moves from (124, 102) onto the near hill starts again
    // at the top, with x in -120 ... 339 and speed in 30 ... 129. One ending
    // on the background falls on in the upper half and lands in the lower
    // half; one ending outside the image falls on.
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kRainNearHill);
    PaintRectangle(0, 100, 599, 200);
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::srand(seed), drops[0] = {100, 70, 50, 40}, MoveDrop(0);
        const RainDrop d = drops[0];
        EXPECT_TRUE(d.y == 0 && d.length == 40 && d.x >= -120 && d.x <= 339 && d.speed >= 30 &&
                    d.speed <= 129)
            << d.x << " " << d.y << " " << d.speed;
    }
    drops[1] = {100, 10, 50, 40}, drops[2] = {100, 350, 50, 40}, drops[3] = {580, 590, 129, 40};
    for (int i = 1; i <= 3; ++i) MoveDrop(i);
    EXPECT_TRUE(drops[1].y == 14 && drops[2].y == 0 && drops[3].y == 600);
}

// A clock started at noon shows, once the rain of a change of second has
// passed, the picture of some second s: the scenery with only the hands of
// 12:00:s over it. Away from the hand outlines all but a few pixels (rain
// crosses some) must match it, and so must nine in ten of the pixels where
// only the second hand of s is (it is drawn) and of those where only the
// start-up second hand was (it is gone).
TEST(RainclockProgram, RemovesTheStartUpHandsAtTheFirstChangeAndEnds) {
    const Pixels scenery = SceneryWithHands({}), start = SceneryWithHands({TimeOf(12, 0, 0)});
    const std::vector<bool> nearStart = NearOutlines(start, scenery);
    std::vector<Pixels> pictures(21);
    std::vector<std::vector<bool>> nearHands(21);
    for (int s = 1; s <= 20; ++s) {
        pictures[s] = SceneryWithHands({TimeOf(12, 0, s)});
        nearHands[s] = NearOutlines(pictures[s], scenery);
    }
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        int fewestWrong = kSize * kSize;
        for (int s = 1; s <= 20 && c.pixels.size() == scenery.size(); ++s) {
            // Counted and wrong: everywhere; where only the hand of second s is;
            // where only the start-up second hand was.
            int n[6] = {};
            for (int i = 0; i < kSize * kSize; ++i) {
                const bool wrong = (c.pixels[i] & 0xFFFFFF) != pictures[s][i];
                if (nearStart[i] || nearHands[s][i]) continue;
                const bool moved = pictures[s][i] != start[i];
                const bool hand = moved && start[i] == scenery[i];
                const bool old = moved && pictures[s][i] == scenery[i];
                n[0]++, n[1] += wrong, n[2] += hand, n[3] += hand && wrong, n[4] += old,
                    n[5] += old && wrong;
            }
            if (n[1] * 100 <= n[0] && n[2] > 100 && n[3] * 10 <= n[2] && n[4] > 50 &&
                n[5] * 10 <= n[4])
                return "";
            fewestWrong = std::min(fewestWrong, n[1]);
        }
        return "no second's picture: at best " + std::to_string(fewestWrong) + " pixels wrong";
    };
    EXPECT_EQ(RunClockAsAUser(L"rainclock", "2026-01-01 12:00:00", kSize, kSize, check), "");
}
