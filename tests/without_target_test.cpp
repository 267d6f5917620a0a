// Before any window is opened or image chosen there is no target: drawing
// does nothing and getters answer 0. (Each ctest case runs in a new process.)
#include <kanvo.h>

#include <gtest/gtest.h>

TEST(WithoutTarget, DrawingDoesNothingAndGettersAnswerZero) {
    EXPECT_EQ(GetTargetImage(), nullptr);
    DrawLine(0, 0, 10, 10);
    DrawCircle(5, 5, 3);
    ClearTarget();
    SetStrokeColor(RGB(1, 2, 3));
    WriteText(0, 0, L"text");
    FlushBatch();
    DrawBox3D(0, 0, 10, 10, 5, true);
    DrawSegmentBy(4, 0);
    EXPECT_EQ(GetPenX(), 4);
    EXPECT_EQ(GetStrokeColor(), 0u);
    EXPECT_EQ(GetPixelColor(0, 0), 0u);
    EXPECT_EQ(GetTargetWidth(), 0);
    EXPECT_EQ(GetLastColumn(), -1);
    EXPECT_EQ(GetTextPixelWidth(L"abc"), 0);
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_STREQ(GetLibraryVersion(), L"20210224");
    LINESTYLE style;
    style.thickness = 9;
    GetStrokeStyle(&style);  // untouched without a target
    EXPECT_EQ(style.thickness, 9);
}
