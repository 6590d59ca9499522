#include "win32_calls.h"

namespace Module1::win32 {

Calls::~Calls() = default;

HANDLE Calls::CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                          DWORD flags, HANDLE model) {
    return ::CreateFileW(name, access, share, security, disposition, flags, model);
}

BOOL Calls::FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) { return ::FindNextFileW(find, data); }

BOOL Calls::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED place) {
    return ::WriteFile(file, data, size, written, place);
}

}  // namespace Module1::win32
