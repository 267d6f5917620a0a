#include "resource_counts.h"

#include <tlhelp32.h>

#include <vector>

namespace KanvoTest {

int FreeGdiSlots() {
    std::vector<HGDIOBJ> pens;
    pens.reserve(70000);
    while (pens.size() < 200000) {
        HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(pens.size() & 0xFFFFFF));
        if (!pen) break;
        pens.push_back(pen);
    }
    for (HGDIOBJ pen : pens) DeleteObject(pen);
    return static_cast<int>(pens.size());
}

int OpenHandleCount() {
    // The system's handle list (information class 16): a count, then one
    // entry per handle that starts with the owning process's id.
    struct Entry { ULONG processId; BYTE objectType, flags; USHORT handle; PVOID object; ACCESS_MASK access; };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 20);
    for (ULONG needed = 0; query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);) {
        if (buffer.size() >= (1u << 28)) return -1;
        buffer.resize(buffer.size() * 2);
    }
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + alignof(Entry));
    int own = 0;
    for (ULONG i = 0; i < count; ++i) own += entries[i].processId == GetCurrentProcessId();
    return own;
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

}  // namespace KanvoTest
