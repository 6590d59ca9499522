#pragma once

// Conversions between the program's UTF-8 text and the wide strings of the
// Windows API, shared by the Windows platform files.

#include <windows.h>

#include <string>
#include <string_view>

namespace Module1::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The system's text for an error code, without its line end.
std::string Reason(DWORD error);
// The absolute form that lifts the 260-character limit (\\?\C:\… or \\?\UNC\…).
std::wstring LongPath(const std::wstring& path);

}  // namespace Module1::win32
