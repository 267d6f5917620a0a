// Outline-only, fill-only and background-fill shapes, built over the
// outline-and-fill primitives by swapping the brush, pen, colour or raster
// operation around one call. Each swap is skipped when the setting already has
// the value needed, so that nothing is rebuilt needlessly. On the window the
// whole swap, drawing and restore run under the public call's one lock.
#include "image_target.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Kanvo {
namespace {

// Rounds halves away from zero, saturating at the integer range (a NaN gives 0).
int RoundAway(double v) {
    if (std::isnan(v)) return 0;
    const double rounded = v >= 0 ? std::floor(v + 0.5) : std::ceil(v - 0.5);
    if (rounded <= INT_MIN) return INT_MIN;
    if (rounded >= INT_MAX) return INT_MAX;
    return static_cast<int>(rounded);
}

// One past the larger coordinate (the largest int stays: no device has it).
int PastLarger(int a, int b) {
    const int larger = std::max(a, b);
    return larger == INT_MAX ? larger : larger + 1;
}

// Runs a swap of the pen or brush (`type` OBJ_PEN or OBJ_BRUSH), the drawing
// and the restore, with the object selected before kept aside meanwhile. When
// GDI refuses to rebuild it from the stored style (a style that was stored but
// never built), that object goes back in, as the refused setter left it,
// instead of the swapped-in null pen or brush staying in force; otherwise it is
// deleted, its successor being selected.
template <class Swap, class Draw, class Restore>
void KeepingSelection(HDC dc, UINT type, Swap swap, Draw draw, Restore restore) {
    HGDIOBJ kept = SelectObject(dc, GetStockObject(type == OBJ_PEN ? NULL_PEN : NULL_BRUSH));
    swap();
    draw();
    HGDIOBJ beforeRestore = GetCurrentObject(dc, type);
    restore();
    if (!kept) return;
    // The object that lost its place goes; for the stock stand-in (when the
    // swap could not build its own) deleting does nothing.
    DeleteObject(GetCurrentObject(dc, type) == beforeRestore ? SelectObject(dc, kept) : kept);
}

}  // namespace

// The swaps change only the style of the stored fill style; its hatch and
// pattern image stay in place, so that restoring the style brings back
// exactly the fill style there was (a pattern image kept beside a hatched or
// solid style included) without copying the pattern image on every call.

// Outline only: a hollow brush around the primitive.
template <class Draw>
void ImageTarget::WithoutFill(Draw draw) {
    FILLSTYLE& fill = Image().fillStyle_;
    const int savedStyle = fill.style;
    if (savedStyle == BS_NULL) return draw();
    KeepingSelection(
        Dc(), OBJ_BRUSH, [&] { SetInteriorStyle(BS_NULL, 0, nullptr); }, draw,
        [&] {
            fill.style = savedStyle;
            SetInteriorStyle(&fill);
        });
}

// Fill only: a null pen around the primitive. Setting the null pen releases
// a dash pattern, so the whole line style is kept aside.
template <class Draw>
void ImageTarget::WithoutOutline(Draw draw) {
    if (Image().lineStyle_.style == PS_NULL) return draw();
    LINESTYLE saved;
    GetStrokeStyle(&saved);
    KeepingSelection(
        Dc(), OBJ_PEN, [&] { SetStrokeStyle(PS_NULL, 1, nullptr, 0); }, draw,
        [&] { SetStrokeStyle(&saved); });
}

// Background fill: a solid brush of the background colour, drawn with
// R2_COPYPEN, around the fill-only operation.
template <class Paint>
void ImageTarget::WithBackgroundBrush(Paint paint) {
    FILLSTYLE& fill = Image().fillStyle_;
    const int savedRop = GetRasterOp();
    const COLORREF savedColor = GetInteriorColor();
    const COLORREF background = GetBackgroundColor();
    const int savedStyle = fill.style;
    const bool swapRop = savedRop != R2_COPYPEN;
    const bool swapColor = savedColor != background;
    const bool swapStyle = savedStyle != BS_SOLID;
    const auto swap = [&] {
        if (swapColor) SetInteriorColor(background);
        if (swapStyle) SetInteriorStyle(BS_SOLID, 0, nullptr);
    };
    const auto paintAndRestoreColor = [&] {
        paint();
        if (swapColor) SetInteriorColor(savedColor);
    };
    if (swapRop) SetRasterOp(R2_COPYPEN);
    if (swapStyle) {
        KeepingSelection(Dc(), OBJ_BRUSH, swap, paintAndRestoreColor, [&] {
            fill.style = savedStyle;
            SetInteriorStyle(&fill);
        });
    } else {
        swap();
        paintAndRestoreColor();
    }
    if (swapRop) SetRasterOp(savedRop);
}

void ImageTarget::DrawRectangle(int left, int top, int right, int bottom) {
    WithoutFill([&] { DrawFilledRectangle(left, top, right, bottom); });
}

void ImageTarget::PaintRectangle(int left, int top, int right, int bottom) {
    // GDI leaves out the right column and bottom row of a rectangle drawn
    // with a null pen: widen by one so that both corners are covered.
    WithoutOutline([&] {
        DrawFilledRectangle(std::min(left, right), std::min(top, bottom), PastLarger(left, right),
                            PastLarger(top, bottom));
    });
}

void ImageTarget::EraseRectangle(int left, int top, int right, int bottom) {
    WithBackgroundBrush([&] { PaintRectangle(left, top, right, bottom); });
}

void ImageTarget::ComputeArcEnds(int left, int top, int right, int bottom, double startAngle,
                                 double endAngle, int* x1, int* y1, int* x2, int* y2) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // Half sizes in 64 bits: the distance between two ints may exceed an int.
    const long long rx = (0LL + right - left) / 2, ry = (0LL + bottom - top) / 2;
    const double cx = double(left + rx), cy = double(top + ry);
    if (x1) *x1 = RoundAway(cx + double(rx) * std::cos(startAngle));
    if (y1) *y1 = RoundAway(cy - double(ry) * std::sin(startAngle));
    if (x2) *x2 = RoundAway(cx + double(rx) * std::cos(endAngle));
    if (y2) *y2 = RoundAway(cy - double(ry) * std::sin(endAngle));
}

void ImageTarget::DrawCircle(int x, int y, int radius) {
    WithoutFill([&] { DrawFilledCircle(x, y, radius); });
}
void ImageTarget::PaintCircle(int x, int y, int radius) {
    WithoutOutline([&] { DrawFilledCircle(x, y, radius); });
}
void ImageTarget::EraseCircle(int x, int y, int radius) {
    WithBackgroundBrush([&] { PaintCircle(x, y, radius); });
}

void ImageTarget::DrawEllipse(int left, int top, int right, int bottom) {
    WithoutFill([&] { DrawFilledEllipse(left, top, right, bottom); });
}
void ImageTarget::PaintEllipse(int left, int top, int right, int bottom) {
    WithoutOutline([&] { DrawFilledEllipse(left, top, right, bottom); });
}
void ImageTarget::EraseEllipse(int left, int top, int right, int bottom) {
    WithBackgroundBrush([&] { PaintEllipse(left, top, right, bottom); });
}

void ImageTarget::DrawRoundRect(int left, int top, int right, int bottom, int ew, int eh) {
    WithoutFill([&] { DrawFilledRoundRect(left, top, right, bottom, ew, eh); });
}
void ImageTarget::PaintRoundRect(int left, int top, int right, int bottom, int ew, int eh) {
    WithoutOutline([&] { DrawFilledRoundRect(left, top, right, bottom, ew, eh); });
}
void ImageTarget::EraseRoundRect(int left, int top, int right, int bottom, int ew, int eh) {
    WithBackgroundBrush([&] { PaintRoundRect(left, top, right, bottom, ew, eh); });
}

void ImageTarget::DrawPie(int left, int top, int right, int bottom, double a, double b) {
    WithoutFill([&] { DrawFilledPie(left, top, right, bottom, a, b); });
}
void ImageTarget::PaintPie(int left, int top, int right, int bottom, double a, double b) {
    WithoutOutline([&] { DrawFilledPie(left, top, right, bottom, a, b); });
}
void ImageTarget::ErasePie(int left, int top, int right, int bottom, double a, double b) {
    WithBackgroundBrush([&] { PaintPie(left, top, right, bottom, a, b); });
}

void ImageTarget::DrawPolygon(const POINT* points, int count) {
    WithoutFill([&] { DrawFilledPolygon(points, count); });
}
void ImageTarget::PaintPolygon(const POINT* points, int count) {
    WithoutOutline([&] { DrawFilledPolygon(points, count); });
}
void ImageTarget::ErasePolygon(const POINT* points, int count) {
    WithBackgroundBrush([&] { PaintPolygon(points, count); });
}

}  // namespace Kanvo
