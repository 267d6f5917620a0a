#include "global_memory.h"

#include <cstring>

namespace Kanvo {

namespace {

// The largest picture file read into one block; the stream over it and the
// block's size are 32-bit quantities.
constexpr ULONGLONG kMaxBlockBytes = 0x7FFFFFFF;

// Reads exactly `size` bytes; ReadFile may return fewer than asked at a time.
bool ReadWhole(HANDLE file, BYTE* bytes, DWORD size) {
    DWORD done = 0;
    while (done < size) {
        DWORD read = 0;
        if (!ReadFile(file, bytes + done, size - done, &read, nullptr) || read == 0) return false;
        done += read;
    }
    return true;
}

// A movable block of `size` bytes filled by `fill` (given the locked bytes);
// null, with nothing left allocated, when `fill` fails.
template <class Fill>
HGLOBAL FilledBlock(DWORD size, Fill fill) {
    // An empty block cannot be locked, and an empty picture decodes to nothing.
    if (size == 0) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    const bool filled = bytes && fill(static_cast<BYTE*>(bytes));
    if (bytes) GlobalUnlock(block);
    if (filled) return block;
    GlobalFree(block);
    return nullptr;
}

}  // namespace

GlobalMemory::~GlobalMemory() {
    Free();
}

void GlobalMemory::Free() {
    if (handle_) GlobalFree(handle_);
    handle_ = nullptr;
    size_ = 0;
}

bool GlobalMemory::Keep(HGLOBAL block, DWORD size) {
    handle_ = block;
    size_ = block ? size : 0;
    return block != nullptr;
}

bool GlobalMemory::LoadFromFile(const wchar_t* path) {
    Free();
    if (!path) return false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length = {};
    bool loaded = false;
    if (GetFileSizeEx(file, &length) && length.QuadPart >= 0 &&
        static_cast<ULONGLONG>(length.QuadPart) <= kMaxBlockBytes) {
        const DWORD size = static_cast<DWORD>(length.QuadPart);
        loaded = Keep(FilledBlock(size, [&](BYTE* bytes) { return ReadWhole(file, bytes, size); }),
                      size);
    }
    CloseHandle(file);
    return loaded;
}

bool GlobalMemory::LoadFromResource(const wchar_t* type, const wchar_t* name) {
    Free();
    if (!type || !name) return false;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource) return false;
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* source = loaded ? LockResource(loaded) : nullptr;
    if (!source) return false;
    // Resource memory belongs to the module; nothing to release.
    return Keep(FilledBlock(size,
                            [&](BYTE* bytes) {
                                std::memcpy(bytes, source, size);
                                return true;
                            }),
                size);
}

}  // namespace Kanvo
