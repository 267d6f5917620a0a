// The default drawing state that every image starts with.
#pragma once

#include <windows.h>

namespace Kanvo {

// The default text style: height 16, face "System", DEFAULT_CHARSET,
// NONANTIALIASED_QUALITY, every other field 0.
LOGFONTW DefaultFontStyle();

// Applies the default device settings (mode, colours, pen, brush, font,
// transform, no clip region) to a device context, deleting the pen, brush and
// font that they replace. The raster operation and polygon fill mode stay.
void ApplyDefaultDeviceState(HDC dc, const XFORM& transform);

}  // namespace Kanvo
