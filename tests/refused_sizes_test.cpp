// Sizes the library refuses: an image without a raster reports 0 x 0, and a
// refused resize of the window's image changes neither buffer nor window.
#include <gtest/gtest.h>

#include <kanvo.h>

namespace {

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

TEST(RefusedSizes, ImageOfNegativeSizeReportsZeroByZero) {
    IMAGE image(-5, 10);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
}

TEST(RefusedSizes, ImageOfZeroWidthReportsZeroByZero) {
    IMAGE image(0, 10);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
}

TEST(RefusedSizes, ImageOverTwoGibibytesReportsZeroByZero) {
    IMAGE image(40000, 40000);  // 6.4 GB of pixels
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
}

TEST(RefusedSizes, ImageWithoutARasterStaysZeroByZeroAfterARefusedResize) {
    IMAGE image;
    SetImageSize(&image, -7, 3);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
}

// The window after a resize to `width` x `height`, which it must refuse.
void ExpectRefusedWindowResize(int width, int height) {
    const HWND window = OpenGraphWindow(200, 100);
    ASSERT_NE(window, nullptr);
    SetImageSize(nullptr, width, height);
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 200);
    EXPECT_EQ(client.cy, 100);
    EXPECT_EQ(GetTargetWidth(), 200);
    EXPECT_EQ(GetTargetHeight(), 100);
    CloseGraphWindow();
}

TEST(RefusedSizes, NegativeResizeLeavesTheWindowAsItWas) {
    ExpectRefusedWindowResize(-300, 150);
}

TEST(RefusedSizes, OversizedResizeLeavesTheWindowAsItWas) {
    ExpectRefusedWindowResize(40000, 40000);
}

}  // namespace
