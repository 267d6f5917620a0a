// Anti-aliased strokes: the coverage they leave on a sprite.
#include "tube_sprite.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Pixel coordinates are far from overflowing when squared, so the plain
// square root serves where std::hypot, which guards against that, costs
// several times as much.
double Distance(Point2 a, Point2 b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Records every pixel of the box (clipped to the sprite) with the coverage
// from `distance`; a pixel whose distance is not a number is left out.
template <class SignedDistance>
void Stroke(StrokeCoverage& s, double left, double top, double right, double bottom,
            SignedDistance distance) {
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(s.width - 1, static_cast<int>(std::ceil(right)));
    const int y1 = std::min(s.height - 1, static_cast<int>(std::ceil(bottom)));
    for (int i = y0; i <= y1; ++i)
        for (int j = x0; j <= x1; ++j) {
            const double d = distance(Point2{static_cast<double>(j), static_cast<double>(i)});
            if (std::isnan(d)) continue;
            s.cells.push_back({i * s.width + j, static_cast<float>(std::clamp(0.5 - d, 0.0, 1.0))});
        }
}

struct Cubic {
    Point2 value, first, second;  // B(s), B'(s), B''(s)
};

Cubic Evaluate(const Point2 p[4], double s) {
    const double u = 1 - s;
    auto weighted = [p](double w0, double w1, double w2, double w3) {
        return Point2{w0 * p[0].x + w1 * p[1].x + w2 * p[2].x + w3 * p[3].x,
                      w0 * p[0].y + w1 * p[1].y + w2 * p[2].y + w3 * p[3].y};
    };
    return {weighted(u * u * u, 3 * u * u * s, 3 * u * s * s, s * s * s),
            weighted(-3 * u * u, 3 * u * u - 6 * u * s, 6 * u * s - 3 * s * s, 3 * s * s),
            weighted(6 * u, 6 * s - 12 * u, 6 * u - 12 * s, 6 * s)};
}

// Boxes that together hold a cubic Bezier curve: the curve cut into equal
// steps of its parameter, each piece inside the box of its own four control
// points (B(a), B(a) + h/3 B'(a), B(b) - h/3 B'(b), B(b) for h = b - a).
struct CurveBoxes {
    static constexpr int kPieces = 16;
    double left[kPieces];
    double top[kPieces];
    double right[kPieces];
    double bottom[kPieces];

    explicit CurveBoxes(const Point2 control[4]) {
        const double h = 1.0 / kPieces;
        for (int i = 0; i < kPieces; ++i) {
            const Cubic start = Evaluate(control, i * h);
            const Cubic end = Evaluate(control, (i + 1) * h);
            const Point2 piece[4] = {
                start.value,
                {start.value.x + h / 3 * start.first.x, start.value.y + h / 3 * start.first.y},
                {end.value.x - h / 3 * end.first.x, end.value.y - h / 3 * end.first.y},
                end.value};
            left[i] = right[i] = piece[0].x;
            top[i] = bottom[i] = piece[0].y;
            for (const Point2& q : piece) {
                left[i] = std::min(left[i], q.x);
                right[i] = std::max(right[i], q.x);
                top[i] = std::min(top[i], q.y);
                bottom[i] = std::max(bottom[i], q.y);
            }
        }
    }

    // Whether every point of the curve lies at least `reach` from p.
    bool AllFartherThan(Point2 p, double reach) const {
        const double reachSquared = reach * reach;
        for (int i = 0; i < kPieces; ++i) {
            const double dx = std::max({left[i] - p.x, 0.0, p.x - right[i]});
            const double dy = std::max({top[i] - p.y, 0.0, p.y - bottom[i]});
            if (dx * dx + dy * dy < reachSquared) return false;
        }
        return true;
    }
};

}  // namespace

void StrokeSegment(StrokeCoverage& s, Point2 a, Point2 b, double t) {
    const double ex = b.x - a.x, ey = b.y - a.y, lengthSquared = ex * ex + ey * ey;
    Stroke(s, std::min(a.x, b.x) - t, std::min(a.y, b.y) - t, std::max(a.x, b.x) + t,
           std::max(a.y, b.y) + t, [&](Point2 p) {
               const double along = (p.x - a.x) * ex + (p.y - a.y) * ey;
               const double u = lengthSquared > 0 ? std::clamp(along / lengthSquared, 0.0, 1.0) : 0;
               return Distance(p, Point2{a.x + u * ex, a.y + u * ey}) - t;
           });
}

void StrokeDisc(StrokeCoverage& s, Point2 c, double r) {
    Stroke(s, c.x - r, c.y - r, c.x + r, c.y + r, [&](Point2 p) { return Distance(p, c) - r; });
}

void StrokeRing(StrokeCoverage& s, Point2 c, double r, double t) {
    Stroke(s, c.x - r - t, c.y - r - t, c.x + r + t, c.y + r + t,
           [&](Point2 p) { return std::fabs(Distance(p, c) - r) - t; });
}

void StrokeEllipse(StrokeCoverage& s, Point2 c, double ax, double ay, double t) {
    Stroke(s, c.x - ax - t, c.y - ay - t, c.x + ax + t, c.y + ay + t, [&](Point2 p) {
        const double dx = c.x - p.x, dy = c.y - p.y;
        if (dx == 0 && dy == 0) return std::numeric_limits<double>::quiet_NaN();
        const double k0 = std::sqrt((dx / ax) * (dx / ax) + (dy / ay) * (dy / ay));
        const double k1 =
            std::sqrt((dx / (ax * ax)) * (dx / (ax * ax)) + (dy / (ay * ay)) * (dy / (ay * ay)));
        return std::fabs((k0 - 1) * k0 / k1) - t;
    });
}

void StrokeBezier(StrokeCoverage& s, const Point2 control[4], double t) {
    double left = control[0].x, right = left, top = control[0].y, bottom = top;
    for (int k = 1; k < 4; ++k) {
        left = std::min(left, control[k].x);
        right = std::max(right, control[k].x);
        top = std::min(top, control[k].y);
        bottom = std::max(bottom, control[k].y);
    }
    // Most of the box lies far from the curve, where the coverage is 0 and
    // the search for the nearest point can be spared: BezierDistance is the
    // distance to some point of the curve, so it is no less than the distance
    // to the curve, unless p is within 0.1 of a control point. A pixel more
    // than t + 1.5 from every piece's box and from every control point thus
    // gets a distance minus t above 0.5, i.e. coverage 0, and 1 gives the same.
    const CurveBoxes boxes(control);
    const double farReach = t + 1.5;
    Stroke(s, left - t, top - t, right + t, bottom + t, [&](Point2 p) {
        bool far = boxes.AllFartherThan(p, farReach);
        for (int k = 0; far && k < 4; ++k) far = Distance(p, control[k]) >= farReach;
        return far ? 1.0 : BezierDistance(p, control) - t;
    });
}

double BezierDistance(Point2 p, const Point2 control[4]) {
    const double toStart = Distance(p, control[0]), toEnd = Distance(p, control[3]);
    const double nearest =
        std::min({toStart, Distance(p, control[1]), Distance(p, control[2]), toEnd});
    if (nearest < 0.1) return -1000;
    // Start at an end point when it is the nearest control point, else midway.
    double s = 0.5;
    if (std::fabs(nearest - toEnd) < 1e-5)
        s = 1;
    else if (std::fabs(nearest - toStart) < 1e-5)
        s = 0;
    // Newton steps towards a zero of the derivative of |B(s) - p|^2.
    for (int step = 0; step < 10; ++step) {
        const Cubic b = Evaluate(control, s);
        const double rx = b.value.x - p.x, ry = b.value.y - p.y;
        const double slope = rx * b.first.x + ry * b.first.y;
        const double curvature =
            b.first.x * b.first.x + b.first.y * b.first.y + rx * b.second.x + ry * b.second.y;
        const double next = s - slope / curvature;
        if (!std::isfinite(next)) break;  // a flat spot: keep the last parameter
        s = next;
    }
    s = std::clamp(s, 0.0, 1.0);
    return std::min({Distance(p, Evaluate(control, s).value), toStart, toEnd});
}
