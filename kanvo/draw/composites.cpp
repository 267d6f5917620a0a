// Public functions built from the forwarding functions: second names, the
// three-dimensional bar, character forms of the text functions and the pen
// position. Those made of several drawing calls hold one TargetLock for all
// of them, so that the window never shows one half drawn.
#include "../core/library_state.h"

#include <utility>

namespace {

// The pen position: shared by all targets, never stored in a device context.
int g_penX = 0;
int g_penY = 0;

}  // namespace

void PaintBlock(int left, int top, int right, int bottom) {
    PaintRectangle(left, top, right, bottom);
}
void DrawPolygonByCount(int count, const POINT* points) {
    DrawPolygon(points, count);
}
void DrawFilledPolygonByCount(int count, const POINT* points) {
    DrawFilledPolygon(points, count);
}
COLORREF GetDrawColor() {
    return GetStrokeColor();
}
void SetDrawColor(COLORREF color) {
    const Kanvo::TargetLock lock;
    SetStrokeColor(color);
    SetFontColor(color);
}
void SetMixMode(int mode) {
    SetRasterOp(mode);
}
int GetLastColumn() {
    return GetTargetWidth() - 1;
}
int GetLastRow() {
    return GetTargetHeight() - 1;
}

void DrawBox3D(int left, int top, int right, int bottom, int depth, bool drawTop) {
    const Kanvo::TargetLock lock;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int d = (3 * depth) >> 2;  // three quarters, rounded towards minus infinity
    DrawFilledRectangle(left, top, right, bottom);
    DrawLine(right, bottom, right + depth, bottom - d);
    DrawLine(right + depth, bottom - d, right + depth, top - d);
    if (drawTop) {
        DrawLine(left, top, left + depth, top - d);
        DrawLine(left + depth, top - d, right + depth, top - d);
        DrawLine(right + depth, top - d, right, top);
    }
}

void WriteText(int x, int y, wchar_t ch) {
    const wchar_t text[2] = {ch, 0};
    WriteText(x, y, text);
}
int WriteTextInRect(wchar_t ch, RECT* rect, UINT format) {
    const wchar_t text[2] = {ch, 0};
    return WriteTextInRect(text, rect, format);
}
int GetTextPixelWidth(wchar_t ch) {
    const wchar_t text[2] = {ch, 0};
    return GetTextPixelWidth(text);
}
int GetTextPixelHeight(wchar_t ch) {
    const wchar_t text[2] = {ch, 0};
    return GetTextPixelHeight(text);
}

void SelectTextFont(const LOGFONTW* font) {
    SetTextFont(font);
}
void SelectTextFont(int height, int width, const wchar_t* face) {
    SetTextFont(height, width, face);
}
void SelectTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut);
}
void SelectTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut,
                charSet, outPrecision, clipPrecision, quality, pitchAndFamily);
}
void QueryTextFont(LOGFONTW* out) {
    GetTextFont(out);
}

int GetPenX() {
    return g_penX;
}
int GetPenY() {
    return g_penY;
}
void MovePenTo(int x, int y) {
    g_penX = x;
    g_penY = y;
}
void MovePenBy(int dx, int dy) {
    g_penX += dx;
    g_penY += dy;
}
void DrawSegmentTo(int x, int y) {
    const Kanvo::TargetLock lock;
    DrawLine(g_penX, g_penY, x, y);
    MovePenTo(x, y);
}
void DrawSegmentBy(int dx, int dy) {
    const Kanvo::TargetLock lock;
    DrawLine(g_penX, g_penY, g_penX + dx, g_penY + dy);
    MovePenBy(dx, dy);
}
void WriteTextAtPen(const wchar_t* text) {
    if (!text) return;
    const Kanvo::TargetLock lock;
    WriteText(g_penX, g_penY, text);
    g_penX += GetTextPixelWidth(text);
}
void WriteTextAtPen(wchar_t ch) {
    const wchar_t text[2] = {ch, 0};
    WriteTextAtPen(text);
}
