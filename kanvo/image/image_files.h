// Decoding pictures into images and choosing encoders, through the system
// imaging library.
#pragma once

#include "global_memory.h"

class IMAGE;

namespace Kanvo {

// Draws the picture encoded in `holder` into `destination`, scaled to width x
// height (0 = the picture's own size). An empty destination, or one of another
// size when `resizeToFit`, is resized first. The destination is cleared to
// black before drawing, so a missing or undecodable picture leaves it black.
// True when a picture was decoded and drawn.
bool DecodeImageFromMemory(const GlobalMemory& holder, IMAGE* destination, int width, int height,
                           bool resizeToFit);

// The class identifier of the first encoder whose extension list holds the
// whole entry `extension` (any case): 0 when found, -1 otherwise.
int FindEncoderForExtension(const wchar_t* extension, CLSID* encoder);

}  // namespace Kanvo
