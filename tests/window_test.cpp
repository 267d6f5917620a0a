// The graphics window: creation that fails, reopening, resizing, closing, and
// what opening and closing leave behind. Then real programs, ended the way a
// user ends them, the keys their window passes to their console, and the
// library's console handling and global images, which the programs check
// themselves.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "resource_counts.h"

#include <atomic>
#include <vector>

namespace {

using namespace KanvoTest;

// A window procedure (a named CALLBACK: 32-bit builds take no lambda for
// one) that refuses creation: FALSE for WM_NCCREATE means no window.
LRESULT CALLBACK RefuseCreation(HWND, UINT message, WPARAM, LPARAM) {
    return message != WM_NCCREATE;
}

// Opens the window with a console while its class refuses every window.
HWND OpenRefusedWindowWithConsole() {
    WNDCLASSW refusing = {};
    refusing.lpfnWndProc = RefuseCreation;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = L"KanvoWnd";
    RegisterClassW(&refusing);
    const HWND window = OpenGraphWindow(200, 100, OPEN_WITH_CONSOLE);
    UnregisterClassW(L"KanvoWnd", GetModuleHandleW(nullptr));
    return window;
}

std::atomic<int> g_ctrlCSeen{0};
BOOL WINAPI CountCtrlC(DWORD event) {
    g_ctrlCSeen += event == CTRL_C_EVENT;
    return event == CTRL_C_EVENT;
}

// No thread is left, and the console set-up is undone: only a process
// without a console can allocate one, and Ctrl+C reaches the program's
// handler only if it is not still ignored.
TEST(Window, RefusedCreationLeavesTheProcessAsItWas) {
    FreeConsole();
    const int threadsBefore = ThreadCount();
    const HWND refused = OpenRefusedWindowWithConsole();
    const int threadsAfter = ThreadCount();
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_EQ(threadsAfter, threadsBefore);
    EXPECT_TRUE(AllocConsole());
    SetConsoleCtrlHandler(CountCtrlC, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    for (int wait = 0; wait < 100 && g_ctrlCSeen == 0; ++wait) Sleep(10);
    EXPECT_EQ(g_ctrlCSeen, 1);
    SetConsoleCtrlHandler(CountCtrlC, FALSE);
    FreeConsole();
}

// Also when the size stays, so that the back buffer itself is kept.
TEST(Window, ReopeningReplacesItWithAFreshBlackWindow) {
    const HWND first = OpenGraphWindow(300, 200);
    SetInteriorColor(RGB(255, 255, 255));
    DrawFilledRectangle(0, 0, 400, 300);
    IMAGE image(10, 10);
    SetTargetImage(&image);
    const HWND second = OpenGraphWindow(300, 200);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetWindowHandle(), second);
    EXPECT_EQ(GetTargetImage(), nullptr);
    EXPECT_EQ(GetPixelColor(299, 199), 0u);
    EXPECT_EQ(GetPixelColor(150, 100), 0u);
}

// Batch drawing holds the periodic copy back, but a window that grows is
// copied at once, so that its new part does not stay empty until the flush.
TEST(Window, GrowingWhileBatchingCopiesTheBackBufferAtOnce) {
    const HWND window = OpenGraphWindow(100, 80);
    BeginBatch();
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
    SetImageSize(nullptr, 300, 200);
    const ScreenCapture shown = CaptureWindowDc(window);
    EXPECT_EQ(shown(50, 40), 0xFF0000u);
    EXPECT_EQ(shown(250, 150), 0xFF0000u);  // the new part, in the background colour
}

TEST(Window, ClosingTwiceAndDrawingAfterClosingAreHarmless) {
    OpenGraphWindow(200, 100);
    CloseGraphWindow();
    CloseGraphWindow();
    DrawFilledRectangle(0, 0, 50, 50);
    FlushBatch();
    SetImageSize(nullptr, 50, 50);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_NE(OpenGraphWindow(180, 60), nullptr);
}

TEST(Window, TwentyOpenAndCloseCyclesLeaveNothingBehind) {
    OpenGraphWindow(100, 100);  // the first use may set up lasting system state
    CloseGraphWindow();
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();
    for (int i = 0; i < 20; ++i) {
        OpenGraphWindow(200 + i, 80 + i, i % 2 ? OPEN_WITH_DOUBLE_CLICKS : 0);
        DrawFilledRectangle(0, 0, 50, 50);
        CloseGraphWindow();
    }
    // Counted before any assertion: a failed one starts a thread of its own.
    const int threadsAfter = ThreadCount();
    const int gdiAfter = FreeGdiSlots();
    const int handlesAfter = OpenHandleCount();
    EXPECT_EQ(threadsAfter, threadsBefore);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

// ---------------------------------------------------------------------------
// Real programs

std::wstring Probe(const wchar_t* name) {
    return L"\"" + ProgramDirectory() + name + L".exe\"";
}

// A program drawing into a global image in a tight loop ends cleanly every
// time, its buffered output written.
TEST(Programs, EndWithExitCodeZeroOnTheCloseBox) {
    const std::wstring outputs =
        ProgramDirectory() + L"draw_until_closed_" + std::to_wstring(GetCurrentProcessId());
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        // A file of its own: the driver still holds the last one.
        const std::wstring output = outputs + L"_" + std::to_wstring(run);
        ProgramDriver program;
        program.SendOutputTo(output);
        ASSERT_TRUE(program.Start(Probe(L"draw_until_closed")));
        ASSERT_NE(program.WaitForWindow(), nullptr);
        Sleep(100);  // well into its drawing loop
        ASSERT_TRUE(program.PressCloseBox());
        EXPECT_EQ(program.WaitForExit(15000), 0u);
        EXPECT_EQ(FileText(output), "drawing\n");
        DeleteFileW(output.c_str());
    }
}

// The probes exit with 64 plus a bit for every check that failed.
DWORD ProbeExitCode(const std::wstring& commandLine, ProgramDriver::Console console) {
    ProgramDriver program;
    if (!program.Start(commandLine, L"", console)) return ~0u;
    return program.WaitForExit(15000);
}

TEST(Programs, HideTheirConsoleBehindTheWindowAndBringItBack) {
    EXPECT_EQ(ProbeExitCode(Probe(L"probe_console"), ProgramDriver::Console::kNew), 64u);
}

TEST(Programs, WithoutAConsoleGetOneForEveryOpeningThatAsksForIt) {
    EXPECT_EQ(ProbeExitCode(Probe(L"probe_console") + L" none", ProgramDriver::Console::kNone),
              64u);
}

TEST(Programs, UseAGlobalImageBeforeMainAndDestroyItAfterMain) {
    EXPECT_EQ(ProbeExitCode(Probe(L"probe_global_image"), ProgramDriver::Console::kNew), 64u);
}

struct KeyMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// lParam of a key message: repeat count 1, the scan code, and for a key-up
// the previous-state and transition bits.
LPARAM KeyParameter(UINT scanCode, bool up) {
    return static_cast<LPARAM>(1u | (scanCode << 16) | (up ? 0xC0000000u : 0u));
}

// The key records ("down|up <key> <scan> <char>" lines) that the console of
// the probe program, which has no window, receives when `messages` and then
// F12 (its end mark) are posted to its window.
std::string ConsoleRecordsFor(const std::vector<KeyMessage>& messages) {
    const std::wstring output =
        ProgramDirectory() + L"probe_window_keys_" + std::to_wstring(GetCurrentProcessId());
    ProgramDriver program;
    program.SendOutputTo(output);
    if (!program.Start(Probe(L"probe_window_keys"), L"", ProgramDriver::Console::kWithoutWindow))
        return "no start";
    const HWND window = program.WaitForWindow();
    if (!window) return "no window";
    for (const KeyMessage& m : messages) PostMessageW(window, m.message, m.wParam, m.lParam);
    PostMessageW(window, WM_KEYDOWN, VK_F12, KeyParameter(0x58, false));
    PostMessageW(window, WM_KEYUP, VK_F12, KeyParameter(0x58, true));
    const DWORD exitCode = program.WaitForExit(15000);
    const std::string records = FileText(output);
    DeleteFileW(output.c_str());
    return exitCode == 0 ? records : "no end mark";
}

// The character message that the key-down brings is not passed on a second time.
TEST(WindowKeys, AKeyReachesTheConsoleOnceWithItsCharacter) {
    const std::string records = ConsoleRecordsFor({{WM_KEYDOWN, 'Q', KeyParameter(0x10, false)},
                                                   {WM_CHAR, 'q', KeyParameter(0x10, false)},
                                                   {WM_KEYUP, 'Q', KeyParameter(0x10, true)}});
    EXPECT_EQ(records, "down 81 16 113\nup 81 16 113\n");
}

TEST(WindowKeys, ACharacterFrom0x80UpReachesTheConsole) {
    const std::string records = ConsoleRecordsFor({{WM_CHAR, 0xE9, KeyParameter(0, false)}});
    EXPECT_EQ(records, "down 0 0 233\nup 0 0 233\n");
}

TEST(WindowKeys, CtrlBreakDoesNotReachTheConsole) {
    const std::string records =
        ConsoleRecordsFor({{WM_KEYDOWN, VK_CANCEL, KeyParameter(0x46, false)},
                           {WM_KEYUP, VK_CANCEL, KeyParameter(0x46, true)}});
    EXPECT_EQ(records, "");
}

}  // namespace
