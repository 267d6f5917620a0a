// The strokes of the ten digits in a 160 x 288 cell: segments, ellipses,
// rings and cubic Bezier curves.
#include "tube_sprite.h"

namespace {

enum class Shape { kSegment, kEllipse, kRing, kBezier };

// Segment: two points; ellipse: centre and semi-axes; ring: centre and
// radius; Bezier: four control points.
struct DigitStroke {
    int digit;
    Shape shape;
    double v[8];
};

using S = Shape;
constexpr DigitStroke kStrokes[] = {
    {0, S::kEllipse, {80, 144, 57.5, 123}},
    {1, S::kSegment, {80, 21, 49, 52}},
    {1, S::kSegment, {80, 262, 80, 21}},
    {2, S::kBezier, {35.15, 49.2, 45.65, 32, 61.85, 21, 80, 21}},
    {2, S::kBezier, {80, 21, 111.75, 21, 137.5, 54.75, 137.5, 96.35}},
    {2, S::kBezier, {137.5, 96.35, 137.5, 137.95, 111.75, 171.7, 80, 171.7}},
    {2, S::kBezier, {22.5, 264, 22.5, 213, 48.25, 171.65, 80, 171.65}},
    {2, S::kSegment, {22.5, 264, 129.65, 264}},
    {3, S::kBezier, {27, 221.4, 35.4, 244.6, 55.95, 264.55, 80, 264.35}},
    {3, S::kBezier, {80, 264.35, 109.85, 264.1, 137.5, 232.35, 137.5, 194.05}},
    {3, S::kBezier, {137.5, 194.05, 137.5, 157, 112.3, 130.7, 90.75, 125}},
    {3, S::kSegment, {90.75, 125, 137.5, 22.5}},
    {3, S::kSegment, {29.65, 22.5, 137.5, 22.5}},
    {4, S::kSegment, {114.1, 22.5, 114.1, 264.35}},
    {4, S::kSegment, {114.1, 194.05, 27, 194.05}},
    {4, S::kSegment, {114.1, 22.5, 27, 194.05}},
    {5, S::kBezier, {35.15, 237.3, 45.65, 254.5, 61.85, 265.5, 80, 265.5}},
    {5, S::kBezier, {80, 265.5, 111.75, 265.5, 137.5, 231.75, 137.5, 190.15}},
    {5, S::kBezier, {137.5, 190.15, 137.5, 148.55, 111.75, 114.8, 80, 114.8}},
    {5, S::kBezier, {22.5, 22.5, 22.5, 73.5, 48.25, 114.85, 80, 114.85}},
    {5, S::kSegment, {22.5, 22.5, 129.65, 22.5}},
    {6, S::kRing, {80, 208, 57.5}},
    {6, S::kSegment, {25.3, 190.15, 76.1, 22.5}},
    {7, S::kSegment, {23.75, 22.5, 136.25, 22.5}},
    {7, S::kSegment, {80, 264.35, 136.25, 22.5}},
    {8, S::kEllipse, {80, 80.5, 49.6, 58}},
    {8, S::kEllipse, {80, 201.4, 56.25, 62.9}},
    {9, S::kRing, {80, 80, 57.5}},
    {9, S::kSegment, {134.7, 97.85, 83.9, 265.5}},
};

}  // namespace

void DrawDigitStrokes(StrokeCoverage& out, int digit, double t) {
    for (const DigitStroke& stroke : kStrokes) {
        if (stroke.digit != digit) continue;
        const double* v = stroke.v;
        switch (stroke.shape) {
            case Shape::kSegment:
                StrokeSegment(out, {v[0], v[1]}, {v[2], v[3]}, t);
                break;
            case Shape::kEllipse:
                StrokeEllipse(out, {v[0], v[1]}, v[2], v[3], t);
                break;
            case Shape::kRing:
                StrokeRing(out, {v[0], v[1]}, v[2], t);
                break;
            case Shape::kBezier: {
                const Point2 control[4] = {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, {v[6], v[7]}};
                StrokeBezier(out, control, t);
                break;
            }
        }
    }
}
