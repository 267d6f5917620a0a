// Limits on the size of shapes handed to the rasteriser. Curves, polygon
// fills and wide pens cost time and memory in proportion to their size on the
// device, and past about a million pixels the system's ellipse arithmetic
// overflows (the process hangs or its heap is corrupted). Shapes beyond these
// limits are not drawn; thin straight lines, rectangles and Bezier chains
// (drawn as line segments) are drawn at any size.
#pragma once

#include <windows.h>

namespace Kanvo {

// Largest width or height on the device, pen width included, of a shape that
// is limited.
constexpr double kMaxShapeExtent = 65536.0;
// Largest device coordinate of a limited shape (GDI's own 27-bit range).
constexpr double kMaxDeviceCoordinate = 134217727.0;

// Logical bounds of a shape, in either order.
struct ShapeBounds {
    double left, top, right, bottom;
};

// Bounds of `count` points (count > 0).
ShapeBounds BoundsOf(const POINT* points, int count);

enum class ShapeKind {
    Stroke,  // lines, rectangles and Bezier chains: limited only with a wide pen
    Area,    // ellipses, arcs, pies, rounded rectangles and polygons: always limited
};

// True when a shape of these logical bounds, drawn with a pen `penWidth`
// logical units wide through `transform`, is within the limits above.
bool WithinRasterLimits(const ShapeBounds& bounds, ShapeKind kind, const XFORM& transform,
                        int penWidth);

}  // namespace Kanvo
