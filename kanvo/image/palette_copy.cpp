#include "palette_copy.h"

#include <new>
#include <unordered_map>

namespace Kanvo {

namespace {

constexpr int kRedLevels = 6, kGreenLevels = 7, kBlueLevels = 6;

// The nearest of `levels` evenly spaced values from 0 to 255, as its number.
int Level(DWORD value, int levels) {
    return static_cast<int>((value * (levels - 1) + 127) / 255);
}

BYTE LevelValue(int level, int levels) {
    return static_cast<BYTE>((level * 255 + (levels - 1) / 2) / (levels - 1));
}

RGBQUAD Quad(DWORD pixel) {
    return {static_cast<BYTE>(pixel & 0xFF), static_cast<BYTE>((pixel >> 8) & 0xFF),
            static_cast<BYTE>((pixel >> 16) & 0xFF), 0};
}

}  // namespace

PaletteCopy::PaletteCopy(const DWORD* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0) return;
    const size_t stride = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
    bits_.reset(new (std::nothrow) BYTE[stride * static_cast<size_t>(height)]);
    if (!bits_) return;
    info_.header.biSize = sizeof(BITMAPINFOHEADER);
    info_.header.biWidth = width;
    info_.header.biHeight = -height;  // rows top to bottom
    info_.header.biPlanes = 1;
    info_.header.biBitCount = 8;
    info_.header.biCompression = BI_RGB;
    info_.header.biClrUsed = 256;
    if (!MapExactly(pixels, width, height, stride)) MapToCube(pixels, width, height, stride);
}

bool PaletteCopy::MapExactly(const DWORD* pixels, int width, int height, size_t stride) {
    std::unordered_map<DWORD, BYTE> indices;
    for (int y = 0; y < height; ++y) {
        const DWORD* row = pixels + static_cast<size_t>(y) * width;
        BYTE* out = bits_.get() + y * stride;
        for (int x = 0; x < width; ++x) {
            const DWORD color = row[x] & 0xFFFFFF;  // the top byte carries no colour
            auto found = indices.find(color);
            if (found == indices.end()) {
                if (indices.size() == 256) return false;
                const BYTE index = static_cast<BYTE>(indices.size());
                info_.colors[index] = Quad(color);
                found = indices.emplace(color, index).first;
            }
            out[x] = found->second;
        }
    }
    return true;
}

void PaletteCopy::MapToCube(const DWORD* pixels, int width, int height, size_t stride) {
    for (int r = 0; r < kRedLevels; ++r)
        for (int g = 0; g < kGreenLevels; ++g)
            for (int b = 0; b < kBlueLevels; ++b)
                info_.colors[(r * kGreenLevels + g) * kBlueLevels + b] = {
                    LevelValue(b, kBlueLevels), LevelValue(g, kGreenLevels),
                    LevelValue(r, kRedLevels), 0};
    for (int y = 0; y < height; ++y) {
        const DWORD* row = pixels + static_cast<size_t>(y) * width;
        BYTE* out = bits_.get() + y * stride;
        for (int x = 0; x < width; ++x) {
            const DWORD p = row[x];
            const int red = Level((p >> 16) & 0xFF, kRedLevels);
            const int green = Level((p >> 8) & 0xFF, kGreenLevels);
            const int blue = Level(p & 0xFF, kBlueLevels);
            out[x] = static_cast<BYTE>((red * kGreenLevels + green) * kBlueLevels + blue);
        }
    }
}

}  // namespace Kanvo
