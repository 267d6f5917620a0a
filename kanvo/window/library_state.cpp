// Library start-up before main and teardown at exit.
#include "library_state.h"

#include "../image/imaging.h"

#include <cstdlib>

namespace Kanvo {

void WINAPI NoLock(LPCRITICAL_SECTION) {}

// Constant-initialised: valid (with do-nothing lock functions) before any
// static constructor runs.
LibraryState g_state;

namespace {

void Teardown() {
    g_state.windowTarget.Destroy();
    g_state.imageTarget.Destroy();
    g_state.currentTarget = nullptr;
    g_state.window.Destroy();
    StopImaging();
    g_state.EnterLock = NoLock;
    g_state.LeaveLock = NoLock;
    DeleteCriticalSection(&g_state.libraryLock);
}

void StartUp() {
    g_state.windowDC = nullptr;
    g_state.targetDC = nullptr;
    g_state.identityTransform = XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    InitializeCriticalSection(&g_state.libraryLock);
    g_state.EnterLock = EnterCriticalSection;
    g_state.LeaveLock = LeaveCriticalSection;
    GdiSetBatchLimit(1);
    StartImaging();
    g_state.window.Construct();
    g_state.imageTarget.Construct();
    g_state.windowTarget.Construct();
    std::atexit(Teardown);
}

struct LibraryStartUp {
    LibraryStartUp() { StartUp(); }
};

}  // namespace
}  // namespace Kanvo

// Start the library before the program's own static objects, which may be
// images that need the lock and the drawing targets.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)
#pragma init_seg(lib)
static Kanvo::LibraryStartUp kanvoStartUp;
#else
static Kanvo::LibraryStartUp kanvoStartUp __attribute__((init_priority(101)));
#endif
