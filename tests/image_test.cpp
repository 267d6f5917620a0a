// IMAGE: sizes, pixel layout, fills, resizing, copying, bad sizes, and what
// a thousand images leave behind. The drawing targets: choosing them, drawing
// without one, the composite functions and the pen position, checked against
// the same drawing done with raw GDI on a twin bitmap. (Each case runs in a
// process of its own.)
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "resource_counts.h"

#include <algorithm>
#include <climits>

namespace {

using namespace KanvoTest;
using Pixels = std::vector<DWORD>;

// The image's size and pixels (row by row), as one value to compare.
std::tuple<int, int, Pixels> Raster(IMAGE& image) {
    const DWORD* p = GetSurfacePixels(&image);
    return {image.Width(), image.Height(), {p, p + (p ? image.Width() * image.Height() : 0)}};
}

TEST(Image, NewImagesAreBlackResizingKeepsOldPixelsFillsTheRestAndCopiesTakeSizeAndPixels) {
    IMAGE big(100, 50), image(2, 2);
    EXPECT_EQ(Raster(big), std::make_tuple(100, 50, Pixels(5000, 0)));
    // Pixels are 0x00RRGGBB, colours (GetPixel's COLORREF) 0x00BBGGRR.
    GetSurfacePixels(&big)[1 * 100 + 2] = 0x00FF0000;
    SetTargetImage(&big);
    SetPixelColor(0, 3, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(std::make_tuple(GetPixelColor(2, 1), GetSurfacePixels(&big)[3 * 100]),
              std::make_tuple(RGB(255, 0, 0), 0x00112233ul));

    const DWORD a = 0x110101, b = 0x120202, c = 0x130303, d = 0x140404, bg = 0x123456, w = ~0u;
    DWORD* p = GetSurfacePixels(&image);
    p[0] = a;
    p[1] = b;
    p[2] = c;
    p[3] = d;
    SetTargetImage(&image);
    SetBackgroundColor(RGB(0x12, 0x34, 0x56));
    SetTargetImage(nullptr);
    image.SetSize(4, 3);
    const auto enlarged = std::make_tuple(4, 3, Pixels{a, b, bg, bg, c, d, bg, bg, bg, bg, bg, bg});
    EXPECT_EQ(Raster(image), enlarged);
    // Zero, negative and too large sizes change nothing.
    const int badSizes[][2] = {{0, 20}, {20, 0}, {-4, 7}, {1 << 20, 1 << 20}};
    for (const auto& size : badSizes) image.SetSize(size[0], size[1]);
    EXPECT_EQ(Raster(image), enlarged);
    // Shrinking keeps the top-left part.
    image.SetSize(1, 2);
    EXPECT_EQ(Raster(image), std::make_tuple(1, 2, Pixels{a, c}));
    // A grey background (equal channels) fills every byte, the fourth too.
    SetTargetImage(&image);
    SetBackgroundColor(RGB(255, 255, 255));
    SetTargetImage(nullptr);
    image.SetSize(3, 2);
    EXPECT_EQ(Raster(image), std::make_tuple(3, 2, Pixels{a, w, w, c, w, w}));

    IMAGE source(3, 3), destination(5, 5);
    for (int i = 0; i < 9; ++i) GetSurfacePixels(&source)[i] = 0x00010203u * (i + 1);
    SetTargetImage(&source);
    SetStrokeColor(RGB(1, 2, 3));
    SetTargetImage(&destination);
    SetStrokeColor(RGB(9, 8, 7));
    SetBackgroundColor(RGB(1, 1, 1));
    MoveOrigin(2, 2);  // the copy is one to one whatever the transform
    SetTargetImage(nullptr);
    IMAGE copy(source);
    // Self-assignment changes nothing.
    IMAGE& alias = destination;
    destination = source;
    destination = alias;
    EXPECT_EQ(std::make_tuple(Raster(copy), Raster(destination)),
              std::make_tuple(Raster(source), Raster(source)));
    // The drawing state stays with each image: a new image's in the copy.
    SetTargetImage(&copy);
    const COLORREF stroke = GetStrokeColor();
    SetTargetImage(&destination);
    EXPECT_EQ(std::make_tuple(stroke, GetStrokeColor(), GetBackgroundColor()),
              std::make_tuple(0xFFFFFFul, RGB(9, 8, 7), RGB(1, 1, 1)));
    SetTargetImage(nullptr);
    GetSurfacePixels(&copy)[0] = 7;  // each owns its raster
    EXPECT_EQ(GetSurfacePixels(&source)[0], 0x00010203u);
}

TEST(Image, ZeroNegativeAndHugeSizesGiveNoPixelsAndNoCrash) {
    const int sizes[][2] = {{0, 10},      {-5, 10},           {10, -5},
                            {-1, -1},     {1 << 20, 1 << 20}, {INT_MAX, 2},
                            {2, INT_MAX}, {INT_MIN, INT_MIN}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        IMAGE im(size[0], size[1]);
        SetTargetImage(&im);  // a target all the same, with a device context
        EXPECT_TRUE(!GetSurfacePixels(&im) && GetSurfaceContext(&im) && GetTargetImage() == &im);
        if (size[0] == 0) {
            EXPECT_TRUE(GetLastColumn() == -1 && GetLastRow() == -1);
        }
        SetBackgroundColor(RGB(10, 20, 30));
        ClearTarget();
        DrawFilledRectangle(0, 0, 100, 100);
        SetPixelColor(5, 5, RGB(255, 0, 0));
        EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
        // A good size afterwards works, in the background colour.
        SetImageSize(&im, 4, 2);
        EXPECT_EQ(Raster(im), std::make_tuple(4, 2, Pixels(8, 0x0A141E)));
    }  // destroyed while it is the target
}

TEST(Image, ThousandImagesLeaveGdiObjectsAndHandlesFlat) {
    const auto useAnImage = [](int size) {
        IMAGE image(size, size);
        SetTargetImage(&image);
        SetStrokeColor(RGB(size, 0, 0));
        SetInteriorColor(RGB(0, size, 0));
        DrawBox3D(1, 1, size / 2, size / 2, 3, true);
        IMAGE copy(image);
        copy = image;
        SetImageSize(&copy, size + 1, size + 2);
        SetTargetImage(nullptr);
    };
    useAnImage(8);  // the first use may set up lasting system state
    const int gdiBefore = FreeGdiSlots(), handlesBefore = OpenHandleCount();
    for (int i = 0; i < 1000; ++i) useAnImage(8 + i % 50);
    const int gdiAfter = FreeGdiSlots(), handlesAfter = OpenHandleCount();
    EXPECT_EQ(std::make_tuple(gdiAfter, handlesAfter), std::make_tuple(gdiBefore, handlesBefore));
}

// ---------------------------------------------------------------------------
// Targets

// Selects the geometric pen and the brush that SetStrokeColor and
// SetInteriorColor select.
void SelectPenAndBrush(HDC dc, COLORREF stroke, COLORREF interior) {
    LOGBRUSH brush = {BS_SOLID, stroke, 0};
    SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC, 1, &brush, 0, nullptr));
    SelectAndDelete(dc, CreateSolidBrush(interior));
}

TEST(Targets, NoTargetDrawsNothingEachImageHasItsStatePenPositionAndCompositesMatchRawGdi) {
    EXPECT_EQ(GetTargetImage(), nullptr);
    DrawLine(0, 0, 10, 10);
    DrawCircle(5, 5, 3);
    ClearTarget();
    SetStrokeColor(RGB(1, 2, 3));
    WriteText(0, 0, L"text");
    FlushBatch();
    DrawBox3D(0, 0, 10, 10, 5, true);
    DrawSegmentBy(4, 0);
    LINESTYLE style;
    style.thickness = 9;
    GetStrokeStyle(&style);  // untouched without a target
    EXPECT_EQ(std::make_tuple(GetStrokeColor(), GetPixelColor(0, 0), GetTargetWidth(),
                              GetLastColumn(), GetTextPixelWidth(L"abc")),
              std::make_tuple(0u, 0u, 0, -1, 0));
    EXPECT_EQ(std::make_tuple(style.thickness, GetPenX()), std::make_tuple(9, 4));
    EXPECT_EQ(GetWindowHandle(), nullptr);
    EXPECT_STREQ(GetLibraryVersion(), L"20210224");

    const auto seen = [] {
        return std::make_tuple(GetTargetImage(), GetLastColumn(), GetLastRow(), GetStrokeColor());
    };
    IMAGE a(30, 20), b(50, 40);
    SetTargetImage(&a);
    SetStrokeColor(RGB(1, 2, 3));
    SetTargetImage(&b);
    EXPECT_EQ(seen(), std::make_tuple(&b, 49, 39, 0xFFFFFFu));  // each image has its own state
    SetTargetImage(&a);
    EXPECT_EQ(seen(), std::make_tuple(&a, 29, 19, RGB(1, 2, 3)));
    // Without a window, null makes the window's empty image the target, and
    // so does destroying the current image; drawing on it does nothing.
    SetTargetImage(nullptr);
    IMAGE* window = GetTargetImage();
    EXPECT_TRUE(window && window != &a && window != &b);
    IMAGE* doomed = new IMAGE(10, 10);
    SetTargetImage(doomed);
    delete doomed;
    DrawLine(0, 0, 10, 10);
    DrawFilledRectangle(0, 0, 5, 5);
    EXPECT_EQ(seen(), std::make_tuple(window, -1, -1, 0xFFFFFFu));
    EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
    // With an image: the pen position, DrawBox3D and the second names, against raw GDI.
    IMAGE image(200, 200), other(5, 5);
    GdiTwin twin(200, 200);
    const HDC dc = twin.Dc();
    SetTargetImage(&image);
    MovePenTo(130, 0);
    DrawSegmentBy(10, 0);
    DrawSegmentBy(10, 0);
    SetTargetImage(&other);  // the pen position stays across targets
    EXPECT_EQ(std::make_tuple(GetPenX(), GetPenY()), std::make_tuple(150, 0));
    SetTargetImage(&image);
    MovePenBy(0, 5);
    DrawSegmentTo(170, 15);
    DrawLine(131, 19, 180, 19);  // drawing does not move the pen position
    EXPECT_EQ(std::make_tuple(GetPenX(), GetPenY()), std::make_tuple(170, 15));
    MoveToEx(dc, 130, 0, nullptr);
    LineTo(dc, 140, 0);
    LineTo(dc, 150, 0);
    MoveToEx(dc, 150, 5, nullptr);
    LineTo(dc, 170, 15);
    MoveToEx(dc, 131, 19, nullptr);
    LineTo(dc, 180, 19);

    SetStrokeColor(RGB(255, 255, 0));
    SetInteriorColor(RGB(0, 0, 200));
    SelectPenAndBrush(dc, RGB(255, 255, 0), RGB(0, 0, 200));
    // Corners in any order, depth (also 0 and negative), whether the top is drawn.
    const int boxes[][6] = {{100, 100, 50, 50, 20, 1},
                            {120, 180, 170, 150, 9, 0},
                            {10, 10, 30, 30, 0, 1},
                            {10, 150, 40, 190, -7, 1}};
    for (const auto& b : boxes) {
        DrawBox3D(b[0], b[1], b[2], b[3], b[4], b[5] != 0);
        const int l = std::min(b[0], b[2]), t = std::min(b[1], b[3]), r = std::max(b[0], b[2]),
                  bottom = std::max(b[1], b[3]), depth = b[4], d = (3 * depth) >> 2;
        Rectangle(dc, l, t, r, bottom);
        MoveToEx(dc, r, bottom, nullptr);
        LineTo(dc, r + depth, bottom - d);
        LineTo(dc, r + depth, t - d);
        if (!b[5]) continue;
        MoveToEx(dc, l, t, nullptr);
        LineTo(dc, l + depth, t - d);
        LineTo(dc, r + depth, t - d);
        LineTo(dc, r, t);
    }

    SetDrawColor(RGB(10, 20, 30));
    SetMixMode(R2_XORPEN);
    EXPECT_EQ(std::make_tuple(GetStrokeColor(), GetFontColor(), GetDrawColor(), GetRasterOp()),
              std::make_tuple(RGB(10, 20, 30), RGB(10, 20, 30), RGB(10, 20, 30), R2_XORPEN));
    SetMixMode(R2_COPYPEN);
    SetInteriorColor(RGB(0, 255, 0));
    PaintBlock(190, 75, 180, 65);  // inclusive corners, either order
    const POINT triangle[] = {{132, 62}, {145, 62}, {132, 75}};
    DrawFilledPolygonByCount(3, triangle);
    DrawPolygonByCount(0, triangle);
    DrawPolygonByCount(3, nullptr);  // nothing to draw
    SelectPenAndBrush(dc, RGB(10, 20, 30), RGB(0, 255, 0));
    HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 180, 65, 191, 76);
    SelectObject(dc, pen);
    Polygon(dc, triangle, 3);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

}  // namespace
