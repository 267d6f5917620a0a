// The window drawing target: the image target's operations on the window's
// back buffer (the public call holds the library lock around each one), plus
// batch drawing, which only a window has.
#pragma once

#include "../draw/image_target.h"

namespace Kanvo {

class WindowTarget : public ImageTarget {
public:
    void BeginBatch() override;
    void FlushBatch(int left, int top, int right, int bottom) override;
    void FlushBatch() override;
    void EndBatch(int left, int top, int right, int bottom) override;
    void EndBatch() override;
};

}  // namespace Kanvo
