// rainclock: hands drawn by its routines on images, the rain's drops, and
// the program end to end, up to its picture after a change of second.
#include <cstdlib>

#include "clock_test.h"
#include "rain_drawing.h"

constexpr int kSize = 600;
const DWORD kFill = PixelOf(kRainHandFill);
using Pixels = std::vector<DWORD>;

// The scenery with the hands of the given times drawn over it in
// exclusive-or mode, then the hub: as the clock draws them.
static Pixels SceneryWithHands(std::initializer_list<tm> times) {
    const ScreenCapture drawn = Drawn(kSize, kSize, [&times] {
        DrawScenery();
        SetRasterOp(R2_XORPEN);
        for (const tm& time : times) DrawHands(ToAngles(time));
        PaintHub();
    });
    return drawn.pixels;
}

// The pixels within one of the hand outlines in `withHands`: those that are
// neither the scenery nor the scenery with the fill colour exclusive-or-ed
// in. The outlines are written pixel by pixel, which that mode need not undo.
static std::vector<bool> NearOutlines(const Pixels& withHands, const Pixels& scenery) {
    std::vector<bool> close(withHands.size());
    for (int i = kSize + 1; i < kSize * (kSize - 1) - 1; ++i) {
        for (int j : {i - kSize - 1, i - kSize, i - kSize + 1, i - 1, i, i + 1, i + kSize - 1,
                      i + kSize, i + kSize + 1}) {
            if (withHands[j] != scenery[j] && (withHands[j] ^ kFill) != scenery[j]) close[i] = true;
        }
    }
    return close;
}

// At 10:20:37 the second hand's fill (205 long) shows along 222 degrees, the
// minute hand's (175) along 120, the hour hand's (105) along 300, each at
// six tenths of its length.
TEST(RainHands, EachFollowsItsOwnUnitOfTime) {
    const Pixels scenery = SceneryWithHands({});
    const Pixels hands = SceneryWithHands({TimeOf(10, 20, 37)});
    const POINT second = PointAlong({300, 300}, 222 / 360.0, 123);
    const POINT minute = PointAlong({300, 300}, 120 / 360.0, 105);
    const POINT hour = PointAlong({300, 300}, 300 / 360.0, 63);
    for (POINT p : {second, minute, hour}) {
        const int i = p.y * kSize + p.x;
        EXPECT_EQ(hands[i], scenery[i] ^ kFill) << p.x << "," << p.y;
    }
}

// Guards against rain that stops once its drops have fallen. A drop whose
// end moves from (124, 102) onto the near hill starts again at the top, with
// x in -120 ... 339 and speed in 30 ... 129, whatever the random sequence.
// One ending on the background falls on in the upper half and lands in the
// lower half.
TEST(RainDrops, StartAgainAtTheTopWhenTheyLand) {
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kRainNearHill);
    PaintRectangle(0, 100, 599, 200);
    int wrong = 0;
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::srand(seed);
        drops[0] = {100, 70, 50, 40};
        MoveDrop(0);
        const RainDrop d = drops[0];
        const bool restarted = d.y == 0 && d.length == 40;
        const bool inRange = d.x >= -120 && d.x <= 339 && d.speed >= 30 && d.speed <= 129;
        if (!restarted || !inRange) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
    drops[1] = {100, 10, 50, 40};
    drops[2] = {100, 350, 50, 40};
    MoveDrop(1);
    MoveDrop(2);
    EXPECT_EQ(drops[1].y, 14);
    EXPECT_EQ(drops[2].y, 0);
    SetTargetImage(nullptr);
}

// A clock started at noon shows, once the rain of a change of second has
// passed, the picture of some second s: the scenery with only the hands of
// 12:00:s over it. Away from the hand outlines all but one in a hundred
// pixels (rain crosses some) must match it, and so must nine in ten of the
// pixels where only the second hand of s is (it is drawn) and of those where
// only the start-up second hand was (it is gone).
TEST(RainClockProgram, RemovesTheStartUpHandsAtTheFirstChangeAndEnds) {
    const Pixels scenery = SceneryWithHands({});
    const Pixels start = SceneryWithHands({TimeOf(12, 0, 0)});
    const std::vector<bool> nearStart = NearOutlines(start, scenery);
    std::vector<Pixels> pictures(21);
    std::vector<std::vector<bool>> nearHands(21);
    for (int s = 1; s <= 20; ++s) {
        pictures[s] = SceneryWithHands({TimeOf(12, 0, s)});
        nearHands[s] = NearOutlines(pictures[s], scenery);
    }
    auto showsSecond = [&](const ScreenCapture& c, int s) {
        int counted = 0;
        int wrong = 0;
        int newHand = 0;
        int newHandWrong = 0;
        int oldHand = 0;
        int oldHandWrong = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            if (nearStart[i] || nearHands[s][i]) continue;
            const bool isWrong = (c.pixels[i] & 0xFFFFFF) != pictures[s][i];
            const bool moved = pictures[s][i] != start[i];
            const bool hand = moved && start[i] == scenery[i];
            const bool old = moved && pictures[s][i] == scenery[i];
            ++counted;
            wrong += isWrong;
            newHand += hand;
            newHandWrong += hand && isWrong;
            oldHand += old;
            oldHandWrong += old && isWrong;
        }
        return wrong * 100 <= counted && newHand > 100 && newHandWrong * 10 <= newHand &&
               oldHand > 50 && oldHandWrong * 10 <= oldHand;
    };
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        for (int s = 1; s <= 20; ++s) {
            if (showsSecond(c, s)) return "";
        }
        return "not the picture of any second from 1 to 20";
    };
    EXPECT_EQ(RunClockAsAUser(L"rainclock", "2026-01-01 12:00:00", kSize, kSize, check), "");
}
