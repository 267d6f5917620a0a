// Honest counts of a process's system resources. GetGuiResources and
// GetProcessHandleCount report 0 under Wine, so these measure differently.
#pragma once

#include <windows.h>

namespace KanvoTest {

// How many more GDI objects (pens) the process can create before the GDI
// table is full; the pens are freed again. Compare before and after a piece
// of work: a leak of n objects lowers it by n.
int FreeGdiSlots();
// Handles the process holds (each possible handle value below 65536 asked).
int OpenHandleCount();
// Threads of the process.
int ThreadCount();

}  // namespace KanvoTest
