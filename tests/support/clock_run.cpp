#include "clock_run.h"

namespace KanvoTest {

HWND StartClockAt(ProgramDriver& driver, const wchar_t* name, const char* localTime) {
    if (!SetFakeTime(localTime)) return nullptr;
    if (!driver.Start(L"\"" + ClockProgramPath(name) + L"\"", ClockProgramDirectory(name)))
        return nullptr;
    return driver.WaitForWindow();
}

std::wstring WindowTitle(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
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

DWORD ExitCodeAfterCloseBox(const wchar_t* name, const char* localTime, DWORD runMs) {
    ProgramDriver driver;
    if (!StartClockAt(driver, name, localTime)) return STILL_ACTIVE;
    Sleep(runMs);
    if (!driver.PressCloseBox()) return STILL_ACTIVE;
    return driver.WaitForExit(10000);
}

}  // namespace KanvoTest
