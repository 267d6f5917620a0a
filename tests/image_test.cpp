// IMAGE: growing, copying and the sizes it refuses (among them sizes whose
// byte count overflows 32-bit arithmetic). The drawing targets: choosing
// them, drawing without one, the pen position and the box composite, checked
// against the same drawing done with raw GDI on a twin bitmap.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"

namespace {

using namespace KanvoTest;

// The pixel at (x, y) of an image, 0x00RRGGBB.
DWORD PixelAt(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[y * image.Width() + x];
}

// A 2 x 2 image of four distinct pixels whose background colour is 0x123456.
IMAGE FourPixels() {
    IMAGE image(2, 2);
    for (int i = 0; i < 4; ++i) GetSurfacePixels(&image)[i] = 0x110101 + i * 0x010101;
    SetTargetImage(&image);
    SetBackgroundColor(RGB(0x12, 0x34, 0x56));
    SetTargetImage(nullptr);
    return image;
}

TEST(Image, GrowingKeepsTheOldPixelsAndFillsTheRestWithTheBackground) {
    IMAGE image = FourPixels();
    image.SetSize(4, 3);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(PixelAt(image, 1, 1), 0x140404u);
    EXPECT_EQ(PixelAt(image, 2, 0), 0x123456u);
    EXPECT_EQ(PixelAt(image, 3, 2), 0x123456u);
}

TEST(Image, CopiesTakeSizeAndPixelsAndOwnTheirRaster) {
    IMAGE source = FourPixels();
    IMAGE copy(source);
    IMAGE assigned(5, 5);
    assigned = source;
    for (IMAGE* image : {&copy, &assigned}) {
        EXPECT_EQ(image->Width(), 2);
        EXPECT_EQ(ComparePixels(GetSurfacePixels(image), GetSurfacePixels(&source), 2, 2), "");
    }
    GetSurfacePixels(&copy)[0] = 7;
    EXPECT_EQ(PixelAt(source, 0, 0), 0x110101u);
}

// Negative, zero, past 2 GiB, and sizes whose byte count (65536 x 16385) or
// pixel count (65536 x 65536) wraps around 32-bit arithmetic to something
// small enough to be made.
const SIZE kRefusedSizes[] = {{0, 10},        {10, -5},       {40000, 40000},    {32768, 16385},
                              {65536, 16385}, {65536, 65536}, {1 << 20, 1 << 20}};

TEST(Image, RefusedSizesGiveNoPixelsAndDrawingOnThemDoesNothing) {
    for (const SIZE& size : kRefusedSizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        IMAGE image(size.cx, size.cy);
        SetTargetImage(&image);
        EXPECT_EQ(image.Width(), 0);
        EXPECT_EQ(image.Height(), 0);
        EXPECT_EQ(GetSurfacePixels(&image), nullptr);
        EXPECT_NE(GetSurfaceContext(&image), nullptr);
        SetBackgroundColor(RGB(10, 20, 30));
        ClearTarget();
        DrawFilledRectangle(0, 0, 100, 100);
        SetPixelColor(5, 5, RGB(255, 0, 0));
        EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
        SetImageSize(&image, 4, 2);  // a good size afterwards works, in the background colour
        EXPECT_EQ(GetPixelColor(3, 1), RGB(10, 20, 30));
    }  // destroyed while it is the target
}

TEST(Image, ARefusedResizeKeepsTheRasterAndTheSize) {
    IMAGE image(4, 4);
    IMAGE empty;
    GetSurfacePixels(&image)[15] = 0x123456;
    for (const SIZE& size : kRefusedSizes) {
        SetImageSize(&image, size.cx, size.cy);
        SetImageSize(&empty, size.cx, size.cy);
    }
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 4);
    ASSERT_NE(GetSurfacePixels(&image), nullptr);
    EXPECT_EQ(GetSurfacePixels(&image)[15], 0x123456u);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
}

TEST(Image, ARefusedResizeOfTheWindowsImageLeavesTheWindowAsItWas) {
    const HWND window = OpenGraphWindow(200, 100);
    ASSERT_NE(window, nullptr);
    SetImageSize(nullptr, -300, 150);
    SetImageSize(nullptr, 40000, 40000);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(GetTargetWidth(), 200);
    EXPECT_EQ(GetTargetHeight(), 100);
}

// ---------------------------------------------------------------------------
// Targets

TEST(Targets, WithoutATargetNothingIsDrawnOrRead) {
    EXPECT_EQ(GetTargetImage(), nullptr);
    DrawLine(0, 0, 10, 10);
    ClearTarget();
    SetStrokeColor(RGB(1, 2, 3));
    WriteText(0, 0, L"text");
    EXPECT_EQ(GetStrokeColor(), 0u);
    EXPECT_EQ(GetPixelColor(0, 0), 0u);
    EXPECT_EQ(GetTextPixelWidth(L"abc"), 0);
}

TEST(Targets, EachImageKeepsItsOwnDrawingState) {
    IMAGE first(30, 20);
    IMAGE second(50, 40);
    SetTargetImage(&first);
    SetStrokeColor(RGB(1, 2, 3));
    SetTargetImage(&second);
    EXPECT_EQ(GetStrokeColor(), RGB(255, 255, 255));
    SetTargetImage(&first);
    EXPECT_EQ(GetStrokeColor(), RGB(1, 2, 3));
}

// Without a window, null makes the window's empty image the target, and so
// does destroying the current image; drawing on it does nothing.
TEST(Targets, DestroyingTheTargetFallsBackToTheWindowsImage) {
    SetTargetImage(nullptr);
    IMAGE* windowImage = GetTargetImage();
    IMAGE* doomed = new IMAGE(10, 10);
    SetTargetImage(doomed);
    delete doomed;
    DrawFilledRectangle(0, 0, 5, 5);
    EXPECT_NE(windowImage, nullptr);
    EXPECT_EQ(GetTargetImage(), windowImage);
    EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
}

// The pen position belongs to the library, not to an image.
TEST(Targets, ThePenPositionCarriesAcrossTargetsAndSegmentsMatchGdi) {
    IMAGE image(200, 40);
    IMAGE other(5, 5);
    GdiTwin twin(200, 40);
    SetTargetImage(&image);
    MovePenTo(130, 0);
    DrawSegmentBy(10, 0);
    SetTargetImage(&other);
    DrawSegmentBy(10, 0);
    EXPECT_EQ(GetPenX(), 150);
    EXPECT_EQ(GetPenY(), 0);
    SetTargetImage(&image);
    MovePenBy(0, 5);
    DrawSegmentTo(170, 15);
    SelectAndDelete(twin.Dc(), GetStockObject(WHITE_PEN));
    MoveToEx(twin.Dc(), 130, 0, nullptr);
    LineTo(twin.Dc(), 140, 0);
    MoveToEx(twin.Dc(), 150, 5, nullptr);
    LineTo(twin.Dc(), 170, 15);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

// A box in front, its right side and, when asked for, its top, each pushed
// back by `depth` across and three quarters of it up.
TEST(Targets, DrawBox3DDrawsTheBoxAndItsReceding) {
    IMAGE image(200, 200);
    GdiTwin twin(200, 200);
    const HDC dc = twin.Dc();
    SetTargetImage(&image);
    SetInteriorColor(RGB(0, 0, 200));
    const LOGBRUSH white = {BS_SOLID, RGB(255, 255, 255), 0};
    SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr));
    SelectAndDelete(dc, CreateSolidBrush(RGB(0, 0, 200)));
    DrawBox3D(100, 100, 50, 50, 20, true);
    Rectangle(dc, 50, 50, 100, 100);
    const POINT side[] = {{100, 100}, {120, 85}, {120, 35}};
    Polyline(dc, side, 3);
    const POINT top[] = {{50, 50}, {70, 35}, {120, 35}, {100, 50}};
    Polyline(dc, top, 4);
    DrawBox3D(120, 180, 170, 150, 9, false);
    Rectangle(dc, 120, 150, 170, 180);
    const POINT sideOnly[] = {{170, 180}, {179, 174}, {179, 144}};
    Polyline(dc, sideOnly, 3);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

}  // namespace
