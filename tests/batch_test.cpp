// The window target: batch drawing as the window itself shows it, the library
// lock around the window's operations, and many operations drawn while the
// window thread copies the back buffer.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <random>
#include <thread>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "window/library_state.h"

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
    BeginBatch();
    BeginBatch();  // calls do not nest: one EndBatch ends batching
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
    SetTargetImage(&image);
    FlushBatch();
    EndBatch();
    SetTargetImage(nullptr);  // no-ops there
    Sleep(100);               // several periods of the window thread
    EXPECT_EQ(Shown(window), 0);
    // Right and bottom inclusive, corners in either order, only the part
    // inside the back buffer.
    FlushBatch(10, 10, 19, 19);
    EXPECT_EQ(Shown(window, {10, 10, 20, 20}), 100);
    FlushBatch(35, 36, 30, 30);
    EXPECT_EQ(Shown(window, {30, 30, 36, 37}), 42);
    FlushBatch(150, 110, 500, 500);
    EXPECT_EQ(Shown(window, {150, 110, 160, 120}), 100);
    EXPECT_EQ(Shown(window), 242);
    FlushBatch(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    EXPECT_EQ(Shown(window), 160 * 120);
    // A flush copies one to one whatever the transform, then puts the image's
    // own back: logical (-40, -40) is device (20, 20).
    for (int i = 0; i < 120; ++i) SetPixelColor(i, i, RGB(i, 255 - i, 2 * i));
    MoveOrigin(100, 100);
    SetAxisScale(2, 2);
    FlushBatch();
    EXPECT_TRUE(ShowsBackBuffer(window));
    SetPixelColor(-40, -40, RGB(1, 2, 3));
    EXPECT_EQ(GetSurfacePixels(nullptr)[3220], 0x010203u);
    EndBatch(20, 20, 20, 20);
    EXPECT_TRUE(ShowsBackBuffer(window));
    BeginBatch();
    ClearTarget();
    EndBatch();
    EXPECT_TRUE(ShowsBackBuffer(window));
    // The periodic copy is back, and an image's BeginBatch does not stop it.
    SetTargetImage(&image);
    BeginBatch();
    SetTargetImage(nullptr);
    SetBackgroundColor(RGB(0, 255, 0));
    ClearTarget();
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
    // No window any more: nothing to copy to, and composed shapes still give
    // back what they swap.
    CloseGraphWindow();
    FlushBatch(0, 0, 10, 10);
    EndBatch();
    SetInteriorStyle(BS_HATCHED, HS_CROSS);
    SetRasterOp(R2_XORPEN);
    DrawCircle(10, 10, 5);
    PaintPie(0, 0, 30, 30, 0, 2);
    EraseRectangle(0, 0, 30, 30);
    FILLSTYLE fill;
    GetInteriorStyle(&fill);
    EXPECT_TRUE(fill.style == BS_HATCHED && GetRasterOp() == R2_XORPEN && !GetWindowHandle());
}

const POINT kPoints[] = {{1, 1}, {9, 3}, {4, 8}, {2, 2}};
const DWORD kDashes[] = {3, 1, 1, 1};
const BYTE kRows[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};

// The operations that the window target runs under the library lock, and
// colour and style changes that rebuild its pen and brush, varied by a
// number. The first three fill or clear large areas.
#define CALL(call)         \
    {                      \
#call, [](int i) { \
            (void)i;       \
            call;          \
        }                  \
    }
const std::pair<const char*, void (*)(int)> kOperations[] = {
    CALL(ClearTarget()),
    CALL(EraseClipArea()),
    CALL(FillAreaAt(i % 200, i % 150, 0, FLOODFILLSURFACE)),
    CALL(SetBackgroundColor(i * 104729)),
    CALL(RECT r; SetRect(&r, i % 200, 0, 200, 20); WriteTextInRect(L"a", &r, DT_LEFT)),
    CALL(static IMAGE pattern(5, 5); SetInteriorStyle(BS_DIBPATTERN, 0, &pattern)),
    CALL(LOGFONTW font = {}; font.lfHeight = 8 + i % 20; SetTextFont(&font)),
    CALL(GetRasterOp()),
    CALL(DrawFilledRectangle(i % 220 - 10, i % 170 - 10, i % 210, i % 160)),
    CALL(FlushBatch()),
    CALL(DrawFilledRoundRect(i % 200, i % 150, i % 190, i % 140, 3, 3)),
    CALL(GetPolygonFillMode()),
    CALL(SetAxisScale(i % 2 ? 1.0f : -1.0f, i % 3 ? 1.0f : 0.5f)),
    CALL(SetStrokeColor(i * 65599)),
    CALL(DrawFilledPie(i % 200, i % 150, i % 190, i % 140, 0, i)),
    CALL(DrawPolyline(kPoints, 4)),
    CALL(DrawFilledEllipse(i % 200, i % 150, i % 190, i % 140)),
    CALL(SetInteriorColor(i * 31337)),
    CALL(DrawLine(i % 220 - 10, i % 170 - 10, i % 60, i % 50)),
    CALL(DrawFilledPolygon(kPoints, 4)),
    CALL(DrawFilledCircle(i % 220 - 10, i % 170 - 10, i % 10)),
    CALL(GetTextPixelHeight(L"a")),
    CALL(SetPixelColor(i % 220 - 10, i % 170 - 10, i * 5003)),
    CALL(SetInteriorStyle(kRows)),
    CALL(DrawArc(i % 200, i % 150, i % 190, i % 140, 0, i)),
    CALL(SetRasterOp(R2_COPYPEN)),
    CALL(SetBackgroundMode(i % 2 ? OPAQUE : TRANSPARENT)),
    CALL(WriteText(i % 200, i % 150, L"a")),
    CALL(SetPolygonFillMode(i % 2 ? ALTERNATE : WINDING)),
    CALL(LOGFONTW font; GetTextFont(&font)),
    CALL(SetStrokeStyle(i % 8, 1 + i % 4, kDashes, 4)),
    CALL(SetInteriorStyle(BS_HATCHED, i % 6)),
    CALL(SetStrokeStyle(PS_ALTERNATE, 1, nullptr, 0)),
    CALL(GetTextPixelWidth(L"a")),
    CALL(MoveOrigin(i % 60 - 30, i / 60 % 60 - 30)),
    CALL(SetFontColor(i * 7919)),
    CALL(SetClipRegion(nullptr)),
    CALL(DrawBezier(kPoints, 4)),
    CALL(GetBackgroundMode()),
    CALL(ResetDrawingState()),
    CALL(GetPixelColor(i, i)),
};
#undef CALL

// A fixed sequence of them, but for the first three, each varied by a number;
// the black pixels that `window`, if given, shows halfway.
int DrawOperations(int count, HWND window = nullptr) {
    std::minstd_rand random(2024);
    int blackMidway = -1;
    for (int i = 0; i < count; ++i) {
        if (i == count / 2 && window) blackMidway = Shown(window, {}, 0);
        kOperations[3 + random() % (std::size(kOperations) - 3)].second(random() % 1000);
    }
    return blackMidway;
}

// 100 000 operations on the window while its thread copies the back buffer:
// no deadlock, the same pixels as on an image, and no GDI object left over.
// Then each operation waits while another thread holds the library lock.
TEST(Batch, ProgramThreadDrawsWhileTheWindowThreadCopiesAndOperationsWaitForTheLock) {
    IMAGE expected(200, 150), warmUp(200, 150);
    SetTargetImage(&warmUp);
    DrawOperations(1000);  // first use may set up lasting state
    SetTargetImage(&expected);
    const int gdiBefore = FreeGdiSlots(), handlesBefore = OpenHandleCount();
    DrawOperations(100000);
    ResetDrawingState();  // lets go of a pattern image that a fill style keeps
    const int gdiAfter = FreeGdiSlots(), handlesAfter = OpenHandleCount();
    HWND window = OpenGraphWindow(200, 150);
    // No flush: only the window thread's copies show the drawing.
    const int blackMidway = DrawOperations(100000, window);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected), 200, 150), "");
    EXPECT_TRUE(ShowsBackBuffer(window, 3000));
    EXPECT_TRUE(blackMidway >= 0 && blackMidway < 200 * 150);
    Kanvo::LibraryState& state = Kanvo::g_state;
    for (const auto& operation : kOperations) {
        std::atomic<bool> done{false};
        state.EnterLock(&state.libraryLock);
        std::thread other([&] {
            operation.second(1);
            done = true;
        });
        Sleep(20);
        const bool finishedWhileHeld = done;
        state.LeaveLock(&state.libraryLock);
        other.join();
        EXPECT_FALSE(finishedWhileHeld) << operation.first << " ran without the lock";
    }
    CloseGraphWindow();
}

}  // namespace
