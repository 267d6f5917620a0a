// The default drawing state of every image and its device context.
#include "default_state.h"

#include "../core/library_state.h"
#include "raster_access.h"

namespace Kanvo {

LOGFONTW DefaultFontStyle() {
    LOGFONTW font = {};
    font.lfHeight = 16;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynW(font.lfFaceName, L"System", LF_FACESIZE);
    return font;
}

void ApplyDefaultDeviceState(HDC dc, const XFORM& transform) {
    if (!dc) return;
    SetGraphicsMode(dc, GM_ADVANCED);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, 0);
    if (HPEN pen = CreatePen(PS_SOLID, 1, 0xFFFFFF)) DeleteObject(SelectObject(dc, pen));
    if (HBRUSH brush = CreateSolidBrush(0xFFFFFF)) DeleteObject(SelectObject(dc, brush));
    SetTextColor(dc, 0xFFFFFF);
    SetWorldTransform(dc, &transform);
    SelectClipRgn(dc, nullptr);
    const LOGFONTW style = DefaultFontStyle();
    if (HFONT font = CreateFontIndirectW(&style)) DeleteObject(SelectObject(dc, font));
}

}  // namespace Kanvo

void IMAGE::ResetDrawingState() {
    // Under the lock as a whole: the window thread reads the transform of the
    // window's image whenever it copies the back buffer.
    Kanvo::LockGuard lock;
    strokeColor_ = 0xFFFFFF;
    fontColor_ = 0xFFFFFF;
    backgroundColor_ = 0;
    interiorColor_ = 0xFFFFFF;
    transform_ = XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    lineStyle_.style = PS_SOLID;
    lineStyle_.thickness = 1;
    delete[] lineStyle_.userPattern;
    lineStyle_.userPattern = nullptr;
    lineStyle_.userCount = 0;
    fillStyle_.style = BS_SOLID;
    delete fillStyle_.pattern;
    fillStyle_.pattern = nullptr;
    Kanvo::ApplyDefaultDeviceState(dc_, transform_);
    Kanvo::RasterAccess::DefaultStateApplied(*this);
}
