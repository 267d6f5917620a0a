// The clock tests' shared steps: frames drawn on images, points along a
// hand, and a clock program started at a faked local time and driven as a
// user would.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "clock_test.h"

namespace KanvoTest {

tm TimeOf(int hour, int minute, int second) {
    tm time = {};
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

ScreenCapture Drawn(int width, int height, const std::function<void()>& draw) {
    IMAGE image(width, height);
    SetTargetImage(&image);
    draw();
    GdiFlush();  // GDI may still be drawing on the surface
    const DWORD* pixels = GetSurfacePixels(&image);
    ScreenCapture drawn;
    if (pixels) {  // none for a size GDI refused: every point reads as no pixel
        drawn.width = width;
        drawn.height = height;
        drawn.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    }
    for (DWORD& pixel : drawn.pixels) pixel &= 0xFFFFFF;
    SetTargetImage(nullptr);
    return drawn;
}

POINT PointAlong(POINT centre, double turns, double distance) {
    const double angle = turns * 2 * 3.14159265358979;
    const double x = centre.x + distance * std::sin(angle);
    const double y = centre.y - distance * std::cos(angle);
    return {std::lround(x), std::lround(y)};
}

int PixelsAcross(const ScreenCapture& shown, POINT centre, double degrees, double distance,
                 DWORD pixel) {
    int found = 0;
    for (int side = -9; side <= 9; ++side) {
        const double sideways = std::atan2(side, distance) * 180 / 3.14159265358979;
        const POINT p = PointAlong(centre, (degrees + sideways) / 360, std::hypot(distance, side));
        if (shown(p.x, p.y) == pixel) ++found;
    }
    return found;
}

ClockCheck ShowsPixels(const std::vector<Expected>& expected) {
    return [expected](HWND, const ScreenCapture& shown) {
        std::string wrong;
        for (const Expected& point : expected) {
            const unsigned long value = shown(point.x, point.y);
            if (value == point.value) continue;
            char text[64];
            std::snprintf(text, sizeof text, "(%d,%d) %06lX not %06lX; ", point.x, point.y, value,
                          static_cast<unsigned long>(point.value));
            wrong += text;
        }
        return wrong;
    };
}

// Seen from a test program in build/tests/clocks: build/clocks/<name>/.
std::wstring ClockProgramDirectory(const std::wstring& name) {
    return ProgramDirectory() + L"..\\..\\clocks\\" + name + L"\\";
}

// Makes the faked clock start at `localTime` (through the faketime timestamp
// file that the test environment names). This process reads the file too,
// whenever its cached copy runs out, and faketime ends a process that finds
// the file empty: a new file is written beside it and put in place with one
// rename, so that no reader ever sees it half written.
static bool SetFakedTime(const char* localTime) {
    const char* file = std::getenv("FAKETIME_TIMESTAMP_FILE");
    if (!file || file[0] != '/') return false;
    std::string path = std::string("Z:") + file;  // the Unix path as Wine's drive Z: sees it
    std::replace(path.begin(), path.end(), '/', '\\');
    const std::string fresh = path + ".new";
    FILE* out = std::fopen(fresh.c_str(), "w");
    if (!out) return false;
    const bool written = std::fprintf(out, "@%s\n", localTime) > 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) return false;
    return MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Starts the clock at the faked time and waits for its window; null when
// either fails.
static HWND StartClock(ProgramDriver& program, const wchar_t* name, const char* localTime) {
    if (!SetFakedTime(localTime)) return nullptr;
    const std::wstring own = ClockProgramDirectory(name);
    const std::wstring command = L"\"" + own + name + L".exe\"";
    if (!program.Start(command, own)) return nullptr;
    return program.WaitForWindow();
}

// "" once a capture of the window is what `check` accepts, trying for 20
// seconds (a clock may still be starting up, or be caught in the middle of a
// frame that it draws without batching); otherwise what was wrong last time.
static std::string AwaitPicture(HWND window, int width, int height, const ClockCheck& check) {
    std::string wrong = "no capture";
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        const ScreenCapture shown = CaptureClientArea(window);
        if (shown.width != width || shown.height != height) {
            wrong = "a client area of another size";
        } else {
            wrong = check(window, shown);
        }
        if (wrong.empty()) return "";
        Sleep(20);
    }
    return wrong;
}

std::string RunClockAsAUser(const wchar_t* name, const char* localTime, int width, int height,
                            const ClockCheck& check) {
    ProgramDriver byKey;
    HWND window = StartClock(byKey, name, localTime);
    if (!window) return "no window";
    // Kept on top: other tests' windows may appear meanwhile, and the screen
    // must show this one's pixels.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::string wrong;
    if (WindowTitle(window) != name) wrong += "title; ";
    const std::string shows = AwaitPicture(window, width, height, check);
    if (!shows.empty()) wrong += "picture: " + shows + "; ";
    // Twice, so that a clock that stops once some motion has died down fails.
    // A few pixels may change while a clock stands still, where soft edges
    // build up frame after frame.
    std::vector<DWORD> earlier = CaptureClientArea(window).pixels;
    for (int pause = 0; pause < 2; ++pause) {
        Sleep(1200);
        const std::vector<DWORD> later = CaptureClientArea(window).pixels;
        int changed = 0;
        for (size_t i = 0; i < std::min(earlier.size(), later.size()); ++i) {
            changed += earlier[i] != later[i];
        }
        if (changed < 50)
            wrong += "hardly a change in 1.2 s (" + std::to_string(changed) + " pixels); ";
        earlier = later;
    }
    if (!byKey.TypeKeyInConsole(L'q')) {
        wrong += "key: could not be typed; ";
    } else if (const DWORD code = byKey.WaitForExit(10000); code != 0) {
        wrong += "key: exit code " + std::to_string(code) + "; ";
    }
    ProgramDriver byCloseBox;
    if (!StartClock(byCloseBox, name, localTime)) return wrong + "no second window";
    Sleep(1500);  // well into its loop
    if (!byCloseBox.PressCloseBox()) {
        wrong += "close box: could not be pressed";
    } else if (const DWORD code = byCloseBox.WaitForExit(10000); code != 0) {
        wrong += "close box: exit code " + std::to_string(code);
    }
    return wrong;
}

}  // namespace KanvoTest
