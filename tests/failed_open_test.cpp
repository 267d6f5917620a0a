// A window that cannot be created leaves the process as it found it: a
// console allocated for it is freed again and Ctrl+C keeps its meaning.
#include <gtest/gtest.h>

#include <kanvo.h>

#include <atomic>

namespace {

std::atomic<int> g_ctrlCSeen{0};

BOOL WINAPI CountCtrlC(DWORD event) {
    if (event != CTRL_C_EVENT) return FALSE;
    ++g_ctrlCSeen;
    return TRUE;
}

// A window procedure (a named CALLBACK: 32-bit builds take no lambda for
// one) that refuses creation: FALSE for WM_NCCREATE means no window.
LRESULT CALLBACK RefuseCreation(HWND, UINT message, WPARAM, LPARAM) {
    return message != WM_NCCREATE;
}

// Opens the window with a console while the process has none and the
// window class refuses every window.
HWND OpenRefusedWindowWithConsole() {
    FreeConsole();
    const WNDCLASSW refusing = {
        0,       RefuseCreation, 0,       0,       GetModuleHandleW(nullptr),
        nullptr, nullptr,        nullptr, nullptr, L"KanvoWnd"};
    RegisterClassW(&refusing);
    const HWND window = OpenGraphWindow(200, 100, OPEN_WITH_CONSOLE);
    UnregisterClassW(L"KanvoWnd", GetModuleHandleW(nullptr));
    return window;
}

TEST(FailedOpen, FreesTheConsoleItAllocated) {
    EXPECT_EQ(OpenRefusedWindowWithConsole(), nullptr);
    // Only a process without a console can allocate one.
    EXPECT_TRUE(AllocConsole());
    FreeConsole();
}

TEST(FailedOpen, LeavesCtrlCToTheProgram) {
    EXPECT_EQ(OpenRefusedWindowWithConsole(), nullptr);
    AllocConsole();
    SetConsoleCtrlHandler(CountCtrlC, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    for (int wait = 0; wait < 100 && g_ctrlCSeen == 0; ++wait) Sleep(10);
    EXPECT_EQ(g_ctrlCSeen, 1);
    SetConsoleCtrlHandler(CountCtrlC, FALSE);
    FreeConsole();
}

}  // namespace
