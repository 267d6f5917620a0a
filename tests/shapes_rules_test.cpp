// The figures shapes are defined by (inclusive painted blocks, arc end
// points and their rounding, pixel colour order), and the drawing state that
// the composed variants swap and give back.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "draw/draw_on_img.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

constexpr double kPi = 3.14159265358979323846;

TEST(ShapeFigures, PaintRectangleCoversBothCornersInclusively) {
    IMAGE image(16, 16);
    SetTargetImage(&image);
    SetInteriorColor(RGB(255, 0, 0));
    PaintRectangle(10, 10, 5, 5);
    const DWORD* pixels = GetSurfacePixels(&image);
    int wrong = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 5 && x <= 10 && y >= 5 && y <= 10;
            wrong += pixels[y * 16 + x] != (inside ? 0x00FF0000u : 0u);
        }
    EXPECT_EQ(wrong, 0);
    SetTargetImage(nullptr);
}

TEST(ShapeFigures, ArcAndPieEndPoints) {
    IMAGE image(110, 110);
    GdiTwin twin(110, 110);
    SetTargetImage(&image);
    HDC dc = twin.Dc();
    // A quarter circle from three to twelve o'clock, the box in either order.
    DrawArc(0, 0, 100, 100, 0, kPi / 2);
    Arc(dc, 0, 0, 100, 100, 100, 50, 50, 0);
    EXPECT_EQ(ComparePixels(image, twin), "");
    DrawArc(100, 100, 0, 0, 0, kPi / 2);
    Arc(dc, 100, 100, 0, 0, 100, 50, 50, 0);
    EXPECT_EQ(ComparePixels(image, twin), "");
    // An odd box: centre (50, 50), radii 50.
    DrawFilledPie(0, 0, 101, 101, kPi, 1.5 * kPi);
    Pie(dc, 0, 0, 101, 101, 0, 50, 50, 100);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(ShapeFigures, ArcEndsRoundHalvesAwayFromZero) {
    // An angle whose sine is exactly one half, so that a radius of 3 gives
    // an offset of exactly 1.5.
    double angle = kPi / 6;
    for (int i = 0; i < 64 && std::sin(angle) != 0.5; ++i) angle = std::nextafter(angle, 1.0);
    ASSERT_EQ(std::sin(angle), 0.5);
    Kanvo::DrawOnImg target;
    int x1, y1, x2, y2;
    // Box -4..2: centre -1, ry 3: y = -1 - 1.5 = -2.5 and -1 + 1.5 = 0.5.
    target.ComputeArcEnds(0, -4, 6, 2, angle, -angle, &x1, &y1, &x2, &y2);
    EXPECT_EQ(y1, -3);
    EXPECT_EQ(y2, 1);
    // Box -2..4: centre 1: y = 1 - 1.5 = -0.5 and 1 + 1.5 = 2.5.
    target.ComputeArcEnds(6, 4, 0, -2, angle, -angle, &x1, &y1, &x2, &y2);
    EXPECT_EQ(y1, -1);
    EXPECT_EQ(y2, 3);
    // Angle 0 is (cx + rx, cy); the half sizes are rounded down.
    target.ComputeArcEnds(10, 20, 15, 27, 0, kPi, &x1, &y1, &x2, &y2);
    EXPECT_EQ(x1, 14);
    EXPECT_EQ(y1, 23);
    EXPECT_EQ(x2, 10);
    EXPECT_EQ(y2, 23);
}

TEST(ShapeFigures, PixelsInColorrefOrderAndOutsideAnswersInvalid) {
    IMAGE image(20, 20);
    SetTargetImage(&image);
    SetPixelColor(3, 4, 0x0000FF);
    EXPECT_EQ(GetSurfacePixels(&image)[4 * 20 + 3], 0x00FF0000u);
    EXPECT_EQ(GetPixelColor(3, 4), 0x0000FFu);
    EXPECT_EQ(GetPixelColor(20, 0), CLR_INVALID);
    EXPECT_EQ(GetPixelColor(-1, 5), CLR_INVALID);
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(region);
    DeleteObject(region);
    EXPECT_EQ(GetPixelColor(3, 4), 0x0000FFu);
    EXPECT_EQ(GetPixelColor(12, 4), CLR_INVALID);
    SetPixelColor(12, 5, 0x00FF00);  // outside the clip region: not drawn
    EXPECT_EQ(GetSurfacePixels(&image)[5 * 20 + 12], 0u);
    SetTargetImage(nullptr);
}

TEST(ShapeFigures, DrawLineMovesOnlyTheDevicePosition) {
    IMAGE image(20, 20);
    SetTargetImage(&image);
    MovePenTo(7, 8);
    DrawLine(1, 2, 15, 16);
    POINT position = {};
    GetCurrentPositionEx(GetSurfaceContext(&image), &position);
    EXPECT_EQ(position.x, 15);
    EXPECT_EQ(position.y, 16);
    EXPECT_EQ(GetPenX(), 7);
    EXPECT_EQ(GetPenY(), 8);
    SetTargetImage(nullptr);
}

// Every composed variant, at a spot of its own.
const std::vector<std::function<void()>> kComposedVariants = {
    [] { DrawRectangle(2, 2, 30, 20); },     [] { PaintRectangle(2, 2, 30, 20); },
    [] { EraseRectangle(2, 2, 30, 20); },    [] { DrawCircle(50, 20, 12); },
    [] { PaintCircle(50, 20, 12); },         [] { EraseCircle(50, 20, 12); },
    [] { DrawEllipse(70, 5, 110, 30); },     [] { PaintEllipse(70, 5, 110, 30); },
    [] { EraseEllipse(70, 5, 110, 30); },    [] { DrawRoundRect(2, 40, 40, 70, 9, 9); },
    [] { PaintRoundRect(2, 40, 40, 70, 9, 9); }, [] { EraseRoundRect(2, 40, 40, 70, 9, 9); },
    [] { DrawPie(50, 40, 90, 75, 0.5, 4); }, [] { PaintPie(50, 40, 90, 75, 0.5, 4); },
    [] { ErasePie(50, 40, 90, 75, 0.5, 4); },
    [] {
        const POINT p[] = {{95, 40}, {118, 75}, {95, 75}};
        DrawPolygon(p, 3);
        PaintPolygon(p, 3);
        ErasePolygon(p, 3);
    },
};

// Every setting a variant swaps differs from what it needs: a dashed wide
// user-style pen, a hatched brush that still keeps an earlier pattern image,
// red fill on a blue background, R2_XORPEN.
void SetEverythingToSwap(IMAGE& pattern) {
    const DWORD dashes[] = {4, 2, 1, 2};
    SetStrokeStyle(PS_USERSTYLE | PS_ENDCAP_FLAT, 2, dashes, 4);
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
    SetInteriorStyle(BS_HATCHED, HS_CROSS);
    SetInteriorColor(RGB(255, 0, 0));
    SetBackgroundColor(RGB(0, 0, 255));
    SetRasterOp(R2_XORPEN);
}

TEST(ComposedVariants, GiveBackEverySettingTheySwap) {
    IMAGE pattern(8, 8), image(120, 80), reference(120, 80);
    SetTargetImage(&pattern);
    DrawLine(0, 0, 8, 8);
    for (IMAGE* target : {&image, &reference}) {
        SetTargetImage(target);
        SetEverythingToSwap(pattern);
    }
    SetTargetImage(&image);
    for (const auto& variant : kComposedVariants) {
        variant();
        LINESTYLE line;
        FILLSTYLE fill;
        GetStrokeStyle(&line);
        GetInteriorStyle(&fill);
        ASSERT_EQ(line.style, PS_USERSTYLE | PS_ENDCAP_FLAT);
        ASSERT_EQ(line.thickness, 2);
        ASSERT_EQ(line.userCount, 4u);
        ASSERT_EQ(line.userPattern[2], 1u);
        ASSERT_EQ(fill.style, BS_HATCHED);
        ASSERT_EQ(fill.hatch, HS_CROSS);
        ASSERT_EQ(GetInteriorColor(), RGB(255, 0, 0));
        ASSERT_EQ(GetBackgroundColor(), RGB(0, 0, 255));
        ASSERT_EQ(GetRasterOp(), R2_XORPEN);
    }
    // The pens and brushes are rebuilt too, and the kept pattern image is
    // still there: the same drawing on the reference, whose settings were
    // never swapped, gives the same pixels.
    for (IMAGE* target : {&image, &reference}) {
        SetTargetImage(target);
        ClearTarget();
        DrawFilledRectangle(5, 5, 60, 40);
        SetInteriorStyle(BS_PATTERN);
        DrawFilledEllipse(50, 20, 115, 75);
    }
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&image), GetSurfacePixels(&reference), 120, 80), "");
    SetTargetImage(nullptr);
}

TEST(ComposedVariants, HatchedOutlineLeavesTheInsideAlone) {
    IMAGE image(200, 200);
    SetTargetImage(&image);
    SetInteriorStyle(BS_HATCHED, HS_BDIAGONAL);
    DrawCircle(100, 100, 50);
    EXPECT_EQ(GetSurfacePixels(&image)[100 * 200 + 100], 0u);
    EXPECT_EQ(GetSurfacePixels(&image)[100 * 200 + 50], 0x00FFFFFFu);
    SetTargetImage(nullptr);
}

TEST(ComposedVariants, CreateNoObjectWhenNothingNeedsSwapping) {
    IMAGE image(120, 80), pattern(8, 8);
    SetTargetImage(&image);
    HDC dc = GetSurfaceContext(&image);
    SetStrokeStyle(PS_NULL);
    SetInteriorStyle(BS_NULL);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), hollow = GetCurrentObject(dc, OBJ_BRUSH);
    // Outline and fill-only variants: the brush is hollow, the pen null.
    for (size_t v = 0; v + 1 < kComposedVariants.size(); v += 3) {
        kComposedVariants[v]();
        kComposedVariants[v + 1]();
    }
    const bool sameForDrawAndPaint = GetCurrentObject(dc, OBJ_PEN) == pen &&
                                     GetCurrentObject(dc, OBJ_BRUSH) == hollow;
    // Background fills: a solid brush of the background colour, R2_COPYPEN.
    SetInteriorStyle(BS_SOLID);
    SetInteriorColor(GetBackgroundColor());
    const HGDIOBJ solid = GetCurrentObject(dc, OBJ_BRUSH);
    for (size_t v = 2; v < kComposedVariants.size(); v += 3) kComposedVariants[v]();
    const bool sameForErase =
        GetCurrentObject(dc, OBJ_PEN) == pen && GetCurrentObject(dc, OBJ_BRUSH) == solid;
    // With everything to swap, pens and brushes are rebuilt, none left over.
    SetEverythingToSwap(pattern);
    const int freeBefore = KanvoTest::FreeGdiSlots();
    for (int i = 0; i < 20; ++i)
        for (const auto& variant : kComposedVariants) variant();
    const int freeAfter = KanvoTest::FreeGdiSlots();
    EXPECT_TRUE(sameForDrawAndPaint);
    EXPECT_TRUE(sameForErase);
    EXPECT_EQ(freeAfter, freeBefore);
    SetTargetImage(nullptr);
}

}  // namespace
