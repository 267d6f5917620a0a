// The primitive shapes: one GDI call each on the current image, arguments
// passed through unchanged. Shapes beyond the raster limits (raster_limits.h)
// and malformed point lists draw nothing.
#include "image_target.h"

#include "../image/pixel_bitmap.h"

#include <climits>
#include <cmath>

namespace Kanvo {
namespace {

bool FitsInt(long long v) {
    return v >= INT_MIN && v <= INT_MAX;
}

// GDI reads `count` points; a Bezier chain needs 3n + 1 of them.
bool ValidPoints(const POINT* points, int count) {
    return points && count > 0;
}

}  // namespace

bool ImageTarget::Drawable(const ShapeBounds& bounds, ShapeKind kind) {
    const IMAGE& image = Image();
    return WithinRasterLimits(bounds, kind, image.transform_, image.lineStyle_.thickness);
}

// A point outside the image or the clip region has no colour: CLR_INVALID.
// GetPixel answers after the visibility is asked, since GetPixel alone does
// not check the clip region on every system.
COLORREF ImageTarget::GetPixelThroughGdi(int x, int y) {
    HDC dc = Dc();
    if (!PtVisible(dc, x, y)) return CLR_INVALID;
    return GetPixel(dc, x, y);
}

void ImageTarget::SetPixelThroughGdi(int x, int y, COLORREF color) {
    SetPixelV(Dc(), x, y, color);
}

void ImageTarget::DrawLine(int x1, int y1, int x2, int y2) {
    if (!Drawable({double(x1), double(y1), double(x2), double(y2)}, ShapeKind::Straight)) return;
    HDC dc = Dc();
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void ImageTarget::DrawFilledRectangle(int left, int top, int right, int bottom) {
    if (!Drawable({double(left), double(top), double(right), double(bottom)}, ShapeKind::Straight))
        return;
    Rectangle(Dc(), left, top, right, bottom);
}

void ImageTarget::DrawFilledCircle(int x, int y, int radius) {
    // The box is computed wide, so that a radius near the integer limits
    // cannot wrap around into some other box.
    const long long left = 0LL + x - radius, right = 0LL + x + radius;
    const long long top = 0LL + y - radius, bottom = 0LL + y + radius;
    if (!FitsInt(left) || !FitsInt(right) || !FitsInt(top) || !FitsInt(bottom)) return;
    if (!Drawable({double(left), double(top), double(right), double(bottom)}, ShapeKind::Curve))
        return;
    Ellipse(Dc(), int(left), int(top), int(right), int(bottom));
}

void ImageTarget::DrawFilledEllipse(int left, int top, int right, int bottom) {
    if (!Drawable({double(left), double(top), double(right), double(bottom)}, ShapeKind::Curve))
        return;
    Ellipse(Dc(), left, top, right, bottom);
}

void ImageTarget::DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                                      int ellipseHeight) {
    if (!Drawable({double(left), double(top), double(right), double(bottom)}, ShapeKind::Curve))
        return;
    RoundRect(Dc(), left, top, right, bottom, ellipseWidth, ellipseHeight);
}

bool ImageTarget::ArcEndsToDraw(int left, int top, int right, int bottom, double startAngle,
                                double endAngle, int ends[4]) {
    // A non-finite angle gives no direction to draw to.
    if (!std::isfinite(startAngle) || !std::isfinite(endAngle)) return false;
    if (!Drawable({double(left), double(top), double(right), double(bottom)}, ShapeKind::Curve))
        return false;
    ComputeArcEnds(left, top, right, bottom, startAngle, endAngle, &ends[0], &ends[1], &ends[2],
                   &ends[3]);
    return true;
}

void ImageTarget::DrawArc(int left, int top, int right, int bottom, double startAngle,
                          double endAngle) {
    int e[4];
    if (ArcEndsToDraw(left, top, right, bottom, startAngle, endAngle, e))
        Arc(Dc(), left, top, right, bottom, e[0], e[1], e[2], e[3]);
}

void ImageTarget::DrawFilledPie(int left, int top, int right, int bottom, double startAngle,
                                double endAngle) {
    int e[4];
    if (ArcEndsToDraw(left, top, right, bottom, startAngle, endAngle, e))
        Pie(Dc(), left, top, right, bottom, e[0], e[1], e[2], e[3]);
}

void ImageTarget::DrawPolyline(const POINT* points, int count) {
    if (!ValidPoints(points, count) || !Drawable(BoundsOf(points, count), ShapeKind::Straight))
        return;
    Polyline(Dc(), points, count);
}

void ImageTarget::DrawFilledPolygon(const POINT* points, int count) {
    if (!ValidPoints(points, count) || !Drawable(BoundsOf(points, count), ShapeKind::Polygon))
        return;
    Polygon(Dc(), points, count);
}

void ImageTarget::DrawBezier(const POINT* points, int count) {
    if (!ValidPoints(points, count) || (count - 1) % 3 != 0) return;
    if (!Drawable(BoundsOf(points, count), ShapeKind::Straight)) return;
    PolyBezier(Dc(), points, static_cast<DWORD>(count));
}

void ImageTarget::FillAreaAt(int x, int y, COLORREF color, int mode) {
    ExtFloodFill(Dc(), x, y, color, static_cast<UINT>(mode));
}

}  // namespace Kanvo
