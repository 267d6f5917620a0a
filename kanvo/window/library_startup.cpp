// The library's record, its start-up before main and its teardown at exit:
// the lock, the imaging library, the window object and the two drawing
// targets. The record is defined here, beside the start-up that fills it, so
// that every program that uses the library links the start-up too (a static
// library adds only the object files that a program refers to).
#include "graphics_window.h"
#include "window_target.h"

#include "../image/imaging.h"

#include <cstdlib>

namespace Kanvo {

void WINAPI NoLock(LPCRITICAL_SECTION) {}

// Constant-initialised: valid (with do-nothing lock functions) before any
// static constructor runs.
LibraryState g_state;

namespace {

Deferred<GraphicsWindow> g_window;
Deferred<ImageTarget> g_imageTarget;
Deferred<WindowTarget> g_windowTarget;

void Teardown() {
    g_state.windowTarget = nullptr;
    g_state.imageTarget = nullptr;
    g_state.currentTarget = nullptr;
    g_windowTarget.Destroy();
    g_imageTarget.Destroy();
    g_window.Destroy();
    g_state.windowImage = nullptr;
    StopImaging();
    g_state.enterLock = NoLock;
    g_state.leaveLock = NoLock;
    DeleteCriticalSection(&g_state.libraryLock);
}

void StartUp() {
    g_state.windowDC = nullptr;
    g_state.targetDC = nullptr;
    g_state.identityTransform = XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    InitializeCriticalSection(&g_state.libraryLock);
    g_state.enterLock = EnterCriticalSection;
    g_state.leaveLock = LeaveCriticalSection;
    GdiSetBatchLimit(1);
    StartImaging();
    g_window.Construct();
    g_state.windowImage = g_window.Get();
    g_imageTarget.Construct();
    g_state.imageTarget = g_imageTarget.Get();
    g_windowTarget.Construct();
    g_state.windowTarget = g_windowTarget.Get();
    std::atexit(Teardown);
}

struct LibraryStartUp {
    LibraryStartUp() { StartUp(); }
};

}  // namespace

GraphicsWindow* Window() {
    return g_window.Get();
}

}  // namespace Kanvo

// Start the library before the program's own static objects, which may be
// images that need the lock and the drawing targets.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)
#pragma init_seg(lib)
static Kanvo::LibraryStartUp g_kanvoStartUp;
#else
static Kanvo::LibraryStartUp g_kanvoStartUp __attribute__((init_priority(101)));
#endif
