// The graphics window: creation, title and styles, reopening, resizing,
// closing, and what opening and closing leave behind. Then real programs,
// ended the way a user ends them, and the library's console handling and
// global images, which the programs check themselves.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "resource_counts.h"

namespace {

using namespace KanvoTest;

LONG ClientWidth(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client.right;
}

LONG ClientHeight(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client.bottom;
}

// A window procedure (a named CALLBACK: 32-bit builds take no lambda for
// one) that refuses creation: FALSE for WM_NCCREATE means no window.
LRESULT CALLBACK RefuseCreation(HWND, UINT message, WPARAM, LPARAM) {
    return message != WM_NCCREATE;
}

TEST(Window, RefusedCreationGivesNullAndLeavesNoThread) {
    WNDCLASSW refusing = {};
    refusing.lpfnWndProc = RefuseCreation;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = L"KanvoWnd";
    ASSERT_NE(RegisterClassW(&refusing), 0);
    const int threadsBefore = ThreadCount();
    const HWND refused = OpenGraphWindow(200, 100);
    const int threadsAfter = ThreadCount();
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_EQ(threadsAfter, threadsBefore);
}

TEST(Window, TakesTheProgramsNameAsTitle) {
    const HWND window = OpenGraphWindow(200, 100);
    EXPECT_EQ(WindowTitle(window), L"test_window");
}

TEST(Window, FlagsChooseItsBoxesAndDoubleClicks) {
    const LONG_PTR caption = WS_CAPTION | WS_SYSMENU;
    const LONG_PTR styleMask = caption | WS_MINIMIZEBOX | WS_THICKFRAME;
    const struct {
        int flags;
        LONG_PTR style;
        ULONG_PTR classStyle;
    } cases[] = {{0, caption | WS_MINIMIZEBOX, 0},
                 {OPEN_WITHOUT_CLOSE_BOX, caption | WS_MINIMIZEBOX, CS_NOCLOSE},
                 {OPEN_WITHOUT_MINIMIZE_BOX, caption, 0},
                 {OPEN_WITH_DOUBLE_CLICKS | 0x100, caption | WS_MINIMIZEBOX, CS_DBLCLKS}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        const HWND window = OpenGraphWindow(200, 100, c.flags);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & styleMask, c.style);
        EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), c.classStyle);
        CloseGraphWindow();
    }
}

TEST(Window, ReopeningReplacesItWithAWindowOfTheNewSize) {
    const HWND first = OpenGraphWindow(300, 200);
    IMAGE image(10, 10);
    SetTargetImage(&image);
    const HWND second = OpenGraphWindow(321, 239);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetWindowHandle(), second);
    EXPECT_EQ(ClientWidth(second), 321);
    EXPECT_EQ(ClientHeight(second), 239);
    EXPECT_EQ(GetTargetImage(), nullptr);
}

// Also when the size stays, so that the back buffer itself is kept.
TEST(Window, ReopeningClearsTheBackBufferToBlack) {
    OpenGraphWindow(300, 200);
    SetInteriorColor(RGB(255, 255, 255));
    DrawFilledRectangle(0, 0, 400, 300);
    OpenGraphWindow(300, 200);
    EXPECT_EQ(GetPixelColor(299, 199), 0u);
    EXPECT_EQ(GetPixelColor(150, 100), 0u);
}

TEST(Window, ResizingKeepsTheOldPixelsAndMakesTheNewPartBlack) {
    const HWND window = OpenGraphWindow(100, 80);
    SetInteriorColor(RGB(255, 0, 0));
    DrawFilledRectangle(20, 20, 60, 60);
    SetImageSize(nullptr, 400, 300);
    EXPECT_EQ(ClientWidth(window), 400);
    EXPECT_EQ(ClientHeight(window), 300);
    EXPECT_EQ(GetTargetWidth(), 400);
    EXPECT_EQ(GetTargetHeight(), 300);
    EXPECT_EQ(GetPixelColor(40, 40), RGB(255, 0, 0));
    EXPECT_EQ(GetPixelColor(350, 250), 0u);
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
    const HWND window = OpenGraphWindow(200, 100);
    CloseGraphWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetWindowHandle(), nullptr);
    CloseGraphWindow();
    DrawFilledRectangle(0, 0, 50, 50);
    FlushBatch();
    SetImageSize(nullptr, 50, 50);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_NE(OpenGraphWindow(180, 60), nullptr);
}

TEST(Window, TwentyOpenAndCloseCyclesLeaveNothingBehind) {
    CloseGraphWindow();
    OpenGraphWindow(100, 100);  // the first use may set up lasting system state
    CloseGraphWindow();
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();
    for (int i = 0; i < 20; ++i) {
        OpenGraphWindow(200 + i, 80 + i, i % 2 ? OPEN_WITH_DOUBLE_CLICKS : 0);
        DrawFilledRectangle(0, 0, 50, 50);
        ResetDrawingState();
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

TEST(Programs, EndWithExitCodeZeroOnTheCloseBox) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(Probe(L"probe_until_key")));
    ASSERT_NE(program.WaitForWindow(), nullptr);
    EXPECT_TRUE(program.PressCloseBox());
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

// The probes exit with 64 plus a bit for every check that failed.
TEST(Programs, HideTheirConsoleBehindTheWindowAndBringItBack) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(Probe(L"probe_console")));
    EXPECT_EQ(program.WaitForExit(15000), 64u);
}

TEST(Programs, WithoutAConsoleGetOneForEveryOpeningThatAsksForIt) {
    ProgramDriver program;
    ASSERT_TRUE(
        program.Start(Probe(L"probe_console") + L" none", L"", ProgramDriver::Console::kNone));
    EXPECT_EQ(program.WaitForExit(15000), 64u);
}

TEST(Programs, UseAGlobalImageBeforeMainAndDestroyItAfterMain) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(Probe(L"probe_global_image")));
    EXPECT_EQ(program.WaitForExit(15000), 64u);
}

}  // namespace
