// Cost of the shape operations through Kanvo against the same raw GDI call on
// the same device context, measured in the same run: on an image target and
// on the window target (its lock included). Prints nanoseconds per call and
// their ratio; each figure is the best of many short alternating rounds, so
// that other work on the shared machine disturbs neither side.
//
// The window target is measured in batch mode: while the window thread
// presents the back buffer it holds the buffer's device context, and raw GDI
// calls from another thread then fail instead of drawing, so only the batch
// figures compare like with like. A last line shows Kanvo's cost on the
// window while it presents, against batch mode.
#include <kanvo.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSize = 800;
constexpr int kRounds = 301;
constexpr double kRoundSeconds = 0.0002;

HDC g_dc;  // the current target's device context, for the raw calls
CRITICAL_SECTION g_lock;
const POINT kPentagon[] = {{400, 300}, {495, 369}, {459, 481}, {341, 481}, {305, 369}};

using Loop = void (*)(int count);

struct Comparison {
    const char* operation;
    const char* reference;
    void (*setup)();  // the drawing state both sides share
    Loop raw;
    Loop kanvo;
    int kind;  // what goal applies
};

// Goals on an image and on the window: primitives against raw GDI, composed
// variants with nothing to swap against their primitive; none for figures
// shown for comparison only.
enum { kPrimitive, kComposed, kShownOnly };
constexpr double kGoals[][2] = {{1.10, 1.25}, {1.30, 1.30}, {0, 0}};

// Draws spread over the target, so that each call touches fresh pixels.
int X(int i) {
    return 100 + (i * 37) % 600;
}
int Y(int i) {
    return 100 + (i * 53) % 600;
}

void RawLines(int n) {
    for (int i = 0; i < n; ++i) {
        MoveToEx(g_dc, X(i), Y(i), nullptr);
        LineTo(g_dc, X(i) + 60, Y(i) + 40);
    }
}

void KanvoLines(int n) {
    for (int i = 0; i < n; ++i) DrawLine(X(i), Y(i), X(i) + 60, Y(i) + 40);
}

const Comparison kComparisons[] = {
    {"DrawLine, width 1", "MoveToEx + LineTo", [] { SetStrokeStyle(PS_SOLID, 1); }, RawLines,
     KanvoLines, kPrimitive},
    {"DrawLine, width 10", "MoveToEx + LineTo", [] { SetStrokeStyle(PS_SOLID, 10); }, RawLines,
     KanvoLines, kPrimitive},
    {"DrawFilledCircle, radius 50", "Ellipse", [] { SetStrokeStyle(PS_SOLID, 1); },
     [](int n) {
         for (int i = 0; i < n; ++i) Ellipse(g_dc, X(i) - 50, Y(i) - 50, X(i) + 50, Y(i) + 50);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawFilledCircle(X(i), Y(i), 50);
     },
     kPrimitive},
    {"DrawFilledPolygon, 5 points", "Polygon", nullptr,
     [](int n) {
         for (int i = 0; i < n; ++i) Polygon(g_dc, kPentagon, 5);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawFilledPolygon(kPentagon, 5);
     },
     kPrimitive},
    // This program holds the target's device context (for the raw calls), so
    // single pixels go through GDI here: shown for comparison only. The
    // direct path and its goals are measured by bench/pixels.cpp.
    {"SetPixelColor", "SetPixelV", nullptr,
     [](int n) {
         for (int i = 0; i < n; ++i) SetPixelV(g_dc, X(i), Y(i), RGB(i, 0, 0));
     },
     [](int n) {
         for (int i = 0; i < n; ++i) SetPixelColor(X(i), Y(i), RGB(i, 0, 0));
     },
     kShownOnly},
    {"GetPixelColor", "GetPixel", nullptr,
     [](int n) {
         for (int i = 0; i < n; ++i) GetPixel(g_dc, X(i), Y(i));
     },
     [](int n) {
         for (int i = 0; i < n; ++i) GetPixelColor(X(i), Y(i));
     },
     kShownOnly},
    // What the window's lock adds to the cheapest call: the same reference
    // call inside a critical section of its own.
    {"GetPixelColor", "GetPixel, in a lock", nullptr,
     [](int n) {
         for (int i = 0; i < n; ++i) {
             EnterCriticalSection(&g_lock);
             GetPixel(g_dc, X(i), Y(i));
             LeaveCriticalSection(&g_lock);
         }
     },
     [](int n) {
         for (int i = 0; i < n; ++i) GetPixelColor(X(i), Y(i));
     },
     kShownOnly},
    {"ClearTarget, 800 x 800", "PatBlt of a solid brush",
     [] { SetBackgroundColor(RGB(10, 20, 30)); },
     [](int n) {
         HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
         HGDIOBJ previous = SelectObject(g_dc, brush);
         for (int i = 0; i < n; ++i) PatBlt(g_dc, 0, 0, kSize, kSize, PATCOPY);
         SelectObject(g_dc, previous);
         DeleteObject(brush);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) ClearTarget();
     },
     kPrimitive},
    // Composed variants with nothing to swap, against their primitive.
    {"PaintRectangle, pen already null", "Rectangle", [] { SetStrokeStyle(PS_NULL); },
     [](int n) {
         for (int i = 0; i < n; ++i) Rectangle(g_dc, X(i), Y(i), X(i) + 81, Y(i) + 61);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) PaintRectangle(X(i), Y(i), X(i) + 80, Y(i) + 60);
     },
     kComposed},
    {"DrawCircle, brush already hollow", "DrawFilledCircle",
     [] {
         SetStrokeStyle(PS_SOLID, 1);
         SetInteriorStyle(BS_NULL);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawFilledCircle(X(i), Y(i), 50);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawCircle(X(i), Y(i), 50);
     },
     kComposed},
    // For comparison only: the same variants when they must swap and restore.
    {"DrawCircle, brush swapped", "DrawFilledCircle",
     [] { SetInteriorStyle(BS_HATCHED, HS_CROSS); },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawFilledCircle(X(i), Y(i), 50);
     },
     [](int n) {
         for (int i = 0; i < n; ++i) DrawCircle(X(i), Y(i), 50);
     },
     kShownOnly},
};

double Seconds(Loop loop, int count) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    loop(count);
    GdiFlush();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Calls per round, so that a round of the reference takes about kRoundSeconds.
int Calibrate(Loop loop) {
    int count = 1;
    while (count < (1 << 24)) {
        const double seconds = Seconds(loop, count);
        if (seconds >= kRoundSeconds / 4)
            return std::max(1, int(count * (kRoundSeconds / seconds)));
        count *= 4;
    }
    return count;
}

// Best nanoseconds per call of the reference and of Kanvo.
void Measure(const Comparison& c, double* rawNs, double* kanvoNs) {
    const int count = Calibrate(c.raw);
    double raw = 1e30, kanvo = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        raw = std::min(raw, Seconds(c.raw, count));
        kanvo = std::min(kanvo, Seconds(c.kanvo, count));
    }
    *rawNs = raw * 1e9 / count;
    *kanvoNs = kanvo * 1e9 / count;
}

void RunAll(const char* target, int goalColumn) {
    g_dc = GetSurfaceContext(GetTargetImage());
    for (const Comparison& c : kComparisons) {
        SetInteriorStyle(BS_SOLID);
        if (c.setup) c.setup();
        double raw, kanvo;
        Measure(c, &raw, &kanvo);
        const double ratio = kanvo / raw;
        char verdict[32] = "";
        const double goal = kGoals[c.kind][goalColumn];
        if (goal > 0)
            std::snprintf(verdict, sizeof verdict, "%.2f %s", goal,
                          ratio <= goal ? "met" : "MISSED");
        std::printf("%-7s %-34s %-24s %10.0f %10.0f %7.3f  %s\n", target, c.operation, c.reference,
                    raw, kanvo, ratio, verdict);
        std::fflush(stdout);
    }
}

}  // namespace

int main() {
    InitializeCriticalSection(&g_lock);
    std::printf("%-7s %-34s %-24s %10s %10s %7s  %s\n", "target", "operation", "reference",
                "ref ns", "Kanvo ns", "ratio", "goal");
    IMAGE image(kSize, kSize);
    SetTargetImage(&image);
    SetStrokeColor(RGB(255, 200, 0));
    SetInteriorColor(RGB(0, 80, 200));
    RunAll("image", 0);

    if (!OpenGraphWindow(kSize, kSize)) {
        std::printf("no window could be opened\n");
        return 1;
    }
    SetStrokeColor(RGB(255, 200, 0));
    SetInteriorColor(RGB(0, 80, 200));
    BeginBatch();
    RunAll("window", 1);
    EndBatch();

    // While the window presents, each call may wait for a copy to the screen
    // to end: the average cost per call, in batch mode and while presenting.
    SetStrokeStyle(PS_SOLID, 1);
    SetInteriorStyle(BS_SOLID);
    const Loop circle = kComparisons[2].kanvo;
    const int count = Calibrate(circle) * kRounds;
    BeginBatch();
    const double batchNs = Seconds(circle, count) * 1e9 / count;
    EndBatch();
    const double presentingNs = Seconds(circle, count) * 1e9 / count;
    std::printf(
        "window  DrawFilledCircle, average: %.0f ns in batch mode, %.0f ns while "
        "presenting (%.3f)\n",
        batchNs, presentingNs, presentingNs / batchNs);
    CloseGraphWindow();
    DeleteCriticalSection(&g_lock);
    return 0;
}
