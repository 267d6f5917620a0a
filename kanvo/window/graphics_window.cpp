// The window object: opening, closing, resizing and presenting the back buffer.
#include "graphics_window.h"

#include "window_target.h"

#include "../image/default_state.h"
#include "../image/image_access.h"
#include "../image/pixel_bitmap.h"

#include <cstring>

namespace Kanvo {

std::atomic<HWND> g_consoleWindow{nullptr};
std::atomic<bool> g_waitingForInput{false};

namespace {

// How long the program waits for the window thread to finish a close.
constexpr DWORD kWindowThreadExitTimeoutMs = 10000;

}  // namespace

GraphicsWindow::GraphicsWindow() : IMAGE(0, 0) {
    signal = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

GraphicsWindow::~GraphicsWindow() {
    Close();
    if (signal) CloseHandle(signal);
}

void GraphicsWindow::ResetDrawingState() {
    IMAGE::ResetDrawingState();
    LockGuard lock;
    if (g_state.windowScreenDC) ApplyDefaultDeviceState(g_state.windowScreenDC, transform_);
}

void GraphicsWindow::SetSize(int width, int height) {
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    // A refused size leaves the window as it is, so that it always shows
    // its whole back buffer.
    if (!ResizeBase(width, height)) return;
    const HWND window = hwnd;
    if (!window) return;
    RECT old = {};
    GetWindowRect(window, &old);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    if (width > old.right - old.left + 1 || height > old.bottom - old.top + 1) {
        LockGuard lock;
        PresentLocked(0, 0, width_, height_);
    }
}

void GraphicsWindow::PresentLocked(int left, int top, int width, int height) {
    if (!g_state.windowScreenDC || !dc_) return;
    SetWorldTransform(dc_, &g_state.identityTransform);
    BitBlt(g_state.windowScreenDC, left, top, width, height, dc_, left, top, SRCCOPY);
    SetWorldTransform(dc_, &transform_);
}

HWND GraphicsWindow::Open(int width, int height, int flags) {
    if (hwnd) Close();

    HWND console = GetConsoleWindow();
    hadConsole = console != nullptr;
    allocatedConsole = false;
    if (!console && (flags & OPEN_WITH_CONSOLE) && AllocConsole()) {
        allocatedConsole = true;
        _wfreopen_s(&consoleOut, L"CONOUT$", L"w+t", stdout);
        _wfreopen_s(&consoleIn, L"CONIN$", L"r+t", stdin);
        console = GetConsoleWindow();
    }
    g_consoleWindow = console;
    const HANDLE input =
        CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    consoleInput = input == INVALID_HANDLE_VALUE ? nullptr : input;

    WindowThreadParams params = {width,
                                 height,
                                 -1,
                                 -1,
                                 (flags & OPEN_WITHOUT_CLOSE_BOX) != 0,
                                 (flags & OPEN_WITHOUT_MINIMIZE_BOX) != 0,
                                 (flags & OPEN_WITH_DOUBLE_CLICKS) != 0};
    if (hadConsole && !(flags & OPEN_WITH_CONSOLE)) {
        RECT rect = {};
        GetWindowRect(console, &rect);
        params.x = rect.left < 0 ? 0 : rect.left;
        params.y = rect.top < 0 ? 0 : rect.top;
    }
    closingByProgram = false;
    thread = CreateThread(nullptr, 0, WindowThreadMain, &params, 0, &threadId);
    if (thread) WaitForSingleObject(signal, INFINITE);

    const HWND window = hwnd;
    if (!window) {
        // The window could not be created; its thread, if any, has ended.
        if (thread) {
            WaitForSingleObject(thread, kWindowThreadExitTimeoutMs);
            CloseHandle(thread);
            thread = nullptr;
        }
        if (HANDLE unused = consoleInput.exchange(nullptr)) CloseHandle(unused);
        GiveBackAllocatedConsole();
        return nullptr;
    }
    // Ctrl+C in the console must not end the program while it has a window.
    if (console) SetConsoleCtrlHandler(nullptr, TRUE);
    {
        LockGuard lock;
        g_state.windowScreenDC = GetDC(window);
        ResizeBase(width, height);
    }
    SetTargetImage(nullptr);
    g_state.currentTarget->ResetDrawingState();
    GdiFlush();
    if (pixels_) std::memset(pixels_, 0, PixelCount(width_, height_) * sizeof(DWORD));
    g_state.currentTarget->FlushBatch();
    return window;
}

void GraphicsWindow::GiveBackAllocatedConsole() {
    if (!allocatedConsole) return;
    if (consoleOut) fclose(consoleOut);
    if (consoleIn) fclose(consoleIn);
    consoleOut = consoleIn = nullptr;
    FreeConsole();
    allocatedConsole = false;
    g_consoleWindow = nullptr;
}

void GraphicsWindow::ReleaseWindowDc() {
    LockGuard lock;
    if (g_state.windowScreenDC) {
        // Give back the pen, brush and font that the reset selected into the
        // screen DC before the DC itself goes.
        DeleteObject(SelectObject(g_state.windowScreenDC, GetStockObject(WHITE_PEN)));
        DeleteObject(SelectObject(g_state.windowScreenDC, GetStockObject(BLACK_BRUSH)));
        DeleteObject(SelectObject(g_state.windowScreenDC, GetStockObject(SYSTEM_FONT)));
        ReleaseDC(hwnd, g_state.windowScreenDC);
        g_state.windowScreenDC = nullptr;
    }
    if (g_state.windowDC) g_state.windowDC = nullptr;
}

void GraphicsWindow::Close() {
    const HWND window = hwnd;
    if (!window) return;
    const bool onWindowThread = GetCurrentThreadId() == threadId;
    ReleaseWindowDc();
    // Closed once the window thread can no longer write to it.
    const HANDLE input = consoleInput.exchange(nullptr);

    RECT last = {};
    HWND console = g_consoleWindow;
    if (hadConsole) {
        if (console && !IsWindowVisible(console)) GetWindowRect(window, &last);
    } else {
        GiveBackAllocatedConsole();
        console = nullptr;
    }

    // Destroying the window takes it off the screen as well.
    if (onWindowThread) {
        DestroyWindow(window);
        hwnd = nullptr;
    } else {
        // Only the window's own thread can destroy it: ask it to, and wait
        // until it has left its loop, so that no refresh outlives the window.
        closingByProgram = true;
        hwnd = nullptr;
        PostMessageW(window, WM_KANVO_CLOSE_REQUEST, 0, 0);
        if (thread) {
            WaitForSingleObject(thread, kWindowThreadExitTimeoutMs);
            CloseHandle(thread);
            thread = nullptr;
        }
        closingByProgram = false;
    }

    if (input) CloseHandle(input);
    if (hadConsole && console && !IsWindowVisible(console)) {
        SetWindowPos(console, HWND_TOP, last.left, last.top, 0, 0, SWP_NOSIZE);
        ShowWindow(console, SW_SHOW);
    }
}

}  // namespace Kanvo
