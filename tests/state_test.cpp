// The drawing state of an image: defaults and reset, colours, the copy rules
// of the styles, clearing and erasing, the transform, and styles that GDI
// refuses or that have nothing to draw with.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "pixel_tally.h"

#include <cmath>

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

DWORD PixelAt(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[y * image.Width() + x];
}

KanvoTest::PixelTally Tally(IMAGE& image, DWORD pixel, const RECT& inside) {
    return KanvoTest::TallyPixels(GetSurfacePixels(&image), image.Width(), image.Height(), pixel,
                                  inside);
}

DWORD PenType(IMAGE& image) {
    return GetObjectType(GetCurrentObject(GetSurfaceContext(&image), OBJ_PEN));
}

// Colours, modes, scale and styles of a new image, and its cosmetic default
// pen and white brush drawing as on a twin with the same defaults.
void ExpectDefaults(IMAGE& image) {
    float x = 0, y = 0;
    GetAxisScale(&x, &y);
    LINESTYLE line;
    FILLSTYLE fill;
    GetStrokeStyle(&line);
    GetInteriorStyle(&fill);
    EXPECT_EQ(GetStrokeColor() & GetInteriorColor() & GetFontColor(), 0xFFFFFFu);
    EXPECT_EQ(GetBackgroundColor(), 0u);
    EXPECT_EQ(GetBackgroundMode(), OPAQUE);
    EXPECT_TRUE(x == 1.0f && y == 1.0f);
    EXPECT_TRUE(line.style == PS_SOLID && line.thickness == 1 && !line.userPattern);
    EXPECT_TRUE(fill.style == BS_SOLID && !fill.pattern);
    EXPECT_EQ(PenType(image), static_cast<DWORD>(OBJ_PEN));

    GdiTwin twin(image.Width(), image.Height());
    const POINT corner[] = {{2, 30}, {20, 2}, {38, 30}};
    ClearTarget();
    DrawPolyline(corner, 3);
    DrawFilledEllipse(5, 10, 35, 38);
    Polyline(twin.Dc(), corner, 3);
    Ellipse(twin.Dc(), 5, 10, 35, 38);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

TEST(State, NewImageDefaultsAndResetKeepsRasterOpAndFillMode) {
    IMAGE image(40, 40), pattern(3, 3);
    SetTargetImage(&image);
    ExpectDefaults(image);
    EXPECT_EQ(GetRasterOp(), R2_COPYPEN);

    const DWORD dashes[] = {4, 2};
    SetStrokeStyle(PS_USERSTYLE, 4, dashes, 2);
    SetInteriorStyle(BS_HATCHED, HS_CROSS);
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
    SetDrawColor(RGB(9, 9, 9));
    SetInteriorColor(RGB(8, 8, 8));
    SetBackgroundColor(RGB(7, 7, 7));
    SetBackgroundMode(TRANSPARENT);
    MoveOrigin(10, 10);
    SetAxisScale(2, 3);
    HRGN region = CreateRectRgn(0, 0, 5, 5);
    SetClipRegion(region);
    DeleteObject(region);
    SetRasterOp(R2_XORPEN);
    SetPolygonFillMode(WINDING);
    ResetDrawingState();

    EXPECT_EQ(GetRasterOp(), R2_XORPEN);
    EXPECT_EQ(GetPolygonFillMode(), WINDING);
    FILLSTYLE fill;
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.hatch, HS_CROSS);  // the hatch is kept
    SetRasterOp(R2_COPYPEN);
    ExpectDefaults(image);  // no clip region, transform or old pen is left
    SetTargetImage(nullptr);
}

TEST(State, PenStylesColoursAndStylesGdiRefuses) {
    IMAGE image(60, 20);
    GdiTwin twin(60, 20);
    SetTargetImage(&image);
    // A user style without dashes: an invisible pen, the style still reported.
    SetStrokeStyle(PS_USERSTYLE, 2, nullptr, 0);
    DrawLine(0, 5, 59, 5);
    LINESTYLE line;
    GetStrokeStyle(&line);
    EXPECT_TRUE(line.style == PS_USERSTYLE && line.thickness == 2 && !line.userPattern);

    SetStrokeStyle(PS_DASH | PS_ENDCAP_FLAT, 3, nullptr, 0);
    EXTLOGPEN pen = {};
    const HGDIOBJ dashed = GetCurrentObject(GetSurfaceContext(&image), OBJ_PEN);
    ASSERT_EQ(GetObjectType(dashed), static_cast<DWORD>(OBJ_EXTPEN));
    GetObjectW(dashed, sizeof pen, &pen);
    EXPECT_TRUE(pen.elpPenStyle == 0x10201 && pen.elpWidth == 3);

    // A new colour keeps the dashes.
    SetStrokeColor(RGB(255, 0, 0));
    DrawLine(0, 10, 59, 10);
    const LOGBRUSH red = {BS_SOLID, RGB(255, 0, 0), 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(0x10201, 3, &red, 0, nullptr)));
    MoveToEx(twin.Dc(), 0, 10, nullptr);
    LineTo(twin.Dc(), 59, 10);
    EXPECT_EQ(ComparePixels(image, twin), "");

    // Styles GDI refuses leave the pen selected; the style is stored.
    const DWORD seventeen[17] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    const DWORD zeros[2] = {0, 0};
    const HGDIOBJ redPen = GetCurrentObject(GetSurfaceContext(&image), OBJ_PEN);
    SetStrokeStyle(PS_USERSTYLE, 1, seventeen, 17);
    SetStrokeStyle(PS_USERSTYLE, 1, zeros, 2);
    SetStrokeStyle(PS_ALTERNATE, 1, nullptr, 0);
    GetStrokeStyle(&line);
    EXPECT_EQ(line.style, PS_ALTERNATE);
    EXPECT_EQ(GetCurrentObject(GetSurfaceContext(&image), OBJ_PEN), redPen);

    SetTargetImage(nullptr);
}

TEST(State, BrushesRefusedOrWithoutPatternKeepTheBrush) {
    IMAGE image(20, 20), empty;
    SetTargetImage(&image);
    // A colour set while the brush is hollow shows once the brush is solid.
    SetInteriorStyle(BS_NULL);
    SetInteriorColor(RGB(0, 200, 0));
    DrawFilledRectangle(0, 0, 20, 20);
    EXPECT_EQ(GetPixelColor(10, 10), 0u);
    SetInteriorStyle(BS_SOLID, 0, nullptr);
    DrawFilledRectangle(0, 0, 20, 20);
    EXPECT_EQ(GetPixelColor(10, 10), RGB(0, 200, 0));

    // A pattern style without a pattern changes neither the style nor the brush.
    SetInteriorStyle(BS_HATCHED, HS_BDIAGONAL);
    const HGDIOBJ hatched = GetCurrentObject(GetSurfaceContext(&image), OBJ_BRUSH);
    FILLSTYLE fill;
    fill.style = BS_DIBPATTERN;
    SetInteriorStyle(&fill);
    SetInteriorStyle(BS_PATTERN, 0, nullptr);
    SetInteriorStyle(BS_DIBPATTERN, 0, &empty);
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, BS_HATCHED);
    // Unknown styles and hatches are stored, but GDI builds no brush of them.
    SetInteriorStyle(BS_HATCHED, 99);
    SetInteriorStyle(4);
    SetInteriorStyle(-1);
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, -1);
    EXPECT_EQ(GetCurrentObject(GetSurfaceContext(&image), OBJ_BRUSH), hatched);
    SetTargetImage(nullptr);
}

TEST(State, RowPatternPaintsFontColourAtTopLeftOfEachCell) {
    IMAGE image(33, 25);
    SetTargetImage(&image);
    const BYTE rows[8] = {0x80, 0, 0, 0, 0, 0, 0, 0};
    SetFontColor(RGB(255, 128, 0));
    SetBackgroundColor(RGB(0, 0, 90));
    SetInteriorStyle(rows);
    SetStrokeStyle(PS_NULL, 1, nullptr, 0);
    DrawFilledRectangle(0, 0, 34, 26);  // a null pen leaves out the far edges
    int wrong = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 33; ++x)
            wrong += PixelAt(image, x, y) != (x % 8 == 0 && y % 8 == 0 ? 0xFF8000u : 0x5Au);
    EXPECT_EQ(wrong, 0);
    SetTargetImage(nullptr);
}

TEST(State, ClearTargetFillsEveryPixelWhateverClipTransformAndRasterOp) {
    IMAGE image(30, 20);
    SetTargetImage(&image);
    MoveOrigin(5, 5);
    SetRasterOp(R2_XORPEN);
    HRGN region = CreateRectRgn(0, 0, 3, 3);
    SetClipRegion(region);
    DeleteObject(region);
    SetBackgroundColor(0x00336699);
    ClearTarget();
    EXPECT_EQ(Tally(image, 0x00996633u, {0, 0, 30, 20}).inside, 600);
    SetBackgroundColor(0x00FFFFFF);
    ClearTarget();
    EXPECT_EQ(Tally(image, 0xFFFFFFFFu, {0, 0, 30, 20}).inside, 600);
    SetTargetImage(nullptr);
}

TEST(State, EraseClipAreaAndTheTransform) {
    IMAGE image(160, 120);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(0, 0, 255));
    EraseClipArea();  // no region: the whole image
    EXPECT_EQ(Tally(image, 0x0000FFu, {0, 0, 160, 120}).inside, 160 * 120);

    MoveOrigin(100, 100);
    SetAxisScale(2, -1);
    SetAxisScale(0, 1);  // refused, as are factors without meaning
    SetAxisScale(NAN, 1);
    SetAxisScale(1, INFINITY);
    float x = 0, y = 0;
    GetAxisScale(&x, &y);
    EXPECT_TRUE(x == 2.0f && y == -1.0f);
    HRGN region = CreateRectRgn(10, 20, 30, 50);  // in device pixels
    SetClipRegion(region);
    DeleteObject(region);  // the device context holds its own copy
    SetBackgroundColor(RGB(255, 0, 0));
    EraseClipArea();
    const KanvoTest::PixelTally erased = Tally(image, 0xFF0000u, {10, 20, 30, 50});
    EXPECT_EQ(erased.inside, 20 * 30);
    EXPECT_EQ(erased.outside, 0);
    // The image's transform is back in force: logical (-40, 70) is device (20, 30).
    SetPixelColor(-40, 70, RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(image, 20, 30), 0x00FF00u);
    SetTargetImage(nullptr);
}

TEST(State, StyleCopiesOwnTheirPatternsAndNullPointersChangeNothing) {
    LINESTYLE user;
    user.style = PS_USERSTYLE | PS_JOIN_BEVEL;
    user.userPattern = new DWORD[3]{3, 1, 2};
    user.userCount = 3;
    LINESTYLE copy(user);
    EXPECT_TRUE(copy.userPattern != user.userPattern && copy.userCount == 3);
    EXPECT_EQ(copy.userPattern[2], 2u);
    user.style = PS_DASH;  // a pattern outside a user style is not copied
    copy = user;
    EXPECT_TRUE(!copy.userPattern && copy.userCount == 0);

    FILLSTYLE stale, patterned;
    stale.style = BS_HATCHED;
    stale.pattern = new IMAGE(2, 2);
    FILLSTYLE staleCopy(stale);
    EXPECT_EQ(staleCopy.pattern, nullptr);
    IMAGE image(4, 4), pattern(5, 3);
    SetTargetImage(&image);
    SetInteriorStyle(BS_DIBPATTERN, 0, &pattern);
    GetInteriorStyle(&patterned);
    ASSERT_NE(patterned.pattern, nullptr);
    staleCopy = patterned;
    EXPECT_TRUE(staleCopy.pattern != patterned.pattern && staleCopy.pattern->Width() == 5);
    staleCopy = stale;
    EXPECT_EQ(staleCopy.pattern, nullptr);

    SetStrokeStyle(PS_USERSTYLE, 1, user.userPattern, 3);
    SetStrokeStyle(static_cast<const LINESTYLE*>(nullptr));
    SetInteriorStyle(static_cast<const FILLSTYLE*>(nullptr));
    SetInteriorStyle(static_cast<const BYTE*>(nullptr));
    GetStrokeStyle(nullptr);
    GetInteriorStyle(nullptr);
    GetAxisScale(nullptr, nullptr);
    HRGN staleRegion = CreateRectRgn(0, 0, 1, 1);
    DeleteObject(staleRegion);
    SetClipRegion(staleRegion);  // no longer a region: nothing is clipped
    SetPixelColor(3, 3, RGB(4, 5, 6));
    EXPECT_EQ(PixelAt(image, 3, 3), 0x040506u);
    GetStrokeStyle(&copy);
    EXPECT_TRUE(copy.userCount == 3 && copy.userPattern[1] == 1);
    GetInteriorStyle(&stale);
    EXPECT_EQ(stale.style, BS_DIBPATTERN);
    SetTargetImage(nullptr);
}

}  // namespace
