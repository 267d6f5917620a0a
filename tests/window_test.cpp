// The graphics window: size, title, class and styles, reopening, closing,
// resizing, and the periodic copy of the back buffer to the window.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "resource_counts.h"

namespace {

using KanvoTest::CaptureWindowDc;

SIZE ClientSize(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

int KanvoWindowsOfThisProcess() {
    struct Search {
        int count = 0;
    } search;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (owner == GetCurrentProcessId() && lstrcmpW(name, L"KanvoWnd") == 0)
                ++reinterpret_cast<Search*>(parameter)->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// Polls the window's own pixels until `pixel` at (x, y) has the colour.
bool ShowsWithin(HWND window, int x, int y, COLORREF color, DWORD timeoutMs) {
    const DWORD wanted = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    const DWORD start = GetTickCount();
    do {
        if (CaptureWindowDc(window).At(x, y) == wanted) return true;
        Sleep(2);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

TEST(Window, HandleIsNullBeforeOpeningAndAfterClosing) {
    EXPECT_EQ(GetWindowHandle(), nullptr);
    HWND window = OpenGraphWindow(200, 100);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowHandle(), window);
    CloseGraphWindow();
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_FALSE(IsWindow(window));  // destroyed by its own thread
    CloseGraphWindow();              // closing again does nothing
}

TEST(Window, ClientAreaTitleClassAndDefaultStyle) {
    HWND window = OpenGraphWindow(321, 239);
    ASSERT_NE(window, nullptr);
    const SIZE size = ClientSize(window);
    EXPECT_EQ(size.cx, 321);
    EXPECT_EQ(size.cy, 239);
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"test_window");
    GetClassNameW(window, text, 64);
    EXPECT_STREQ(text, L"KanvoWnd");
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), 0);
    // The window is the target, cleared to black.
    EXPECT_EQ(GetTargetImage(), nullptr);
    EXPECT_EQ(GetTargetWidth(), 321);
    EXPECT_EQ(GetPixelColor(320, 238), 0u);
    CloseGraphWindow();
}

TEST(Window, FlagsSelectClassAndWindowStyles) {
    HWND window = OpenGraphWindow(200, 100, OPEN_WITHOUT_CLOSE_BOX);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), CS_NOCLOSE);
    window = OpenGraphWindow(200, 100, OPEN_WITHOUT_MINIMIZE_BOX);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), 0);
    window = OpenGraphWindow(200, 100, OPEN_WITH_DOUBLE_CLICKS | 0x100);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_NOCLOSE | CS_DBLCLKS), CS_DBLCLKS);
    EXPECT_EQ(ClientSize(window).cx, 200);
    CloseGraphWindow();
}

TEST(Window, OpeningWhileOpenReplacesTheWindow) {
    HWND first = OpenGraphWindow(200, 100);
    HWND second = OpenGraphWindow(300, 150);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ClientSize(second).cx, 300);
    EXPECT_EQ(ClientSize(second).cy, 150);
    EXPECT_EQ(GetTargetWidth(), 300);
    EXPECT_EQ(KanvoWindowsOfThisProcess(), 1);
    CloseGraphWindow();
    EXPECT_EQ(KanvoWindowsOfThisProcess(), 0);
}

TEST(Window, DrawingShowsWithoutAnyFlush) {
    HWND window = OpenGraphWindow(160, 120);
    ASSERT_TRUE(ShowsWithin(window, 40, 40, RGB(0, 0, 0), 1000));
    SetInteriorColor(RGB(255, 0, 0));
    DrawFilledRectangle(20, 20, 60, 60);
    EXPECT_TRUE(ShowsWithin(window, 40, 40, RGB(255, 0, 0), 1000));
    CloseGraphWindow();
}

TEST(Window, SetImageSizeWithNullResizesTheWindow) {
    HWND window = OpenGraphWindow(200, 100);
    SetPixelColor(5, 5, RGB(0, 255, 0));
    SetImageSize(nullptr, 300, 200);
    EXPECT_EQ(ClientSize(window).cx, 300);
    EXPECT_EQ(ClientSize(window).cy, 200);
    EXPECT_EQ(GetTargetWidth(), 300);
    EXPECT_EQ(GetTargetHeight(), 200);
    EXPECT_EQ(GetPixelColor(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixelColor(250, 150), 0u);
    EXPECT_TRUE(ShowsWithin(window, 5, 5, RGB(0, 255, 0), 1000));
    SetImageSize(nullptr, 220, 90);
    EXPECT_EQ(ClientSize(window).cx, 220);
    CloseGraphWindow();
}

TEST(Window, ImageTargetWhileWindowIsOpen) {
    OpenGraphWindow(100, 100);
    IMAGE image(10, 10);
    SetTargetImage(&image);
    EXPECT_EQ(GetTargetImage(), &image);
    SetTargetImage(nullptr);
    EXPECT_EQ(GetTargetImage(), nullptr);  // the open window is the target
    EXPECT_EQ(GetTargetWidth(), 100);
    CloseGraphWindow();
}

TEST(Window, DrawingAfterCloseIsHarmless) {
    OpenGraphWindow(100, 100);
    CloseGraphWindow();
    DrawFilledRectangle(0, 0, 50, 50);
    FlushBatch();
    BeginBatch();
    EndBatch();
    SetImageSize(nullptr, 50, 50);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    // Opening again works after all this.
    HWND window = OpenGraphWindow(180, 60);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClientSize(window).cx, 180);
    CloseGraphWindow();
}

TEST(Window, FailedCreationReleasesTheOpenerWithANullHandle) {
    // A class of that name whose windows refuse to be created.
    WNDCLASSEXW refusing = {};
    refusing.cbSize = sizeof refusing;
    refusing.lpszClassName = L"KanvoWnd";
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return message == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, message, wParam, lParam);
    };
    ASSERT_NE(RegisterClassExW(&refusing), 0);
    const int threadsBefore = KanvoTest::ThreadCount();
    HWND window = OpenGraphWindow(200, 100);
    const int threadsAfter = KanvoTest::ThreadCount();
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_EQ(threadsAfter, threadsBefore);
    UnregisterClassW(L"KanvoWnd", GetModuleHandleW(nullptr));
    window = OpenGraphWindow(200, 100);
    EXPECT_NE(window, nullptr);
    CloseGraphWindow();
}

}  // namespace
