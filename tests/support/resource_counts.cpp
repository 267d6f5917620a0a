// Counts of GDI objects, handles and threads made without the system calls
// that report 0 under Wine.
#include "resource_counts.h"

#include <tlhelp32.h>

#include <vector>

namespace KanvoTest {

int FreeGdiSlots() {
    std::vector<HGDIOBJ> pens;
    for (HPEN pen; pens.size() < 200000 &&
                   (pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(pens.size() & 0xFFFFFF)));)
        pens.push_back(pen);
    for (HGDIOBJ pen : pens) DeleteObject(pen);
    return static_cast<int>(pens.size());
}

// Handle values are multiples of four, and a test process holds far fewer
// than the 16383 that lie below 65536: asking each of those finds them all.
int OpenHandleCount() {
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
    }
    return count;
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
