// The mouse queue: a ring of 64 records written only by the window procedure
// and read only by the program thread. Each side advances its own position;
// a record is complete before the write position passes it.
#include "graph_wnd.h"

#include "library_state.h"

namespace Kanvo {
namespace {

constexpr unsigned kSlotMask = kMouseRingSlots - 1;
constexpr long kEmptyQueue = 4306;  // ERROR_EMPTY

unsigned Count(const GraphWnd& window) {
    return (window.writePosition.load(std::memory_order_acquire) -
            window.readPosition.load(std::memory_order_relaxed)) &
           kSlotMask;
}

MOUSEMSG RemoveOldest(GraphWnd& window) {
    const unsigned read = window.readPosition.load(std::memory_order_relaxed);
    if (read == window.writePosition.load(std::memory_order_acquire)) throw kEmptyQueue;
    const MOUSEMSG record = window.messages[read];
    window.readPosition.store((read + 1) & kSlotMask, std::memory_order_release);
    return record;
}

// Releases a waiting reader, if there is one. Whoever clears the flag owes
// the reader exactly one SetEvent, so the event is never left set.
void WakeReader(GraphWnd& window) {
    if (waitingForInput.exchange(false)) SetEvent(window.signal);
}

}  // namespace

void QueueMouseMessage(GraphWnd& window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const unsigned write = window.writePosition.load(std::memory_order_relaxed);
    const unsigned read = window.readPosition.load(std::memory_order_acquire);
    if (((write - read) & kSlotMask) != kSlotMask) {  // at most 63 records
        MOUSEMSG& record = window.messages[write];
        const WORD keys = LOWORD(wParam);
        record.message = message;
        record.ctrlDown = (keys & MK_CONTROL) != 0;
        record.shiftDown = (keys & MK_SHIFT) != 0;
        record.leftDown = (keys & MK_LBUTTON) != 0;
        record.middleDown = (keys & MK_MBUTTON) != 0;
        record.rightDown = (keys & MK_RBUTTON) != 0;
        record.wheelDelta = static_cast<short>(HIWORD(wParam));
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (message == WM_MOUSEWHEEL) ScreenToClient(hwnd, &point);  // wheel: screen coordinates
        record.x = static_cast<short>(point.x);
        record.y = static_cast<short>(point.y);
        window.writePosition.store((write + 1) & kSlotMask, std::memory_order_release);
    }
    WakeReader(window);
}

LRESULT AnswerWaitRequest(GraphWnd& window) {
    // This runs on the writer's thread, so nothing is queued between the test
    // and the flag: a record that came in after the reader found the ring
    // empty releases it at once instead of leaving it for the next message.
    if (Count(window) != 0) {
        SetEvent(window.signal);
    } else {
        waitingForInput = true;
    }
    return 1;  // tells the reader that the request reached a live window
}

void ReleaseMouseWait(GraphWnd& window) {
    WakeReader(window);
}

}  // namespace Kanvo

using namespace Kanvo;

bool MouseEventPending() {
    GraphWnd* window = Window();
    return window && Count(*window) != 0;
}

MOUSEMSG WaitMouseEvent() {
    GraphWnd* window = Window();
    if (!window) throw kEmptyQueue;
    if (Count(*window) == 0) {
        const HWND hwnd = window->hwnd;
        // No window, no message can come: answer as an empty queue does.
        if (!hwnd) throw kEmptyQueue;
        ResetEvent(window->signal);
        // The answer is 0 only when the window is already gone; then nobody
        // would ever set the event.
        if (SendMessageW(hwnd, WM_KANVO_WAIT_REQUEST, 0, 0) != 0) {
            // Released by the next mouse message, or by the window's
            // destruction (the ring is then still empty and we throw below).
            WaitForSingleObject(window->signal, INFINITE);
        }
    }
    return RemoveOldest(*window);
}

bool PollMouseEvent(MOUSEMSG* out, bool remove) {
    GraphWnd* window = Window();
    if (!window || !out || Count(*window) == 0) return false;
    if (remove) {
        *out = RemoveOldest(*window);
    } else {
        *out = window->messages[window->readPosition.load(std::memory_order_relaxed)];
    }
    return true;
}

void ClearMouseEvents() {
    if (GraphWnd* window = Window())
        window->readPosition.store(window->writePosition.load(std::memory_order_acquire),
                                   std::memory_order_release);
}
