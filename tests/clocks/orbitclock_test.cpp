// orbitclock: frames drawn by its own routines at a time when every hand
// points elsewhere, one after another on one image; the real program.
#include "clock_test.h"
#include "orbit_drawing.h"

// The dial with the frames of `times` drawn over it one after another.
static ScreenCapture FramesAt(std::initializer_list<tm> times) {
    return Drawn(640, 480, [&times] {
        DrawDialFrame();
        for (const tm& time : times) DrawOrbitFrame(time);
    });
}

// At 10:20:37 the hour body sits 130 pixels along 310.3 degrees from the
// centre, the minute body 70 along 123.7 from it, the second body 23 along
// 222 from that.
TEST(OrbitFrame, EachBodyFollowsItsOwnHand) {
    const ScreenCapture frame = FramesAt({TimeOf(10, 20, 37)});
    const POINT hour = PointAlong({320, 240}, 310.3 / 360, 130);
    const POINT minute = PointAlong(hour, 123.7 / 360, 70);
    const POINT second = PointAlong(minute, 222 / 360.0, 23);
    EXPECT_EQ(frame.At(hour.x, hour.y), PixelOf(0x4169E1));
    EXPECT_EQ(frame.At(minute.x, minute.y), PixelOf(0x6495ED));
    EXPECT_EQ(frame.At(second.x, second.y), PixelOf(0xB0C4DE));
}

// Guards against bodies that leave a trail: a frame drawn over the one of
// three o'clock shows exactly what it shows on a fresh dial.
TEST(OrbitFrame, EachFrameCoversTheOneBefore) {
    const ScreenCapture fresh = FramesAt({TimeOf(10, 20, 37)});
    const ScreenCapture over = FramesAt({TimeOf(3, 0, 0), TimeOf(10, 20, 37)});
    ASSERT_EQ(over.pixels.size(), fresh.pixels.size());
    int differing = 0;
    for (size_t i = 0; i < fresh.pixels.size(); ++i) differing += over.pixels[i] != fresh.pixels[i];
    EXPECT_EQ(differing, 0);
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
