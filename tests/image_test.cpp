// IMAGE: sizes, pixel layout, fills, resizing, copying and bad sizes.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

DWORD PixelAt(IMAGE& image, int x, int y) { return GetSurfacePixels(&image)[y * image.Width() + x]; }

TEST(Image, NewImageIsBlackAndSized) {
    IMAGE image(100, 50);
    EXPECT_EQ(image.Width(), 100);
    EXPECT_EQ(image.Height(), 50);
    const DWORD* pixels = GetSurfacePixels(&image);
    ASSERT_NE(pixels, nullptr);
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(pixels[i], 0u) << i;
}

TEST(Image, ZeroSizedImageHasNoPixelsButIsATarget) {
    IMAGE image(0, 10);
    EXPECT_EQ(GetSurfacePixels(&image), nullptr);
    EXPECT_NE(GetSurfaceContext(&image), nullptr);
    SetTargetImage(&image);
    EXPECT_EQ(GetTargetImage(), &image);
    EXPECT_EQ(GetTargetWidth(), 0);
    EXPECT_EQ(GetLastColumn(), -1);
    EXPECT_EQ(GetLastRow(), 9);
    DrawLine(0, 0, 5, 5);  // nothing to draw on, nothing breaks
    EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
    ClearTarget();
    SetTargetImage(nullptr);
}

TEST(Image, BadSizesGiveNoPixelsAndNoCrash) {
    const int sizes[][2] = {{-5, 10}, {10, -5}, {-1, -1}, {1 << 20, 1 << 20}, {INT_MAX, 2},
                            {2, INT_MAX}, {INT_MIN, INT_MIN}};
    for (const auto& size : sizes) {
        IMAGE image(size[0], size[1]);
        EXPECT_EQ(GetSurfacePixels(&image), nullptr) << size[0] << " x " << size[1];
        SetTargetImage(&image);
        SetBackgroundColor(RGB(10, 20, 30));
        ClearTarget();
        DrawFilledRectangle(0, 0, 100, 100);
        SetPixelColor(1, 1, RGB(255, 0, 0));
        SetImageSize(&image, 4, 4);  // a good size afterwards works
        ASSERT_NE(GetSurfacePixels(&image), nullptr);
        EXPECT_EQ(image.Width(), 4);
        SetTargetImage(nullptr);
    }
}

TEST(Image, FailedResizeKeepsTheRaster) {
    IMAGE image(3, 3);
    SetTargetImage(&image);
    SetPixelColor(2, 2, RGB(1, 2, 3));
    SetTargetImage(nullptr);
    image.SetSize(-4, 7);
    image.SetSize(1 << 20, 1 << 20);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 3);
    ASSERT_NE(GetSurfacePixels(&image), nullptr);
    EXPECT_EQ(PixelAt(image, 2, 2), 0x010203u);
}

TEST(Image, PixelLayoutIsRedInTheThirdByte) {
    IMAGE image(4, 4);
    GetSurfacePixels(&image)[1 * 4 + 2] = 0x00FF0000;
    SetTargetImage(&image);
    EXPECT_EQ(GetPixelColor(2, 1), RGB(255, 0, 0));
    SetPixelColor(0, 3, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelAt(image, 0, 3), 0x00112233u);
    SetTargetImage(nullptr);
}

TEST(Image, EnlargingKeepsOldPixelsAndFillsWithBackground) {
    IMAGE image(2, 2);
    DWORD* pixels = GetSurfacePixels(&image);
    for (int i = 0; i < 4; ++i) pixels[i] = 0x00010101u * (i + 1) + 0x00100000u;
    SetTargetImage(&image);
    SetBackgroundColor(RGB(0x12, 0x34, 0x56));
    SetTargetImage(nullptr);
    image.SetSize(4, 3);
    ASSERT_EQ(image.Width(), 4);
    ASSERT_EQ(image.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const DWORD expected = (x < 2 && y < 2) ? 0x00010101u * (y * 2 + x + 1) + 0x00100000u
                                                    : 0x00123456u;
            EXPECT_EQ(PixelAt(image, x, y), expected) << x << ", " << y;
        }
    }
    image.SetSize(1, 2);  // shrinking keeps the top-left part
    EXPECT_EQ(PixelAt(image, 0, 0), 0x00110101u);
    EXPECT_EQ(PixelAt(image, 0, 1), 0x00130303u);
}

TEST(Image, GreyBackgroundFillsEveryByte) {
    IMAGE image(2, 2);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(255, 255, 255));
    SetTargetImage(nullptr);
    image.SetSize(3, 3);
    EXPECT_EQ(PixelAt(image, 0, 0), 0u);  // old pixel stays
    EXPECT_EQ(PixelAt(image, 2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(image, 2, 0), 0xFFFFFFFFu);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(0x80, 0x80, 0x80));
    ClearTarget();
    EXPECT_EQ(PixelAt(image, 1, 1), 0x80808080u);
    SetBackgroundColor(RGB(0x33, 0x66, 0x99));
    ClearTarget();
    EXPECT_EQ(PixelAt(image, 1, 1), 0x00336699u);
    SetTargetImage(nullptr);
}

TEST(Image, ZeroDimensionResizeIsIgnored) {
    IMAGE image(10, 10);
    GetSurfacePixels(&image)[99] = 0x00ABCDEF;
    image.SetSize(0, 20);
    image.SetSize(20, 0);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 10);
    EXPECT_EQ(PixelAt(image, 9, 9), 0x00ABCDEFu);
}

TEST(Image, AssignmentCopiesSizeAndPixelsOnly) {
    IMAGE source(3, 3);
    for (int i = 0; i < 9; ++i) GetSurfacePixels(&source)[i] = 0x00010203u * (i + 1);
    IMAGE destination(5, 5);
    SetTargetImage(&destination);
    SetStrokeColor(RGB(9, 8, 7));
    SetBackgroundColor(RGB(1, 1, 1));
    MoveOrigin(2, 2);  // the copy is one to one whatever the transform
    SetTargetImage(nullptr);

    destination = source;
    ASSERT_EQ(destination.Width(), 3);
    ASSERT_EQ(destination.Height(), 3);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(GetSurfacePixels(&destination)[i], 0x00010203u * (i + 1));
    SetTargetImage(&destination);
    EXPECT_EQ(GetStrokeColor(), RGB(9, 8, 7));
    EXPECT_EQ(GetBackgroundColor(), RGB(1, 1, 1));
    SetTargetImage(nullptr);

    IMAGE& alias = destination;
    destination = alias;  // self-assignment changes nothing
    EXPECT_EQ(destination.Width(), 3);
    EXPECT_EQ(GetSurfacePixels(&destination)[8], 0x00010203u * 9);
}

TEST(Image, CopyConstructionTakesPixelsButDefaultState) {
    IMAGE source(4, 2);
    SetTargetImage(&source);
    SetStrokeColor(RGB(1, 2, 3));
    SetPixelColor(3, 1, RGB(200, 100, 50));
    SetTargetImage(nullptr);
    IMAGE copy(source);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_EQ(PixelAt(copy, 3, 1), 0x00C86432u);
    SetTargetImage(&copy);
    EXPECT_EQ(GetStrokeColor(), 0xFFFFFFu);
    SetTargetImage(nullptr);
    // The copy owns its own raster.
    GetSurfacePixels(&copy)[0] = 7;
    EXPECT_EQ(GetSurfacePixels(&source)[0], 0u);
}

}  // namespace
