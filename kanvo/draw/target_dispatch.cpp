// The public drawing functions: each forwards to the operation of the same
// name on the current target, the whole call under one TargetLock. Without a
// current target (no window opened and no image chosen) they do nothing and
// getters return 0.
#include "image_target.h"

#include "../core/library_state.h"

#include <type_traits>

using namespace Kanvo;

namespace {

template <class Operation>
auto OnTarget(Operation operation) {
    using Result = decltype(operation(std::declval<ImageTarget&>()));
    ImageTarget* target = g_state.currentTarget;
    const TargetLock lock(target);
    if constexpr (std::is_void_v<Result>) {
        if (target) operation(*target);
    } else {
        return target ? operation(*target) : Result{};
    }
}

}  // namespace

void ClearTarget() {
    OnTarget([](ImageTarget& t) { t.ClearTarget(); });
}
COLORREF GetStrokeColor() {
    return OnTarget([](ImageTarget& t) { return t.GetStrokeColor(); });
}
void SetStrokeColor(COLORREF c) {
    OnTarget([&](ImageTarget& t) { t.SetStrokeColor(c); });
}
COLORREF GetFontColor() {
    return OnTarget([](ImageTarget& t) { return t.GetFontColor(); });
}
void SetFontColor(COLORREF c) {
    OnTarget([&](ImageTarget& t) { t.SetFontColor(c); });
}
COLORREF GetBackgroundColor() {
    return OnTarget([](ImageTarget& t) { return t.GetBackgroundColor(); });
}
void SetBackgroundColor(COLORREF c) {
    OnTarget([&](ImageTarget& t) { t.SetBackgroundColor(c); });
}
int GetBackgroundMode() {
    return OnTarget([](ImageTarget& t) { return t.GetBackgroundMode(); });
}
void SetBackgroundMode(int m) {
    OnTarget([&](ImageTarget& t) { t.SetBackgroundMode(m); });
}
void MoveOrigin(int x, int y) {
    OnTarget([&](ImageTarget& t) { t.MoveOrigin(x, y); });
}
void SetClipRegion(HRGN r) {
    OnTarget([&](ImageTarget& t) { t.SetClipRegion(r); });
}
void EraseClipArea() {
    OnTarget([](ImageTarget& t) { t.EraseClipArea(); });
}
void GetStrokeStyle(LINESTYLE* out) {
    OnTarget([&](ImageTarget& t) { t.GetStrokeStyle(out); });
}
void SetStrokeStyle(int style, int thickness, const DWORD* userPattern, DWORD userCount) {
    OnTarget([&](ImageTarget& t) { t.SetStrokeStyle(style, thickness, userPattern, userCount); });
}
void SetStrokeStyle(const LINESTYLE* s) {
    OnTarget([&](ImageTarget& t) { t.SetStrokeStyle(s); });
}
void GetInteriorStyle(FILLSTYLE* out) {
    OnTarget([&](ImageTarget& t) { t.GetInteriorStyle(out); });
}
void SetInteriorStyle(int style, long hatch, IMAGE* pattern) {
    OnTarget([&](ImageTarget& t) { t.SetInteriorStyle(style, hatch, pattern); });
}
void SetInteriorStyle(const BYTE* rows) {
    OnTarget([&](ImageTarget& t) { t.SetInteriorStyle(rows); });
}
void SetInteriorStyle(const FILLSTYLE* s) {
    OnTarget([&](ImageTarget& t) { t.SetInteriorStyle(s); });
}
COLORREF GetInteriorColor() {
    return OnTarget([](ImageTarget& t) { return t.GetInteriorColor(); });
}
void SetInteriorColor(COLORREF c) {
    OnTarget([&](ImageTarget& t) { t.SetInteriorColor(c); });
}
void GetAxisScale(float* x, float* y) {
    OnTarget([&](ImageTarget& t) { t.GetAxisScale(x, y); });
}
void SetAxisScale(float x, float y) {
    OnTarget([&](ImageTarget& t) { t.SetAxisScale(x, y); });
}
int GetRasterOp() {
    return OnTarget([](ImageTarget& t) { return t.GetRasterOp(); });
}
void SetRasterOp(int m) {
    OnTarget([&](ImageTarget& t) { t.SetRasterOp(m); });
}
int GetPolygonFillMode() {
    return OnTarget([](ImageTarget& t) { return t.GetPolygonFillMode(); });
}
void SetPolygonFillMode(int m) {
    OnTarget([&](ImageTarget& t) { t.SetPolygonFillMode(m); });
}
void ResetDrawingState() {
    OnTarget([](ImageTarget& t) { t.ResetDrawingState(); });
}

// A single pixel that the pixel array alone can answer for takes no lock,
// even on the window: the window thread only reads the back buffer's pixels
// (to copy them to the screen) and changes nothing the direct path looks at.
// A write on the window marks it stale after the pixel is stored, so that the
// next periodic copy, which clears the mark before it copies, shows it.
COLORREF GetPixelColor(int x, int y) {
    COLORREF color;
    if (g_state.currentTarget && ImageTarget::ReadPixelDirectly(x, y, color)) return color;
    return OnTarget([&](ImageTarget& t) { return t.GetPixelThroughGdi(x, y); });
}
void SetPixelColor(int x, int y, COLORREF c) {
    if (g_state.currentTarget && ImageTarget::WritePixelDirectly(x, y, c)) {
        if (g_state.currentTarget == g_state.windowTarget) MarkWindowStale();
        return;
    }
    OnTarget([&](ImageTarget& t) { t.SetPixelThroughGdi(x, y, c); });
}
void DrawLine(int x1, int y1, int x2, int y2) {
    OnTarget([&](ImageTarget& t) { t.DrawLine(x1, y1, x2, y2); });
}
void DrawRectangle(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.DrawRectangle(l, t_, r, b); });
}
void DrawFilledRectangle(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledRectangle(l, t_, r, b); });
}
void PaintRectangle(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.PaintRectangle(l, t_, r, b); });
}
void EraseRectangle(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.EraseRectangle(l, t_, r, b); });
}
void DrawCircle(int x, int y, int r) {
    OnTarget([&](ImageTarget& t) { t.DrawCircle(x, y, r); });
}
void DrawFilledCircle(int x, int y, int r) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledCircle(x, y, r); });
}
void PaintCircle(int x, int y, int r) {
    OnTarget([&](ImageTarget& t) { t.PaintCircle(x, y, r); });
}
void EraseCircle(int x, int y, int r) {
    OnTarget([&](ImageTarget& t) { t.EraseCircle(x, y, r); });
}
void DrawEllipse(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.DrawEllipse(l, t_, r, b); });
}
void DrawFilledEllipse(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledEllipse(l, t_, r, b); });
}
void PaintEllipse(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.PaintEllipse(l, t_, r, b); });
}
void EraseEllipse(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.EraseEllipse(l, t_, r, b); });
}
void DrawRoundRect(int l, int t_, int r, int b, int ew, int eh) {
    OnTarget([&](ImageTarget& t) { t.DrawRoundRect(l, t_, r, b, ew, eh); });
}
void DrawFilledRoundRect(int l, int t_, int r, int b, int ew, int eh) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledRoundRect(l, t_, r, b, ew, eh); });
}
void PaintRoundRect(int l, int t_, int r, int b, int ew, int eh) {
    OnTarget([&](ImageTarget& t) { t.PaintRoundRect(l, t_, r, b, ew, eh); });
}
void EraseRoundRect(int l, int t_, int r, int b, int ew, int eh) {
    OnTarget([&](ImageTarget& t) { t.EraseRoundRect(l, t_, r, b, ew, eh); });
}
void DrawArc(int l, int t_, int r, int b, double s, double e) {
    OnTarget([&](ImageTarget& t) { t.DrawArc(l, t_, r, b, s, e); });
}
void DrawPie(int l, int t_, int r, int b, double s, double e) {
    OnTarget([&](ImageTarget& t) { t.DrawPie(l, t_, r, b, s, e); });
}
void DrawFilledPie(int l, int t_, int r, int b, double s, double e) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledPie(l, t_, r, b, s, e); });
}
void PaintPie(int l, int t_, int r, int b, double s, double e) {
    OnTarget([&](ImageTarget& t) { t.PaintPie(l, t_, r, b, s, e); });
}
void ErasePie(int l, int t_, int r, int b, double s, double e) {
    OnTarget([&](ImageTarget& t) { t.ErasePie(l, t_, r, b, s, e); });
}
void DrawPolyline(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.DrawPolyline(p, n); });
}
void DrawPolygon(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.DrawPolygon(p, n); });
}
void DrawFilledPolygon(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.DrawFilledPolygon(p, n); });
}
void PaintPolygon(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.PaintPolygon(p, n); });
}
void ErasePolygon(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.ErasePolygon(p, n); });
}
void DrawBezier(const POINT* p, int n) {
    OnTarget([&](ImageTarget& t) { t.DrawBezier(p, n); });
}
void FillAreaAt(int x, int y, COLORREF c, int mode) {
    OnTarget([&](ImageTarget& t) { t.FillAreaAt(x, y, c, mode); });
}

void WriteText(int x, int y, const wchar_t* text) {
    OnTarget([&](ImageTarget& t) { t.WriteText(x, y, text); });
}
int WriteTextInRect(const wchar_t* text, RECT* rect, UINT format) {
    return OnTarget([&](ImageTarget& t) { return t.WriteTextInRect(text, rect, format); });
}
int GetTextPixelWidth(const wchar_t* text) {
    return OnTarget([&](ImageTarget& t) { return t.GetTextPixelWidth(text); });
}
int GetTextPixelHeight(const wchar_t* text) {
    return OnTarget([&](ImageTarget& t) { return t.GetTextPixelHeight(text); });
}
void SetTextFont(const LOGFONTW* font) {
    OnTarget([&](ImageTarget& t) { t.SetTextFont(font); });
}
void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                 BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    OnTarget([&](ImageTarget& t) {
        t.SetTextFont(height, width, face, escapement, orientation, weight, italic, underline,
                      strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily);
    });
}
void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut) {
    OnTarget([&](ImageTarget& t) {
        t.SetTextFont(height, width, face, escapement, orientation, weight, italic, underline,
                      strikeOut);
    });
}
void SetTextFont(int height, int width, const wchar_t* face) {
    OnTarget([&](ImageTarget& t) { t.SetTextFont(height, width, face); });
}
void GetTextFont(LOGFONTW* out) {
    OnTarget([&](ImageTarget& t) { t.GetTextFont(out); });
}
int GetTargetWidth() {
    return OnTarget([](ImageTarget& t) { return t.GetTargetWidth(); });
}
int GetTargetHeight() {
    return OnTarget([](ImageTarget& t) { return t.GetTargetHeight(); });
}

void BeginBatch() {
    OnTarget([](ImageTarget& t) { t.BeginBatch(); });
}
void FlushBatch(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.FlushBatch(l, t_, r, b); });
}
void FlushBatch() {
    OnTarget([](ImageTarget& t) { t.FlushBatch(); });
}
void EndBatch(int l, int t_, int r, int b) {
    OnTarget([&](ImageTarget& t) { t.EndBatch(l, t_, r, b); });
}
void EndBatch() {
    OnTarget([](ImageTarget& t) { t.EndBatch(); });
}
