// Mouse messages: real input through the system's input path, the queue's
// reading rules, waits that end, and the window thread writing while the
// program thread reads.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "user_input.h"

#include <atomic>
#include <thread>

namespace {

using namespace KanvoTest;

// Every field of a record, as one value that gtest compares and prints whole.
auto Fields(const MOUSEMSG& m) {
    return std::make_tuple(m.message, m.ctrlDown, m.shiftDown, m.leftDown, m.middleDown,
                           m.rightDown, m.x, m.y, m.wheelDelta);
}

auto Move(short x, short y) {
    return Fields({WM_MOUSEMOVE, false, false, false, false, false, x, y, 0});
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
std::vector<MOUSEMSG> RecordsOf(int flags, POINT at, const std::vector<INPUT>& inputs,
                                size_t count) {
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

const INPUT kLeftDown = MouseInput(MOUSEEVENTF_LEFTDOWN);
const INPUT kLeftUp = MouseInput(MOUSEEVENTF_LEFTUP);

// Wheel messages carry screen coordinates; the records hold client ones.
// How every key flag maps is checked with posted messages further down.
TEST(MouseInput, ButtonsCarryTheHeldKeysAndWheelNotchesTheirDelta) {
    const std::vector<INPUT> inputs = {KeyInput(VK_SHIFT, true), kLeftDown, kLeftUp,
                                       KeyInput(VK_SHIFT, false),
                                       MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-120))};
    // message, ctrl, shift, left, middle, right, x, y, wheel
    const MOUSEMSG expected[] = {{WM_LBUTTONDOWN, 0, 1, 1, 0, 0, 40, 30, 0},
                                 {WM_LBUTTONUP, 0, 1, 0, 0, 0, 40, 30, 0},
                                 {WM_MOUSEWHEEL, 0, 0, 0, 0, 0, 40, 30, -120}};
    const std::vector<MOUSEMSG> records = RecordsOf(0, {40, 30}, inputs, std::size(expected));
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(Fields(records[i]), Fields(expected[i])) << "record " << i;
}

// The class style that the flag asks for is checked with the window; here
// the queue must take the message it brings.
TEST(MouseInput, TwoQuickClicksMakeADoubleClickWithTheFlag) {
    const std::vector<MOUSEMSG> records =
        RecordsOf(OPEN_WITH_DOUBLE_CLICKS, {100, 80}, {kLeftDown, kLeftUp, kLeftDown, kLeftUp}, 3);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Fields(records[2]), Fields({WM_LBUTTONDBLCLK, 0, 0, 1, 0, 0, 100, 80, 0}));
}

// Opens a window with the pointer far away from it, so that only the test's
// own messages reach the queue.
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

TEST(MouseQueue, PeekingLeavesTheOldestMessageAndRemovingTakesIt) {
    SendMoves(OpenAwayFromPointer(), 1, 3);
    MOUSEMSG m = {};
    ASSERT_TRUE(PollMouseEvent(&m, false));
    EXPECT_EQ(Fields(m), Move(1, 2));
    ASSERT_TRUE(PollMouseEvent(&m, true));
    EXPECT_EQ(Fields(m), Move(1, 2));
    ASSERT_TRUE(PollMouseEvent(&m, true));
    EXPECT_EQ(Fields(m), Move(2, 4));
    ClearMouseEvents();
    EXPECT_FALSE(MouseEventPending());
}

// Without a window the records are still given, and then the empty queue
// throws rather than wait for ever.
TEST(MouseQueue, RecordsOutliveTheWindowAndThenAWaitThrows) {
    SendMoves(OpenAwayFromPointer(), 5, 1);
    CloseGraphWindow();
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(5, 10));
    EXPECT_EQ(WaitThrows(), 4306);
}

// The window thread queues a message after the reader found the queue empty
// but before it handles the wait request: the wait must end with that
// message, not hang for a later one (ctest's time limit ends a hang).
HWND g_hookedWindow = nullptr;
LRESULT CALLBACK QueueBeforeTheRequest(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == g_hookedWindow && call->message == WM_USER + 1)
        SendMessageW(call->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));  // same thread: direct
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MouseQueue, AWaitTakesAMessageQueuedJustBeforeItsRequest) {
    g_hookedWindow = OpenAwayFromPointer();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, QueueBeforeTheRequest, nullptr,
                                   GetWindowThreadProcessId(g_hookedWindow, nullptr));
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(7, 8));
    UnhookWindowsHookEx(hook);
}

TEST(MouseQueue, AWaitThrowsWhenAnotherThreadClosesTheWindow) {
    OpenAwayFromPointer();
    std::thread closer([] {
        Sleep(300);
        CloseGraphWindow();
    });
    EXPECT_EQ(WaitThrows(), 4306);
    closer.join();
}

// Message i is a move whose key flags and point all derive from i, so that a
// record mixed from two messages is recognised.
constexpr int kMoves = 200000;
LPARAM PointFor(int i) {
    return MAKELPARAM(i % 1000, i / 1000);
}
MOUSEMSG RecordFor(int i) {
    const auto has = [i](int flag) {
        return (i & flag) != 0;
    };
    return {WM_MOUSEMOVE,    has(MK_CONTROL), has(MK_SHIFT),
            has(MK_LBUTTON), has(MK_MBUTTON), has(MK_RBUTTON),
            short(i % 1000), short(i / 1000), 0};
}

// A second thread posts the numbered moves, then end markers (number kMoves)
// until the reader has one. The reader pauses now and then, so that the queue
// fills too.
TEST(MouseThreads, PolledRecordsOfManyPostedMessagesAreWholeAndInOrder) {
    const HWND window = OpenAwayFromPointer();
    std::atomic<bool> done{false};
    std::thread poster([&] {
        for (int i = 0; i < kMoves; ++i)
            while (!PostMessageW(window, WM_MOUSEMOVE, i & 0x1F, PointFor(i))) Sleep(1);
        for (; !done; Sleep(1)) PostMessageW(window, WM_MOUSEMOVE, kMoves & 0x1F, PointFor(kMoves));
    });
    int torn = 0;
    int outOfOrder = 0;
    for (int last = -1; last < kMoves;) {
        MOUSEMSG m = {};
        if (!PollMouseEvent(&m, true)) {
            SwitchToThread();
            continue;
        }
        const int i = m.x + 1000 * m.y;
        if (Fields(m) != Fields(RecordFor(i))) {
            ++torn;
            continue;
        }
        if (i <= last) ++outOfOrder;
        last = i;
        if (i % 20000 == 0) Sleep(20);
    }
    done = true;
    poster.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(outOfOrder, 0);
}

}  // namespace
