// The wedge hands: filled in the current raster operation, outlined with
// anti-aliased lines written pixel by pixel.
#include "rain_drawing.h"

#include <cmath>
#include <utility>

namespace {

double FractionalPart(double v) {
    return v - std::floor(v);
}
double RemainingPart(double v) {
    return 1 - FractionalPart(v);
}
double RoundHalfUp(double v) {
    return std::floor(v + 0.5);
}

}  // namespace

HandAngles ToAngles(const tm& t) {
    return {t.tm_hour * 6.2831852 / 12, t.tm_min * 6.2831852 / 60, t.tm_sec * 6.2831852 / 60};
}

void HandPolygon(POINT points[4], double length, double angle, double half) {
    points[0] = {300, 300};
    points[1] = {static_cast<LONG>(std::sin(angle + half) * length * 0.4 + 300),
                 static_cast<LONG>(300 - std::cos(angle + half) * length * 0.4)};
    points[2] = {static_cast<LONG>(std::sin(angle) * length + 300),
                 static_cast<LONG>(300 - std::cos(angle) * length)};
    points[3] = {static_cast<LONG>(std::sin(angle - half) * length * 0.4 + 300),
                 static_cast<LONG>(300 - std::cos(angle - half) * length * 0.4)};
}

void OutlinePolygon(const POINT points[4]) {
    for (int i = 0; i < 4; ++i) {
        const POINT& from = points[i];
        const POINT& to = points[(i + 1) % 4];
        DrawWuLine(from.x, from.y, to.x, to.y, kRainHandOutline);
    }
}

void PlotScaled(int x, int y, COLORREF color, double brightness) {
    SetPixelColor(x, y, static_cast<COLORREF>(color * brightness));
}

void DrawWuLine(int ix0, int iy0, int ix1, int iy1, COLORREF color) {
    SetStrokeColor(color);
    double x0 = ix0, y0 = iy0, x1 = ix1, y1 = iy1;
    const bool steep = std::fabs(x1 - x0) < std::fabs(y1 - y0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    // In a y-major line every plot exchanges its coordinates back.
    auto plot = [&](double x, double y, double brightness) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        if (steep)
            PlotScaled(py, px, color, brightness);
        else
            PlotScaled(px, py, color, brightness);
    };
    const double dx = x1 - x0, dy = y1 - y0;
    const double gradient = dx == 0 ? 1 : dy / dx;

    const double xStart = RoundHalfUp(x0);
    const double yStart = y0 + gradient * (xStart - x0);
    const double startGap = RemainingPart(x0 + 0.5);
    plot(xStart, std::floor(yStart), RemainingPart(yStart) * startGap);
    plot(xStart, std::floor(yStart) + 1, FractionalPart(yStart) * startGap);

    const double xEnd = RoundHalfUp(x1);
    const double yEnd = y1 + gradient * (xEnd - x1);
    const double endGap = FractionalPart(x1 + 0.5);
    plot(xEnd, std::floor(yEnd), RemainingPart(yEnd) * endGap);
    plot(xEnd, std::floor(yEnd) + 1, FractionalPart(yEnd) * endGap);

    double y = yStart + gradient;
    for (double x = xStart + 1; x < xEnd; x += 1, y += gradient) {
        plot(x, std::floor(y), RemainingPart(y));
        plot(x, std::floor(y) + 1, FractionalPart(y));
    }
}

HandShapes BuildHandShapes(const HandAngles& angles) {
    HandShapes shapes;
    HandPolygon(shapes.second, 205, angles.second, 0.10471975333333333);
    HandPolygon(shapes.minute, 175, angles.minute, 0.15707963);
    HandPolygon(shapes.hour, 105, angles.hour, 0.20943950666666666);
    return shapes;
}

void DrawHands(const HandAngles& angles) {
    const HandShapes pt = BuildHandShapes(angles);
    SetInteriorColor(kRainHandFill);
    OutlinePolygon(pt.second);
    OutlinePolygon(pt.minute);
    OutlinePolygon(pt.hour);
    PaintPolygon(pt.second, 4);
    PaintPolygon(pt.minute, 4);
    PaintPolygon(pt.hour, 4);
}
