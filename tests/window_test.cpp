// The graphics window: size, title, class and styles, reopening, closing,
// resizing, the periodic copy of the back buffer to the window, and what
// opening and closing leave behind. Programs end the way a user ends them:
// with a key typed into their console or window, or with the window's close
// box; and the library's console handling, which a program checks itself.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"

namespace {

using namespace KanvoTest;

std::tuple<LONG, LONG> ClientSize(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

// Polls the window's own pixels until (x, y) shows `pixel` (0x00RRGGBB).
bool Shows(HWND window, int x, int y, DWORD pixel) {
    return WaitUntil([&] { return CaptureWindowDc(window).At(x, y) == pixel; }, 1000);
}

// A window procedure (a named CALLBACK: 32-bit builds take no lambda for
// one) that refuses creation: FALSE for WM_NCCREATE means no window.
LRESULT CALLBACK RefuseCreation(HWND, UINT message, WPARAM, LPARAM) {
    return message != WM_NCCREATE;
}

TEST(Window, RefusedFlagsStylesReopeningDrawingResizingClosingAndTwentyCycles) {
    // A class of that name whose windows refuse to be created: the opener is
    // released with a null handle, and no thread stays.
    const WNDCLASSW refusing = {
        0,       RefuseCreation, 0,       0,       GetModuleHandleW(nullptr),
        nullptr, nullptr,        nullptr, nullptr, L"KanvoWnd"};
    ASSERT_NE(RegisterClassW(&refusing), 0);
    const HWND none = GetWindowHandle();
    int threadsBefore = ThreadCount();
    const HWND refused = OpenGraphWindow(200, 100);
    int threadsAfter = ThreadCount();
    EXPECT_EQ(std::make_tuple(none, refused, GetWindowHandle(), threadsAfter),
              std::make_tuple(nullptr, nullptr, nullptr, threadsBefore));
    UnregisterClassW(L"KanvoWnd", GetModuleHandleW(nullptr));

    const LONG_PTR box = WS_CAPTION | WS_SYSMENU, styles = box | WS_MINIMIZEBOX | WS_THICKFRAME;
    const struct {
        int flags;
        LONG_PTR style;
        ULONG_PTR classStyle;
    } cases[] = {
        {0, box | WS_MINIMIZEBOX, 0},
        {OPEN_WITHOUT_CLOSE_BOX, box | WS_MINIMIZEBOX, CS_NOCLOSE},
        {OPEN_WITHOUT_MINIMIZE_BOX, box, 0},
        {OPEN_WITH_DOUBLE_CLICKS | 0x100, box | WS_MINIMIZEBOX, CS_DBLCLKS}};  // 0x100: unknown
    HWND window = nullptr;
    for (const auto& c : cases) {
        // Opening while open replaces the window with one of the new size,
        // the target, cleared to black (the last one was left white).
        HWND previous = window;
        const LONG width = 321 + c.flags % 7, height = 239 - c.flags % 5;
        window = OpenGraphWindow(width, height, c.flags);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        EXPECT_EQ(WindowTitle(window) + L" " + name, L"test_window KanvoWnd");
        EXPECT_EQ(std::make_tuple(GetWindowHandle() == window, previous && IsWindow(previous),
                                  ClientSize(window), GetTargetImage(), GetTargetWidth(),
                                  GetPixelColor(width - 1, height - 1)),
                  std::make_tuple(true, false, std::make_tuple(width, height), nullptr, width, 0u));
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & styles, c.style);
        EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), c.classStyle);
        DrawFilledRectangle(0, 0, 400, 300);
    }
    // An image target leaves the window, null comes back to it (the drawing
    // below shows).
    IMAGE image(10, 10);
    SetTargetImage(&image);
    SetTargetImage(nullptr);
    EXPECT_EQ(GetTargetImage(), nullptr);
    // Drawing shows without a flush: only the window thread's periodic copy
    // brings it to the window.
    ClearTarget();
    ASSERT_TRUE(Shows(window, 40, 40, 0));
    SetInteriorColor(RGB(255, 0, 0));
    DrawFilledRectangle(20, 20, 60, 60);
    EXPECT_TRUE(Shows(window, 40, 40, 0xFF0000));
    // Resizing through the null image resizes the window; the old pixels
    // stay, the new part is black, and is copied to the window as well.
    SetImageSize(nullptr, 400, 300);
    EXPECT_EQ(std::make_tuple(ClientSize(window), GetTargetWidth(), GetTargetHeight()),
              std::make_tuple(std::make_tuple(400L, 300L), 400, 300));
    EXPECT_EQ(std::make_tuple(GetPixelColor(40, 40), GetPixelColor(350, 250)),
              std::make_tuple(RGB(255, 0, 0), 0ul));
    SetPixelColor(350, 250, RGB(0, 255, 0));
    EXPECT_TRUE(Shows(window, 350, 250, 0x00FF00));
    SetImageSize(nullptr, 220, 90);
    EXPECT_EQ(ClientSize(window), std::make_tuple(220L, 90L));

    // Destroyed by its own thread. Closing again, and drawing after closing, are harmless.
    CloseGraphWindow();
    EXPECT_FALSE(GetWindowHandle() || IsWindow(window));
    CloseGraphWindow();
    DrawFilledRectangle(0, 0, 50, 50);
    FlushBatch();
    BeginBatch();
    EndBatch();
    SetImageSize(nullptr, 50, 50);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_EQ(ClientSize(OpenGraphWindow(180, 60)), std::make_tuple(180L, 60L));  // opens again
    CloseGraphWindow();

    const int gdiBefore = FreeGdiSlots(), handlesBefore = OpenHandleCount();
    threadsBefore = ThreadCount();
    int windowsLeft = 0;
    for (int i = 0; i < 20; ++i) {
        HWND opened = OpenGraphWindow(200 + i, 80 + i, i % 2 ? OPEN_WITH_DOUBLE_CLICKS : 0);
        DrawFilledRectangle(0, 0, 50, 50);
        ResetDrawingState();
        CloseGraphWindow();
        windowsLeft += !opened || IsWindow(opened);
    }
    // Counted before any assertion: a failed one starts a thread of its own.
    threadsAfter = ThreadCount();
    const int gdiAfter = FreeGdiSlots(), handlesAfter = OpenHandleCount();
    EXPECT_EQ(std::make_tuple(windowsLeft, threadsAfter, gdiAfter, handlesAfter),
              std::make_tuple(0, threadsBefore, gdiBefore, handlesBefore));
}

// ---------------------------------------------------------------------------
// Real programs

std::wstring Probe(const wchar_t* name) {
    return L"\"" + ProgramDirectory() + name + L".exe\"";
}

TEST(Programs, EndWithExitCodeZeroOnAKeyOrTheCloseBoxAndHandleTheirConsole) {
    // The console probe exits with 64 plus a bit for every failed check.
    for (const wchar_t* console : {L"", L" none"}) {
        ProgramDriver program;
        ASSERT_TRUE(program.Start(Probe(L"probe_console") + console, L"", !*console));
        EXPECT_EQ(program.WaitForExit(15000), 64u) << console;
    }
    // A key typed into the console; one pressed in the window, which hands it
    // on to the console; the close box.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        ProgramDriver program;
        ASSERT_TRUE(program.Start(Probe(L"probe_until_key")));
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr);
        Sleep(100);
        EXPECT_TRUE(way != 0 || program.TypeKeyInConsole(L'q'));
        if (way == 1) PostMessageW(window, WM_KEYDOWN, 'Q', 0x00100001);
        if (way == 1) PostMessageW(window, WM_KEYUP, 'Q', static_cast<LPARAM>(0xC0100001u));
        EXPECT_TRUE(way != 2 || program.PressCloseBox());
        EXPECT_EQ(program.WaitForExit(10000), 0u);
    }
}

}  // namespace
