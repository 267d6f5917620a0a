#include "clock_run.h"

#include <cstdio>

namespace KanvoTest {

HWND StartClockAt(ProgramDriver& driver, const wchar_t* name, const char* localTime) {
    if (!SetFakeTime(localTime)) return nullptr;
    if (!driver.Start(L"\"" + ClockProgramPath(name) + L"\"", ClockProgramDirectory(name)))
        return nullptr;
    return driver.WaitForWindow();
}

std::string DescribeClockWindow(HWND window, const wchar_t* title, int width, int height) {
    wchar_t shown[256] = {};
    GetWindowTextW(window, shown, 256);
    RECT client = {};
    GetClientRect(window, &client);
    if (lstrcmpW(shown, title) == 0 && client.right == width && client.bottom == height) return {};
    char description[400];
    std::snprintf(description, sizeof description, "title \"%ls\", client area %ld x %ld", shown,
                  static_cast<long>(client.right), static_cast<long>(client.bottom));
    return description;
}

ScreenCapture CaptureWhen(HWND window, const std::function<bool(const ScreenCapture&)>& ready,
                          DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        ScreenCapture capture = CaptureClientArea(window);
        if ((capture.width > 0 && ready(capture)) || GetTickCount() - start >= timeoutMs)
            return capture;
        Sleep(20);
    }
}

DWORD ExitCodeAfterKey(ProgramDriver& driver) {
    if (!driver.TypeKeyInConsole(L'q')) return STILL_ACTIVE;
    return driver.WaitForExit(10000);
}

DWORD ExitCodeAfterCloseBox(const wchar_t* name, const char* localTime, DWORD runMs) {
    ProgramDriver driver;
    if (!StartClockAt(driver, name, localTime)) return STILL_ACTIVE;
    Sleep(runMs);
    if (!driver.PressCloseBox()) return STILL_ACTIVE;
    return driver.WaitForExit(10000);
}

}  // namespace KanvoTest
