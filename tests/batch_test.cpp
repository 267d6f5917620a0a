// Batch drawing as the window itself shows it, and many operations drawn
// while the window thread copies the back buffer (which also stalls on 32
// bits when the window procedure has the wrong calling convention).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>
#include <random>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"

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
    EndBatch(0, 0, 9, 9);  // the form that copies a rectangle ends batching too
    ClearTarget();         // drawn after the end: only a periodic copy shows it
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

// An idle window's picture is not copied again and again; but writes through
// the back buffer's pointer, which the library cannot see, still appear.
TEST(Batch, WritesThroughTheBackBufferPointerAppearWithoutAnyCall) {
    const HWND window = OpenGraphWindow(160, 120);
    DWORD* pixels = GetSurfacePixels(nullptr);
    Sleep(100);  // idle since the first copies
    std::fill_n(pixels, 160 * 120, kRed);
    EXPECT_TRUE(WaitUntil([&] { return Shown(window) == 160 * 120; }, 3000));
}

// A single pixel is written without the lock; the next copy still shows it.
TEST(Batch, APixelSetOnAnIdleWindowAppears) {
    const HWND window = OpenGraphWindow(160, 120);
    Sleep(100);  // idle since the first copies
    SetPixelColor(10, 20, RGB(255, 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return Shown(window) == 1; }, 3000));
}

// A repaint request (the window uncovered, say) is answered by the next copy,
// though the program draws nothing.
TEST(Batch, ARepaintRequestIsAnsweredByTheNextCopy) {
    const HWND window = OpenRedBatchedWindow();
    EndBatch();
    ASSERT_TRUE(WaitUntil([&] { return Shown(window) == 160 * 120; }, 3000));
    Sleep(100);  // idle since the last copy
    const HDC screen = GetDC(window);
    PatBlt(screen, 0, 0, 160, 120, BLACKNESS);
    ReleaseDC(window, screen);
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(WaitUntil([&] { return Shown(window) == 160 * 120; }, 3000));
}

// Drawing operations and the colour and style changes that rebuild the
// target's pen and brush, each varied by a number.
const std::function<void(int)> kOperations[] = {
    [](int i) { FillAreaAt(i % 200, i % 150, 0, FLOODFILLSURFACE); },
    [](int i) { SetBackgroundColor(i * 104729); },
    [](int i) { SetStrokeColor(i * 65599); },
    [](int i) { SetInteriorColor(i * 31337); },
    [](int i) { SetInteriorStyle(BS_HATCHED, i % 6); },
    [](int i) { SetStrokeStyle(i % 8, 1 + i % 4, nullptr, 0); },
    [](int i) { SetAxisScale(i % 2 ? 1.0f : -1.0f, i % 3 ? 1.0f : 0.5f); },
    [](int i) { MoveOrigin(i % 60 - 30, i / 60 % 60 - 30); },
    [](int i) { DrawFilledRectangle(i % 210, i % 160, i % 90, i % 70); },
    [](int i) { DrawFilledPie(i % 200, i % 150, i % 190, i % 140, 0, i); },
    [](int i) { DrawLine(i % 220 - 10, i % 170 - 10, i % 60, i % 50); },
    [](int i) { SetPixelColor(i % 220 - 10, i % 170 - 10, i * 5003); },
    [](int i) { WriteText(i % 200, i % 150, L"a"); },
    [](int i) { GetPixelColor(i, i); },
    [](int) { FlushBatch(); },
    [](int) { ResetDrawingState(); },
};

// A fixed random sequence of the operations.
void DrawOperations(int count) {
    std::minstd_rand random(2024);
    for (int i = 0; i < count; ++i) {
        const auto& operation = kOperations[random() % std::size(kOperations)];
        operation(static_cast<int>(random() % 1000));
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

}  // namespace
