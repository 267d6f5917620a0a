// Batch drawing on the window: while batching, the
// window thread stops copying the back buffer to the screen and the program
// copies what it has drawn with the flushes.
#include "window_target.h"

#include "graphics_window.h"

#include <algorithm>
#include <utility>

namespace Kanvo {

void WindowTarget::BeginBatch() {
    if (GraphicsWindow* window = Window()) window->batching = true;
}

void WindowTarget::FlushBatch(int left, int top, int right, int bottom) {
    GraphicsWindow* window = Window();
    if (!window) return;
    // Corners may come in either order; only the part of the rectangle that
    // lies in the back buffer exists to be copied.
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    LockGuard lock;
    if (!g_state.windowDC) return;  // no open window to copy to
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, window->Width() - 1);
    bottom = std::min(bottom, window->Height() - 1);
    if (left > right || top > bottom) return;
    window->PresentLocked(left, top, right - left + 1, bottom - top + 1);
}

void WindowTarget::FlushBatch() {
    if (GraphicsWindow* window = Window())
        FlushBatch(0, 0, window->Width() - 1, window->Height() - 1);
}

void WindowTarget::EndBatch(int left, int top, int right, int bottom) {
    FlushBatch(left, top, right, bottom);
    if (GraphicsWindow* window = Window()) window->batching = false;
}

void WindowTarget::EndBatch() {
    FlushBatch();
    if (GraphicsWindow* window = Window()) window->batching = false;
}

}  // namespace Kanvo
