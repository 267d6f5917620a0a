// The size limits of shapes: just inside each limit a shape is drawn as the
// system draws it, just past it nothing is drawn; thin pens and polygons are
// not held to the curve limit.
#include <gtest/gtest.h>

#include "gdi_twin.h"

namespace {

using namespace KanvoTest;

constexpr int kWidth = 640, kHeight = 480;

int LitPixels(const GdiTwin& twin) {
    const RECT all = {0, 0, kWidth, kHeight};
    return kWidth * kHeight - CountPixels(twin.Pixels(), kWidth, all, 0);
}

// An image as the target beside its raw-GDI twin, both black; the twin's pen
// is a geometric pen as Kanvo's and its brush none, as for Draw... shapes.
class RasterLimits : public ::testing::Test {
protected:
    void SetUp() override {
        SetTargetImage(&image_);
        SelectPen(1);
        SelectObject(twin_.Dc(), GetStockObject(NULL_BRUSH));
    }
    void TearDown() override {
        SelectAndDelete(twin_.Dc(), GetStockObject(WHITE_BRUSH));
        SetTargetImage(nullptr);
    }
    void SelectPen(int thickness) {
        const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};
        SelectAndDelete(twin_.Dc(), ExtCreatePen(PS_GEOMETRIC, thickness, &white, 0, nullptr));
        SetStrokeStyle(PS_SOLID, thickness);
    }
    // An ellipse whose box is `extent` pixels wide and high, its top touching
    // the middle of the image: a horizon arc across it.
    static RECT HorizonBox(int extent) {
        return {kWidth / 2 - extent / 2, kHeight / 2, kWidth / 2 - extent / 2 + extent,
                kHeight / 2 + extent};
    }

    IMAGE image_{kWidth, kHeight};
    GdiTwin twin_{kWidth, kHeight};
};

TEST_F(RasterLimits, EllipseAtTheCurveLimitIsDrawnAsTheSystemDrawsIt) {
    const RECT box = HorizonBox(799999);  // with the pen: 800 000 pixels
    DrawEllipse(box.left, box.top, box.right, box.bottom);
    Ellipse(twin_.Dc(), box.left, box.top, box.right, box.bottom);
    EXPECT_GT(LitPixels(twin_), 0);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, EllipseOnePixelPastTheCurveLimitIsNotDrawn) {
    const RECT box = HorizonBox(800000);
    DrawEllipse(box.left, box.top, box.right, box.bottom);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, ThinPenIsOnePixelWideAtAnyAxisScale) {
    SetAxisScale(2, 2);
    DrawLine(-20000, 100, 20000, 110);  // 80 000 device pixels long
    const XFORM doubled = {2, 0, 0, 2, 0, 0};
    SetWorldTransform(twin_.Dc(), &doubled);
    MoveToEx(twin_.Dc(), -20000, 100, nullptr);
    LineTo(twin_.Dc(), 20000, 110);
    EXPECT_GT(LitPixels(twin_), 0);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, WidePenLineAtTheWidePenLimitIsDrawnAsTheSystemDrawsIt) {
    SelectPen(3);
    DrawLine(0, 240, 999997, 240);  // with the pen: 1 000 000 pixels
    MoveToEx(twin_.Dc(), 0, 240, nullptr);
    LineTo(twin_.Dc(), 999997, 240);
    EXPECT_GT(LitPixels(twin_), 0);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, WidePenLineOnePixelPastTheWidePenLimitIsNotDrawn) {
    SelectPen(3);
    DrawLine(0, 240, 999998, 240);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, PolygonAtTheDeviceCoordinateLimitIsDrawnAsTheSystemDrawsIt) {
    const POINT tall[] = {{0, 100}, {640, 100}, {320, 134217727}};
    DrawPolygon(tall, 3);
    Polygon(twin_.Dc(), tall, 3);
    EXPECT_GT(LitPixels(twin_), 0);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

TEST_F(RasterLimits, PolygonOnePixelPastTheDeviceCoordinateLimitIsNotDrawn) {
    const POINT tall[] = {{0, 100}, {640, 100}, {320, 134217728}};
    DrawPolygon(tall, 3);
    EXPECT_EQ(ComparePixels(image_, twin_), "");
}

}  // namespace
