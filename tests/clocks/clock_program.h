// End-to-end steps shared by these clock tests: start a clock program of this
// build at a faked local time, check its window and what the screen shows of
// it, and end it as a user would.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "program_driver.h"

namespace KanvoTest {

// Starts the clock `name` at `localTime` (e.g. "2026-01-01 12:00:00"); its
// window must be titled with the program's name and have the given client
// size. The window is kept on top: other tests' windows may appear meanwhile,
// and the screen must show this one's pixels.
inline void StartClockOnTop(ProgramDriver& program, const std::wstring& name,
                            const char* localTime, int clientWidth, int clientHeight) {
    HWND window = StartClockAt(program, name, localTime);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(WindowTitle(window), name);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, clientWidth);
    EXPECT_EQ(client.bottom, clientHeight);
}

struct ExpectedPixel {
    int x, y;
    DWORD pixel;  // 0x00RRGGBB, as the screen holds it
    const char* what;
};

// The screen must show every expected pixel of the window within five seconds
// (a clock may still be drawing its first frame, or caught in the middle of
// one when it draws without batching).
inline void ExpectWindowShows(HWND window, std::initializer_list<ExpectedPixel> expected) {
    ScreenCapture screen;
    for (int attempt = 0; attempt < 50; ++attempt) {
        Sleep(100);
        screen = CaptureClientArea(window);
        bool all = screen.width > 0;
        for (const ExpectedPixel& p : expected)
            all = all && p.x < screen.width && p.y < screen.height &&
                  screen.At(p.x, p.y) == p.pixel;
        if (all) return;
    }
    ASSERT_GT(screen.width, 0);
    for (const ExpectedPixel& p : expected) {
        ASSERT_TRUE(p.x < screen.width && p.y < screen.height) << p.what;
        EXPECT_EQ(screen.At(p.x, p.y), p.pixel) << p.what << " at (" << p.x << ", " << p.y << ")";
    }
}

inline void ExpectKeyInConsoleEndsIt(ProgramDriver& program) {
    ASSERT_TRUE(program.TypeKeyInConsole(L'q'));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

inline void ExpectCloseBoxEndsIt(ProgramDriver& program) {
    Sleep(300);
    ASSERT_TRUE(program.PressCloseBox());
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace KanvoTest
