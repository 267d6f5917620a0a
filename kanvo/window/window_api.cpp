// The public window functions.
#include "graphics_window.h"

using namespace Kanvo;

HWND OpenGraphWindow(int width, int height, int flags) {
    GraphicsWindow* window = Window();
    return window ? window->Open(width, height, flags) : nullptr;
}

HWND OpenGraphWindow() {
    return OpenGraphWindow(640, 480, 0);
}

void CloseGraphWindow() {
    if (GraphicsWindow* window = Window()) window->Close();
}

HWND GetWindowHandle() {
    GraphicsWindow* window = Window();
    return window ? window->hwnd.load() : nullptr;
}

const wchar_t* GetLibraryVersion() {
    return L"20210224";
}
