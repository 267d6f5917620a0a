// The library's one static record: the lock, the current target (its image,
// device contexts and drawing operations) and the window's image. The objects
// it points to are built at start-up by the window layer, which also defines
// the record (window/library_startup.cpp), and live until exit.
#pragma once

#include "../kanvo.h"

#include <atomic>
#include <new>
#include <utility>

namespace Kanvo {

class ImageTarget;

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
    LockFunction enterLock = NoLock;
    LockFunction leaveLock = NoLock;
    CRITICAL_SECTION libraryLock = {};
    HDC windowDC = nullptr;  // window's screen DC while the window is the target
    HDC targetDC = nullptr;  // memory DC of the current image
    IMAGE* currentImage = nullptr;
    ImageTarget* currentTarget = nullptr;
    // The window's back buffer, its screen DC while it is open, and the two
    // drawing targets; null before start-up and after teardown.
    IMAGE* windowImage = nullptr;
    HDC windowScreenDC = nullptr;
    ImageTarget* imageTarget = nullptr;
    ImageTarget* windowTarget = nullptr;
    XFORM identityTransform = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    // Whether the screen may differ from the window's back buffer, so that the
    // window thread's periodic copy is due: set by whoever takes the lock to
    // change something (LockGuard, TargetLock), by a repaint request and,
    // without the lock, by a pixel written directly; the copy clears it before
    // it copies. Once the program has the back buffer's pixels or DC it may
    // change them without the library knowing, and every period copies.
    std::atomic<bool> windowStale{true};
    std::atomic<bool> windowBufferShared{false};  // set without the lock
};

extern LibraryState g_state;

// A plain store: the lock, or for a pixel written directly the release
// order, makes the change visible to the copy that finds the mark.
inline void MarkWindowStale() {
    g_state.windowStale.store(true, std::memory_order_release);
}

// What a holder of the lock does: a change may touch the window's back
// buffer; only the window thread's copy to the screen just reads it.
enum class LockUse { kMayChange, kOnlyReading };

// Holds the library lock for one scope.
class LockGuard {
public:
    explicit LockGuard(LockUse use = LockUse::kMayChange) {
        g_state.enterLock(&g_state.libraryLock);
        if (use == LockUse::kMayChange) MarkWindowStale();
    }
    ~LockGuard() { g_state.leaveLock(&g_state.libraryLock); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;
};

// Holds the library lock for one public call while the window is the current
// target: the window thread copies the back buffer to the screen meanwhile
// and must never show an operation half done. Drawing on an image takes no
// lock. A call made inside another one enters the same lock again.
class TargetLock {
public:
    TargetLock() : TargetLock(g_state.currentTarget) {}
    // For a caller that has read the current target already.
    explicit TargetLock(const ImageTarget* target)
        : locked_(target != nullptr && target == g_state.windowTarget) {
        if (!locked_) return;
        g_state.enterLock(&g_state.libraryLock);
        MarkWindowStale();
    }
    ~TargetLock() {
        if (locked_) g_state.leaveLock(&g_state.libraryLock);
    }
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

private:
    const bool locked_;
};

}  // namespace Kanvo
