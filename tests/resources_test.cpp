// Creating and destroying images, and opening and closing the window, give
// back every GDI object, handle, thread and window.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "resource_counts.h"

namespace {

using KanvoTest::FreeGdiSlots;
using KanvoTest::OpenHandleCount;
using KanvoTest::ThreadCount;

void UseAnImage(int size) {
    IMAGE image(size, size);
    SetTargetImage(&image);
    SetStrokeColor(RGB(size, 0, 0));
    SetInteriorColor(RGB(0, size, 0));
    DrawBox3D(1, 1, size / 2, size / 2, 3, true);
    IMAGE copy(image);
    copy = image;
    SetImageSize(&copy, size + 1, size + 2);
    SetTargetImage(nullptr);
}

TEST(Resources, ThousandImagesLeaveGdiObjectsAndHandlesFlat) {
    UseAnImage(8);  // first use may set up lasting system state
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    for (int i = 0; i < 1000; ++i) UseAnImage(8 + i % 50);
    const int gdiAfter = FreeGdiSlots();
    const int handlesAfter = OpenHandleCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

TEST(Resources, TwentyOpenCloseCyclesLeaveNothingBehind) {
    OpenGraphWindow(120, 80);
    CloseGraphWindow();
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();
    int windowsLeft = 0;
    for (int i = 0; i < 20; ++i) {
        HWND window = OpenGraphWindow(200 + i, 80 + i, i % 2 ? OPEN_WITH_DOUBLE_CLICKS : 0);
        DrawFilledRectangle(0, 0, 50, 50);
        ResetDrawingState();
        CloseGraphWindow();
        if (!window || IsWindow(window)) ++windowsLeft;
    }
    // Counted before any assertion: a failed one starts a thread of its own.
    const int threadsAfter = ThreadCount();
    const int gdiAfter = FreeGdiSlots();
    const int handlesAfter = OpenHandleCount();
    EXPECT_EQ(windowsLeft, 0);
    EXPECT_EQ(threadsAfter, threadsBefore);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

}  // namespace
