// Colours, modes, transform, clipping and clearing of the current image.
#include "image_target.h"

#include "../image/pixel_bitmap.h"
#include "../core/library_state.h"
#include "../image/raster_access.h"

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

void ImageTarget::ClearTarget() {
    IMAGE& image = Image();
    GdiFlush();
    RasterAccess::FillRaster(image, SwapRedBlue(image.backgroundColor_));
}

COLORREF ImageTarget::GetStrokeColor() {
    return Image().strokeColor_;
}

void ImageTarget::SetStrokeColor(COLORREF color) {
    IMAGE& image = Image();
    image.strokeColor_ = color;
    SetStrokeStyle(&image.lineStyle_);
}

COLORREF ImageTarget::GetFontColor() {
    return Image().fontColor_;
}

void ImageTarget::SetFontColor(COLORREF color) {
    Image().fontColor_ = color;
    SetTextColor(Dc(), color);
}

COLORREF ImageTarget::GetBackgroundColor() {
    return Image().backgroundColor_;
}

void ImageTarget::SetBackgroundColor(COLORREF color) {
    Image().backgroundColor_ = color;
    SetBkColor(Dc(), color);
}

int ImageTarget::GetBackgroundMode() {
    return GetBkMode(Dc());
}
void ImageTarget::SetBackgroundMode(int mode) {
    SetBkMode(Dc(), mode);
}

COLORREF ImageTarget::GetInteriorColor() {
    return Image().interiorColor_;
}

void ImageTarget::SetInteriorColor(COLORREF color) {
    IMAGE& image = Image();
    image.interiorColor_ = color;
    if (image.fillStyle_.style == BS_SOLID) {
        if (HBRUSH brush = CreateSolidBrush(color)) DeleteObject(SelectObject(Dc(), brush));
    } else if (image.fillStyle_.style == BS_HATCHED) {
        SetInteriorStyle(&image.fillStyle_);
    }
}

void ImageTarget::ResetDrawingState() {
    Image().ResetDrawingState();
}

int ImageTarget::GetRasterOp() {
    return GetROP2(Dc());
}
void ImageTarget::SetRasterOp(int mode) {
    SetROP2(Dc(), mode);
    RasterAccess::RasterOpChanged(Image());
}
int ImageTarget::GetPolygonFillMode() {
    return GetPolyFillMode(Dc());
}
void ImageTarget::SetPolygonFillMode(int mode) {
    SetPolyFillMode(Dc(), mode);
}

void ImageTarget::MoveOrigin(int x, int y) {
    XFORM changed = Image().transform_;
    changed.eDx = static_cast<float>(x);
    changed.eDy = static_cast<float>(y);
    ApplyTransform(Dc(), Image().transform_, changed);
    RasterAccess::Refresh(Image());
}

void ImageTarget::GetAxisScale(float* xScale, float* yScale) {
    const IMAGE& image = Image();
    if (xScale) *xScale = image.transform_.eM11;
    if (yScale) *yScale = image.transform_.eM22;
}

void ImageTarget::SetAxisScale(float xScale, float yScale) {
    // An infinite or undefined factor has no meaning (and GDI refuses a 0,
    // which would collapse an axis): the scale then stays as it is.
    if (!std::isfinite(xScale) || !std::isfinite(yScale)) return;
    XFORM changed = Image().transform_;
    changed.eM11 = xScale;
    changed.eM22 = yScale;
    ApplyTransform(Dc(), Image().transform_, changed);
    RasterAccess::Refresh(Image());
}

void ImageTarget::SetClipRegion(HRGN region) {
    RasterAccess::ClipRegionSelected(Image(), region, SelectClipRgn(Dc(), region));
}

void ImageTarget::EraseClipArea() {
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
