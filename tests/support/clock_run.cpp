#include "clock_run.h"

#include <cstdio>

namespace KanvoTest {

std::string DescribeClockWindow(HWND window, const wchar_t* title, int width, int height) {
    const std::wstring shown = WindowTitle(window);
    RECT client = {};
    GetClientRect(window, &client);
    if (shown == title && client.right == width && client.bottom == height) return {};
    char description[400];
    std::snprintf(description, sizeof description, "title \"%ls\", client area %ld x %ld",
                  shown.c_str(), static_cast<long>(client.right), static_cast<long>(client.bottom));
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
