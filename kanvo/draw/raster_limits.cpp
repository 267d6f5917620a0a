// The raster limits: which shapes are small enough for the system to draw.
#include "raster_limits.h"

#include <algorithm>
#include <cmath>

namespace Kanvo {

ShapeBounds BoundsOf(const POINT* points, int count) {
    ShapeBounds bounds = {double(points[0].x), double(points[0].y), double(points[0].x),
                          double(points[0].y)};
    for (int i = 1; i < count; ++i) {
        bounds.left = std::min(bounds.left, double(points[i].x));
        bounds.right = std::max(bounds.right, double(points[i].x));
        bounds.top = std::min(bounds.top, double(points[i].y));
        bounds.bottom = std::max(bounds.bottom, double(points[i].y));
    }
    return bounds;
}

bool WithinRasterLimits(const ShapeBounds& bounds, ShapeKind kind, const XFORM& transform,
                        int penWidth) {
    const double xScale = std::fabs(transform.eM11), yScale = std::fabs(transform.eM22);
    const bool thinPen = penWidth >= -1 && penWidth <= 1;
    const double pen = thinPen ? 1.0 : std::fabs(double(penWidth)) * std::max(xScale, yScale);
    const bool widePen = pen > 1.0;
    if (kind == ShapeKind::Straight && !widePen) return true;
    const double width = std::fabs(bounds.right - bounds.left) * xScale + pen;
    const double height = std::fabs(bounds.bottom - bounds.top) * yScale + pen;
    const double limit = kind == ShapeKind::Curve ? kMaxCurveExtent
                         : widePen                ? kMaxWidePenExtent
                                                  : HUGE_VAL;
    // Written so that a NaN anywhere fails the test.
    if (!(width <= limit && height <= limit)) return false;
    const double x1 = bounds.left * transform.eM11 + transform.eDx;
    const double x2 = bounds.right * transform.eM11 + transform.eDx;
    const double y1 = bounds.top * transform.eM22 + transform.eDy;
    const double y2 = bounds.bottom * transform.eM22 + transform.eDy;
    return std::max({std::fabs(x1), std::fabs(x2), std::fabs(y1), std::fabs(y2)}) <=
           kMaxDeviceCoordinate;
}

}  // namespace Kanvo
