// Limits on the size of shapes handed to the rasteriser, found by measuring
// the system's own drawing. Its ellipse arithmetic (ellipses, arcs, pies and
// rounded corners) goes wrong a little past a million pixels across (the
// shape is missing or misplaced) and the process faults a little further;
// filled pies are misplaced from about 950 000 pixels. A pen wider than one
// pixel costs time in proportion to the length of the outline (ten million
// pixels take seconds, a hundred million fault the process). A polygon fill
// faults when its coordinates span more than the int range. Thin lines,
// rectangles, Bezier chains and polylines are drawn at any size.
#pragma once

#include <windows.h>

namespace Kanvo {

// Largest width or height on the device, pen width included, of an ellipse,
// arc, pie or rounded rectangle.
constexpr double kMaxCurveExtent = 800000.0;
// Largest width or height on the device, pen width included, of any shape
// drawn with a pen wider than one device pixel.
constexpr double kMaxWidePenExtent = 1000000.0;
// Largest device coordinate of a polygon or a limited shape (GDI's own
// 27-bit range).
constexpr double kMaxDeviceCoordinate = 134217727.0;

// Logical bounds of a shape, in either order.
struct ShapeBounds {
    double left, top, right, bottom;
};

// Bounds of `count` points (count > 0).
ShapeBounds BoundsOf(const POINT* points, int count);

enum class ShapeKind {
    Straight,  // lines, rectangles, Bezier chains and polylines
    Polygon,   // polygons: their fill is limited to the device coordinate range
    Curve,     // ellipses, arcs, pies and rounded rectangles
};

// True when a shape of these logical bounds, drawn with a pen `penWidth`
// logical units wide through `transform`, is within the limits above. A pen
// of width 0 or 1 is one device pixel wide at any scale.
bool WithinRasterLimits(const ShapeBounds& bounds, ShapeKind kind, const XFORM& transform,
                        int penWidth);

}  // namespace Kanvo
