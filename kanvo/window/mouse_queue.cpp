// The mouse queue: a ring of 64 records written by the window procedure and
// read by the program thread. A full ring makes room for a click by dropping
// its oldest move, which moves records the reader may be reading: so every
// change of the records or positions holds g_ringLock.
#include "graphics_window.h"

namespace Kanvo {
namespace {

constexpr unsigned kSlotMask = kMouseRingSlots - 1;
constexpr long kEmptyQueue = 4306;  // ERROR_EMPTY

// A slim lock needs no set-up or clean-up, so it stays usable however late
// the window thread runs during process exit.
SRWLOCK g_ringLock = SRWLOCK_INIT;

class RingLock {
public:
    RingLock() { AcquireSRWLockExclusive(&g_ringLock); }
    ~RingLock() { ReleaseSRWLockExclusive(&g_ringLock); }
    RingLock(const RingLock&) = delete;
    RingLock& operator=(const RingLock&) = delete;
};

unsigned Count(const GraphicsWindow& window) {
    return (window.writePosition.load(std::memory_order_acquire) -
            window.readPosition.load(std::memory_order_relaxed)) &
           kSlotMask;
}

MOUSEMSG RemoveOldest(GraphicsWindow& window) {
    RingLock lock;
    const unsigned read = window.readPosition.load(std::memory_order_relaxed);
    if (read == window.writePosition.load(std::memory_order_acquire)) throw kEmptyQueue;
    const MOUSEMSG record = window.messages[read];
    window.readPosition.store((read + 1) & kSlotMask, std::memory_order_release);
    return record;
}

// Releases a waiting reader, if there is one. Whoever clears the flag owes
// the reader exactly one SetEvent, so the event is never left set.
void WakeReader(GraphicsWindow& window) {
    if (g_waitingForInput.exchange(false)) SetEvent(window.signal);
}

MOUSEMSG MakeRecord(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MOUSEMSG record = {};
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
    return record;
}

// In a full ring: drops the oldest queued move, shifting the newer records
// down by one, and frees the newest slot; false when no move is queued.
bool DropOldestMove(GraphicsWindow& window, unsigned read, unsigned write) {
    unsigned slot = read;
    while (slot != write && window.messages[slot].message != WM_MOUSEMOVE)
        slot = (slot + 1) & kSlotMask;
    if (slot == write) return false;
    for (unsigned next = (slot + 1) & kSlotMask; next != write; next = (next + 1) & kSlotMask) {
        window.messages[slot] = window.messages[next];
        slot = next;
    }
    window.writePosition.store(slot, std::memory_order_release);
    return true;
}

// Stores one record under the full-ring policy: a move over a queued newest
// move replaces it (the pointer's latest position is what counts); anything
// else takes the place of the oldest queued move; a ring that holds no move
// at all keeps what it has and drops the new record.
void Store(GraphicsWindow& window, const MOUSEMSG& record) {
    RingLock lock;
    const unsigned write = window.writePosition.load(std::memory_order_relaxed);
    const unsigned read = window.readPosition.load(std::memory_order_relaxed);
    if (((write - read) & kSlotMask) == kSlotMask) {  // full: at most 63 records
        MOUSEMSG& newest = window.messages[(write - 1) & kSlotMask];
        if (record.message == WM_MOUSEMOVE && newest.message == WM_MOUSEMOVE) {
            newest = record;
            return;
        }
        if (!DropOldestMove(window, read, write)) return;
    }
    const unsigned free = window.writePosition.load(std::memory_order_relaxed);
    window.messages[free] = record;
    window.writePosition.store((free + 1) & kSlotMask, std::memory_order_release);
}

}  // namespace

void QueueMouseMessage(GraphicsWindow& window, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    Store(window, MakeRecord(hwnd, message, wParam, lParam));
    WakeReader(window);
}

LRESULT AnswerWaitRequest(GraphicsWindow& window) {
    // This runs on the writer's thread, so nothing is queued between the test
    // and the flag: a record that came in after the reader found the ring
    // empty releases it at once instead of leaving it for the next message.
    if (Count(window) != 0) {
        SetEvent(window.signal);
    } else {
        g_waitingForInput = true;
    }
    return 1;  // tells the reader that the request reached a live window
}

void ReleaseMouseWait(GraphicsWindow& window) {
    WakeReader(window);
}

}  // namespace Kanvo

using namespace Kanvo;

bool MouseEventPending() {
    GraphicsWindow* window = Window();
    return window && Count(*window) != 0;
}

MOUSEMSG WaitMouseEvent() {
    GraphicsWindow* window = Window();
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
    GraphicsWindow* window = Window();
    if (!window || !out || Count(*window) == 0) return false;
    if (remove) {
        *out = RemoveOldest(*window);
    } else {
        RingLock lock;
        *out = window->messages[window->readPosition.load(std::memory_order_relaxed)];
    }
    return true;
}

void ClearMouseEvents() {
    GraphicsWindow* window = Window();
    if (!window) return;
    RingLock lock;
    window->readPosition.store(window->writePosition.load(std::memory_order_acquire),
                               std::memory_order_release);
}
