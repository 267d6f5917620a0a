// The image target's access to the current image, and its size operations.
#include "image_target.h"

#include "../core/library_state.h"

namespace Kanvo {

IMAGE& ImageTarget::Image() {
    return *g_state.currentImage;
}
HDC ImageTarget::Dc() {
    return g_state.targetDC;
}

int ImageTarget::GetTargetWidth() {
    return Image().width_;
}
int ImageTarget::GetTargetHeight() {
    return Image().height_;
}

}  // namespace Kanvo
