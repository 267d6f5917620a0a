// What the clock tests share: frames drawn on images, where a hand points at
// a time, and a clock program of this build run end to end at a faked local
// time, as a user would run it.
#pragma once

#include <gtest/gtest.h>
#include <kanvo.h>

#include <cmath>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "program_driver.h"

namespace KanvoTest {

// A broken-down time with the given hours, minutes and seconds.
tm TimeOf(int hour, int minute, int second);

// The pixel value (0x00RRGGBB) that shows a colour value (0x00BBGGRR).
constexpr DWORD PixelOf(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// What `draw` leaves on a new black image of the size, the current target
// meanwhile (the window is the target again afterwards).
ScreenCapture Drawn(int width, int height, const std::function<void()>& draw);

// Where a hand that has gone `turns` of a full turn clockwise from twelve
// o'clock reaches at `distance` from `centre`, rounded to the nearest pixel.
POINT PointAlong(POINT centre, double turns, double distance);
// How many pixels of `shown` have the value `pixel` on the crossing line, up
// to 9 pixels either side, of a hand from `centre` along `degrees` (clockwise
// from twelve o'clock) at `distance`: where a hand of a few pixels' width
// lies, whichever side of its axis a clock draws it.
int PixelsAcross(const ScreenCapture& shown, POINT centre, double degrees, double distance,
                 DWORD pixel);

// A pixel value (0x00RRGGBB) expected at a point.
struct Expected {
    int x;
    int y;
    DWORD value;
};

// What a clock's window must show: "" when the capture is right, otherwise
// what is wrong with it.
using ClockCheck = std::function<std::string(HWND window, const ScreenCapture& shown)>;
// The check that the window shows these pixel values; what it fails on
// names each point that differs, with its value there.
ClockCheck ShowsPixels(const std::vector<Expected>& expected);
// Directory of the clock program `name` of this build, with a trailing backslash.
std::wstring ClockProgramDirectory(const std::wstring& name);

// A user's two runs of the clock `name` from its own directory, each begun
// at `localTime` (e.g. "2026-01-01 12:00:00"). The first must open a window
// titled `name` with a client area of width x height, show what `check`
// accepts within 20 seconds, show a picture changed in at least 50 pixels
// 1.2 seconds later and again 2.4 seconds later, and end with exit code 0 on
// a key typed into its console; the second must end with exit code 0 when
// its close box is used. Returns "" when all of that holds, otherwise what
// went wrong.
std::string RunClockAsAUser(const wchar_t* name, const char* localTime, int width, int height,
                            const ClockCheck& check);

}  // namespace KanvoTest

using namespace KanvoTest;  // the tests' own helpers, used throughout
