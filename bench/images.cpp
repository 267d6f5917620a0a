// Image block operations at 800 x 800: PasteImage with SRCCOPY against the
// raw BitBlt it makes and against a plain copy of the same bytes (the limit),
// and MakeRotatedImage in nanoseconds per destination pixel.
#include <kanvo.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kSize = 800;
constexpr double kPixels = static_cast<double>(kSize) * kSize;

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Nanoseconds per call of `work`, the best of five rounds of `repeats` calls.
template <class Work>
double NanosecondsPerCall(int repeats, Work work) {
    work();  // warm up
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const double start = Seconds();
        for (int i = 0; i < repeats; ++i) work();
        GdiFlush();
        const double elapsed = (Seconds() - start) / repeats * 1e9;
        if (elapsed < best) best = elapsed;
    }
    return best;
}

}  // namespace

int main() {
    IMAGE source(kSize, kSize), target(kSize, kSize);
    DWORD* pixels = GetSurfacePixels(&source);
    for (int i = 0; i < kSize * kSize; ++i) pixels[i] = static_cast<DWORD>(i * 2654435761u) >> 8;
    SetTargetImage(&target);

    const double copy = NanosecondsPerCall(200, [&] {
        std::memcpy(GetSurfacePixels(&target), pixels,
                    static_cast<size_t>(kSize) * kSize * sizeof(DWORD));
    });
    const double blit = NanosecondsPerCall(200, [&] {
        BitBlt(GetSurfaceContext(&target), 0, 0, kSize, kSize, GetSurfaceContext(&source), 0, 0,
               SRCCOPY);
    });
    const double paste = NanosecondsPerCall(200, [&] { PasteImage(0, 0, &source, SRCCOPY); });
    SetTargetImage(nullptr);

    IMAGE rotated(kSize, kSize);
    const double nearest =
        NanosecondsPerCall(10, [&] { MakeRotatedImage(&rotated, &source, 0.3, 0, false, false); });
    const double bilinear =
        NanosecondsPerCall(10, [&] { MakeRotatedImage(&rotated, &source, 0.3, 0, false, true); });

    std::printf("800 x 800, best of 5 rounds\n");
    std::printf("memcpy of the pixels       %9.1f us   1.00 (the limit)\n", copy / 1e3);
    std::printf("raw BitBlt SRCCOPY         %9.1f us   %.2f x memcpy\n", blit / 1e3, blit / copy);
    std::printf("PasteImage SRCCOPY         %9.1f us   %.2f x memcpy, %.2f x BitBlt\n", paste / 1e3,
                paste / copy, paste / blit);
    std::printf("memcpy per pixel           %9.2f ns\n", copy / kPixels);
    std::printf("MakeRotatedImage nearest   %9.2f ns per destination pixel   %.1f x memcpy\n",
                nearest / kPixels, nearest / copy);
    std::printf("MakeRotatedImage bilinear  %9.2f ns per destination pixel   %.1f x memcpy\n",
                bilinear / kPixels, bilinear / copy);
    return 0;
}
