// Mouse messages: the records made of the window's messages, the queue's
// reading rules and its policy when full, waits that end, and the window
// thread writing while the program thread reads.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

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

// Takes every queued record. The tests send their messages: the window
// thread has queued each when the call returns.
std::vector<MOUSEMSG> DrainAll() {
    std::vector<MOUSEMSG> records;
    for (MOUSEMSG m = {}; PollMouseEvent(&m, true);) records.push_back(m);
    return records;
}

int CountOf(const std::vector<MOUSEMSG>& records, UINT message) {
    int count = 0;
    for (const MOUSEMSG& m : records) count += m.message == message;
    return count;
}

// Each key flag of a message lands in its own field. Wheel messages carry
// screen coordinates; the records hold client ones.
TEST(MouseQueue, RecordsCarryTheHeldKeysAndTheClientPoint) {
    const HWND window = OpenAwayFromPointer();
    POINT screen = {40, 30};
    ClientToScreen(window, &screen);
    SendMessageW(window, WM_RBUTTONDOWN, MK_CONTROL | MK_MBUTTON | MK_RBUTTON, MAKELPARAM(40, 30));
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT | MK_LBUTTON, -120),
                 MAKELPARAM(screen.x, screen.y));
    const std::vector<MOUSEMSG> records = DrainAll();
    ASSERT_EQ(records.size(), 2u);
    // message, ctrl, shift, left, middle, right, x, y, wheel
    EXPECT_EQ(Fields(records[0]), Fields({WM_RBUTTONDOWN, 1, 0, 0, 1, 1, 40, 30, 0}));
    EXPECT_EQ(Fields(records[1]), Fields({WM_MOUSEWHEEL, 0, 1, 1, 0, 0, 40, 30, -120}));
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

// A full ring holds 63 records. A sweep of moves must not cost the click that
// follows it, and the newest record still tells where the pointer is now.
TEST(MouseQueue, AFullRingDropsOldMovesToKeepClicksAndTheLatestMove) {
    const HWND window = OpenAwayFromPointer();
    SendMoves(window, 0, 100);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMoves(window, 200, 100);
    const std::vector<MOUSEMSG> records = DrainAll();
    ASSERT_EQ(records.size(), 63u);
    EXPECT_EQ(CountOf(records, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(CountOf(records, WM_LBUTTONUP), 1);
    EXPECT_EQ(Fields(records.back()), Move(299, 598));
}

TEST(MouseQueue, AFullRingOfClicksDropsTheNewClick) {
    const HWND window = OpenAwayFromPointer();
    for (int i = 0; i < 70; ++i) SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(i, 1));
    const std::vector<MOUSEMSG> records = DrainAll();
    ASSERT_EQ(records.size(), 63u);
    EXPECT_EQ(records.front().x, 0);
    EXPECT_EQ(records.back().x, 62);
}

// Without a window the records are still given, and then the empty queue
// throws rather than wait for ever.
TEST(MouseQueue, RecordsOutliveTheWindowAndThenAWaitThrows) {
    SendMoves(OpenAwayFromPointer(), 5, 1);
    CloseGraphWindow();
    EXPECT_EQ(Fields(WaitMouseEvent()), Move(5, 10));
    EXPECT_EQ(WaitThrows(), 4306);
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

// A second thread posts the numbered moves, then a click: a full ring drops
// moves but keeps the click, which ends the reading. The reader pauses now
// and then, so that the queue fills too.
TEST(MouseThreads, PolledRecordsOfManyPostedMessagesAreWholeAndInOrder) {
    const HWND window = OpenAwayFromPointer();
    std::thread poster([&] {
        for (int i = 0; i < kMoves; ++i)
            while (!PostMessageW(window, WM_MOUSEMOVE, i & 0x1F, PointFor(i))) Sleep(1);
        while (!PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0)) Sleep(1);
    });
    int torn = 0;
    int outOfOrder = 0;
    for (int last = -1;;) {
        MOUSEMSG m = {};
        if (!PollMouseEvent(&m, true)) {
            SwitchToThread();
            continue;
        }
        if (m.message == WM_LBUTTONDOWN) break;
        const int i = m.x + 1000 * m.y;
        torn += Fields(m) != Fields(RecordFor(i));
        outOfOrder += i <= last;
        last = i;
        if (i % 20000 == 0) Sleep(20);
    }
    poster.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(outOfOrder, 0);
}

}  // namespace
