// The figures shapes are defined by (inclusive painted blocks, arc end
// points and their rounding, pixel colour order), and the drawing state that
// the composed variants swap and give back.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw/draw_on_img.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

constexpr double kPi = 3.14159265358979323846;

TEST(ShapeFigures, InclusiveBlockAndArcEndPoints) {
    IMAGE image(110, 110);
    GdiTwin twin(110, 110);
    SetTargetImage(&image);
    HDC dc = twin.Dc();
    // Columns and rows 5 to 10, whichever corner comes first.
    SetInteriorColor(RGB(255, 0, 0));
    PaintRectangle(10, 10, 5, 5);
    int wrong = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            wrong += GetPixelColor(x, y) != (x >= 5 && x <= 10 && y >= 5 && y <= 10 ? 0xFFu : 0u);
    EXPECT_EQ(wrong, 0);
    ClearTarget();
    // A quarter circle from three to twelve o'clock, the box in either order;
    // a pie in an odd box: centre (50, 50), radii 50.
    DrawArc(0, 0, 100, 100, 0, kPi / 2);
    DrawArc(100, 100, 0, 0, 0, kPi / 2);
    DrawFilledPie(0, 0, 101, 101, kPi, 1.5 * kPi);
    Arc(dc, 0, 0, 100, 100, 100, 50, 50, 0);
    Arc(dc, 100, 100, 0, 0, 100, 50, 50, 0);
    DeleteObject(SelectObject(dc, CreateSolidBrush(RGB(255, 0, 0))));
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

TEST(ShapeFigures, PixelsInColorrefOrderAndOnlyWhereVisible) {
    IMAGE image(24, 20);
    SetTargetImage(&image);
    SetPixelColor(3, 4, 0x0000FF);
    EXPECT_EQ(GetSurfacePixels(&image)[4 * 24 + 3], 0x00FF0000u);
    EXPECT_EQ(GetPixelColor(3, 4), 0x0000FFu);
    EXPECT_EQ(GetPixelColor(24, 0), CLR_INVALID);
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(region);
    DeleteObject(region);
    EXPECT_EQ(GetPixelColor(12, 4), CLR_INVALID);
    SetPixelColor(12, 5, 0x00FF00);
    EXPECT_EQ(GetSurfacePixels(&image)[5 * 24 + 12], 0u);
    SetClipRegion(nullptr);
    // Reads agree with GetPixel inside and outside, under several transforms.
    DWORD* pixels = GetSurfacePixels(&image);
    for (int i = 0; i < 24 * 20; ++i) pixels[i] = 0xFF000000u | (i * 2654435761u >> 8);
    HDC dc = GetSurfaceContext(&image);
    const float transforms[][4] = {{0, 0, 1, 1}, {5, -3, 1, 1}, {20, 15, -1, -1}, {1, 2, 2, 0.5f}};
    int disagreements = 0;
    for (const auto& t : transforms) {
        MoveOrigin(int(t[0]), int(t[1]));
        SetAxisScale(t[2], t[3]);
        for (int y = -25; y < 25; ++y)
            for (int x = -25; x < 30; ++x)
                disagreements += GetPixelColor(x, y) != GetPixel(dc, x, y);
    }
    EXPECT_EQ(disagreements, 0);
    // DrawLine leaves the device's current position at its end, and the
    // library's pen position where it was.
    MovePenTo(7, 8);
    DrawLine(1, 2, 15, 16);
    POINT position = {};
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 15);
    EXPECT_EQ(position.y, 16);
    EXPECT_EQ(GetPenX(), 7);
    SetTargetImage(nullptr);
}

const POINT kTriangle[] = {{95, 40}, {118, 75}, {95, 75}};

// Every composed variant (outline only, fill only, background fill), each
// shape at a spot of its own.
void (*const kComposed[][3])() = {
    {[] { DrawRectangle(2, 2, 30, 20); }, [] { PaintRectangle(2, 2, 30, 20); },
     [] { EraseRectangle(2, 2, 30, 20); }},
    {[] { DrawCircle(50, 20, 12); }, [] { PaintCircle(50, 20, 12); },
     [] { EraseCircle(50, 20, 12); }},
    {[] { DrawEllipse(70, 5, 110, 30); }, [] { PaintEllipse(70, 5, 110, 30); },
     [] { EraseEllipse(70, 5, 110, 30); }},
    {[] { DrawRoundRect(2, 40, 40, 70, 9, 9); }, [] { PaintRoundRect(2, 40, 40, 70, 9, 9); },
     [] { EraseRoundRect(2, 40, 40, 70, 9, 9); }},
    {[] { DrawPie(50, 40, 90, 75, 0.5, 4); }, [] { PaintPie(50, 40, 90, 75, 0.5, 4); },
     [] { ErasePie(50, 40, 90, 75, 0.5, 4); }},
    {[] { DrawPolygon(kTriangle, 3); }, [] { PaintPolygon(kTriangle, 3); },
     [] { ErasePolygon(kTriangle, 3); }},
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

// The settings that composed variants swap, as text.
std::string Settings() {
    LINESTYLE line;
    FILLSTYLE fill;
    GetStrokeStyle(&line);
    GetInteriorStyle(&fill);
    std::string text = std::to_string(line.style) + " " + std::to_string(line.thickness) + " [";
    for (DWORD i = 0; i < line.userCount; ++i) text += std::to_string(line.userPattern[i]) + " ";
    return text + "] " + std::to_string(fill.style) + " " + std::to_string(fill.hatch) + " " +
           std::to_string(GetInteriorColor()) + " " + std::to_string(GetBackgroundColor()) + " " +
           std::to_string(GetRasterOp());
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
    const std::string before = Settings();
    for (const auto& shape : kComposed)
        for (auto variant : shape) {
            variant();
            ASSERT_EQ(Settings(), before);
        }
    // The pen and brush are rebuilt as they were: the same drawing on the
    // reference, whose settings were never swapped, gives the same pixels.
    for (IMAGE* target : {&image, &reference}) {
        SetTargetImage(target);
        ClearTarget();
        DrawFilledRectangle(5, 5, 60, 40);
        DrawFilledEllipse(50, 20, 115, 75);
    }
    EXPECT_EQ(ComparePixels(GetSurfacePixels(&image), GetSurfacePixels(&reference), 120, 80), "");
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
    for (const auto& shape : kComposed) {
        shape[0]();
        shape[1]();
    }
    const bool sameForDrawAndPaint = GetCurrentObject(dc, OBJ_PEN) == pen &&
                                     GetCurrentObject(dc, OBJ_BRUSH) == hollow;
    // Background fills: a solid brush of the background colour, R2_COPYPEN.
    SetInteriorStyle(BS_SOLID);
    SetInteriorColor(GetBackgroundColor());
    const HGDIOBJ solid = GetCurrentObject(dc, OBJ_BRUSH);
    for (const auto& shape : kComposed) shape[2]();
    const bool sameForErase =
        GetCurrentObject(dc, OBJ_PEN) == pen && GetCurrentObject(dc, OBJ_BRUSH) == solid;
    // With everything to swap, pens and brushes are rebuilt, none left over.
    SetEverythingToSwap(pattern);
    const int freeBefore = KanvoTest::FreeGdiSlots();
    for (int i = 0; i < 20; ++i)
        for (const auto& shape : kComposed)
            for (auto variant : shape) variant();
    const int freeAfter = KanvoTest::FreeGdiSlots();
    EXPECT_TRUE(sameForDrawAndPaint);
    EXPECT_TRUE(sameForErase);
    EXPECT_EQ(freeAfter, freeBefore);
    SetTargetImage(nullptr);
}

}  // namespace
