// Floating-point RGBA rasters for the digit-tube clock's glow effects, and the
// anti-aliased strokes, blur and compositing that render them.
#pragma once

#include <cstddef>
#include <vector>

struct Rgb {
    float red, green, blue;
};

// Pixel (x, y) holds four floats: red, green, blue (0 to 255) and alpha (0 to 1).
struct Sprite {
    int width = 0;
    int height = 0;
    std::vector<float> pixels;

    Sprite() = default;
    Sprite(int w, int h)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0.0f) {}
    float* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    const float* At(int x, int y) const {
        return &pixels[(static_cast<size_t>(y) * width + x) * 4];
    }
};

struct Point2 {
    double x, y;
};

// Lays `color` with coverage c over one pixel ("over" compositing).
void LayOver(float* pixel, float coverage, const Rgb& color);
// Lays every pixel of `source` over the same pixel of `target`, the source's
// alpha times `alphaScale` as coverage. Both have the same size.
void LayOverSprite(Sprite& target, const Sprite& source, float alphaScale);
// Colour = alpha x colour in every pixel.
void PremultiplyAlpha(Sprite& sprite);

// What anti-aliased strokes cover on a sprite of width x height: each pixel
// of a stroke's bounding box (clipped to the sprite), in drawing order, with
// coverage 0.5 - d from the signed distance d to the stroke's edge, clamped
// to 0 ... 1. Recorded once, it can be laid over a sprite many times.
struct CoverageCell {
    int pixel;  // y x width + x
    float coverage;
};
struct StrokeCoverage {
    StrokeCoverage(int w, int h) : width(w), height(h) {}
    int width;
    int height;
    std::vector<CoverageCell> cells;
};
// Lays `color` over the sprite (of the recorded size) with each coverage in order.
void LayOverCoverage(Sprite& sprite, const StrokeCoverage& strokes, const Rgb& color);

void StrokeSegment(StrokeCoverage& out, Point2 from, Point2 to, double thickness);
void StrokeDisc(StrokeCoverage& out, Point2 centre, double radius);
void StrokeRing(StrokeCoverage& out, Point2 centre, double radius, double thickness);
void StrokeEllipse(StrokeCoverage& out, Point2 centre, double ax, double ay, double thickness);
void StrokeBezier(StrokeCoverage& out, const Point2 control[4], double thickness);
// Distance from p to the cubic Bezier curve; -1000 within 0.1 of a control point.
double BezierDistance(Point2 p, const Point2 control[4]);

// A place in a glow plane and the coverage a stroke gives it.
struct PlaneCell {
    std::size_t place;
    float coverage;
};

// The alpha of a sprite alone, inside the zero margins that the blur reads
// past its edges. A glow is built on it pass after pass; its colours, which
// the final tint sets from the alpha, are not computed on the way.
class GlowPlane {
public:
    GlowPlane(int width, int height);
    // The places of the strokes' pixels; none if the strokes were recorded
    // for another size. Placed once, they can be laid over many times.
    std::vector<PlaneCell> Place(const StrokeCoverage& strokes) const;
    // The alpha that LayOverCoverage leaves, each coverage in order.
    void LayOver(const std::vector<PlaneCell>& cells);
    // Alpha 1 in the inclusive rectangle (clipped to the plane).
    void Fill(int left, int top, int right, int bottom);
    // Separable 15-tap blur; taps outside the plane are left out without
    // renormalising.
    void Blur();
    // The sprite's alpha set to the plane's and its colour to alpha x
    // `color`; a sprite of another size is left as it was.
    void TintInto(Sprite& sprite, const Rgb& color) const;

private:
    float* Row(int y);
    const float* Row(int y) const;

    int width_;
    int height_;
    std::size_t paddedWidth_;
    std::vector<float> alpha_;        // height_ rows of paddedWidth_
    std::vector<float> rowsBlurred_;  // height_ + 14 rows of width_
};

// The strokes of one digit in a 160 x 288 cell, all of the same thickness.
void DrawDigitStrokes(StrokeCoverage& out, int digit, double thickness);
