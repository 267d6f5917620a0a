// Running a clock program end to end: start it at a chosen local time, find
// its window, wait for a picture, end it with its close box.
#pragma once

#include "program_driver.h"

#include <ctime>
#include <functional>
#include <string>

namespace KanvoTest {

// Empty when the window has the title and client size, otherwise what it has.
std::string DescribeClockWindow(HWND window, const wchar_t* title, int width, int height);

// Captures the window's client area from the screen until `ready` accepts a
// capture or `timeoutMs` has passed; returns the last capture.
ScreenCapture CaptureWhen(HWND window, const std::function<bool(const ScreenCapture&)>& ready,
                          DWORD timeoutMs);

// Types a key into the program's console and returns its exit code
// (STILL_ACTIVE when it does not end within 10 seconds).
DWORD ExitCodeAfterKey(ProgramDriver& driver);

// Starts the clock at `localTime`, lets it run for `runMs`, uses its close box
// and returns its exit code (STILL_ACTIVE when it does not end).
DWORD ExitCodeAfterCloseBox(const wchar_t* name, const char* localTime, DWORD runMs);

// A broken-down time with the given hours, minutes and seconds.
inline tm TimeOf(int hours, int minutes, int seconds) {
    tm t = {};
    t.tm_hour = hours;
    t.tm_min = minutes;
    t.tm_sec = seconds;
    return t;
}

// The pixel value (0x00RRGGBB) that shows a colour value (0x00BBGGRR).
constexpr DWORD PixelOf(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

}  // namespace KanvoTest
