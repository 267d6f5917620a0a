// Batch drawing as the window itself shows it, the library lock around the
// window's operations, and many operations drawn while the window thread
// copies the back buffer.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <random>
#include <thread>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"
#include "window/library_state.h"

namespace {

using namespace KanvoTest;

constexpr DWORD kRed = 0xFF0000;

// Pixels of the value `pixel` that the window itself shows within `area`
// (all of it when empty).
int Shown(HWND window, RECT area = {}, DWORD pixel = kRed) {
    const ScreenCapture shown = CaptureWindowDc(window);
    if (IsRectEmpty(&area)) area = {0, 0, shown.width, shown.height};
    return CountPixels(shown.pixels.data(), shown.width, area, pixel, 0xFFFFFF);
}

// Whether the window itself shows the back buffer, waiting up to `timeoutMs`.
bool ShowsBackBuffer(HWND window, DWORD timeoutMs = 0) {
    const int width = GetTargetWidth();
    const int height = GetTargetHeight();
    return WaitUntil(
        [&] {
            ScreenCapture shown = CaptureWindowDc(window);
            if (shown.width != width || shown.height != height) return false;
            for (DWORD& pixel : shown.pixels) pixel &= 0xFFFFFF;
            return ComparePixels(shown.pixels.data(), GetSurfacePixels(nullptr), width, height)
                .empty();
        },
        timeoutMs);
}

// A window whose back buffer is red, batching, with nothing of the red shown.
HWND OpenRedBatchedWindow() {
    const HWND window = OpenGraphWindow(160, 120);
    BeginBatch();
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
    return window;
}

TEST(Batch, HoldsThePeriodicCopyBack) {
    const HWND window = OpenRedBatchedWindow();
    BeginBatch();  // calls do not nest: one EndBatch ends batching
    Sleep(100);    // several periods of the window thread
    EXPECT_EQ(Shown(window), 0);
    EndBatch();
    ClearTarget();  // drawn after the end: only a periodic copy shows it
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
}

TEST(Batch, FlushCopiesAnInclusiveRectangleGivenInEitherOrder) {
    const HWND window = OpenRedBatchedWindow();
    FlushBatch(10, 10, 19, 19);
    EXPECT_EQ(Shown(window, {10, 10, 20, 20}), 100);
    FlushBatch(35, 36, 30, 30);
    EXPECT_EQ(Shown(window, {30, 30, 36, 37}), 42);
    EXPECT_EQ(Shown(window), 142);
}

TEST(Batch, FlushCopiesOnlyThePartInsideTheBackBuffer) {
    const HWND window = OpenRedBatchedWindow();
    FlushBatch(150, 110, 500, 500);
    EXPECT_EQ(Shown(window), 100);
    FlushBatch(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    EXPECT_EQ(Shown(window), 160 * 120);
}

TEST(Batch, FlushCopiesOneToOneWhateverTheTransform) {
    const HWND window = OpenRedBatchedWindow();
    for (int i = 0; i < 120; ++i) SetPixelColor(i, i, RGB(i, 255 - i, 2 * i));
    MoveOrigin(100, 100);
    SetAxisScale(2, 2);
    FlushBatch();
    EXPECT_TRUE(ShowsBackBuffer(window));
    // The flush puts the image's own transform back: logical (-40, -40) is device (20, 20).
    SetPixelColor(-40, -40, RGB(1, 2, 3));
    EXPECT_EQ(GetSurfacePixels(nullptr)[20 * 160 + 20], 0x010203u);
}

TEST(Batch, CallsWhileAnImageIsTheTargetLeaveTheWindowAlone) {
    const HWND window = OpenGraphWindow(160, 120);
    IMAGE image(10, 10);
    SetTargetImage(&image);
    BeginBatch();
    SetTargetImage(nullptr);
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
    BeginBatch();
    SetBackgroundColor(RGB(0, 255, 0));
    ClearTarget();
    SetTargetImage(&image);
    FlushBatch();
    EndBatch();
    SetTargetImage(nullptr);
    Sleep(100);
    EXPECT_EQ(Shown(window, {}, 0x00FF00), 0);
}

TEST(Batch, AWindowOpenedWhileBatchingGetsNoPeriodicCopyUntilTheBatchEnds) {
    OpenGraphWindow(100, 80);
    BeginBatch();
    const HWND window = OpenGraphWindow(160, 120);
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
    Sleep(100);
    EXPECT_EQ(Shown(window), 0);
    EndBatch();
    EXPECT_EQ(Shown(window), 160 * 120);
}

// Operations that the window target runs under the library lock, and colour
// and style changes that rebuild its pen and brush, each varied by a number.
enum Operation {
    kClearTarget,
    kFillAreaAt,
    kSetBackgroundColor,
    kSetStrokeColor,
    kSetInteriorColor,
    kSetInteriorStyle,
    kSetStrokeStyle,
    kSetAxisScale,
    kMoveOrigin,
    kDrawFilledRectangle,
    kDrawFilledPie,
    kDrawLine,
    kSetPixelColor,
    kWriteText,
    kGetPixelColor,
    kFlushBatch,
    kResetDrawingState,
    kOperations
};

void RunOperation(int operation, int i) {
    switch (operation) {
        case kClearTarget:
            return ClearTarget();
        case kFillAreaAt:
            return FillAreaAt(i % 200, i % 150, 0, FLOODFILLSURFACE);
        case kSetBackgroundColor:
            return SetBackgroundColor(i * 104729);
        case kSetStrokeColor:
            return SetStrokeColor(i * 65599);
        case kSetInteriorColor:
            return SetInteriorColor(i * 31337);
        case kSetInteriorStyle:
            return SetInteriorStyle(BS_HATCHED, i % 6);
        case kSetStrokeStyle:
            return SetStrokeStyle(i % 8, 1 + i % 4, nullptr, 0);
        case kSetAxisScale:
            return SetAxisScale(i % 2 ? 1.0f : -1.0f, i % 3 ? 1.0f : 0.5f);
        case kMoveOrigin:
            return MoveOrigin(i % 60 - 30, i / 60 % 60 - 30);
        case kDrawFilledRectangle:
            return DrawFilledRectangle(i % 210, i % 160, i % 90, i % 70);
        case kDrawFilledPie:
            return DrawFilledPie(i % 200, i % 150, i % 190, i % 140, 0, i);
        case kDrawLine:
            return DrawLine(i % 220 - 10, i % 170 - 10, i % 60, i % 50);
        case kSetPixelColor:
            return SetPixelColor(i % 220 - 10, i % 170 - 10, i * 5003);
        case kWriteText:
            return WriteText(i % 200, i % 150, L"a");
        case kGetPixelColor:
            GetPixelColor(i, i);
            return;
        case kFlushBatch:
            return FlushBatch();
        default:
            return ResetDrawingState();
    }
}

// A fixed random sequence of the operations but the first, which clears all.
void DrawOperations(int count) {
    std::minstd_rand random(2024);
    for (int i = 0; i < count; ++i) {
        const int operation = 1 + static_cast<int>(random() % (kOperations - 1));
        RunOperation(operation, static_cast<int>(random() % 1000));
    }
}

// 50 000 operations on the window while its thread copies the back buffer:
// no deadlock, the same pixels as on an image, and no GDI object left over.
TEST(Batch, ProgramThreadDrawsWhileTheWindowThreadCopies) {
    IMAGE expected(200, 150);
    IMAGE warmUp(200, 150);
    SetTargetImage(&warmUp);
    DrawOperations(1000);  // first use may set up lasting state
    SetTargetImage(&expected);
    const int gdiBefore = FreeGdiSlots();
    DrawOperations(50000);
    ResetDrawingState();
    const int gdiAfter = FreeGdiSlots();
    const HWND window = OpenGraphWindow(200, 150);
    DrawOperations(50000);  // no flush: only the window thread's copies show it
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected), 200, 150), "");
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
}

TEST(Batch, EveryWindowOperationWaitsForTheLibraryLock) {
    OpenGraphWindow(200, 150);
    Kanvo::LibraryState& state = Kanvo::g_state;
    for (int operation = 0; operation < kOperations; ++operation) {
        std::atomic<bool> done{false};
        state.EnterLock(&state.libraryLock);
        std::thread other([&] {
            RunOperation(operation, 1);
            done = true;
        });
        Sleep(20);
        const bool finishedWhileHeld = done;
        state.LeaveLock(&state.libraryLock);
        other.join();
        EXPECT_FALSE(finishedWhileHeld) << "operation " << operation;
    }
}

}  // namespace
