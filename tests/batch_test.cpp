// The window target: batch drawing as the window itself shows it, the library
// lock around the window's operations, drawing while the window thread copies
// the back buffer, and GDI objects over many style changes.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "pixel_tally.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "window/library_state.h"

#include <atomic>
#include <climits>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

using KanvoTest::CaptureWindowDc;
using KanvoTest::TallyPixels;

constexpr DWORD kRed = 0xFF0000;  // RGB(255, 0, 0) as a pixel

// Red pixels that the window itself shows, inside and outside a rectangle.
KanvoTest::PixelTally RedShown(HWND window, const RECT& inside) {
    const KanvoTest::ScreenCapture shown = CaptureWindowDc(window);
    return TallyPixels(shown.pixels.data(), shown.width, shown.height, kRed, inside, 0xFFFFFF);
}

// Pixels in which the window differs from the back buffer (all of them when
// the client area does not have the back buffer's size).
int DifferingFromBackBuffer(HWND window) {
    const KanvoTest::ScreenCapture shown = CaptureWindowDc(window);
    const int width = GetTargetWidth(), height = GetTargetHeight();
    if (shown.width != width || shown.height != height) return width * height;
    const DWORD* buffer = GetSurfacePixels(nullptr);
    int differing = 0;
    for (int i = 0; i < width * height; ++i)
        differing += (shown.pixels[i] & 0xFFFFFF) != (buffer[i] & 0xFFFFFF);
    return differing;
}

bool ShowsBackBufferWithin(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (DifferingFromBackBuffer(window) != 0)
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

void FillRed() {
    SetBackgroundColor(RGB(255, 0, 0));
    ClearTarget();
}

TEST(Batch, NothingReachesTheWindowUntilAFlushOfExactlyItsRectangle) {
    HWND window = OpenGraphWindow(160, 120);
    BeginBatch();
    FillRed();
    Sleep(100);  // several periods of the window thread
    EXPECT_EQ(RedShown(window, {}).outside, 0);
    FlushBatch(10, 10, 19, 19);
    KanvoTest::PixelTally red = RedShown(window, {10, 10, 20, 20});
    EXPECT_EQ(red.inside, 100);
    EXPECT_EQ(red.outside, 0);
    FlushBatch(35, 36, 30, 30);  // corners in either order
    EXPECT_EQ(RedShown(window, {30, 30, 36, 37}).inside, 42);
    FlushBatch(150, 110, 500, 500);  // the part inside the back buffer
    EXPECT_EQ(RedShown(window, {150, 110, 160, 120}).inside, 100);
    FlushBatch(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    EXPECT_EQ(RedShown(window, {}).outside, 160 * 120);
    CloseGraphWindow();
}

TEST(Batch, FlushCopiesOneToOneWhateverTheTransform) {
    HWND window = OpenGraphWindow(120, 90);
    BeginBatch();
    for (int i = 0; i < 90; ++i) SetPixelColor(i, i, RGB(i, 255 - i, 3 * i));
    MoveOrigin(100, 100);
    SetAxisScale(2, 2);
    FlushBatch();
    EXPECT_EQ(DifferingFromBackBuffer(window), 0);
    // The image's own transform is back: logical (-40, -40) is device (20, 20).
    SetPixelColor(-40, -40, RGB(1, 2, 3));
    EXPECT_EQ(GetSurfacePixels(nullptr)[20 * 120 + 20], 0x010203u);
    EndBatch(20, 20, 20, 20);
    EXPECT_EQ(DifferingFromBackBuffer(window), 0);
    CloseGraphWindow();
}

TEST(Batch, EndBatchCopiesAndOnlyTheWindowTargetBatches) {
    HWND window = OpenGraphWindow(160, 120);
    IMAGE image(10, 10);
    BeginBatch();
    BeginBatch();  // calls do not nest: one EndBatch ends batching
    FillRed();
    SetTargetImage(&image);
    FlushBatch();
    EndBatch();  // batching stays on: it belongs to the window
    SetTargetImage(nullptr);
    Sleep(100);  // several periods of the window thread
    EXPECT_EQ(RedShown(window, {}).outside, 0);
    EndBatch();
    EXPECT_EQ(RedShown(window, {}).outside, 160 * 120);
    SetTargetImage(&image);
    BeginBatch();  // not the window's: its periodic copy goes on
    SetTargetImage(nullptr);
    SetBackgroundColor(RGB(0, 255, 0));
    ClearTarget();
    EXPECT_TRUE(ShowsBackBufferWithin(window, 3000));
    CloseGraphWindow();
    FlushBatch(0, 0, 10, 10);  // no window any more: nothing to copy to
    EndBatch();
}

// Each operation that the window target runs under the library lock must
// wait while another thread holds the lock.
TEST(Batch, WindowOperationsWaitForTheLibraryLock) {
    OpenGraphWindow(60, 40);
    const POINT points[] = {{1, 1}, {9, 3}, {4, 8}, {2, 2}};
    RECT rect = {0, 0, 20, 20};
    LOGFONTW font = {};
    GetTextFont(&font);
    const LINESTYLE line;
    const FILLSTYLE fill;
#define KANVO_CALL(call) {#call, [&] { call; }}
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        KANVO_CALL(ClearTarget()), KANVO_CALL(SetFontColor(1)),
        KANVO_CALL(SetBackgroundColor(0)), KANVO_CALL(GetBackgroundMode()),
        KANVO_CALL(SetBackgroundMode(OPAQUE)), KANVO_CALL(MoveOrigin(0, 0)),
        KANVO_CALL(SetClipRegion(nullptr)), KANVO_CALL(EraseClipArea()),
        KANVO_CALL(SetStrokeStyle(&line)), KANVO_CALL(SetInteriorStyle(&fill)),
        KANVO_CALL(SetInteriorColor(2)), KANVO_CALL(SetAxisScale(1, 1)),
        KANVO_CALL(GetRasterOp()), KANVO_CALL(SetRasterOp(R2_COPYPEN)),
        KANVO_CALL(GetPolygonFillMode()), KANVO_CALL(SetPolygonFillMode(ALTERNATE)),
        KANVO_CALL(GetPixelColor(1, 1)), KANVO_CALL(SetPixelColor(1, 1, 3)),
        KANVO_CALL(DrawLine(0, 0, 5, 5)), KANVO_CALL(DrawFilledRectangle(0, 0, 5, 5)),
        KANVO_CALL(DrawFilledCircle(5, 5, 3)), KANVO_CALL(DrawFilledEllipse(0, 0, 6, 4)),
        KANVO_CALL(DrawFilledRoundRect(0, 0, 9, 9, 3, 3)), KANVO_CALL(DrawArc(0, 0, 9, 9, 0, 1)),
        KANVO_CALL(DrawFilledPie(0, 0, 9, 9, 0, 1)), KANVO_CALL(DrawPolyline(points, 4)),
        KANVO_CALL(DrawFilledPolygon(points, 4)), KANVO_CALL(DrawBezier(points, 4)),
        KANVO_CALL(FillAreaAt(3, 3, 0, FLOODFILLSURFACE)), KANVO_CALL(WriteText(0, 0, L"a")),
        KANVO_CALL(WriteTextInRect(L"a", &rect, DT_LEFT)), KANVO_CALL(GetTextPixelWidth(L"a")),
        KANVO_CALL(GetTextPixelHeight(L"a")), KANVO_CALL(SetTextFont(&font)),
        KANVO_CALL(GetTextFont(&font)), KANVO_CALL(FlushBatch()),
    };
#undef KANVO_CALL
    Kanvo::LibraryState& state = Kanvo::g_state;
    for (const auto& entry : operations) {
        std::atomic<bool> done{false};
        state.EnterLock(&state.libraryLock);
        std::thread other([&] {
            entry.second();
            done = true;
        });
        Sleep(20);
        const bool finishedWhileHeld = done;
        state.LeaveLock(&state.libraryLock);
        other.join();
        EXPECT_FALSE(finishedWhileHeld) << entry.first << " ran without the lock";
    }
    CloseGraphWindow();
}

// A fixed mix of state changes and shapes, the same on every run.
void DrawOperations(int count, const std::function<void(int)>& atStep) {
    unsigned seed = 2024;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % range);
    };
    for (int i = 0; i < count; ++i) {
        atStep(i);
        const int x = next(220) - 10, y = next(170) - 10, a = next(60), b = next(60);
        const COLORREF color = RGB(next(256), next(256), next(256));
        switch (next(9)) {
            case 0: SetStrokeColor(color); break;
            case 1: SetInteriorColor(color); break;
            case 2: SetStrokeStyle(a % 5, 1 + b % 4, nullptr, 0); break;
            case 3: MoveOrigin(a - 30, b - 30); break;
            case 4: SetAxisScale(a % 2 ? 1.0f : -1.0f, b % 3 ? 1.0f : 0.5f); break;
            case 5: DrawLine(x, y, x + a - 30, y + b - 30); break;
            case 6: DrawFilledRectangle(x, y, x + a / 3, y + b / 3); break;
            case 7: DrawFilledCircle(x, y, a / 6); break;
            default: SetPixelColor(x, y, color); break;
        }
    }
}

TEST(Batch, ProgramThreadDrawsWhileTheWindowThreadCopies) {
    constexpr int kOperations = 100000;
    IMAGE expected(200, 150);
    SetTargetImage(&expected);
    DrawOperations(kOperations, [](int) {});

    HWND window = OpenGraphWindow(200, 150);
    int blackMidway = 200 * 150;
    const DWORD start = GetTickCount();
    DrawOperations(kOperations, [&](int step) {
        // Nothing is flushed: only the window thread's copies can show drawing.
        if (step != kOperations / 2) return;
        const KanvoTest::ScreenCapture shown = CaptureWindowDc(window);
        blackMidway = TallyPixels(shown.pixels.data(), 200, 150, 0, {}, 0xFFFFFF).outside;
    });
    const DWORD elapsed = GetTickCount() - start;
    std::printf("%d operations on the window in %lu ms\n", kOperations,
                static_cast<unsigned long>(elapsed));
    EXPECT_EQ(KanvoTest::ComparePixels(GetSurfacePixels(nullptr), GetSurfacePixels(&expected),
                                       200, 150),
              "");
    EXPECT_TRUE(ShowsBackBufferWithin(window, 3000));
    EXPECT_LT(blackMidway, 200 * 150);
    CloseGraphWindow();
}

TEST(Batch, HundredThousandStyleChangesKeepGdiObjectsFlat) {
    IMAGE image(16, 16), pattern(5, 5);
    SetTargetImage(&image);
    const DWORD dashes[] = {3, 1, 1, 1};
    const BYTE rows[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    auto change = [&](int i) {
        switch (i % 64) {  // the pattern brushes, costlier to build, less often
            case 0: SetInteriorStyle(rows); break;
            case 1: SetInteriorStyle(BS_DIBPATTERN, 0, &pattern); break;
            case 2: SetStrokeStyle(PS_ALTERNATE, 1, nullptr, 0); break;  // refused
            case 3: ResetDrawingState(); break;
            default:
                switch (i % 4) {
                    case 0: SetStrokeColor(static_cast<COLORREF>(i)); break;
                    case 1: SetInteriorColor(static_cast<COLORREF>(i)); break;
                    case 2: SetStrokeStyle(PS_USERSTYLE, 1 + i % 7, dashes, 4); break;
                    default: SetInteriorStyle(BS_HATCHED, i % 6); break;
                }
        }
    };
    for (int i = 0; i < 64; ++i) change(i);  // first use may set up lasting state
    const int gdiBefore = KanvoTest::FreeGdiSlots();
    const int handlesBefore = KanvoTest::OpenHandleCount();
    for (int i = 0; i < 100000; ++i) change(i);
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    SetTargetImage(nullptr);
}

}  // namespace
