// Colours, modes, transform, clipping and clearing of the current image.
#include "draw_on_img.h"

#include "../image/pixel_bitmap.h"
#include "../window/library_state.h"
#include "raster_access.h"

#include <cmath>

namespace Kanvo {
namespace {

// The stored transform is the one the device context holds: it changes only
// when GDI takes the new one. Otherwise every later copy to the screen, which
// puts the stored transform back, would change how drawing lands.
void ApplyTransform(HDC dc, XFORM& stored, const XFORM& changed) {
    if (SetWorldTransform(dc, &changed)) stored = changed;
}

}  // namespace

void DrawOnImg::ClearTarget() {
    IMAGE& image = Image();
    GdiFlush();
    RasterAccess::FillRaster(image, SwapRedBlue(image.backgroundColor_));
}

COLORREF DrawOnImg::GetStrokeColor() {
    return Image().strokeColor_;
}

void DrawOnImg::SetStrokeColor(COLORREF color) {
    IMAGE& image = Image();
    image.strokeColor_ = color;
    SetStrokeStyle(&image.lineStyle_);
}

COLORREF DrawOnImg::GetFontColor() {
    return Image().fontColor_;
}

void DrawOnImg::SetFontColor(COLORREF color) {
    Image().fontColor_ = color;
    SetTextColor(Dc(), color);
}

COLORREF DrawOnImg::GetBackgroundColor() {
    return Image().backgroundColor_;
}

void DrawOnImg::SetBackgroundColor(COLORREF color) {
    Image().backgroundColor_ = color;
    SetBkColor(Dc(), color);
}

int DrawOnImg::GetBackgroundMode() {
    return GetBkMode(Dc());
}
void DrawOnImg::SetBackgroundMode(int mode) {
    SetBkMode(Dc(), mode);
}

COLORREF DrawOnImg::GetInteriorColor() {
    return Image().interiorColor_;
}

void DrawOnImg::SetInteriorColor(COLORREF color) {
    IMAGE& image = Image();
    image.interiorColor_ = color;
    if (image.fillStyle_.style == BS_SOLID) {
        if (HBRUSH brush = CreateSolidBrush(color)) DeleteObject(SelectObject(Dc(), brush));
    } else if (image.fillStyle_.style == BS_HATCHED) {
        SetInteriorStyle(&image.fillStyle_);
    }
}

int DrawOnImg::GetRasterOp() {
    return GetROP2(Dc());
}
void DrawOnImg::SetRasterOp(int mode) {
    SetROP2(Dc(), mode);
    RasterAccess::RasterOpChanged(Image());
}
int DrawOnImg::GetPolygonFillMode() {
    return GetPolyFillMode(Dc());
}
void DrawOnImg::SetPolygonFillMode(int mode) {
    SetPolyFillMode(Dc(), mode);
}

void DrawOnImg::MoveOrigin(int x, int y) {
    XFORM changed = Image().transform_;
    changed.eDx = static_cast<float>(x);
    changed.eDy = static_cast<float>(y);
    ApplyTransform(Dc(), Image().transform_, changed);
    RasterAccess::Refresh(Image());
}

void DrawOnImg::GetAxisScale(float* xScale, float* yScale) {
    const IMAGE& image = Image();
    if (xScale) *xScale = image.transform_.eM11;
    if (yScale) *yScale = image.transform_.eM22;
}

void DrawOnImg::SetAxisScale(float xScale, float yScale) {
    // An infinite or undefined factor has no meaning (and GDI refuses a 0,
    // which would collapse an axis): the scale then stays as it is.
    if (!std::isfinite(xScale) || !std::isfinite(yScale)) return;
    XFORM changed = Image().transform_;
    changed.eM11 = xScale;
    changed.eM22 = yScale;
    ApplyTransform(Dc(), Image().transform_, changed);
    RasterAccess::Refresh(Image());
}

void DrawOnImg::SetClipRegion(HRGN region) {
    RasterAccess::ClipRegionSelected(Image(), region, SelectClipRgn(Dc(), region));
}

void DrawOnImg::EraseClipArea() {
    HDC dc = Dc();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return;
    if (GetClipRgn(dc, region) == 0) {
        ClearTarget();
    } else if (HBRUSH brush = CreateSolidBrush(Image().backgroundColor_)) {
        // The clip region is in device coordinates: fill it untransformed.
        SetWorldTransform(dc, &g_state.identityTransform);
        FillRgn(dc, region, brush);
        SetWorldTransform(dc, &Image().transform_);
        DeleteObject(brush);
    }
    DeleteObject(region);
}

}  // namespace Kanvo
