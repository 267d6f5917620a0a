// The window drawing target: the image target's operations on the window's
// back buffer, each one that touches the device context run under the library
// lock, since the window thread copies the buffer to the screen meanwhile.
#pragma once

#include "../draw/draw_on_img.h"

namespace Kanvo {

class DrawOnWnd : public DrawOnImg {
public:
    void ClearTarget() override;
    void SetFontColor(COLORREF color) override;
    void SetBackgroundColor(COLORREF color) override;
    int GetBackgroundMode() override;
    void SetBackgroundMode(int mode) override;
    void MoveOrigin(int x, int y) override;
    void SetClipRegion(HRGN region) override;
    void EraseClipArea() override;
    using DrawOnImg::SetStrokeStyle;
    void SetStrokeStyle(const LINESTYLE* style) override;
    using DrawOnImg::SetInteriorStyle;
    void SetInteriorStyle(const FILLSTYLE* style) override;
    void SetInteriorColor(COLORREF color) override;
    void SetAxisScale(float xScale, float yScale) override;
    int GetRasterOp() override;
    void SetRasterOp(int mode) override;
    int GetPolygonFillMode() override;
    void SetPolygonFillMode(int mode) override;
    COLORREF GetPixelColor(int x, int y) override;
    void SetPixelColor(int x, int y, COLORREF color) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawFilledRectangle(int left, int top, int right, int bottom) override;
    void DrawFilledCircle(int x, int y, int radius) override;
    void DrawFilledEllipse(int left, int top, int right, int bottom) override;
    void DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                             int ellipseHeight) override;
    void DrawArc(int left, int top, int right, int bottom, double startAngle,
                 double endAngle) override;
    void DrawFilledPie(int left, int top, int right, int bottom, double startAngle,
                       double endAngle) override;
    void DrawPolyline(const POINT* points, int count) override;
    void DrawFilledPolygon(const POINT* points, int count) override;
    void DrawBezier(const POINT* points, int count) override;
    void FillAreaAt(int x, int y, COLORREF color, int mode) override;
    void WriteText(int x, int y, const wchar_t* text) override;
    int WriteTextInRect(const wchar_t* text, RECT* rect, UINT format) override;
    int GetTextPixelWidth(const wchar_t* text) override;
    int GetTextPixelHeight(const wchar_t* text) override;
    using DrawOnImg::SetTextFont;
    void SetTextFont(const LOGFONTW* font) override;
    void GetTextFont(LOGFONTW* out) override;

    HWND OpenGraphWindow(int width, int height, int flags) override;
    void CloseGraphWindow() override;
    void BeginBatch() override;
    void FlushBatch(int left, int top, int right, int bottom) override;
    void FlushBatch() override;
    void EndBatch(int left, int top, int right, int bottom) override;
    void EndBatch() override;
};

}  // namespace Kanvo
