// rainclock: hands drawn by its routines on images, and the program end to
// end, up to its picture after a change of second.
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

// Whether pixel i of `withHands` lies on a hand's outline: it is neither the
// scenery nor the scenery with the fill colour exclusive-or-ed in. The
// outlines are written pixel by pixel, which that mode need not undo.
static bool OnOutline(const Pixels& withHands, const Pixels& scenery, int i) {
    return withHands[i] != scenery[i] && (withHands[i] ^ kFill) != scenery[i];
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

// Whether `shown` is the picture `now` where that differs from `before`,
// off the hand outlines of either: in nine of ten of at least 150 such
// pixels (the rain crosses some).
static bool ShowsChange(const ScreenCapture& shown, const Pixels& scenery, const Pixels& before,
                        const Pixels& now) {
    int moved = 0;
    int wrong = 0;
    for (int i = 0; i < kSize * kSize; ++i) {
        if (now[i] == before[i] || OnOutline(before, scenery, i) || OnOutline(now, scenery, i)) {
            continue;
        }
        ++moved;
        wrong += (shown.pixels[i] & 0xFFFFFF) != now[i];
    }
    return moved >= 150 && wrong * 10 <= moved;
}

// A clock started at noon shows, once the rain of a change of second has
// passed, the scenery with only the hands of some second s of 12:00:s over
// it: its second hand drawn and the start-up one gone.
TEST(RainClockProgram, ReplacesTheStartUpHandsAndEndsOnAKeyOrItsCloseBox) {
    const Pixels scenery = SceneryWithHands({});
    const Pixels start = SceneryWithHands({TimeOf(12, 0, 0)});
    std::vector<Pixels> pictures;
    for (int s = 1; s <= 20; ++s) pictures.push_back(SceneryWithHands({TimeOf(12, 0, s)}));
    auto check = [&](HWND, const ScreenCapture& c) -> std::string {
        for (const Pixels& picture : pictures) {
            if (ShowsChange(c, scenery, start, picture)) return "";
        }
        return "not the picture of any second from 1 to 20";
    };
    EXPECT_EQ(RunClockAsAUser(L"rainclock", "2026-01-01 12:00:00", kSize, kSize, check), "");
}
