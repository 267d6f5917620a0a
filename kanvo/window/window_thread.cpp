// The window thread: creates the graphics window, pumps its messages and
// copies the back buffer to the screen whenever more than 16 ms have passed
// and the picture may have changed, unless batch drawing holds the copy back.
// In between it sleeps until a message comes or the next copy is due.
#include "graphics_window.h"

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace Kanvo {
namespace {

constexpr wchar_t kWindowClass[] = L"KanvoWnd";
constexpr DWORD kRefreshIntervalMs = 16;

// The program file's name without directory and extension.
void ProgramTitle(const wchar_t* path, wchar_t* title, size_t capacity) {
    const wchar_t* name = std::wcsrchr(path, L'\\');
    name = name ? name + 1 : path;
    lstrcpynW(title, name, static_cast<int>(capacity));
    if (wchar_t* dot = std::wcsrchr(title, L'.')) *dot = L'\0';
}

}  // namespace

DWORD WINAPI WindowThreadMain(LPVOID parameter) {
    const WindowThreadParams params = *static_cast<const WindowThreadParams*>(parameter);
    GraphicsWindow& window = *Window();
    const int x = params.x == -1 ? CW_USEDEFAULT : params.x;
    const int y = params.y == -1 ? CW_USEDEFAULT : params.y;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    HICON icon = ExtractIconW(instance, path, 0);
    if (icon == reinterpret_cast<HICON>(1)) icon = nullptr;  // "not an executable file"

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style =
        (params.noCloseBox ? CS_NOCLOSE : 0u) | (params.doubleClicks ? CS_DBLCLKS : 0u);
    windowClass.lpfnWndProc = GraphWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    wchar_t title[MAX_PATH] = {};
    ProgramTitle(path, title, MAX_PATH);
    const DWORD style = params.noMinimizeBox ? (WS_CAPTION | WS_SYSMENU)
                                             : (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    RECT outer = {0, 0, params.width, params.height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, kWindowClass, title, style, x, y, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (icon) DestroyIcon(icon);
    if (!hwnd) {
        UnregisterClassW(kWindowClass, instance);
        SetEvent(window.signal);
        return 0;
    }
    window.hwnd = hwnd;
    if (x != CW_USEDEFAULT) {
        if (HWND console = g_consoleWindow) ShowWindow(console, SW_HIDE);
    }
    ShowWindow(hwnd, SW_SHOW);
    SetEvent(window.signal);  // the opener may go on; params is no longer read

    DWORD lastCopy = GetTickCount();
    MSG message;
    for (;;) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        const DWORD sinceCopy = GetTickCount() - lastCopy;
        if (!window.batching && sinceCopy > kRefreshIntervalMs) {
            lastCopy = GetTickCount();
            const LockGuard lock(LockUse::kOnlyReading);
            // BeginBatch may have come while this thread waited for the lock;
            // an idle program's unchanged picture is not copied again. The
            // stale mark is cleared before the copy: a pixel written directly
            // meanwhile marks it again, for the next copy.
            if (window.batching) continue;
            const bool stale = g_state.windowStale.exchange(false, std::memory_order_acquire);
            if (stale || g_state.windowBufferShared)
                window.PresentLocked(0, 0, window.Width(), window.Height());
            continue;
        }
        // Asleep until a message comes or the next copy is due (while batch
        // drawing holds copies back, one interval: the batch may end any time).
        const DWORD wait = sinceCopy > kRefreshIntervalMs ? kRefreshIntervalMs
                                                          : kRefreshIntervalMs + 1 - sinceCopy;
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    UnregisterClassW(kWindowClass, instance);
    return 0;
}

LRESULT CALLBACK GraphWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    GraphicsWindow* window = Window();
    switch (message) {
        case WM_DESTROY: {
            PostQuitMessage(0);
            // No mouse message can come any more: a waiting reader must not
            // wait for one.
            if (window) ReleaseMouseWait(*window);
            if (!window || window->closingByProgram) return 0;
            // Closed by the user: the program ends. Hold the lock, so that the
            // program thread is not halfway through drawing on the window.
            g_state.enterLock(&g_state.libraryLock);
            if (HWND console = g_consoleWindow) {
                SendMessageW(console, WM_CLOSE, 0, 0);
            }
            // The program thread may still be drawing into its own global
            // images: exit's static destructors would free them under it. So
            // the process ends at once, its standard streams flushed first.
            std::fflush(nullptr);
            TerminateProcess(GetCurrentProcess(), 0);
            return 0;
        }
        case WM_PAINT: {
            ValidateRect(hwnd, nullptr);
            const LockGuard lock;  // marks the screen stale: the next copy repaints it
            return 0;
        }
        case WM_CLOSE:
            if (window) window->Close();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            if (window) ForwardKeyToConsole(window->consoleInput, hwnd, message, wParam, lParam);
            return 0;
        case WM_KANVO_WAIT_REQUEST:
            return window ? AnswerWaitRequest(*window) : 0;
        case WM_KANVO_CLOSE_REQUEST:
            DestroyWindow(hwnd);
            return 0;
        default:
            if (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) {
                if (window) QueueMouseMessage(*window, hwnd, message, wParam, lParam);
                return 0;
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace Kanvo
