// Choosing the image that drawing goes to.
#pragma once

#include "../core/library_state.h"

namespace Kanvo {

// Makes `image` the current target, or the window when `image` is null; with
// neither, the current target stays as it is. Call under the library lock.
void ChooseTargetLocked(IMAGE* image);

// Leaves no current target at all. Call under the library lock.
void ClearTargetLocked();

}  // namespace Kanvo
