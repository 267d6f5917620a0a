// A full mouse ring: a sweep of moves must not cost the clicks that follow
// it, whether the messages are posted by a program or come as real input.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "user_input.h"

#include <atomic>
#include <vector>

namespace {

using namespace KanvoTest;

constexpr int kSweep = 100;  // more moves than the ring holds
const POINT kLastPoint = {150, 90};

// The window procedure is wrapped to see when the last message of a test has
// been queued: the ring is written by the window thread, the test reads it.
WNDPROC g_libraryProc = nullptr;
std::atomic<bool> g_lastSeen{false};
std::atomic<LPARAM> g_newestMove{0};  // the point of the move queued last
LRESULT CALLBACK NoteLastMove(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_libraryProc, window, message, wParam, lParam);
    if (message == WM_MOUSEMOVE) g_newestMove = lParam;
    if (message == WM_MOUSEMOVE && lParam == MAKELPARAM(kLastPoint.x, kLastPoint.y))
        g_lastSeen = true;
    return result;
}

HWND OpenWatchedWindow() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    HWND window = OpenGraphWindow(200, 100);
    g_lastSeen = false;
    g_libraryProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoteLastMove)));
    ClearMouseEvents();
    return window;
}

void PostSweep(HWND window) {
    for (int i = 0; i < kSweep; ++i)
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(i % 100, i % 50));
}

// Takes every queued record once the last move has been queued.
std::vector<MOUSEMSG> DrainAfterLastMove() {
    std::vector<MOUSEMSG> records;
    if (!WaitUntil([] { return g_lastSeen.load(); })) return records;
    for (MOUSEMSG m = {}; PollMouseEvent(&m, true);) records.push_back(m);
    return records;
}

int CountOf(const std::vector<MOUSEMSG>& records, UINT message) {
    int count = 0;
    for (const MOUSEMSG& m : records) count += m.message == message;
    return count;
}

// A sweep, a click and another sweep, all posted while
// nobody reads.
std::vector<MOUSEMSG> PostedSweepClickSweep() {
    HWND window = OpenWatchedWindow();
    PostSweep(window);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostSweep(window);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(kLastPoint.x, kLastPoint.y));
    std::vector<MOUSEMSG> records = DrainAfterLastMove();
    CloseGraphWindow();
    return records;
}

TEST(MouseOverflow, PostedClickAfterASweepIsKept) {
    const std::vector<MOUSEMSG> records = PostedSweepClickSweep();
    EXPECT_EQ(records.size(), 63u);
    EXPECT_EQ(CountOf(records, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(CountOf(records, WM_LBUTTONUP), 1);
}

TEST(MouseOverflow, NewestMoveInAFullRingIsTheLatestPosition) {
    const std::vector<MOUSEMSG> records = PostedSweepClickSweep();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(records.back().x, kLastPoint.x);
    EXPECT_EQ(records.back().y, kLastPoint.y);
}

TEST(MouseOverflow, RingOfClicksOnlyDropsTheNewClick) {
    HWND window = OpenWatchedWindow();
    for (int i = 0; i < 70; ++i) PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(i, 1));
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(kLastPoint.x, kLastPoint.y));
    const std::vector<MOUSEMSG> records = DrainAfterLastMove();
    CloseGraphWindow();
    ASSERT_EQ(records.size(), 63u);
    EXPECT_EQ(records.front().x, 0);
    EXPECT_EQ(records.back().x, 62);
}

// Real input: each move waits until the window has queued it, so that the
// moves are not merged by the system before they reach the ring.
void MovePointerTo(HWND window, POINT client) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    Send({PointerMoveInput(screen)});
    WaitUntil([&] { return g_newestMove == MAKELPARAM(client.x, client.y); }, 1000);
}

TEST(MouseOverflow, RealClickAfterARealSweepIsKept) {
    HWND window = OpenWatchedWindow();
    SetForegroundWindow(window);
    for (int i = 0; i < 80; ++i) MovePointerTo(window, {10 + i, 10 + i % 40});
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
    for (int i = 0; i < 10; ++i) MovePointerTo(window, {100 + i, 60});
    MovePointerTo(window, kLastPoint);
    const std::vector<MOUSEMSG> records = DrainAfterLastMove();
    CloseGraphWindow();
    EXPECT_EQ(records.size(), 63u);
    EXPECT_EQ(CountOf(records, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(CountOf(records, WM_LBUTTONUP), 1);
}

}  // namespace
