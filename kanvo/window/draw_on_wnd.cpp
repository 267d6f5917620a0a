// Each operation that touches the back buffer's device context runs the image
// target's version under the library lock; the operations built from others
// are inherited and lock step by step.
#include "draw_on_wnd.h"

#include "library_state.h"

#include <algorithm>
#include <utility>

namespace Kanvo {
namespace {

template <class Operation>
auto Locked(Operation operation) {
    LockGuard lock;
    return operation();
}

}  // namespace

void DrawOnWnd::ClearTarget() {
    Locked([&] { DrawOnImg::ClearTarget(); });
}
void DrawOnWnd::SetFontColor(COLORREF c) {
    Locked([&] { DrawOnImg::SetFontColor(c); });
}
void DrawOnWnd::SetBackgroundColor(COLORREF c) {
    Locked([&] { DrawOnImg::SetBackgroundColor(c); });
}
int DrawOnWnd::GetBackgroundMode() {
    return Locked([&] { return DrawOnImg::GetBackgroundMode(); });
}
void DrawOnWnd::SetBackgroundMode(int mode) {
    Locked([&] { DrawOnImg::SetBackgroundMode(mode); });
}
void DrawOnWnd::MoveOrigin(int x, int y) {
    Locked([&] { DrawOnImg::MoveOrigin(x, y); });
}
void DrawOnWnd::SetClipRegion(HRGN region) {
    Locked([&] { DrawOnImg::SetClipRegion(region); });
}
void DrawOnWnd::EraseClipArea() {
    Locked([&] { DrawOnImg::EraseClipArea(); });
}
void DrawOnWnd::SetStrokeStyle(const LINESTYLE* s) {
    Locked([&] { DrawOnImg::SetStrokeStyle(s); });
}
void DrawOnWnd::SetInteriorStyle(const FILLSTYLE* s) {
    Locked([&] { DrawOnImg::SetInteriorStyle(s); });
}
void DrawOnWnd::SetInteriorColor(COLORREF c) {
    Locked([&] { DrawOnImg::SetInteriorColor(c); });
}
void DrawOnWnd::SetAxisScale(float x, float y) {
    Locked([&] { DrawOnImg::SetAxisScale(x, y); });
}
int DrawOnWnd::GetRasterOp() {
    return Locked([&] { return DrawOnImg::GetRasterOp(); });
}
void DrawOnWnd::SetRasterOp(int mode) {
    Locked([&] { DrawOnImg::SetRasterOp(mode); });
}
int DrawOnWnd::GetPolygonFillMode() {
    return Locked([&] { return DrawOnImg::GetPolygonFillMode(); });
}
void DrawOnWnd::SetPolygonFillMode(int mode) {
    Locked([&] { DrawOnImg::SetPolygonFillMode(mode); });
}
COLORREF DrawOnWnd::GetPixelColor(int x, int y) {
    return Locked([&] { return DrawOnImg::GetPixelColor(x, y); });
}
void DrawOnWnd::SetPixelColor(int x, int y, COLORREF c) {
    Locked([&] { DrawOnImg::SetPixelColor(x, y, c); });
}
void DrawOnWnd::DrawLine(int x1, int y1, int x2, int y2) {
    Locked([&] { DrawOnImg::DrawLine(x1, y1, x2, y2); });
}
void DrawOnWnd::DrawFilledRectangle(int l, int t, int r, int b) {
    Locked([&] { DrawOnImg::DrawFilledRectangle(l, t, r, b); });
}
void DrawOnWnd::DrawFilledCircle(int x, int y, int radius) {
    Locked([&] { DrawOnImg::DrawFilledCircle(x, y, radius); });
}
void DrawOnWnd::DrawFilledEllipse(int l, int t, int r, int b) {
    Locked([&] { DrawOnImg::DrawFilledEllipse(l, t, r, b); });
}
void DrawOnWnd::DrawFilledRoundRect(int l, int t, int r, int b, int ew, int eh) {
    Locked([&] { DrawOnImg::DrawFilledRoundRect(l, t, r, b, ew, eh); });
}
void DrawOnWnd::DrawArc(int l, int t, int r, int b, double start, double end) {
    Locked([&] { DrawOnImg::DrawArc(l, t, r, b, start, end); });
}
void DrawOnWnd::DrawFilledPie(int l, int t, int r, int b, double start, double end) {
    Locked([&] { DrawOnImg::DrawFilledPie(l, t, r, b, start, end); });
}
void DrawOnWnd::DrawPolyline(const POINT* points, int count) {
    Locked([&] { DrawOnImg::DrawPolyline(points, count); });
}
void DrawOnWnd::DrawFilledPolygon(const POINT* points, int count) {
    Locked([&] { DrawOnImg::DrawFilledPolygon(points, count); });
}
void DrawOnWnd::DrawBezier(const POINT* points, int count) {
    Locked([&] { DrawOnImg::DrawBezier(points, count); });
}
void DrawOnWnd::FillAreaAt(int x, int y, COLORREF c, int mode) {
    Locked([&] { DrawOnImg::FillAreaAt(x, y, c, mode); });
}
void DrawOnWnd::WriteText(int x, int y, const wchar_t* text) {
    Locked([&] { DrawOnImg::WriteText(x, y, text); });
}
int DrawOnWnd::WriteTextInRect(const wchar_t* text, RECT* rect, UINT format) {
    return Locked([&] { return DrawOnImg::WriteTextInRect(text, rect, format); });
}
int DrawOnWnd::GetTextPixelWidth(const wchar_t* text) {
    return Locked([&] { return DrawOnImg::GetTextPixelWidth(text); });
}
int DrawOnWnd::GetTextPixelHeight(const wchar_t* text) {
    return Locked([&] { return DrawOnImg::GetTextPixelHeight(text); });
}
void DrawOnWnd::SetTextFont(const LOGFONTW* font) {
    Locked([&] { DrawOnImg::SetTextFont(font); });
}
void DrawOnWnd::GetTextFont(LOGFONTW* out) {
    Locked([&] { DrawOnImg::GetTextFont(out); });
}

HWND DrawOnWnd::OpenGraphWindow(int width, int height, int flags) {
    GraphWnd* window = Window();
    return window ? window->Open(width, height, flags) : nullptr;
}

void DrawOnWnd::CloseGraphWindow() {
    if (GraphWnd* window = Window()) window->Close();
}

void DrawOnWnd::BeginBatch() {
    if (GraphWnd* window = Window()) window->batching = true;
}

void DrawOnWnd::FlushBatch(int left, int top, int right, int bottom) {
    GraphWnd* window = Window();
    if (!window) return;
    // Corners may come in either order; only the part of the rectangle that
    // lies in the back buffer exists to be copied.
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    LockGuard lock;
    if (!g_state.windowDC) return;  // no open window to copy to
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, window->Width() - 1);
    bottom = std::min(bottom, window->Height() - 1);
    if (left > right || top > bottom) return;
    window->PresentLocked(left, top, right - left + 1, bottom - top + 1);
}

void DrawOnWnd::FlushBatch() {
    if (GraphWnd* window = Window()) FlushBatch(0, 0, window->Width() - 1, window->Height() - 1);
}

void DrawOnWnd::EndBatch(int left, int top, int right, int bottom) {
    FlushBatch(left, top, right, bottom);
    if (GraphWnd* window = Window()) window->batching = false;
}

void DrawOnWnd::EndBatch() {
    FlushBatch();
    if (GraphWnd* window = Window()) window->batching = false;
}

}  // namespace Kanvo
