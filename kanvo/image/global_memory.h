// A movable global memory block holding the encoded bytes of a picture, read
// from a file or copied from one of the program's own resources. The imaging
// library decodes from a memory stream of a copy of this block.
#pragma once

#include <windows.h>

namespace Kanvo {

class GlobalMemory {
public:
    GlobalMemory() = default;
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    virtual ~GlobalMemory();

    // Replaces the block with the whole content of the file. False (and no
    // block) when the path is null, the file cannot be opened or read, is
    // empty, or is too large for one block.
    bool LoadFromFile(const wchar_t* path);
    // Replaces the block with a copy of a resource of the program's own module
    // (type and name as FindResourceW takes them). False when it is not found.
    bool LoadFromResource(const wchar_t* type, const wchar_t* name);
    // Frees the block, if any.
    void Free();

    HGLOBAL Handle() const { return handle_; }
    DWORD Size() const { return size_; }

private:
    bool Keep(HGLOBAL block, DWORD size);

    HGLOBAL handle_ = nullptr;
    DWORD size_ = 0;
};

}  // namespace Kanvo
