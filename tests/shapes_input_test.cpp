// Bad and extreme arguments to the shapes: malformed point lists, sizes at
// the integer limits, shapes too large to rasterise, non-finite angles. Each
// call returns promptly, draws nothing or what GDI draws, and leaks nothing.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

const POINT kPoints[7] = {{2, 2}, {30, 4}, {4, 30}, {30, 30}, {20, 2}, {2, 20}, {25, 25}};

TEST(ShapeInput, MalformedPointListsDrawNothing) {
    IMAGE image(40, 40);
    GdiTwin twin(40, 40);
    SetTargetImage(&image);
    SetStrokeColor(0xFFFFFF);  // the geometric pen that the fill-only variants leave
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr)));
    using PointShape = void (*)(const POINT*, int);
    for (PointShape shape : {PointShape(DrawPolyline), PointShape(DrawPolygon),
                             PointShape(DrawFilledPolygon), PointShape(PaintPolygon),
                             PointShape(ErasePolygon), PointShape(DrawBezier)}) {
        shape(nullptr, 4);
        shape(kPoints, 0);
        shape(kPoints, -1);
        shape(kPoints, INT_MIN);
    }
    for (int count : {2, 3, 5, 6}) DrawBezier(kPoints, count);
    EXPECT_EQ(ComparePixels(image, twin), "");
    // Whole Bezier chains are drawn.
    DrawBezier(kPoints, 4);
    DrawBezier(kPoints, 7);
    PolyBezier(twin.Dc(), kPoints, 4);
    PolyBezier(twin.Dc(), kPoints, 7);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(ShapeInput, HugeShapesReturnAndDrawOnlyWhatFits) {
    IMAGE image(64, 48);
    GdiTwin twin(64, 48);
    HDC dc = twin.Dc();
    SetTargetImage(&image);
    DrawFilledCircle(0, 0, 1);  // first use may set up lasting system state
    Ellipse(dc, -1, -1, 1, 1);
    const int freeBefore = KanvoTest::FreeGdiSlots();
    const int big = 1000000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const POINT tall[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};

    // Beyond the raster limits (unguarded, some of these hang the process or
    // corrupt its heap): nothing is drawn.
    DrawFilledEllipse(-big, -big, big, big);
    DrawFilledCircle(10, 10, INT_MAX);
    DrawFilledCircle(INT_MIN, 10, 5);
    DrawFilledRoundRect(-big, -big, big, big, 20, 20);
    DrawArc(-big, -big, big, big, 0.5, 2);
    PaintPie(-big, -big, big, big, 0.5, 2);
    DrawFilledPolygon(tall, 3);
    DrawArc(0, 0, 40, 40, nan, 1);
    DrawFilledPie(0, 0, 40, 40, 1, std::numeric_limits<double>::infinity());
    SetAxisScale(1000, 1000);
    DrawFilledCircle(0, 0, 100);
    SetAxisScale(1, 1);
    SetStrokeStyle(PS_SOLID, big);
    DrawLine(0, 0, 30, 30);
    SetStrokeStyle(PS_SOLID, 3);
    DrawLine(-100 * big, 5, 100 * big, 40);
    DrawPolyline(tall, 3);
    SetStrokeStyle(PS_SOLID, 1);

    // Thin straight lines and rectangles, and curves within the limits, are
    // drawn at any size, as GDI draws them.
    DrawLine(INT_MIN, 10, INT_MAX, 12);
    DrawPolyline(tall, 3);
    PaintRectangle(INT_MIN, 30, INT_MAX, INT_MAX);
    DrawFilledCircle(30010, 24, 30000);
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};
    DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, nullptr)));
    MoveToEx(dc, INT_MIN, 10, nullptr);
    LineTo(dc, INT_MAX, 12);
    Polyline(dc, tall, 3);
    HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, INT_MIN, 30, INT_MAX, INT_MAX);
    SelectObject(dc, pen);
    Ellipse(dc, 10, -29976, 60010, 30024);
    SetTargetImage(nullptr);
    const int freeAfter = KanvoTest::FreeGdiSlots();
    EXPECT_EQ(ComparePixels(image, twin), "");
    EXPECT_EQ(freeAfter, freeBefore);
}

TEST(ShapeInput, DegenerateArgumentsDrawWhatGdiDraws) {
    IMAGE image(40, 40);
    GdiTwin twin(40, 40);
    HDC dc = twin.Dc();
    SetTargetImage(&image);
    DrawFilledCircle(20, 20, -8);  // the box in reverse order
    DrawFilledCircle(5, 5, 0);
    DrawFilledEllipse(30, 30, 30, 36);
    DrawFilledRoundRect(2, 25, 15, 38, -6, 100);
    DrawArc(10, 10, 10, 10, 0, 1);
    FillAreaAt(-5, -5, 0, FLOODFILLSURFACE);
    FillAreaAt(1, 1, 0, 7);  // not a flood-fill mode
    Ellipse(dc, 28, 28, 12, 12);
    Ellipse(dc, 5, 5, 5, 5);
    Ellipse(dc, 30, 30, 30, 36);
    RoundRect(dc, 2, 25, 15, 38, -6, 100);
    Arc(dc, 10, 10, 10, 10, 10, 10, 10, 10);
    ExtFloodFill(dc, -5, -5, 0, FLOODFILLSURFACE);
    ExtFloodFill(dc, 1, 1, 0, 7);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(ShapeInput, ComposedVariantsAfterTheWindowClosed) {
    OpenGraphWindow(100, 80);
    CloseGraphWindow();
    SetInteriorStyle(BS_HATCHED, HS_CROSS);
    SetRasterOp(R2_XORPEN);
    DrawCircle(10, 10, 5);
    PaintPie(0, 0, 30, 30, 0, 2);
    EraseRectangle(0, 0, 30, 30);
    FILLSTYLE fill;
    GetInteriorStyle(&fill);
    EXPECT_EQ(fill.style, BS_HATCHED);
    EXPECT_EQ(GetRasterOp(), R2_XORPEN);
    EXPECT_EQ(GetWindowHandle(), nullptr);
}

}  // namespace
