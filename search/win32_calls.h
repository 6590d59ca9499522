#pragma once

// The system calls whose refusals Wine does not produce: it enforces no
// access control list, no folder's read fails part way there, and no disk
// fills in the middle of a write. The Windows platform makes them through
// this object, so that a test can hand it one that refuses, as a
// locked-down folder, a dropped network drive or a full disk does. Each
// makes the system's own call unless a subclass says otherwise.

#include <windows.h>

namespace Module1::win32 {

class Calls {
public:
    virtual ~Calls();
    virtual HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE model);
    virtual BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data);
    virtual BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED place);
};

}  // namespace Module1::win32
