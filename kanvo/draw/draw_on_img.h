// The drawing target interface. DrawOnImg draws into the current image through
// its memory device context; DrawOnWnd (window/draw_on_wnd.h) runs the same
// operations on the window's back buffer under the library lock. The public
// drawing functions forward to these operations on the current target.
#pragma once

#include "../kanvo.h"
#include "raster_limits.h"

namespace Kanvo {

class DrawOnImg {
public:
    virtual ~DrawOnImg() = default;
    virtual void ClearTarget();
    virtual COLORREF GetStrokeColor();
    virtual void SetStrokeColor(COLORREF color);
    virtual COLORREF GetFontColor();
    virtual void SetFontColor(COLORREF color);
    virtual COLORREF GetBackgroundColor();
    virtual void SetBackgroundColor(COLORREF color);
    virtual int GetBackgroundMode();
    virtual void SetBackgroundMode(int mode);
    virtual void MoveOrigin(int x, int y);
    virtual void SetClipRegion(HRGN region);
    virtual void EraseClipArea();
    virtual void GetStrokeStyle(LINESTYLE* out);
    virtual void SetStrokeStyle(int style, int thickness, const DWORD* userPattern,
                                DWORD userCount);
    virtual void SetStrokeStyle(const LINESTYLE* style);
    virtual void GetInteriorStyle(FILLSTYLE* out);
    virtual void SetInteriorStyle(int style, long hatch, IMAGE* pattern);
    virtual void SetInteriorStyle(const BYTE* rows);
    virtual void SetInteriorStyle(const FILLSTYLE* style);
    virtual COLORREF GetInteriorColor();
    virtual void SetInteriorColor(COLORREF color);
    virtual void GetAxisScale(float* xScale, float* yScale);
    virtual void SetAxisScale(float xScale, float yScale);
    virtual int GetRasterOp();
    virtual void SetRasterOp(int mode);
    virtual int GetPolygonFillMode();
    virtual void SetPolygonFillMode(int mode);
    virtual void ResetDrawingState();
    virtual COLORREF GetPixelColor(int x, int y);
    virtual void SetPixelColor(int x, int y, COLORREF color);
    virtual void DrawLine(int x1, int y1, int x2, int y2);
    virtual void DrawRectangle(int left, int top, int right, int bottom);
    virtual void DrawFilledRectangle(int left, int top, int right, int bottom);
    virtual void PaintRectangle(int left, int top, int right, int bottom);
    virtual void EraseRectangle(int left, int top, int right, int bottom);
    virtual void ComputeArcEnds(int left, int top, int right, int bottom, double startAngle,
                                double endAngle, int* x1, int* y1, int* x2, int* y2);
    virtual void DrawCircle(int x, int y, int radius);
    virtual void DrawFilledCircle(int x, int y, int radius);
    virtual void PaintCircle(int x, int y, int radius);
    virtual void EraseCircle(int x, int y, int radius);
    virtual void DrawEllipse(int left, int top, int right, int bottom);
    virtual void DrawFilledEllipse(int left, int top, int right, int bottom);
    virtual void PaintEllipse(int left, int top, int right, int bottom);
    virtual void EraseEllipse(int left, int top, int right, int bottom);
    virtual void DrawRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                               int ellipseHeight);
    virtual void DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                                     int ellipseHeight);
    virtual void PaintRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                                int ellipseHeight);
    virtual void EraseRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                                int ellipseHeight);
    virtual void DrawArc(int left, int top, int right, int bottom, double startAngle,
                         double endAngle);
    virtual void DrawPie(int left, int top, int right, int bottom, double startAngle,
                         double endAngle);
    virtual void DrawFilledPie(int left, int top, int right, int bottom, double startAngle,
                               double endAngle);
    virtual void PaintPie(int left, int top, int right, int bottom, double startAngle,
                          double endAngle);
    virtual void ErasePie(int left, int top, int right, int bottom, double startAngle,
                          double endAngle);
    virtual void DrawPolyline(const POINT* points, int count);
    virtual void DrawPolygon(const POINT* points, int count);
    virtual void DrawFilledPolygon(const POINT* points, int count);
    virtual void PaintPolygon(const POINT* points, int count);
    virtual void ErasePolygon(const POINT* points, int count);
    virtual void DrawBezier(const POINT* points, int count);
    virtual void FillAreaAt(int x, int y, COLORREF color, int mode);
    virtual void WriteText(int x, int y, const wchar_t* text);
    virtual int WriteTextInRect(const wchar_t* text, RECT* rect, UINT format);
    virtual int GetTextPixelWidth(const wchar_t* text);
    virtual int GetTextPixelHeight(const wchar_t* text);
    virtual void SetTextFont(const LOGFONTW* font);
    virtual void SetTextFont(int height, int width, const wchar_t* face, int escapement,
                             int orientation, int weight, bool italic, bool underline,
                             bool strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                             BYTE quality, BYTE pitchAndFamily);
    virtual void SetTextFont(int height, int width, const wchar_t* face, int escapement,
                             int orientation, int weight, bool italic, bool underline,
                             bool strikeOut);
    virtual void SetTextFont(int height, int width, const wchar_t* face);
    virtual void GetTextFont(LOGFONTW* out);
    virtual int GetTargetWidth();
    virtual int GetTargetHeight();

    // Window-only operations: an image has no window to open or present to, so
    // the image target's versions do nothing (DrawOnWnd overrides them).
    virtual HWND OpenGraphWindow(int, int, int) { return nullptr; }
    virtual void CloseGraphWindow() {}
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
