// Choosing targets, the composite functions and the pen position, checked
// against the same drawing done with raw GDI on a twin bitmap.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

void RawBox3D(HDC dc, int l, int t, int r, int b, int depth, bool top) {
    const int d = (3 * depth) >> 2;
    Rectangle(dc, l, t, r, b);
    auto line = [dc](int x1, int y1, int x2, int y2) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    line(r, b, r + depth, b - d);
    line(r + depth, b - d, r + depth, t - d);
    if (top) {
        line(l, t, l + depth, t - d);
        line(l + depth, t - d, r + depth, t - d);
        line(r + depth, t - d, r, t);
    }
}

TEST(Targets, SwitchingTargetsSwitchesSizeAndState) {
    IMAGE a(30, 20), b(50, 40);
    SetTargetImage(&a);
    EXPECT_EQ(GetTargetImage(), &a);
    EXPECT_EQ(GetTargetWidth(), 30);
    EXPECT_EQ(GetLastColumn(), 29);
    SetStrokeColor(RGB(1, 2, 3));
    SetTargetImage(&b);
    EXPECT_EQ(GetTargetHeight(), 40);
    EXPECT_EQ(GetLastRow(), 39);
    EXPECT_EQ(GetStrokeColor(), 0xFFFFFFu);
    SetTargetImage(&a);
    EXPECT_EQ(GetStrokeColor(), RGB(1, 2, 3));
    SetTargetImage(nullptr);
}

TEST(Targets, WithoutAWindowTheWindowImageIsTheTarget) {
    IMAGE image(8, 8);
    SetTargetImage(&image);
    SetTargetImage(nullptr);
    IMAGE* window = GetTargetImage();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window, &image);
    DrawLine(0, 0, 10, 10);  // an empty back buffer: nothing happens
    EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
}

TEST(Targets, DestroyingTheCurrentImageFallsBackToTheWindow) {
    IMAGE* image = new IMAGE(10, 10);
    SetTargetImage(image);
    delete image;
    IMAGE* target = GetTargetImage();
    EXPECT_NE(target, image);
    EXPECT_NE(target, nullptr);  // the window's image (no window is open)
    DrawFilledRectangle(0, 0, 5, 5);
    EXPECT_EQ(GetTargetWidth(), 0);
}

TEST(Targets, DrawBox3DMatchesRawGdiAndIgnoresCornerOrder) {
    IMAGE image(200, 200);
    GdiTwin twin(200, 200);
    SetTargetImage(&image);
    SetStrokeColor(RGB(255, 255, 0));  // a geometric pen from here on
    SetInteriorColor(RGB(0, 0, 200));
    DrawBox3D(100, 100, 50, 50, 20, true);
    DrawBox3D(120, 180, 170, 150, 9, false);
    DrawBox3D(10, 10, 30, 30, 0, true);
    DrawBox3D(10, 150, 40, 190, -7, true);

    LOGBRUSH stroke = {BS_SOLID, RGB(255, 255, 0), 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &stroke, 0, nullptr)));
    DeleteObject(SelectObject(twin.Dc(), CreateSolidBrush(RGB(0, 0, 200))));
    RawBox3D(twin.Dc(), 50, 50, 100, 100, 20, true);
    RawBox3D(twin.Dc(), 120, 150, 170, 180, 9, false);
    RawBox3D(twin.Dc(), 10, 10, 30, 30, 0, true);
    RawBox3D(twin.Dc(), 10, 150, 40, 190, -7, true);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Targets, PenPositionDrawsSegmentsAndSurvivesTargetChanges) {
    IMAGE image(60, 20), other(5, 5);
    GdiTwin twin(60, 20);
    SetTargetImage(&image);
    MovePenTo(0, 0);
    DrawSegmentBy(10, 0);
    DrawSegmentBy(10, 0);
    EXPECT_EQ(GetPenX(), 20);
    EXPECT_EQ(GetPenY(), 0);
    SetTargetImage(&other);
    EXPECT_EQ(GetPenX(), 20);
    SetTargetImage(&image);
    MovePenBy(0, 5);
    DrawSegmentTo(40, 15);
    EXPECT_EQ(GetPenX(), 40);
    EXPECT_EQ(GetPenY(), 15);
    DrawLine(1, 19, 50, 19);  // drawing does not move the pen position
    EXPECT_EQ(GetPenX(), 40);

    MoveToEx(twin.Dc(), 0, 0, nullptr);
    LineTo(twin.Dc(), 10, 0);
    MoveToEx(twin.Dc(), 10, 0, nullptr);
    LineTo(twin.Dc(), 20, 0);
    MoveToEx(twin.Dc(), 20, 5, nullptr);
    LineTo(twin.Dc(), 40, 15);
    MoveToEx(twin.Dc(), 1, 19, nullptr);
    LineTo(twin.Dc(), 50, 19);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

TEST(Targets, SecondNamesReachTheSameOperations) {
    IMAGE image(40, 40);
    GdiTwin twin(40, 40);
    SetTargetImage(&image);
    SetDrawColor(RGB(10, 20, 30));
    EXPECT_EQ(GetStrokeColor(), RGB(10, 20, 30));
    EXPECT_EQ(GetFontColor(), RGB(10, 20, 30));
    EXPECT_EQ(GetDrawColor(), RGB(10, 20, 30));
    SetMixMode(R2_XORPEN);
    EXPECT_EQ(GetRasterOp(), R2_XORPEN);
    SetMixMode(R2_COPYPEN);
    SetInteriorColor(RGB(0, 255, 0));
    PaintBlock(30, 30, 20, 20);  // inclusive corners, either order
    const POINT triangle[] = {{2, 2}, {15, 2}, {2, 15}};
    DrawFilledPolygonByCount(3, triangle);
    DrawPolygonByCount(0, triangle);
    DrawPolygonByCount(3, nullptr);

    LOGBRUSH stroke = {BS_SOLID, RGB(10, 20, 30), 0};
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &stroke, 0, nullptr)));
    DeleteObject(SelectObject(twin.Dc(), GetStockObject(NULL_PEN)));
    DeleteObject(SelectObject(twin.Dc(), CreateSolidBrush(RGB(0, 255, 0))));
    Rectangle(twin.Dc(), 20, 20, 31, 31);
    DeleteObject(SelectObject(twin.Dc(), ExtCreatePen(PS_GEOMETRIC, 1, &stroke, 0, nullptr)));
    Polygon(twin.Dc(), triangle, 3);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);
}

}  // namespace
