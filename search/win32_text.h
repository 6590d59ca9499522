#pragma once

// Conversions between the program's UTF-8 text and the wide strings of the
// Windows API, shared by the Windows platform files.

#include <windows.h>

#include <string>
#include <string_view>

namespace Module1::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The system's text for an error code, without its line end, in the
// language SetReasonLanguage chose.
std::string Reason(DWORD error);
// The language of the system's error texts: 0, the default, is the user's
// own; the listing tool asks for its own language, as it sets LC_MESSAGES
// on POSIX. Called before any other thread starts.
void SetReasonLanguage(LANGID language);
// The absolute form that lifts the 260-character limit (\\?\C:\… or \\?\UNC\…).
std::wstring LongPath(const std::wstring& path);

}  // namespace Module1::win32
