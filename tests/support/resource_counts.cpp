#include "resource_counts.h"

#include <tlhelp32.h>

#include <vector>

namespace KanvoTest {
namespace {

struct SystemHandleEntry {
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};

constexpr ULONG kSystemHandleInformation = 16;

}  // namespace

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
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status =
            query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) break;
        if (buffer.size() >= (1u << 28)) return -1;
        buffer.resize(buffer.size() * 2);
    }
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    const DWORD self = GetCurrentProcessId();
    int count = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->entries[i].processId == self) ++count;
    return count;
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == self) ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace KanvoTest
