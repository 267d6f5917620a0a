// "Over" compositing and premultiplied alpha on float sprites.
#include "tube_sprite.h"

#include <algorithm>

void LayOver(float* px, float c, const Rgb& color) {
    const float ad = px[3];
    const float ao = std::max(ad - ad * c + c, 1e-20f);
    const float channels[3] = {color.red, color.green, color.blue};
    for (int k = 0; k < 3; ++k) px[k] = (c * channels[k] + px[k] * ad - px[k] * ad * c) / ao;
    px[3] = ao;
}

void LayOverSprite(Sprite& target, const Sprite& source, float alphaScale) {
    const size_t count = std::min(target.pixels.size(), source.pixels.size());
    for (size_t i = 0; i < count; i += 4) {
        const float* src = &source.pixels[i];
        LayOver(&target.pixels[i], src[3] * alphaScale, Rgb{src[0], src[1], src[2]});
    }
}

void PremultiplyAlpha(Sprite& sprite) {
    for (size_t i = 0; i < sprite.pixels.size(); i += 4) {
        float* px = &sprite.pixels[i];
        for (int k = 0; k < 3; ++k) px[k] *= px[3];
    }
}

void LayOverCoverage(Sprite& sprite, const StrokeCoverage& strokes, const Rgb& color) {
    if (sprite.width != strokes.width || sprite.height != strokes.height) return;
    for (const CoverageCell& cell : strokes.cells)
        LayOver(&sprite.pixels[static_cast<size_t>(cell.pixel) * 4], cell.coverage, color);
}
