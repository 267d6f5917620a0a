// A global image, and a global whose constructor draws on it before main.
#include "global_image.h"

IMAGE g_picture(40, 30);

namespace {

struct DrawBeforeMain {
    DrawBeforeMain() {
        SetTargetImage(&g_picture);
        SetInteriorColor(RGB(0, 200, 100));
        PaintRectangle(0, 0, 39, 29);
        SetTargetImage(nullptr);
    }
};
DrawBeforeMain g_drawBeforeMain;

}  // namespace
