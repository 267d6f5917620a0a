// The primitive shapes: one GDI call each on the current image, arguments
// passed through unchanged.
#include "draw_on_img.h"

namespace Kanvo {

COLORREF DrawOnImg::GetPixelColor(int x, int y) { return GetPixel(Dc(), x, y); }

void DrawOnImg::SetPixelColor(int x, int y, COLORREF color) { SetPixelV(Dc(), x, y, color); }

void DrawOnImg::DrawLine(int x1, int y1, int x2, int y2) {
    HDC dc = Dc();
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawOnImg::DrawFilledRectangle(int left, int top, int right, int bottom) {
    Rectangle(Dc(), left, top, right, bottom);
}

void DrawOnImg::DrawFilledCircle(int x, int y, int radius) {
    Ellipse(Dc(), x - radius, y - radius, x + radius, y + radius);
}

void DrawOnImg::DrawFilledEllipse(int left, int top, int right, int bottom) {
    Ellipse(Dc(), left, top, right, bottom);
}

void DrawOnImg::DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                                    int ellipseHeight) {
    RoundRect(Dc(), left, top, right, bottom, ellipseWidth, ellipseHeight);
}

void DrawOnImg::DrawArc(int left, int top, int right, int bottom, double startAngle,
                        double endAngle) {
    int x1, y1, x2, y2;
    ComputeArcEnds(left, top, right, bottom, startAngle, endAngle, &x1, &y1, &x2, &y2);
    Arc(Dc(), left, top, right, bottom, x1, y1, x2, y2);
}

void DrawOnImg::DrawFilledPie(int left, int top, int right, int bottom, double startAngle,
                              double endAngle) {
    int x1, y1, x2, y2;
    ComputeArcEnds(left, top, right, bottom, startAngle, endAngle, &x1, &y1, &x2, &y2);
    Pie(Dc(), left, top, right, bottom, x1, y1, x2, y2);
}

// GDI reads `count` points: a null array or a count below 1 draws nothing.
void DrawOnImg::DrawPolyline(const POINT* points, int count) {
    if (points && count > 0) Polyline(Dc(), points, count);
}

void DrawOnImg::DrawFilledPolygon(const POINT* points, int count) {
    if (points && count > 0) Polygon(Dc(), points, count);
}

void DrawOnImg::DrawBezier(const POINT* points, int count) {
    if (points && count > 0) PolyBezier(Dc(), points, static_cast<DWORD>(count));
}

void DrawOnImg::FillAreaAt(int x, int y, COLORREF color, int mode) {
    ExtFloodFill(Dc(), x, y, color, static_cast<UINT>(mode));
}

}  // namespace Kanvo
