#pragma once

// The system calls whose refusals Wine does not produce: it enforces no
// access control list, no folder's read fails part way there, and no disk
// fills in the middle of a write. They are reached through these pointers
// so that a test can stand in for a Windows that refuses, as a locked-down
// folder, a dropped network drive or a full disk does. Each holds the
// system's own function unless a test replaced it.

#include <windows.h>

namespace Module1::win32 {

extern decltype(&::CreateFileW) create_file;
extern decltype(&::FindNextFileW) find_next_file;
extern decltype(&::WriteFile) write_file;

}  // namespace Module1::win32
