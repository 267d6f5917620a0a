// Mouse messages: real input through the system's input path, the ring's
// capacity and reading rules, and the window thread writing while the program
// thread reads.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "user_input.h"
#include "window/library_state.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace KanvoTest;

constexpr long kEmptyQueue = 4306;

// Keeps a test from hanging in WaitMouseEvent: after 10 s without Finish(),
// it sends the window a move to (kRescue, kRescue), which releases the wait.
class HangGuard {
public:
    static constexpr short kRescue = 4321;
    explicit HangGuard(HWND window)
        : thread_([this, window] {
              for (int i = 0; i < 1000 && !finished_; ++i) Sleep(10);
              while (!finished_) {
                  rescued_ = true;
                  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(kRescue, kRescue));
                  Sleep(50);
              }
          }) {}
    ~HangGuard() { Finish(); }
    // True when the guard had to release the wait.
    bool Finish() {
        finished_ = true;
        if (thread_.joinable()) thread_.join();
        return rescued_;
    }

private:
    std::atomic<bool> finished_{false};
    std::atomic<bool> rescued_{false};
    std::thread thread_;
};

// ---------------------------------------------------------------------------
// Real input

// The next record other than a move, within 5 s.
bool NextRecord(MOUSEMSG* out) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        if (!PollMouseEvent(out, true)) {
            Sleep(5);
        } else if (out->message != WM_MOUSEMOVE) {
            return true;
        }
    }
    return false;
}

// Opens a window, brings it to the front and puts the pointer over it at
// client point `at`.
HWND OpenUnderPointer(int flags, POINT at) {
    HWND window = OpenGraphWindow(300, 200, flags);
    SetForegroundWindow(window);
    ClientToScreen(window, &at);
    MovePointerTo(at);
    Sleep(100);
    return window;
}

TEST(MouseInput, MovesClicksWithShiftAndCtrlAndWheelNotches) {
    HWND window = OpenUnderPointer(0, {150, 100});
    ClearMouseEvents();
    HangGuard guard(window);
    // A move made while the program waits on an empty ring.
    std::thread mover([window] {
        Sleep(200);
        POINT target = {40, 30};
        ClientToScreen(window, &target);
        MovePointerTo(target);
    });
    const MOUSEMSG move = WaitMouseEvent();
    mover.join();
    const bool rescued = guard.Finish();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(move.x, 40);
    EXPECT_EQ(move.y, 30);

    Send({KeyInput(VK_SHIFT, true), MouseInput(MOUSEEVENTF_LEFTDOWN),
          MouseInput(MOUSEEVENTF_LEFTUP), KeyInput(VK_SHIFT, false), KeyInput(VK_CONTROL, true),
          MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP),
          KeyInput(VK_CONTROL, false), MouseInput(MOUSEEVENTF_MIDDLEDOWN),
          MouseInput(MOUSEEVENTF_MIDDLEUP), MouseInput(MOUSEEVENTF_WHEEL, WHEEL_DELTA),
          MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA))});
    const struct {
        UINT message;
        bool left, right, middle, shift, ctrl;
        short wheel;
    } expected[] = {
        {WM_LBUTTONDOWN, true, false, false, true, false, 0},
        {WM_LBUTTONUP, false, false, false, true, false, 0},
        {WM_RBUTTONDOWN, false, true, false, false, true, 0},
        {WM_RBUTTONUP, false, false, false, false, true, 0},
        {WM_MBUTTONDOWN, false, false, true, false, false, 0},
        {WM_MBUTTONUP, false, false, false, false, false, 0},
        // Wheel messages carry screen coordinates; the records hold client ones.
        {WM_MOUSEWHEEL, false, false, false, false, false, 120},
        {WM_MOUSEWHEEL, false, false, false, false, false, -120},
    };
    for (const auto& e : expected) {
        MOUSEMSG m = {};
        ASSERT_TRUE(NextRecord(&m));
        EXPECT_EQ(m.message, e.message);
        EXPECT_EQ(m.leftDown, e.left);
        EXPECT_EQ(m.rightDown, e.right);
        EXPECT_EQ(m.middleDown, e.middle);
        EXPECT_EQ(m.shiftDown, e.shift);
        EXPECT_EQ(m.ctrlDown, e.ctrl);
        EXPECT_EQ(m.wheelDelta, e.wheel);
        EXPECT_EQ(m.x, 40);
        EXPECT_EQ(m.y, 30);
    }
    EXPECT_FALSE(MouseEventPending());  // nothing else came
    CloseGraphWindow();
}

// Two quick left clicks at one place; the kinds of the button records.
std::vector<UINT> DoubleClickKinds(int flags) {
    OpenUnderPointer(flags, {100, 80});
    ClearMouseEvents();
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
          MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
    std::vector<UINT> kinds;
    MOUSEMSG m = {};
    while (kinds.size() < 4 && NextRecord(&m)) kinds.push_back(m.message);
    CloseGraphWindow();
    return kinds;
}

TEST(MouseInput, DoubleClicksOnlyWithTheirFlag) {
    const std::vector<UINT> with = DoubleClickKinds(OPEN_WITH_DOUBLE_CLICKS);
    EXPECT_EQ(with, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                       WM_LBUTTONUP}));
    Sleep(GetDoubleClickTime() + 100);  // the next pair starts afresh
    const std::vector<UINT> without = DoubleClickKinds(0);
    EXPECT_EQ(without, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                          WM_LBUTTONUP}));
}

// ---------------------------------------------------------------------------
// The ring

// Opens a window with the pointer far away from it, so that only the test's
// own messages reach the ring.
HWND OpenAwayFromPointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    HWND window = OpenGraphWindow(200, 100);
    ClearMouseEvents();
    return window;
}

void SendMoves(HWND window, int first, int count) {
    for (int i = first; i < first + count; ++i)
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(i, 2 * i));
}

TEST(MouseRing, SeventyUnreadMessagesKeepTheFirstSixtyThree) {
    HWND window = OpenAwayFromPointer();
    SendMoves(window, 0, 70);
    MOUSEMSG m = {};
    int read = 0;
    while (PollMouseEvent(&m, true)) {
        EXPECT_EQ(m.x, read);
        EXPECT_EQ(m.y, 2 * read);
        ++read;
    }
    EXPECT_EQ(read, 63);
    // Room again after reading: the ring wraps and goes on.
    SendMoves(window, 100, 70);
    read = 0;
    while (PollMouseEvent(&m, true)) EXPECT_EQ(m.x, 100 + read++);
    EXPECT_EQ(read, 63);
    CloseGraphWindow();
}

TEST(MouseRing, PeekRemoveClearAndTheEmptyRing) {
    HWND window = OpenAwayFromPointer();
    EXPECT_FALSE(MouseEventPending());
    MOUSEMSG untouched = {};
    untouched.x = 77;
    EXPECT_FALSE(PollMouseEvent(&untouched, true));
    EXPECT_EQ(untouched.x, 77);
    EXPECT_FALSE(PollMouseEvent(nullptr, true));

    SendMoves(window, 1, 3);
    MOUSEMSG first = {}, again = {};
    ASSERT_TRUE(PollMouseEvent(&first, false));
    ASSERT_TRUE(PollMouseEvent(&again, false));
    EXPECT_EQ(first.x, 1);
    EXPECT_EQ(again.x, 1);
    EXPECT_FALSE(PollMouseEvent(nullptr, true));  // no target: nothing is removed
    ASSERT_TRUE(PollMouseEvent(&first, true));
    ASSERT_TRUE(PollMouseEvent(&again, true));
    EXPECT_EQ(first.x, 1);
    EXPECT_EQ(again.x, 2);
    EXPECT_TRUE(MouseEventPending());
    ClearMouseEvents();
    EXPECT_FALSE(MouseEventPending());
    EXPECT_FALSE(PollMouseEvent(&first, false));
    CloseGraphWindow();
}

TEST(MouseRing, RecordsOutliveTheirWindowAndAnEmptyRingThrows) {
    HWND window = OpenAwayFromPointer();
    SendMoves(window, 5, 2);
    CloseGraphWindow();
    OpenGraphWindow(100, 100);  // opening does not empty the ring either
    CloseGraphWindow();
    EXPECT_TRUE(MouseEventPending());
    EXPECT_EQ(WaitMouseEvent().x, 5);  // no window, but a record to give
    MOUSEMSG m = {};
    ASSERT_TRUE(PollMouseEvent(&m, true));
    EXPECT_EQ(m.x, 6);
    try {
        WaitMouseEvent();
        ADD_FAILURE() << "no exception from an empty ring without a window";
    } catch (long code) {
        EXPECT_EQ(code, kEmptyQueue);
    }
}

TEST(MouseRing, WaitEndsWhenTheWindowIsDestroyedMeanwhile) {
    HWND window = OpenAwayFromPointer();
    // Another thread of the program closes the window while this one waits.
    std::thread closer([] {
        Sleep(300);
        CloseGraphWindow();
    });
    long code = 0;
    try {
        WaitMouseEvent();
    } catch (long thrown) {
        code = thrown;
    }
    closer.join();
    EXPECT_EQ(code, kEmptyQueue);
    EXPECT_FALSE(IsWindow(window));
}

// The window thread queues a message after the reader found the ring empty
// but before it handles the wait request: the wait must end with that
// message, not with a later one.
HWND g_hookedWindow = nullptr;
LRESULT CALLBACK QueueBeforeTheRequest(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == g_hookedWindow && call->message == WM_USER + 1)
        SendMessageW(call->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));  // same thread: direct
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MouseRing, MessageBetweenEmptinessTestAndWaitRequestEndsTheWait) {
    HWND window = OpenAwayFromPointer();
    g_hookedWindow = window;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, QueueBeforeTheRequest, nullptr,
                                   GetWindowThreadProcessId(window, nullptr));
    ASSERT_NE(hook, nullptr);
    HangGuard guard(window);
    const MOUSEMSG m = WaitMouseEvent();
    const bool rescued = guard.Finish();
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(rescued);
    EXPECT_EQ(m.x, 7);
    EXPECT_EQ(m.y, 8);
    CloseGraphWindow();
}

// ---------------------------------------------------------------------------
// Two threads

// Message i is a move whose every field is derived from i, so that a record
// mixed from two messages is recognised.
constexpr int kEndMarker = 250000;
WPARAM KeysFor(int i) { return MAKEWPARAM(i & 0x1F, (i * 40503u >> 4) & 0x7FFF); }
LPARAM PointFor(int i) { return MAKELPARAM(i & 0x7FFF, i >> 15); }
int IndexOf(LPARAM point) { return (LOWORD(point) & 0x7FFF) | (HIWORD(point) << 15); }

bool Consistent(const MOUSEMSG& m, int* index) {
    const int i = IndexOf(MAKELPARAM(m.x, m.y));
    const WPARAM keys = KeysFor(i);
    *index = i;
    return m.message == WM_MOUSEMOVE && m.x >= 0 && m.y >= 0 &&
           m.leftDown == ((keys & MK_LBUTTON) != 0) && m.rightDown == ((keys & MK_RBUTTON) != 0) &&
           m.shiftDown == ((keys & MK_SHIFT) != 0) && m.ctrlDown == ((keys & MK_CONTROL) != 0) &&
           m.middleDown == ((keys & MK_MBUTTON) != 0) &&
           m.wheelDelta == static_cast<short>(HIWORD(keys));
}

// Which messages found the ring with room when the window procedure got
// them: those must all reach the reader. The window thread is the ring's only
// writer, so the count can only fall before the message is queued.
std::vector<char> g_hadRoom;
WNDPROC g_graphWindowProc = nullptr;
LRESULT CALLBACK NoteRoomThenQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int i = IndexOf(lParam);
    if (message == WM_MOUSEMOVE && i < static_cast<int>(g_hadRoom.size())) {
        Kanvo::GraphWnd& ring = *Kanvo::Window();
        g_hadRoom[i] = ((ring.writePosition - ring.readPosition) & 63u) < 63;
    }
    return CallWindowProcW(g_graphWindowProc, window, message, wParam, lParam);
}

struct Traffic {
    int received = 0;
    int torn = 0;
    int outOfOrder = 0;
    int lostWithRoom = 0;
};

// A second thread posts `count` numbered moves, then end markers; this thread
// takes records with `read` until the end marker. Now and then it pauses, so
// that the ring is likely to fill and drop messages too (how many depends on
// how the threads are scheduled; the 70-message test covers the full ring).
template <class Read>
Traffic RunTraffic(int count, Read read) {
    HWND window = OpenAwayFromPointer();
    g_hadRoom.assign(count, 0);
    g_graphWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteRoomThenQueue)));
    std::atomic<bool> done{false};
    std::thread poster([&] {
        for (int i = 0; i < count; ++i)
            while (!PostMessageW(window, WM_MOUSEMOVE, KeysFor(i), PointFor(i))) Sleep(1);
        while (!done) {
            PostMessageW(window, WM_MOUSEMOVE, KeysFor(kEndMarker), PointFor(kEndMarker));
            Sleep(1);
        }
    });
    Traffic traffic;
    int last = -1;
    for (;;) {
        MOUSEMSG m = {};
        int i = 0;
        if (!read(&m)) continue;
        if (!Consistent(m, &i)) {
            ++traffic.torn;
            continue;
        }
        if (i == kEndMarker) break;
        if (i <= last) ++traffic.outOfOrder;
        for (int lost = last + 1; lost < i; ++lost) traffic.lostWithRoom += g_hadRoom[lost];
        last = i;
        if (++traffic.received % (count / 10) == 0) Sleep(20);
    }
    done = true;
    poster.join();
    for (int lost = last + 1; lost < count; ++lost) traffic.lostWithRoom += g_hadRoom[lost];
    CloseGraphWindow();
    return traffic;
}

void ExpectSound(const Traffic& traffic) {
    EXPECT_EQ(traffic.torn, 0);
    EXPECT_EQ(traffic.outOfOrder, 0);
    EXPECT_EQ(traffic.lostWithRoom, 0);
}

TEST(MouseThreads, TwoHundredThousandPostedMessagesReadContinuously) {
    const Traffic traffic = RunTraffic(200000, [](MOUSEMSG* m) {
        if (PollMouseEvent(m, true)) return true;
        SwitchToThread();
        return false;
    });
    ExpectSound(traffic);
}

TEST(MouseThreads, WaitInALoopNeverHangsWhileMessagesCome) {
    const Traffic traffic = RunTraffic(20000, [](MOUSEMSG* m) {
        *m = WaitMouseEvent();
        return true;
    });
    ExpectSound(traffic);
}

}  // namespace
