// Mouse messages: real input through the system's input path, the ring's
// capacity and reading rules, and the window thread writing while the program
// thread reads.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "user_input.h"
#include "window/library_state.h"

#include <atomic>
#include <thread>

namespace {

using namespace KanvoTest;

// Every field of a record, as one value that gtest compares and prints.
auto Fields(const MOUSEMSG& m) {
    return std::make_tuple(m.message, m.ctrlDown, m.shiftDown, m.leftDown, m.middleDown,
                           m.rightDown, m.x, m.y, m.wheelDelta);
}
auto Move(short x, short y) {
    return Fields({WM_MOUSEMOVE, 0, 0, 0, 0, 0, x, y, 0});
}

// The long value that WaitMouseEvent throws; 0 when it returns a record.
long WaitThrows() {
    try {
        WaitMouseEvent();
    } catch (long code) {
        return code;
    }
    return 0;
}

// Opens a window in front with the pointer over its client point `at`, sends
// `inputs` and returns the records other than moves that follow, up to
// `count` (fewer when none comes for 5 s).
std::vector<MOUSEMSG> RecordsOf(int flags, POINT at, std::vector<INPUT> inputs, size_t count) {
    HWND window = OpenGraphWindow(300, 200, flags);
    SetForegroundWindow(window);
    ClientToScreen(window, &at);
    Send({PointerMoveInput(at)});
    Sleep(100);
    ClearMouseEvents();
    Send(inputs);
    std::vector<MOUSEMSG> records;
    MOUSEMSG m = {};
    const auto next = [&] {
        return PollMouseEvent(&m, true) && m.message != WM_MOUSEMOVE;
    };
    while (records.size() < count && WaitUntil(next)) records.push_back(m);
    return records;
}

TEST(MouseInput, ClicksWithShiftAndCtrlWheelNotchesAndDoubleClicksOnlyWithTheirFlag) {
    const INPUT l[] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    const std::vector<INPUT> inputs = {
        KeyInput(VK_SHIFT, true),
        l[0],
        l[1],
        KeyInput(VK_SHIFT, false),
        KeyInput(VK_CONTROL, true),
        MouseInput(MOUSEEVENTF_RIGHTDOWN),
        MouseInput(MOUSEEVENTF_RIGHTUP),
        KeyInput(VK_CONTROL, false),
        MouseInput(MOUSEEVENTF_MIDDLEDOWN),
        MouseInput(MOUSEEVENTF_MIDDLEUP),
        MouseInput(MOUSEEVENTF_WHEEL, WHEEL_DELTA),
        MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA)),
        l[0],
        l[1],
        l[0],
        l[1]};
    // message, ctrl, shift, left, middle, right, x, y, wheel. Wheel messages
    // carry screen coordinates; the records hold client ones. Without
    // OPEN_WITH_DOUBLE_CLICKS two quick clicks stay two clicks.
    const MOUSEMSG expected[] = {
        {WM_LBUTTONDOWN, 0, 1, 1, 0, 0, 40, 30, 0},  {WM_LBUTTONUP, 0, 1, 0, 0, 0, 40, 30, 0},
        {WM_RBUTTONDOWN, 1, 0, 0, 0, 1, 40, 30, 0},  {WM_RBUTTONUP, 1, 0, 0, 0, 0, 40, 30, 0},
        {WM_MBUTTONDOWN, 0, 0, 0, 1, 0, 40, 30, 0},  {WM_MBUTTONUP, 0, 0, 0, 0, 0, 40, 30, 0},
        {WM_MOUSEWHEEL, 0, 0, 0, 0, 0, 40, 30, 120}, {WM_MOUSEWHEEL, 0, 0, 0, 0, 0, 40, 30, -120},
        {WM_LBUTTONDOWN, 0, 0, 1, 0, 0, 40, 30, 0},  {WM_LBUTTONUP, 0, 0, 0, 0, 0, 40, 30, 0},
        {WM_LBUTTONDOWN, 0, 0, 1, 0, 0, 40, 30, 0},  {WM_LBUTTONUP, 0, 0, 0, 0, 0, 40, 30, 0}};
    std::vector<MOUSEMSG> records = RecordsOf(0, {40, 30}, inputs, std::size(expected));
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(Fields(records[i]), Fields(expected[i])) << i;
    EXPECT_FALSE(MouseEventPending());
    CloseGraphWindow();  // nothing else came
    records = RecordsOf(OPEN_WITH_DOUBLE_CLICKS, {100, 80}, {l[0], l[1], l[0], l[1]}, 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Fields(records[2]), Fields({WM_LBUTTONDBLCLK, 0, 0, 1, 0, 0, 100, 80, 0}));
    CloseGraphWindow();
}

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

TEST(MouseRing, PeekRemoveClearCapacityRecordsWithoutAWindowAndWaitsThatEnd) {
    HWND window = OpenAwayFromPointer();
    MOUSEMSG m = {}, again = {};
    m.x = 77;
    EXPECT_FALSE(MouseEventPending() || PollMouseEvent(&m, true) || m.x != 77);  // m untouched
    SendMoves(window, 1, 3);
    EXPECT_FALSE(PollMouseEvent(nullptr, true));  // no target: nothing is removed
    ASSERT_TRUE(PollMouseEvent(&m, false) && PollMouseEvent(&again, false));
    EXPECT_EQ(std::make_tuple(Fields(m), Fields(again)), std::make_tuple(Move(1, 2), Move(1, 2)));
    ASSERT_TRUE(PollMouseEvent(&m, true) && PollMouseEvent(&again, true));
    EXPECT_EQ(std::make_tuple(Fields(m), Fields(again)), std::make_tuple(Move(1, 2), Move(2, 4)));
    ClearMouseEvents();
    EXPECT_FALSE(MouseEventPending());
    // 70 moves with nobody reading keep the first 62 and the newest; once
    // read, there is room again and the ring wraps.
    for (int first : {0, 100}) {
        SendMoves(window, first, 70);
        int read = 0;
        for (; PollMouseEvent(&m, true); ++read) {
            const int i = first + (read < 62 ? read : 69);
            EXPECT_EQ(Fields(m), Move(i, 2 * i));
        }
        EXPECT_EQ(read, 63);
    }
    // Closing and opening a window empty nothing; without a window the
    // records are still given, and then the empty ring throws.
    SendMoves(window, 5, 2);
    CloseGraphWindow();
    OpenGraphWindow(100, 100);
    CloseGraphWindow();
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(5, 10));
    EXPECT_TRUE(PollMouseEvent(&m, true) && m.x == 6);
    EXPECT_EQ(WaitThrows(), 4306);  // what removing from an empty queue throws

    // A wait that misses its message hangs: ctest's time limit ends it.
    window = g_hookedWindow = OpenAwayFromPointer();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, QueueBeforeTheRequest, nullptr,
                                   GetWindowThreadProcessId(window, nullptr));
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(7, 8));
    UnhookWindowsHookEx(hook);
    // A real move into the window, made while the program waits.
    POINT to = {40, 30};
    ClientToScreen(window, &to);
    std::thread mover([to] {
        Sleep(200);
        Send({PointerMoveInput(to)});
    });
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(40, 30));
    mover.join();
    // Another thread of the program closes the window while this one waits.
    std::thread closer([] {
        Sleep(300);
        CloseGraphWindow();
    });
    EXPECT_EQ(WaitThrows(), 4306);
    closer.join();
    EXPECT_FALSE(IsWindow(window));
}

// Message i is a move whose every field is derived from i, so that a record
// mixed from two messages is recognised.
constexpr int kEndMarker = 250000;
WPARAM KeysFor(int i) {
    return MAKEWPARAM(i & 0x1F, (i * 40503u >> 4) & 0x7FFF);
}
LPARAM PointFor(int i) {
    return MAKELPARAM(i & 0x7FFF, i >> 15);
}
int IndexOf(LPARAM point) {
    return (LOWORD(point) & 0x7FFF) | (HIWORD(point) << 15);
}
MOUSEMSG RecordFor(int i) {
    const WPARAM k = KeysFor(i);
    const auto has = [k](WPARAM flag) {
        return (k & flag) != 0;
    };
    return {WM_MOUSEMOVE,    has(MK_CONTROL),   has(MK_SHIFT),  has(MK_LBUTTON), has(MK_MBUTTON),
            has(MK_RBUTTON), short(i & 0x7FFF), short(i >> 15), short(HIWORD(k))};
}

// Which messages found the ring with room to spare when the window procedure
// got them: those must all reach the reader (a move that fills the ring may
// be replaced by the next move). The window thread is the ring's only
// writer, so the count can only fall before the message is queued.
std::vector<char> g_hadRoom;
WNDPROC g_graphWindowProc = nullptr;
LRESULT CALLBACK NoteRoomThenQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int i = IndexOf(lParam);
    const Kanvo::GraphWnd& ring = *Kanvo::Window();
    if (message == WM_MOUSEMOVE && i < static_cast<int>(g_hadRoom.size()))
        g_hadRoom[i] = ((ring.writePosition - ring.readPosition) & 63u) < 62;
    return CallWindowProcW(g_graphWindowProc, window, message, wParam, lParam);
}

// A second thread posts `count` numbered moves, then end markers; this thread
// takes records with `read` until the end marker: none may be torn, out of
// order, or lost while the ring had room. Now and then the reader pauses, so
// that the ring fills and drops messages too.
void ExpectSoundTraffic(int count, bool (*read)(MOUSEMSG*)) {
    HWND window = OpenAwayFromPointer();
    g_hadRoom.assign(count, 0);
    g_graphWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteRoomThenQueue)));
    std::atomic<bool> done{false};
    std::thread poster([&] {
        for (int i = 0; i < count; ++i)
            while (!PostMessageW(window, WM_MOUSEMOVE, KeysFor(i), PointFor(i))) Sleep(1);
        for (; !done; Sleep(1))
            PostMessageW(window, WM_MOUSEMOVE, KeysFor(kEndMarker), PointFor(kEndMarker));
    });
    int torn = 0, outOfOrder = 0, lostWithRoom = 0, last = -1, received = 0;
    for (MOUSEMSG m = {};;) {
        if (!read(&m)) continue;
        const int i = IndexOf(MAKELPARAM(m.x, m.y));
        if (Fields(m) != Fields(RecordFor(i))) {
            ++torn;
            continue;
        }
        if (i == kEndMarker) break;
        outOfOrder += i <= last;
        for (int lost = last + 1; lost < i; ++lost) lostWithRoom += g_hadRoom[lost];
        last = i;
        if (++received % (count / 10) == 0) Sleep(20);  // lets the ring fill now and then
    }
    done = true;
    poster.join();
    CloseGraphWindow();
    for (int lost = last + 1; lost < count; ++lost) lostWithRoom += g_hadRoom[lost];
    EXPECT_EQ(std::make_tuple(torn, outOfOrder, lostWithRoom), std::make_tuple(0, 0, 0));
}

// A record if one is there; else the rest of the time slice goes to others.
bool PollOrYield(MOUSEMSG* m) {
    return PollMouseEvent(m, true) || (SwitchToThread(), false);
}

TEST(MouseThreads, TwoHundredThousandPostedMessagesReadContinuously) {
    ExpectSoundTraffic(200000, PollOrYield);
}

TEST(MouseThreads, WaitInALoopNeverHangsWhileMessagesCome) {
    ExpectSoundTraffic(20000, [](MOUSEMSG* m) {
        *m = WaitMouseEvent();
        return true;
    });
}

}  // namespace
