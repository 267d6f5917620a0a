// The figures shapes are defined by (inclusive painted blocks, arc end points
// and their rounding, pixel colour order), and bad or extreme arguments: each
// call returns promptly, draws nothing or what GDI draws, and leaks nothing.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>

#include "draw/draw_on_img.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using namespace KanvoTest;

constexpr double kPi = 3.14159265358979323846;

TEST(ShapeFigures, InclusiveBlockArcEndPointsAndTheirRounding) {
    IMAGE image(110, 110);
    GdiTwin twin(110, 110);
    HDC dc = twin.Dc();
    SetTargetImage(&image);
    // Columns and rows 5 to 10, whichever corner comes first.
    SetInteriorColor(RGB(255, 0, 0)); PaintRectangle(10, 10, 5, 5);
    EXPECT_EQ(CountPixels(GetSurfacePixels(&image), 110, {5, 5, 11, 11}, 0xFF0000), 36);
    EXPECT_EQ(CountPixels(GetSurfacePixels(&image), 110, {0, 0, 110, 110}, 0xFF0000), 36);
    // A quarter circle from three to twelve o'clock, the box in either order;
    // a pie in an odd box: centre (50, 50), radii 50.
    ClearTarget(); SelectAndDelete(dc, CreateSolidBrush(RGB(255, 0, 0)));
    DrawArc(0, 0, 100, 100, 0, kPi / 2); Arc(dc, 0, 0, 100, 100, 100, 50, 50, 0);
    DrawArc(100, 100, 0, 0, 0, kPi / 2); Arc(dc, 100, 100, 0, 0, 100, 50, 50, 0);
    DrawFilledPie(0, 0, 101, 101, kPi, 1.5 * kPi); Pie(dc, 0, 0, 101, 101, 0, 50, 50, 100);
    EXPECT_EQ(ComparePixels(image, twin), "");
    // An angle whose sine is exactly one half, so that a radius of 3 gives 1.5.
    double angle = kPi / 6;
    for (int i = 0; i < 64 && std::sin(angle) != 0.5; ++i) angle = std::nextafter(angle, 1.0);
    ASSERT_EQ(std::sin(angle), 0.5);
    auto ends = [](int l, int t, int r, int b, double start, double end) {
        std::array<int, 4> e{};
        Kanvo::DrawOnImg().ComputeArcEnds(l, t, r, b, start, end, &e[0], &e[1], &e[2], &e[3]);
        return e;
    };
    // Centre y -1, then 1 (the box ordered): y = -2.5 and 0.5, then -0.5 and 2.5.
    EXPECT_EQ(ends(0, -4, 6, 2, angle, -angle), (std::array<int, 4>{6, -3, 6, 1}));
    EXPECT_EQ(ends(6, 4, 0, -2, angle, -angle), (std::array<int, 4>{6, -1, 6, 3}));
    // Angle 0 is (cx + rx, cy); the half sizes are rounded down.
    EXPECT_EQ(ends(10, 20, 15, 27, 0, kPi), (std::array<int, 4>{14, 23, 10, 23}));
}

TEST(ShapeFigures, PixelsInColorrefOrderAndOnlyWhereVisible) {
    IMAGE image(24, 20);
    SetTargetImage(&image);
    HDC dc = GetSurfaceContext(&image);
    DWORD* pixels = GetSurfacePixels(&image);
    SetPixelColor(3, 4, 0x0000FF); EXPECT_EQ(pixels[4 * 24 + 3], 0x00FF0000u);
    EXPECT_EQ(GetPixelColor(3, 4), 0x0000FFu);
    EXPECT_EQ(GetPixelColor(24, 0), CLR_INVALID);
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(region); DeleteObject(region); EXPECT_EQ(GetPixelColor(12, 4), CLR_INVALID);
    // Reads agree with GetPixel inside and outside, under several transforms.
    SetClipRegion(nullptr);
    for (int i = 0; i < 24 * 20; ++i) pixels[i] = 0xFF000000u | (i * 2654435761u >> 8);
    const float transforms[][4] = {{0, 0, 1, 1}, {5, -3, 1, 1}, {20, 15, -1, -1}, {1, 2, 2, 0.5f}};
    int disagreements = 0;
    for (const auto& t : transforms) {
        MoveOrigin(static_cast<int>(t[0]), static_cast<int>(t[1])); SetAxisScale(t[2], t[3]);
        for (int y = -25; y < 25; ++y)
            for (int x = -25; x < 30; ++x) disagreements += GetPixelColor(x, y) != GetPixel(dc, x, y);
    }
    EXPECT_EQ(disagreements, 0);
    // DrawLine leaves the device's current position at its end, and the
    // library's pen position where it was.
    POINT position = {};
    MovePenTo(7, 8); DrawLine(1, 2, 15, 16); GetCurrentPositionEx(dc, &position);
    EXPECT_TRUE(position.x == 15 && position.y == 16 && GetPenX() == 7 && GetPenY() == 8);
}

TEST(ShapeInput, BadAndExtremeArgumentsDrawNothingOrWhatGdiDraws) {
    IMAGE image(64, 48);
    GdiTwin twin(64, 48);
    HDC dc = twin.Dc();
    SetTargetImage(&image);
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};  // a geometric pen, as Kanvo's
    SetStrokeColor(0xFFFFFF); SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr));
    DrawFilledCircle(0, 0, 1); Ellipse(dc, -1, -1, 1, 1);  // first use may set up lasting state
    const int freeBefore = FreeGdiSlots();
    // Point lists without points and broken Bezier chains draw nothing.
    const POINT points[7] = {{2, 2}, {30, 4}, {4, 30}, {30, 30}, {20, 2}, {2, 20}, {25, 25}};
    using PointShape = void (*)(const POINT*, int);
    for (PointShape shape : {PointShape(DrawPolyline), PointShape(DrawPolygon),
                             PointShape(DrawFilledPolygon), PointShape(PaintPolygon),
                             PointShape(ErasePolygon), PointShape(DrawBezier)})
        for (int count : {0, -1, INT_MIN}) { shape(points, count); shape(nullptr, 4); }
    for (int count : {2, 3, 5, 6}) DrawBezier(points, count);
    // Beyond the raster limits (unguarded, some of these hang the process or
    // corrupt its heap) nothing is drawn either.
    const int big = 1000000;
    const POINT tall[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    DrawFilledEllipse(-big, -big, big, big); DrawFilledRoundRect(-big, -big, big, big, 20, 20);
    DrawFilledCircle(10, 10, INT_MAX); DrawFilledCircle(INT_MIN, 10, 5);
    DrawArc(-big, -big, big, big, 0.5, 2); PaintPie(-big, -big, big, big, 0.5, 2);
    DrawFilledPolygon(tall, 3); DrawArc(0, 0, 40, 40, NAN, 1); DrawFilledPie(0, 0, 40, 40, 1, INFINITY);
    SetAxisScale(1000, 1000); DrawFilledCircle(0, 0, 100); SetAxisScale(1, 1);
    SetStrokeStyle(PS_SOLID, big); DrawLine(0, 0, 30, 30);
    SetStrokeStyle(PS_SOLID, 3); DrawLine(-100 * big, 5, 100 * big, 40); DrawPolyline(tall, 3);
    SetStrokeStyle(PS_SOLID, 1); EXPECT_EQ(ComparePixels(image, twin), "");
    // Whole Bezier chains, negative and zero sizes, odd corner sizes, flood
    // fills outside the image or in no known mode; thin lines and rectangles,
    // and curves within the limits, at any size: as GDI draws them.
    DrawBezier(points, 7); PolyBezier(dc, points, 7);
    DrawFilledCircle(20, 20, -8); Ellipse(dc, 28, 28, 12, 12);
    DrawFilledCircle(5, 5, 0); Ellipse(dc, 5, 5, 5, 5);
    DrawFilledRoundRect(2, 25, 15, 38, -6, 100); RoundRect(dc, 2, 25, 15, 38, -6, 100);
    FillAreaAt(-5, -5, 0, FLOODFILLSURFACE); ExtFloodFill(dc, -5, -5, 0, FLOODFILLSURFACE);
    FillAreaAt(1, 1, 0, 7); ExtFloodFill(dc, 1, 1, 0, 7);
    DrawLine(INT_MIN, 10, INT_MAX, 12); MoveToEx(dc, INT_MIN, 10, nullptr); LineTo(dc, INT_MAX, 12);
    DrawPolyline(tall, 3); Polyline(dc, tall, 3);
    DrawFilledCircle(30050, 24, 30000); Ellipse(dc, 50, -29976, 60050, 30024);
    PaintRectangle(INT_MIN, 40, INT_MAX, INT_MAX);
    const HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, INT_MIN, 40, INT_MAX, INT_MAX); SelectObject(dc, pen);
    const int freeAfter = FreeGdiSlots();
    EXPECT_EQ(ComparePixels(image, twin), "");
    EXPECT_EQ(freeAfter, freeBefore);
}

TEST(ShapeInput, ComposedVariantsAfterTheWindowClosed) {
    OpenGraphWindow(100, 80);
    CloseGraphWindow();
    SetInteriorStyle(BS_HATCHED, HS_CROSS); SetRasterOp(R2_XORPEN);
    DrawCircle(10, 10, 5); PaintPie(0, 0, 30, 30, 0, 2); EraseRectangle(0, 0, 30, 30);
    FILLSTYLE fill;
    GetInteriorStyle(&fill);
    EXPECT_TRUE(fill.style == BS_HATCHED && GetRasterOp() == R2_XORPEN && !GetWindowHandle());
}

}  // namespace
