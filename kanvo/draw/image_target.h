// The drawing operations on the current image, through its memory device
// context. The window's back buffer is an image too: WindowTarget
// (window/window_target.h) adds only what a window has beyond an image, its
// batch drawing. The public drawing functions forward to these operations on
// the current target, under the library lock while that target is the window.
#pragma once

#include "../core/library_state.h"
#include "../image/pixel_bitmap.h"
#include "../image/raster_access.h"
#include "../kanvo.h"
#include "raster_limits.h"

namespace Kanvo {

class ImageTarget {
public:
    virtual ~ImageTarget() = default;
    void ClearTarget();
    COLORREF GetStrokeColor();
    void SetStrokeColor(COLORREF color);
    COLORREF GetFontColor();
    void SetFontColor(COLORREF color);
    COLORREF GetBackgroundColor();
    void SetBackgroundColor(COLORREF color);
    int GetBackgroundMode();
    void SetBackgroundMode(int mode);
    void MoveOrigin(int x, int y);
    void SetClipRegion(HRGN region);
    void EraseClipArea();
    void GetStrokeStyle(LINESTYLE* out);
    void SetStrokeStyle(int style, int thickness, const DWORD* userPattern, DWORD userCount);
    void SetStrokeStyle(const LINESTYLE* style);
    void GetInteriorStyle(FILLSTYLE* out);
    void SetInteriorStyle(int style, long hatch, IMAGE* pattern);
    void SetInteriorStyle(const BYTE* rows);
    void SetInteriorStyle(const FILLSTYLE* style);
    COLORREF GetInteriorColor();
    void SetInteriorColor(COLORREF color);
    void GetAxisScale(float* xScale, float* yScale);
    void SetAxisScale(float xScale, float yScale);
    int GetRasterOp();
    void SetRasterOp(int mode);
    int GetPolygonFillMode();
    void SetPolygonFillMode(int mode);
    void ResetDrawingState();
    // Single pixels are read and written in the pixel array of the current
    // image where that gives GDI's result (raster_access.h): these answer
    // false where it does not, and the caller goes through GDI. Here in the
    // header, so that the common case costs no call.
    static bool ReadPixelDirectly(int x, int y, COLORREF& color) {
        const DWORD* pixel = RasterAccess::VisiblePixel(*g_state.currentImage, x, y);
        if (!pixel) return false;
        color = SwapRedBlue(*pixel) & 0x00FFFFFFu;
        return true;
    }
    static bool WritePixelDirectly(int x, int y, COLORREF color) {
        DWORD* pixel = RasterAccess::WritablePixel(*g_state.currentImage, x, y, color);
        if (!pixel) return false;
        *pixel = SwapRedBlue(color);
        return true;
    }
    COLORREF GetPixelThroughGdi(int x, int y);
    void SetPixelThroughGdi(int x, int y, COLORREF color);
    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawRectangle(int left, int top, int right, int bottom);
    void DrawFilledRectangle(int left, int top, int right, int bottom);
    void PaintRectangle(int left, int top, int right, int bottom);
    void EraseRectangle(int left, int top, int right, int bottom);
    void ComputeArcEnds(int left, int top, int right, int bottom, double startAngle,
                        double endAngle, int* x1, int* y1, int* x2, int* y2);
    void DrawCircle(int x, int y, int radius);
    void DrawFilledCircle(int x, int y, int radius);
    void PaintCircle(int x, int y, int radius);
    void EraseCircle(int x, int y, int radius);
    void DrawEllipse(int left, int top, int right, int bottom);
    void DrawFilledEllipse(int left, int top, int right, int bottom);
    void PaintEllipse(int left, int top, int right, int bottom);
    void EraseEllipse(int left, int top, int right, int bottom);
    void DrawRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                       int ellipseHeight);
    void DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                             int ellipseHeight);
    void PaintRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
    void EraseRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);
    void DrawArc(int left, int top, int right, int bottom, double startAngle, double endAngle);
    void DrawPie(int left, int top, int right, int bottom, double startAngle, double endAngle);
    void DrawFilledPie(int left, int top, int right, int bottom, double startAngle,
                       double endAngle);
    void PaintPie(int left, int top, int right, int bottom, double startAngle, double endAngle);
    void ErasePie(int left, int top, int right, int bottom, double startAngle, double endAngle);
    void DrawPolyline(const POINT* points, int count);
    void DrawPolygon(const POINT* points, int count);
    void DrawFilledPolygon(const POINT* points, int count);
    void PaintPolygon(const POINT* points, int count);
    void ErasePolygon(const POINT* points, int count);
    void DrawBezier(const POINT* points, int count);
    void FillAreaAt(int x, int y, COLORREF color, int mode);
    void WriteText(int x, int y, const wchar_t* text);
    int WriteTextInRect(const wchar_t* text, RECT* rect, UINT format);
    int GetTextPixelWidth(const wchar_t* text);
    int GetTextPixelHeight(const wchar_t* text);
    void SetTextFont(const LOGFONTW* font);
    void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                     int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                     BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily);
    void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                     int weight, bool italic, bool underline, bool strikeOut);
    void SetTextFont(int height, int width, const wchar_t* face);
    void GetTextFont(LOGFONTW* out);
    int GetTargetWidth();
    int GetTargetHeight();

    // Window-only operations: an image has no window to present to, so the
    // image target's versions do nothing (WindowTarget overrides them).
    virtual void BeginBatch() {}
    virtual void FlushBatch(int, int, int, int) {}
    virtual void FlushBatch() {}
    virtual void EndBatch(int, int, int, int) {}
    virtual void EndBatch() {}

protected:
    // The image that operations draw on and its memory device context.
    static IMAGE& Image();
    static HDC Dc();

    // True when a shape of these logical bounds is within the raster limits
    // on the current image, with its transform and pen width.
    static bool Drawable(const ShapeBounds& bounds, ShapeKind kind);
    // The end points that Arc and Pie take (x1, y1, x2, y2); false when the
    // shape is not drawn: an angle is not finite, or the box is not Drawable.
    bool ArcEndsToDraw(int left, int top, int right, int bottom, double startAngle, double endAngle,
                       int ends[4]);

    // Swap-and-restore wrappers of the composed shapes (composed_shapes.cpp).
    template <class Draw>
    void WithoutFill(Draw draw);
    template <class Draw>
    void WithoutOutline(Draw draw);
    template <class Paint>
    void WithBackgroundBrush(Paint paint);
};

}  // namespace Kanvo
