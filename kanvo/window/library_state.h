// The library's one static record: the lock, the device contexts of the
// current target, the window object, the current image and the two drawing
// targets. Everything here belongs to the library and lives until exit.
#pragma once

#include "../kanvo.h"
#include "graph_wnd.h"
#include "draw_on_wnd.h"

#include <new>
#include <utility>

namespace Kanvo {

using LockFunction = void(WINAPI*)(LPCRITICAL_SECTION);

// Storage for an object that is constructed at library start-up and destroyed
// at teardown, so that the record holding it can be constant-initialised and
// is valid before any other static constructor runs.
template <class T>
class Deferred {
public:
    constexpr Deferred() = default;
    template <class... Args>
    void Construct(Args&&... args) {
        object_ = new (storage_) T(std::forward<Args>(args)...);
    }
    void Destroy() {
        if (object_) {
            T* object = object_;
            object_ = nullptr;
            object->~T();
        }
    }
    T* Get() const { return object_; }

private:
    alignas(T) unsigned char storage_[sizeof(T)] = {};
    T* object_ = nullptr;
};

void WINAPI NoLock(LPCRITICAL_SECTION);

struct LibraryState {
    LockFunction EnterLock = NoLock;
    LockFunction LeaveLock = NoLock;
    CRITICAL_SECTION libraryLock = {};
    HDC windowDC = nullptr;  // window's screen DC while the window is the target
    HDC targetDC = nullptr;  // memory DC of the current image
    Deferred<GraphWnd> window;
    IMAGE* currentImage = nullptr;
    Deferred<DrawOnImg> imageTarget;
    Deferred<DrawOnWnd> windowTarget;
    DrawOnImg* currentTarget = nullptr;
    XFORM identityTransform = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
};

extern LibraryState g_state;

// The window object while the library is started, else null.
inline GraphWnd* Window() {
    return g_state.window.Get();
}

// Holds the library lock for one scope.
class LockGuard {
public:
    LockGuard() { g_state.EnterLock(&g_state.libraryLock); }
    ~LockGuard() { g_state.LeaveLock(&g_state.libraryLock); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
};

}  // namespace Kanvo
