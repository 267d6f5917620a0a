// The drawing state of an image: defaults and reset, copies of styles, styles
// that GDI refuses or that have nothing to draw with, clearing and erasing,
// and the transform.
#include <gtest/gtest.h>

#include <cmath>

#include "gdi_twin.h"

namespace {

using namespace KanvoTest;

HGDIOBJ Selected(IMAGE& image, UINT type) {
    return GetCurrentObject(GetSurfaceContext(&image), type);
}

int Count(IMAGE& image, DWORD pixel, RECT area) {
    return CountPixels(GetSurfacePixels(&image), image.Width(), area, pixel);
}

int CountAll(IMAGE& image, DWORD pixel) {
    return Count(image, pixel, {0, 0, image.Width(), image.Height()});
}

void ClipTo(int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    SetClipRegion(region);
    DeleteObject(region);  // the device context keeps its own copy
}

// A new image's state but for the raster operation (7, XOR), polygon fill
// mode (2, winding) and hatch (4, cross), which stay; no clip, transform or
// old pen is left, so its cosmetic pen and white brush draw as a twin's
// defaults.
TEST(State, ResetGivesBackTheDefaults) {
    IMAGE image(40, 40);
    IMAGE pattern(5, 3);
    SetTargetImage(&image);
    const DWORD dashes[] = {4, 2};
    SetStrokeStyle(PS_USERSTYLE, 4, dashes, 2);
    SetInteriorStyle(BS_HATCHED, HS_CROSS);
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
    SetDrawColor(RGB(9, 9, 9));
    SetInteriorColor(RGB(8, 8, 8));
    SetBackgroundColor(RGB(7, 7, 7));
    SetBackgroundMode(TRANSPARENT);
    SetRasterOp(R2_XORPEN);
    SetPolygonFillMode(WINDING);
    MoveOrigin(10, 10);
    SetAxisScale(2, 3);
    ClipTo(0, 0, 5, 5);
    ResetDrawingState();
    EXPECT_EQ(DrawingState(),
              "colours FFFFFF FFFFFF FFFFFF 000000, mode 2, rop 7, fill mode 2, "
              "scale 1 1, pen 0x0 1, brush 0 4, dashes");
    const POINT corner[] = {{2, 30}, {20, 2}, {38, 30}};
    GdiTwin twin(40, 40);
    SetRasterOp(R2_COPYPEN);
    ClearTarget();
    DrawPolyline(corner, 3);
    Polyline(twin.Dc(), corner, 3);
    DrawFilledEllipse(5, 10, 35, 38);
    Ellipse(twin.Dc(), 5, 10, 35, 38);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

TEST(State, NullPointersAndDeletedRegionsChangeNothing) {
    IMAGE image(40, 40);
    SetTargetImage(&image);
    const DWORD dashes[] = {3, 1, 2};
    SetStrokeStyle(PS_USERSTYLE, 1, dashes, 3);
    const std::string before = DrawingState();
    SetStrokeStyle(static_cast<const LINESTYLE*>(nullptr));
    SetInteriorStyle(static_cast<const FILLSTYLE*>(nullptr));
    SetInteriorStyle(static_cast<const BYTE*>(nullptr));
    GetStrokeStyle(nullptr);
    GetInteriorStyle(nullptr);
    GetAxisScale(nullptr, nullptr);
    EXPECT_EQ(DrawingState(), before);
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    DeleteObject(region);
    SetClipRegion(region);
    SetPixelColor(3, 3, RGB(4, 5, 6));
    EXPECT_EQ(GetSurfacePixels(&image)[3 * 40 + 3], 0x040506u);
}

// A copy holds copies of the dash pattern and the pattern image, so that
// the original and the copy can each be changed and destroyed.
TEST(State, CopiedStylesOwnTheirPatterns) {
    IMAGE image(10, 10);
    IMAGE pattern(5, 3);
    SetTargetImage(&image);
    const DWORD dashes[] = {3, 1};
    SetStrokeStyle(PS_USERSTYLE, 1, dashes, 2);
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
    LINESTYLE line;
    FILLSTYLE fill;
    GetStrokeStyle(&line);
    GetInteriorStyle(&fill);
    const LINESTYLE lineCopy(line);
    const FILLSTYLE fillCopy(fill);
    EXPECT_NE(lineCopy.userPattern, line.userPattern);
    EXPECT_EQ(lineCopy.userCount, 2u);
    EXPECT_EQ(lineCopy.userPattern[0], 3u);
    EXPECT_NE(fillCopy.pattern, fill.pattern);
    EXPECT_EQ(fillCopy.pattern->Width(), 5);
}

// The style is stored, but the pen before it stays selected, also after a
// fill-only shape's swap of the pen.
TEST(State, PenStylesGdiRefusesKeepTheLastPen) {
    IMAGE image(60, 25);
    SetTargetImage(&image);
    const DWORD seventeen[17] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    const DWORD zeros[2] = {};
    SetStrokeStyle(PS_SOLID, 1);
    const HGDIOBJ pen = Selected(image, OBJ_PEN);
    SetStrokeStyle(PS_USERSTYLE, 1, seventeen, 17);
    SetStrokeStyle(PS_USERSTYLE, 1, zeros, 2);
    PaintCircle(5, 5, 3);
    DrawLine(0, 24, 60, 24);
    LINESTYLE line;
    GetStrokeStyle(&line);
    EXPECT_EQ(line.style, PS_USERSTYLE);
    EXPECT_EQ(Selected(image, OBJ_PEN), pen);
    EXPECT_EQ(Count(image, 0xFFFFFF, {0, 24, 60, 25}), 60);
}

// A pattern style without a pattern changes neither the style nor the brush;
// unknown styles and hatches are stored, but GDI builds no brush for them.
TEST(State, FillStylesWithoutAPatternOrUnknownKeepTheLastBrush) {
    IMAGE image(30, 30);
    IMAGE empty;
    SetTargetImage(&image);
    SetInteriorStyle(BS_HATCHED, HS_BDIAGONAL);
    const HGDIOBJ hatched = Selected(image, OBJ_BRUSH);
    SetInteriorStyle(BS_PATTERN, 0, nullptr);
    SetInteriorStyle(BS_DIBPATTERN, 0, &empty);
    FILLSTYLE fill;
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, BS_HATCHED);
    SetInteriorStyle(-1);
    DrawCircle(5, 5, 3);
    EraseCircle(5, 5, 3);
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, -1);
    EXPECT_EQ(Selected(image, OBJ_BRUSH), hatched);
}

// The row pattern 0x80 paints the font colour at the top left of each 8 x 8
// cell, the background colour elsewhere.
TEST(State, ARowPatternPaintsSetBitsInTheFontColour) {
    IMAGE image(16, 16);
    SetTargetImage(&image);
    const BYTE rows[8] = {0x80};
    SetFontColor(RGB(255, 128, 0));
    SetBackgroundColor(RGB(0, 0, 90));
    SetInteriorStyle(rows);
    PaintRectangle(0, 0, 15, 15);
    EXPECT_EQ(CountAll(image, 0xFF8000), 4);
    EXPECT_EQ(GetPixelColor(8, 8), RGB(255, 128, 0));
    EXPECT_EQ(CountAll(image, 0x00005A), 16 * 16 - 4);
}

TEST(State, EraseClipAreaFillsTheClipRegionInDevicePixels) {
    IMAGE image(60, 25);
    SetTargetImage(&image);
    MoveOrigin(100, 100);
    SetAxisScale(2, -1);
    ClipTo(10, 5, 30, 20);
    SetBackgroundColor(RGB(255, 0, 0));
    EraseClipArea();
    EXPECT_EQ(Count(image, 0xFF0000, {10, 5, 30, 20}), 20 * 15);
    EXPECT_EQ(CountAll(image, 0xFF0000), 20 * 15);
    // The image's transform is back in force: logical (-40, 90) is device (20, 10).
    SetPixelColor(-40, 90, RGB(0, 255, 0));
    EXPECT_EQ(GetSurfacePixels(&image)[10 * 60 + 20], 0x00FF00u);
    // Without a clip region the whole image is the clip area.
    SetClipRegion(nullptr);
    EraseClipArea();
    EXPECT_EQ(CountAll(image, 0xFF0000), 60 * 25);
}

TEST(State, AxisScalesOfZeroOrWithoutMeaningAreRefused) {
    IMAGE image(10, 10);
    SetTargetImage(&image);
    SetAxisScale(2, -1);
    SetAxisScale(0, 1);
    SetAxisScale(NAN, 1);
    float x = 0;
    float y = 0;
    GetAxisScale(&x, &y);
    EXPECT_EQ(x, 2.0f);
    EXPECT_EQ(y, -1.0f);
}

}  // namespace
