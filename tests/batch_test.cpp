// The window target: batch drawing as the window itself shows it, the library
// lock around the window's operations, and many operations drawn while the
// window thread copies the back buffer.
#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "window/library_state.h"

#include <atomic>
#include <climits>
#include <functional>
#include <random>
#include <thread>
#include <vector>

namespace {

using namespace KanvoTest;

// Pixels of the value that the window itself shows within `area` (all of it
// when empty); red unless said otherwise.
int Shown(HWND window, RECT area = {}, DWORD pixel = 0xFF0000) {
    const ScreenCapture shown = CaptureWindowDc(window);
    if (IsRectEmpty(&area)) area = {0, 0, shown.width, shown.height};
    return CountPixels(shown.pixels.data(), shown.width, area, pixel, 0xFFFFFF);
}

// Whether the window itself shows the back buffer, waiting up to `timeoutMs`.
bool ShowsBackBuffer(HWND window, DWORD timeoutMs = 0) {
    for (const DWORD start = GetTickCount();;) {
        const ScreenCapture shown = CaptureWindowDc(window);
        bool same = shown.width == GetTargetWidth() && shown.height == GetTargetHeight();
        for (size_t i = 0; same && i < shown.pixels.size(); ++i)
            same = ((shown.pixels[i] ^ GetSurfacePixels(nullptr)[i]) & 0xFFFFFF) == 0;
        if (same || GetTickCount() - start >= timeoutMs) return same;
    }
}

TEST(Batch, OnlyFlushesReachTheWindowUntilBatchingEnds) {
    HWND window = OpenGraphWindow(160, 120);
    IMAGE image(10, 10);
    BeginBatch(); BeginBatch();  // calls do not nest: one EndBatch ends batching
    SetBackgroundColor(RGB(255, 0, 0)); ClearTarget();
    SetTargetImage(&image); FlushBatch(); EndBatch(); SetTargetImage(nullptr);  // an image's: no-ops
    Sleep(100);  // several periods of the window thread
    EXPECT_EQ(Shown(window), 0);
    // Right and bottom inclusive, corners in either order, only the part
    // inside the back buffer.
    FlushBatch(10, 10, 19, 19);
    EXPECT_EQ(Shown(window, {10, 10, 20, 20}), 100);
    EXPECT_EQ(Shown(window), 100);
    FlushBatch(35, 36, 30, 30); FlushBatch(150, 110, 500, 500);
    EXPECT_EQ(Shown(window, {30, 30, 36, 37}), 42);
    EXPECT_EQ(Shown(window, {150, 110, 160, 120}), 100);
    EXPECT_EQ(Shown(window), 242);
    FlushBatch(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    EXPECT_EQ(Shown(window), 160 * 120);
    // A flush copies one to one whatever the transform, then puts the image's
    // own back: logical (-40, -40) is device (20, 20).
    for (int i = 0; i < 120; ++i) SetPixelColor(i, i, RGB(i, 255 - i, 2 * i));
    MoveOrigin(100, 100); SetAxisScale(2, 2); FlushBatch();
    EXPECT_TRUE(ShowsBackBuffer(window));
    SetPixelColor(-40, -40, RGB(1, 2, 3));
    EXPECT_EQ(GetSurfacePixels(nullptr)[20 * 160 + 20], 0x010203u);
    EndBatch(20, 20, 20, 20);
    EXPECT_TRUE(ShowsBackBuffer(window));
    BeginBatch(); ClearTarget(); EndBatch();
    EXPECT_TRUE(ShowsBackBuffer(window));
    // The periodic copy is back, and an image's BeginBatch does not stop it.
    SetTargetImage(&image); BeginBatch(); SetTargetImage(nullptr);
    SetBackgroundColor(RGB(0, 255, 0)); ClearTarget();
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
    CloseGraphWindow();
    FlushBatch(0, 0, 10, 10); EndBatch();  // no window any more: nothing to copy to
}

// Each operation that the window target runs under the library lock must
// wait while another thread holds the lock.
TEST(Batch, WindowOperationsWaitForTheLibraryLock) {
    OpenGraphWindow(60, 40);
    const POINT points[] = {{1, 1}, {9, 3}, {4, 8}, {2, 2}};
    RECT rect = {0, 0, 20, 20};
    LOGFONTW font = {};
    GetTextFont(&font);
#define KANVO_CALL(call) {#call, [&] { call; }}
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        KANVO_CALL(ClearTarget()), KANVO_CALL(SetFontColor(1)), KANVO_CALL(SetBackgroundColor(0)),
        KANVO_CALL(GetBackgroundMode()), KANVO_CALL(SetBackgroundMode(OPAQUE)),
        KANVO_CALL(MoveOrigin(0, 0)), KANVO_CALL(SetClipRegion(nullptr)),
        KANVO_CALL(EraseClipArea()), KANVO_CALL(SetStrokeStyle(PS_SOLID)),
        KANVO_CALL(SetInteriorStyle(BS_SOLID)), KANVO_CALL(SetInteriorColor(2)),
        KANVO_CALL(SetAxisScale(1, 1)), KANVO_CALL(GetRasterOp()),
        KANVO_CALL(SetRasterOp(R2_COPYPEN)), KANVO_CALL(GetPolygonFillMode()),
        KANVO_CALL(SetPolygonFillMode(ALTERNATE)), KANVO_CALL(GetPixelColor(1, 1)),
        KANVO_CALL(SetPixelColor(1, 1, 3)), KANVO_CALL(DrawLine(0, 0, 5, 5)),
        KANVO_CALL(DrawFilledRectangle(0, 0, 5, 5)), KANVO_CALL(DrawFilledCircle(5, 5, 3)),
        KANVO_CALL(DrawFilledEllipse(0, 0, 6, 4)), KANVO_CALL(DrawFilledRoundRect(0, 0, 9, 9, 3, 3)),
        KANVO_CALL(DrawArc(0, 0, 9, 9, 0, 1)), KANVO_CALL(DrawFilledPie(0, 0, 9, 9, 0, 1)),
        KANVO_CALL(DrawPolyline(points, 4)), KANVO_CALL(DrawFilledPolygon(points, 4)),
        KANVO_CALL(DrawBezier(points, 4)), KANVO_CALL(FillAreaAt(3, 3, 0, FLOODFILLSURFACE)),
        KANVO_CALL(WriteText(0, 0, L"a")), KANVO_CALL(WriteTextInRect(L"a", &rect, DT_LEFT)),
        KANVO_CALL(GetTextPixelWidth(L"a")), KANVO_CALL(GetTextPixelHeight(L"a")),
        KANVO_CALL(SetTextFont(&font)), KANVO_CALL(GetTextFont(&font)), KANVO_CALL(FlushBatch()),
    };
#undef KANVO_CALL
    Kanvo::LibraryState& state = Kanvo::g_state;
    for (const auto& entry : operations) {
        std::atomic<bool> done{false};
        state.EnterLock(&state.libraryLock);
        std::thread other([&] { entry.second(); done = true; });
        Sleep(20);
        const bool finishedWhileHeld = done;
        state.LeaveLock(&state.libraryLock);
        other.join();
        EXPECT_FALSE(finishedWhileHeld) << entry.first << " ran without the lock";
    }
    CloseGraphWindow();
}

// A fixed mix of colour and style changes and shapes, the same on every run,
// the pattern brushes (costlier to build) and the transforms less often.
void DrawOperations(int count, int midway, const std::function<void()>& atMidway) {
    std::minstd_rand random(2024);
    auto next = [&random](int range) { return static_cast<int>(random() % range); };
    const DWORD dashes[] = {3, 1, 1, 1};
    const BYTE rows[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    IMAGE pattern(5, 5);
    for (int i = 0; i < count; ++i) {
        if (i == midway) atMidway();
        const int x = next(220) - 10, y = next(170) - 10, a = next(60), b = next(60), op = next(100);
        const COLORREF color = RGB(next(256), next(256), next(256));
        switch (op < 6 ? op : 6 + a % 8) {
            case 0: SetInteriorStyle(rows); break;
            case 1: SetInteriorStyle(BS_DIBPATTERN, 0, &pattern); break;
            case 2: SetStrokeStyle(PS_ALTERNATE, 1, nullptr, 0); break;  // refused
            case 3: ResetDrawingState(); break;
            case 4: MoveOrigin(a - 30, b - 30); break;
            case 5: SetAxisScale(a % 2 ? 1.0f : -1.0f, b % 3 ? 1.0f : 0.5f); break;
            case 6: SetStrokeColor(color); break;
            case 7: SetInteriorColor(color); break;
            case 8: SetStrokeStyle(b % 8, 1 + b % 4, dashes, 4); break;  // PS_USERSTYLE too
            case 9: SetInteriorStyle(BS_HATCHED, b % 6); break;
            case 10: DrawLine(x, y, x + a - 30, y + b - 30); break;
            case 11: DrawFilledRectangle(x, y, x + a / 3, y + b / 3); break;
            case 12: DrawFilledCircle(x, y, a / 6); break;
            default: SetPixelColor(x, y, color); break;
        }
    }
}

// 100 000 operations on the window while its thread copies the back buffer:
// no deadlock, the same pixels as on an image, and no GDI object left over.
TEST(Batch, ProgramThreadDrawsWhileTheWindowThreadCopies) {
    IMAGE expected(200, 150), warmUp(200, 150);
    SetTargetImage(&warmUp);
    DrawOperations(1000, -1, nullptr);  // first use may set up lasting state
    SetTargetImage(&expected);
    const int gdiBefore = FreeGdiSlots(), handlesBefore = OpenHandleCount();
    DrawOperations(100000, -1, nullptr);
    ResetDrawingState();  // lets go of a pattern image that a fill style keeps
    const int gdiAfter = FreeGdiSlots(), handlesAfter = OpenHandleCount();
    HWND window = OpenGraphWindow(200, 150);
    int blackMidway = 0;  // no flush: only the window thread's copies show drawing
    DrawOperations(100000, 50000, [&] { blackMidway = Shown(window, {}, 0); });
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected), 200, 150), "");
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
    EXPECT_LT(blackMidway, 200 * 150);
    CloseGraphWindow();
}

}  // namespace
