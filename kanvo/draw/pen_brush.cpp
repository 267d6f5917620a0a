// Line and fill styles of the current image, and the pens and brushes built
// from them. Each new pen or brush replaces (and deletes) the previous one;
// when GDI refuses to build one, the previous one stays selected.
#include "image_target.h"

#include "../image/image_access.h"
#include "../image/pixel_bitmap.h"

#include <algorithm>
#include <vector>

namespace Kanvo {
namespace {

// Monochrome bitmap of a pattern image: a 1 bit for each black pixel, rows
// padded to 16 bits, the leftmost pixel in the high bit.
HBITMAP MonochromePattern(const IMAGE& pattern) {
    const int w = pattern.Width(), h = pattern.Height();
    const DWORD* pixels = ImageAccess::Pixels(pattern);
    if (!pixels || w <= 0 || h <= 0) return nullptr;
    const size_t rowBytes = ((static_cast<size_t>(w) + 15) / 16) * 2;
    std::vector<BYTE> bits(rowBytes * static_cast<size_t>(h), 0);
    GdiFlush();
    for (int y = 0; y < h; ++y) {
        BYTE* row = bits.data() + rowBytes * y;
        const DWORD* source = pixels + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (source[x] == 0) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return CreateBitmap(w, h, 1, 1, bits.data());
}

bool IsPatternStyle(int style) {
    return style == BS_PATTERN || style == BS_DIBPATTERN;
}

// A pattern brush needs an image with pixels to take its pattern from.
bool HasPatternPixels(const IMAGE* pattern) {
    return pattern && ImageAccess::Pixels(*pattern) != nullptr;
}

}  // namespace

void ImageTarget::GetStrokeStyle(LINESTYLE* out) {
    if (out) *out = Image().lineStyle_;
}

void ImageTarget::SetStrokeStyle(const LINESTYLE* s) {
    if (!s) return;
    IMAGE& image = Image();
    LINESTYLE& stored = image.lineStyle_;
    if (s != &stored) stored = *s;
    DWORD penStyle = static_cast<DWORD>(stored.style) | PS_GEOMETRIC;
    if ((stored.style & PS_STYLE_MASK) == PS_USERSTYLE) {
        // A user style without dashes has nothing to draw.
        if (stored.userCount == 0 || !stored.userPattern)
            penStyle = (penStyle & ~static_cast<DWORD>(PS_STYLE_MASK)) | PS_NULL;
    } else {
        delete[] stored.userPattern;
        stored.userPattern = nullptr;
        stored.userCount = 0;
    }
    LOGBRUSH brush = {BS_SOLID, image.strokeColor_, 0};
    HPEN pen = ExtCreatePen(penStyle, static_cast<DWORD>(stored.thickness), &brush,
                            stored.userCount, stored.userPattern);
    if (pen) DeleteObject(SelectObject(Dc(), pen));
}

void ImageTarget::SetStrokeStyle(int style, int thickness, const DWORD* userPattern,
                                 DWORD userCount) {
    LINESTYLE& stored = Image().lineStyle_;
    DWORD* copy = nullptr;
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE && userPattern && userCount != 0) {
        copy = new DWORD[userCount];
        std::copy(userPattern, userPattern + userCount, copy);
    } else {
        userCount = 0;
    }
    delete[] stored.userPattern;
    stored.style = style;
    stored.thickness = thickness;
    stored.userPattern = copy;
    stored.userCount = userCount;
    SetStrokeStyle(&stored);
}

void ImageTarget::GetInteriorStyle(FILLSTYLE* out) {
    if (out) *out = Image().fillStyle_;
}

void ImageTarget::SetInteriorStyle(const FILLSTYLE* f) {
    // A pattern style without a pattern has nothing to paint with: the fill
    // style and the brush stay as they are, so that the two never disagree.
    if (!f || (IsPatternStyle(f->style) && !HasPatternPixels(f->pattern))) return;
    IMAGE& image = Image();
    FILLSTYLE& stored = image.fillStyle_;
    if (f != &stored) stored = *f;
    LOGBRUSH description = {static_cast<UINT>(stored.style), 0, 0};
    HBITMAP patternBitmap = nullptr;
    HGLOBAL packedDib = nullptr;
    switch (stored.style) {
        case BS_SOLID:
            description.lbColor = image.interiorColor_;
            break;
        case BS_NULL:
            break;
        case BS_HATCHED:
            description.lbColor = image.interiorColor_;
            description.lbHatch = static_cast<ULONG_PTR>(stored.hatch);
            break;
        case BS_PATTERN:
            if (!(patternBitmap = MonochromePattern(*stored.pattern))) return;
            description.lbHatch = reinterpret_cast<ULONG_PTR>(patternBitmap);
            break;
        case BS_DIBPATTERN:
            if (!(packedDib = ImageToPackedDib(stored.pattern, BI_RGB, nullptr))) return;
            description.lbColor = DIB_RGB_COLORS;
            description.lbHatch = reinterpret_cast<ULONG_PTR>(packedDib);
            break;
        default:
            return;  // not a brush style the library builds
    }
    if (HBRUSH brush = CreateBrushIndirect(&description)) DeleteObject(SelectObject(Dc(), brush));
    if (patternBitmap) DeleteObject(patternBitmap);
    if (packedDib) GlobalFree(packedDib);
}

void ImageTarget::SetInteriorStyle(int style, long hatch, IMAGE* pattern) {
    const bool patterned = IsPatternStyle(style);
    if (patterned && !HasPatternPixels(pattern)) return;  // nothing to paint with
    FILLSTYLE& stored = Image().fillStyle_;
    if (patterned) {
        // The copy comes first: running out of memory leaves the style whole.
        if (!stored.pattern) stored.pattern = new IMAGE(0, 0);
        *stored.pattern = *pattern;
    }
    stored.style = style;
    if (style == BS_HATCHED) stored.hatch = static_cast<int>(hatch);
    SetInteriorStyle(&stored);
}

void ImageTarget::SetInteriorStyle(const BYTE* rows) {
    if (!rows) return;
    IMAGE pattern(8, 8);
    DWORD* pixels = ImageAccess::Pixels(pattern);
    if (!pixels) return;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pixels[y * 8 + x] = (rows[y] >> (7 - x)) & 1 ? 0x00FFFFFFu : 0u;
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
}

}  // namespace Kanvo
