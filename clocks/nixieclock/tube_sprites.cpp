// Pre-rendering: the glowing digits with their ghosts, the dots and the
// light blobs, each built once.
#include "nixie_drawing.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr Rgb kOrange = {255, 136, 37};
constexpr Rgb kCore = {255, 216, 166};
constexpr Rgb kGrey = {48, 48, 48};
constexpr float kGhostAlpha = 0.15f;
constexpr int kDigitWidth = 160, kDigitHeight = 288, kDotSize = 80, kGlowSize = 96;
constexpr int kPasses = 32;
// The digits from the back of the tube to its front.
constexpr int kCathodeOrder[10] = {1, 2, 0, 3, 9, 4, 8, 5, 7, 6};

// A glow: the strokes laid over a clear plane in the first 24 of 32 passes,
// the plane blurred after every pass, then the sprite tinted by it.
void BuildGlow(Sprite& sprite, const StrokeCoverage& strokes) {
    GlowPlane plane(sprite.width, sprite.height);
    const std::vector<PlaneCell> cells = plane.Place(strokes);
    for (int pass = 0; pass < kPasses; ++pass) {
        if (pass < 24) plane.LayOver(cells);
        plane.Blur();
    }
    plane.TintInto(sprite, kOrange);
}

float RandomUnit(int divisor, float offset) {
    return static_cast<float>(std::rand() % 10000) / divisor - offset;
}

}  // namespace

Sprite RenderBlob() {
    GlowPlane plane(kGlowSize, kGlowSize);
    for (int pass = 0; pass < kPasses; ++pass) {
        if (pass < 12) plane.Fill(36, 32, 59, 63);
        if (pass == kPasses - 1) plane.Fill(44, 40, 51, 55);
        plane.Blur();
    }
    Sprite blob(kGlowSize, kGlowSize);
    plane.TintInto(blob, kOrange);
    return blob;
}

TubeDisplay::TubeDisplay() {
    for (int i = 0; i < 12; ++i) sprites[i] = Sprite(kDigitWidth, kDigitHeight);
    sprites[kLitDotSprite] = Sprite(kDotSize, kDotSize);
    sprites[kDimDotSprite] = Sprite(kDotSize, kDotSize);
}

void BuildSprites(TubeDisplay& display) {
    Sprite* sprites = display.sprites;
    std::vector<Sprite> glow(10, Sprite(kDigitWidth, kDigitHeight));
    std::vector<Sprite> ghost(10, Sprite(kDigitWidth, kDigitHeight));

    for (int d = 0; d < 10; ++d) {
        StrokeCoverage strokes(kDigitWidth, kDigitHeight);
        DrawDigitStrokes(strokes, d, 6.0);
        BuildGlow(glow[d], strokes);
    }

    StrokeCoverage dot(kDotSize, kDotSize);
    StrokeDisc(dot, {40, 40}, 5);
    Sprite& litDot = sprites[kLitDotSprite];
    BuildGlow(litDot, dot);
    LayOverCoverage(litDot, dot, kCore);

    Sprite& dimDot = sprites[kDimDotSprite];
    LayOverCoverage(dimDot, dot, kGrey);
    for (size_t i = 3; i < dimDot.pixels.size(); i += 4) {
        const float a = dimDot.pixels[i];
        dimDot.pixels[i] = std::max(a - a * (0.4f * a) + 0.4f * a, 1e-20f);
    }
    PremultiplyAlpha(dimDot);

    // The thin strokes: the bright core of each glow, and each ghost.
    std::vector<StrokeCoverage> thin(10, StrokeCoverage(kDigitWidth, kDigitHeight));
    for (int d = 0; d < 10; ++d) DrawDigitStrokes(thin[d], d, 2.3);

    for (int d : kCathodeOrder) {
        LayOverCoverage(glow[d], thin[d], kCore);
        LayOverSprite(sprites[kAllLitSprite], glow[d], 1.0f);
    }
    PremultiplyAlpha(sprites[kAllLitSprite]);

    for (int d = 0; d < 10; ++d) LayOverCoverage(ghost[d], thin[d], kGrey);

    // Each digit's sprite starts with the ghosts of the digits behind it, the
    // same layers for every digit further forward, and the all-dim sprite is
    // all ten ghosts: the ghosts are laid once, back to front, and the sprite
    // of each digit starts from a copy of those laid so far.
    Sprite& behind = sprites[kAllDimSprite];
    for (int i = 0; i < 10; ++i) {
        const int b = kCathodeOrder[i];
        sprites[b] = behind;
        LayOverSprite(sprites[b], glow[b], 1.0f);
        for (int j = i + 1; j < 10; ++j)
            LayOverSprite(sprites[b], ghost[kCathodeOrder[j]], kGhostAlpha);
        PremultiplyAlpha(sprites[b]);
        LayOverSprite(behind, ghost[b], kGhostAlpha);
    }
    PremultiplyAlpha(behind);
}

void SetupGlow(Glow& g) {
    g.ix = std::rand() % kCanvasWidth;
    g.iy = std::rand() % kCanvasHeight;
    g.red = 255;
    g.green = 136;
    g.blue = 37;
    // Every blob looks the same: it is rendered once and copied.
    static const Sprite blob = RenderBlob();
    g.sprite = blob;
    g.maxX = 1180.0f;
    g.maxY = 330.0f;
    g.x = static_cast<float>(g.ix);
    g.y = static_cast<float>(g.iy);
    g.vx = RandomUnit(5000, 1.0f);
    g.vy = RandomUnit(5000, 1.0f);
}

void DriftGlow(Glow& g) {
    g.x += g.vx;
    g.y += g.vy;
    if (g.x > g.maxX)
        g.x = g.maxX - 0.333f;
    else if (g.x < 0)
        g.x = 0.333f;
    if (g.y > g.maxY)
        g.y = g.maxY - 0.333f;
    else if (g.y < 0)
        g.y = 0.333f;
    g.vx = std::clamp(g.vx + RandomUnit(40000, 0.1175f), -1.0f, 1.0f);
    g.vy = std::clamp(g.vy + RandomUnit(40000, 0.1175f), -1.0f, 1.0f);
    g.ix = static_cast<int>(g.x);
    g.iy = static_cast<int>(g.y);
}
