// The drawing state of an image: defaults and reset, colours, the copy rules
// of the styles, clearing and erasing, the transform, and styles that GDI
// refuses or that have nothing to draw with.
#include <gtest/gtest.h>

#include <cmath>

#include "gdi_twin.h"

namespace {

using namespace KanvoTest;

HGDIOBJ Selected(IMAGE& im, UINT type) {
    return GetCurrentObject(GetSurfaceContext(&im), type);
}
int Count(IMAGE& im, DWORD pixel, RECT area = {0, 0, 60, 25}) {
    return CountPixels(GetSurfacePixels(&im), im.Width(), area, pixel);
}
void ClipTo(int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    SetClipRegion(region);
    DeleteObject(region);  // the device context keeps its own copy
}

// A new image's state, but for the raster operation, polygon fill mode and
// hatch given; its cosmetic pen and white brush draw as a twin's defaults.
void ExpectDefaults(IMAGE& image, int rop, int fill, int hatch) {
    EXPECT_EQ(DrawingState(), "colours FFFFFF FFFFFF FFFFFF 000000, mode 2, rop " +
                                  std::to_string(rop) + ", fill mode " + std::to_string(fill) +
                                  ", scale 1 1, pen 0x0 1, brush 0 " + std::to_string(hatch) +
                                  ", dashes");
    const POINT corner[] = {{2, 30}, {20, 2}, {38, 30}};
    GdiTwin twin(image.Width(), image.Height());
    SetRasterOp(R2_COPYPEN);
    ClearTarget();
    DrawPolyline(corner, 3);
    Polyline(twin.Dc(), corner, 3);
    DrawFilledEllipse(5, 10, 35, 38);
    Ellipse(twin.Dc(), 5, 10, 35, 38);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

TEST(State, DefaultsResetStyleCopiesAndNullPointers) {
    IMAGE image(40, 40), pattern(5, 3);
    SetTargetImage(&image);
    ExpectDefaults(image, R2_COPYPEN, ALTERNATE, HS_HORIZONTAL);
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
    // No clip, transform or old pen is left, the raster operation stays.
    ResetDrawingState();
    ExpectDefaults(image, R2_XORPEN, WINDING, HS_CROSS);
    // Copies of styles own their patterns: a user style's dashes, a pattern
    // style's image; a hatched style's stale pattern image is not copied.
    LINESTYLE user, copy;
    user.style = PS_USERSTYLE;
    user.userPattern = new DWORD[3]{3, 1, 2};
    user.userCount = 3;
    copy = user;
    EXPECT_TRUE(copy.userPattern != user.userPattern && LINESTYLE(copy).userPattern[2] == 2);
    user.style = PS_DASH;
    copy = user;  // a pattern outside a user style is not copied
    EXPECT_TRUE(!copy.userPattern && copy.userCount == 0);
    FILLSTYLE stale, source, copied;
    stale.style = BS_HATCHED;
    stale.pattern = new IMAGE(2, 2);
    EXPECT_EQ(FILLSTYLE(stale).pattern, nullptr);
    SetInteriorStyle(BS_DIBPATTERN, 0, &pattern);
    GetInteriorStyle(&source);
    copied = source;
    EXPECT_TRUE(copied.pattern && copied.pattern != source.pattern && copied.pattern->Width() == 5);
    copied = stale;
    EXPECT_EQ(copied.pattern, nullptr);
    // Null pointers change nothing; a deleted region clips nothing.
    SetStrokeStyle(PS_USERSTYLE, 1, user.userPattern, 3);
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

// Styles that GDI refuses or that have nothing to draw with; then clearing
// and erasing whatever the clip, transform and raster operation.
TEST(State, RefusedAndEmptyStylesClearingAndErasing) {
    IMAGE image(60, 25), empty;
    SetTargetImage(&image);
    LINESTYLE line;
    FILLSTYLE fill;
    // A user style without dashes: an invisible pen, the style still reported.
    SetStrokeStyle(PS_USERSTYLE, 2, nullptr, 0);
    DrawLine(0, 5, 59, 5);
    GetStrokeStyle(&line);
    EXPECT_TRUE(line.style == PS_USERSTYLE && line.thickness == 2 && !line.userPattern);
    EXPECT_EQ(Count(image, 0), 60 * 25);
    // Styles GDI refuses leave the pen selected, also after a fill-only
    // shape's swap of the pen; the style is stored.
    const DWORD seventeen[17] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, zeros[2] = {};
    SetStrokeStyle(PS_SOLID, 1);
    const HGDIOBJ pen = Selected(image, OBJ_PEN);
    SetStrokeStyle(PS_USERSTYLE, 1, seventeen, 17);
    SetStrokeStyle(PS_USERSTYLE, 1, zeros, 2);
    SetStrokeStyle(PS_ALTERNATE, 1, nullptr, 0);
    PaintCircle(5, 5, 3);
    GetStrokeStyle(&line);
    DrawLine(0, 24, 60, 24);  // still with the solid white pen
    EXPECT_TRUE(line.style == PS_ALTERNATE && Selected(image, OBJ_PEN) == pen &&
                Count(image, 0xFFFFFF, {0, 24, 60, 25}) == 60);
    // A colour set while the brush is hollow shows once the brush is solid.
    SetInteriorStyle(BS_NULL);
    SetInteriorColor(RGB(0, 200, 0));
    DrawFilledRectangle(0, 0, 20, 20);
    EXPECT_EQ(GetPixelColor(10, 15), 0u);
    SetInteriorStyle(BS_SOLID, 0, nullptr);
    DrawFilledRectangle(0, 0, 20, 20);
    EXPECT_EQ(GetPixelColor(10, 15), RGB(0, 200, 0));
    // A pattern style without a pattern changes neither the style nor the
    // brush; unknown styles and hatches are stored, but GDI builds no brush,
    // and the brush stays selected after outline-only and erasing swaps too.
    SetInteriorStyle(BS_HATCHED, HS_BDIAGONAL);
    const HGDIOBJ hatched = Selected(image, OBJ_BRUSH);
    fill.style = BS_DIBPATTERN;
    SetInteriorStyle(&fill);
    SetInteriorStyle(BS_PATTERN, 0, nullptr);
    SetInteriorStyle(BS_DIBPATTERN, 0, &empty);
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, BS_HATCHED);
    SetInteriorStyle(BS_HATCHED, 99);
    SetInteriorStyle(4);
    SetInteriorStyle(-1);
    DrawCircle(5, 5, 3);
    EraseCircle(5, 5, 3);
    GetInteriorStyle(&fill);
    EXPECT_TRUE(fill.style == -1 && Selected(image, OBJ_BRUSH) == hatched);
    // The row pattern 0x80 paints the font colour at the top left of each
    // 8 x 8 cell, the background colour elsewhere.
    const BYTE rows[8] = {0x80};
    SetFontColor(RGB(255, 128, 0));
    SetBackgroundColor(RGB(0, 0, 90));
    SetInteriorStyle(rows);
    SetStrokeStyle(PS_NULL, 1, nullptr, 0);
    DrawFilledRectangle(0, 0, 61, 26);  // a null pen leaves out the far edges
    int wrong = 0;
    for (int i = 0; i < 60 * 25; ++i)
        wrong += GetSurfacePixels(&image)[i] != (i % 60 % 8 || i / 60 % 8 ? 0x5Au : 0xFF8000u);
    EXPECT_EQ(wrong, 0);
    SetBackgroundColor(RGB(0, 0, 255));
    EraseClipArea();  // no region: the whole image
    EXPECT_EQ(Count(image, 0x0000FF), 60 * 25);
    MoveOrigin(100, 100);
    SetAxisScale(2, -1);
    SetAxisScale(0, 1);
    SetAxisScale(NAN, 1);
    SetAxisScale(1, INFINITY);  // no meaning: refused
    float x = 0, y = 0;
    GetAxisScale(&x, &y);
    EXPECT_TRUE(x == 2.0f && y == -1.0f);
    ClipTo(10, 5, 30, 20);  // in device pixels
    SetBackgroundColor(RGB(255, 0, 0));
    EraseClipArea();
    EXPECT_EQ(Count(image, 0xFF0000, {10, 5, 30, 20}), 20 * 15);
    EXPECT_EQ(Count(image, 0xFF0000), 20 * 15);
    // The image's transform is back in force: logical (-40, 90) is device (20, 10).
    SetPixelColor(-40, 90, RGB(0, 255, 0));
    EXPECT_EQ(GetSurfacePixels(&image)[620], 0x00FF00u);
    SetRasterOp(R2_XORPEN);
    SetBackgroundColor(0x00336699);
    ClearTarget();
    EXPECT_EQ(Count(image, 0x00996633), 60 * 25);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    EXPECT_EQ(Count(image, 0xFFFFFFFF), 60 * 25);  // a grey fills every byte
}

}  // namespace
