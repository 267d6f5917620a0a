// Surface pixels against COLORREF values: GDI's own stores are the oracle
// for the conversion helpers and for what the header promises about pixels.
#include <kanvo.h>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kColor = RGB(10, 20, 30);

TEST(PixelHelpers, ColorToPixelIsWhatDrawingStores) {
    IMAGE image(2, 2);
    SetTargetImage(&image);
    SetPixelColor(1, 0, kColor);
    SetTargetImage(nullptr);
    EXPECT_EQ(GetSurfacePixels(&image)[1], ColorToPixel(kColor));
}

TEST(PixelHelpers, PictureFromFileHasAFullTopByteThatColorFromPixelIgnores) {
    IMAGE image(2, 2);
    SetTargetImage(&image);
    SetPixelColor(1, 0, kColor);
    SetTargetImage(nullptr);
    ASSERT_TRUE(WriteImageFile(L"pixel_helpers.bmp", &image));
    IMAGE loaded;
    ASSERT_TRUE(ReadImageFile(&loaded, L"pixel_helpers.bmp"));
    DeleteFileW(L"pixel_helpers.bmp");
    EXPECT_EQ(GetSurfacePixels(&loaded)[1] >> 24, 0xFFu);
    EXPECT_EQ(ColorFromPixel(GetSurfacePixels(&loaded)[1]), kColor);
}

TEST(PixelHelpers, PatternBitsTakeFontAndBackgroundColours) {
    IMAGE image(8, 8);
    SetTargetImage(&image);
    const BYTE rows[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};  // left column set
    SetFontColor(RGB(255, 0, 0));
    SetBackgroundColor(RGB(0, 0, 255));
    SetInteriorColor(RGB(0, 255, 0));
    SetInteriorStyle(rows);
    PaintRectangle(0, 0, 7, 7);
    EXPECT_EQ(GetPixelColor(0, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetPixelColor(4, 3), RGB(0, 0, 255));
    SetTargetImage(nullptr);
}

}  // namespace
