// The image target's access to the current image, and its size operations.
#include "draw_on_img.h"

#include "../window/library_state.h"

namespace Kanvo {

IMAGE& DrawOnImg::Image() {
    return *g_state.currentImage;
}
HDC DrawOnImg::Dc() {
    return g_state.targetDC;
}

int DrawOnImg::GetTargetWidth() {
    return Image().width_;
}
int DrawOnImg::GetTargetHeight() {
    return Image().height_;
}

}  // namespace Kanvo
