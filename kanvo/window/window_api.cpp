// The public window functions.
#include "library_state.h"

using namespace Kanvo;

HWND OpenGraphWindow(int width, int height, int flags) {
    DrawOnWnd* target = g_state.windowTarget.Get();
    return target ? target->OpenGraphWindow(width, height, flags) : nullptr;
}

HWND OpenGraphWindow() {
    return OpenGraphWindow(640, 480, 0);
}

void CloseGraphWindow() {
    if (DrawOnWnd* target = g_state.windowTarget.Get()) target->CloseGraphWindow();
}

HWND GetWindowHandle() {
    GraphWnd* window = Window();
    return window ? window->hwnd.load() : nullptr;
}

const wchar_t* GetLibraryVersion() {
    return L"20210224";
}
