// Soak: a mix of the library's operations (window and image drawing, text,
// fonts and styles, batches, copies, rotation, picture files, resizing, the
// mouse queue) repeated for a while (600 s unless the first argument gives
// the seconds). Prints the process's GDI objects in use, handles, threads and
// private memory after a warm-up, every minute and at the end: they must stay
// flat. Not a test: run it by hand, for minutes.
#include <kanvo.h>

#include "resource_counts.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using KanvoTest::FreeGdiSlots;
using KanvoTest::OpenHandleCount;
using KanvoTest::ThreadCount;

// Committed private memory: the sum of the process's committed private
// regions (the process memory counters are not filled in everywhere).
double PrivateMegabytes() {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr;
         VirtualQuery(at, &region, sizeof region) == sizeof region && region.RegionSize > 0;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    }
    return bytes / 1048576.0;
}

void PrintFigures(const char* when, double seconds, long rounds) {
    std::printf(
        "%-8s %6.0f s %8ld rounds: free GDI slots %d, handles %d, threads %d, "
        "private memory %.1f MB\n",
        when, seconds, rounds, FreeGdiSlots(), OpenHandleCount(), ThreadCount(),
        PrivateMegabytes());
    std::fflush(stdout);
}

// One round of the mix, on the window and on two images.
void Round(long round, IMAGE& canvas, IMAGE& rotated, const std::wstring& picture) {
    const int shade = static_cast<int>(round % 256);
    SetTargetImage(nullptr);
    BeginBatch();
    ClearTarget();
    SetStrokeColor(RGB(shade, 255 - shade, 128));
    SetInteriorColor(RGB(255 - shade, shade, 64));
    SetStrokeStyle(round % 2 ? PS_DASH : PS_SOLID, 1 + static_cast<int>(round % 4));
    SetInteriorStyle(round % 3 ? BS_SOLID : BS_HATCHED, HS_DIAGCROSS);
    DrawFilledCircle(160, 120, 20 + shade % 80);
    DrawFilledRoundRect(10, 10, 150, 90, 20, 20);
    DrawFilledPie(200, 20, 300, 120, 0.3, 2.5);
    const POINT star[5] = {{60, 150}, {30, 230}, {110, 180}, {10, 180}, {90, 230}};
    DrawFilledPolygon(star, 5);
    DrawBezier(star, 4);
    SetTextFont(14 + shade % 10, 0, L"Arial");
    WriteText(10, 200, L"soak");
    FlushBatch();
    EndBatch();
    MOUSEMSG message;
    while (PollMouseEvent(&message)) {
    }

    SetTargetImage(&canvas);
    SetImageSize(&canvas, 120 + shade % 40, 90);
    SetAxisScale(1.0f + (round % 3), 1.0f);
    DrawEllipse(5, 5, 60, 40);
    SetAxisScale(1, 1);
    WriteText(4, 50, L"image");
    FillAreaAt(2, 2, GetPixelColor(2, 2), FLOODFILLSURFACE);
    SetTargetImage(nullptr);
    PasteImage(320, 10, &canvas);
    MakeRotatedImage(&rotated, &canvas, 0.01 * shade, 0, true, round % 2 == 0);
    PasteImage(320, 120, &rotated);
    if (round % 20 == 0) {
        WriteImageFile(picture.c_str(), &canvas);
        IMAGE loaded;
        ReadImageFile(&loaded, picture.c_str());
    }
    CaptureImage(&canvas, 0, 0, 100, 80);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 600.0;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring picture = folder + std::to_wstring(GetCurrentProcessId()) + L"_soak.png";
    OpenGraphWindow(640, 480);
    IMAGE canvas(120, 90), rotated;
    const DWORD start = GetTickCount();
    long round = 0;
    // Warm-up: caches, fonts and decoders that stay once made.
    while (GetTickCount() - start < 5000) Round(round++, canvas, rotated, picture);
    PrintFigures("start", (GetTickCount() - start) / 1000.0, round);
    DWORD lastPrint = GetTickCount();
    while ((GetTickCount() - start) / 1000.0 < seconds) {
        Round(round++, canvas, rotated, picture);
        if (GetTickCount() - lastPrint >= 60000) {
            PrintFigures("running", (GetTickCount() - start) / 1000.0, round);
            lastPrint = GetTickCount();
        }
    }
    PrintFigures("end", (GetTickCount() - start) / 1000.0, round);
    DeleteFileW(picture.c_str());
    CloseGraphWindow();
    return 0;
}
