// The text rules on Windows: the output file is written in the ANSI code
// page, and upper-casing follows the user's locale.

#include <windows.h>

#include <unordered_map>

#include "system_text.h"
#include "win32_text.h"

namespace Module1 {

namespace {

using win32::Utf8;
using win32::Wide;

UINT OutputCodePage() {
    static const UINT code_page = GetACP();
    return code_page;
}

int Utf16(char32_t code, wchar_t (&units)[2]) {
    if (code < 0x10000) {
        units[0] = static_cast<wchar_t>(code);
        return 1;
    }
    code -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (code >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    return 2;
}

}  // namespace

bool LinkTextCanHold(char32_t code) {
    if (code < 0x80 || OutputCodePage() == CP_UTF8) return true;
    static std::unordered_map<char32_t, bool> known;  // the walk runs on one thread
    if (const auto found = known.find(code); found != known.end()) return found->second;
    wchar_t units[2];
    const int count = Utf16(code, units);
    char bytes[8];
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(OutputCodePage(), WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                      sizeof bytes, nullptr, &used_default);
    const bool holds = n > 0 && !used_default;
    known.emplace(code, holds);
    return holds;
}

std::string EncodeForOutput(std::string_view text, bool& substituted) {
    substituted = false;
    if (OutputCodePage() == CP_UTF8 || text.empty()) return std::string(text);
    const std::wstring wide = Wide(text);
    const int size = static_cast<int>(wide.size());
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(OutputCodePage(), WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                      nullptr, &used_default);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(OutputCodePage(), WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                        &used_default);
    substituted = used_default != FALSE;
    return out;
}

std::string OutputSubstitute() {
    CPINFO info{};
    if (OutputCodePage() == CP_UTF8 || !GetCPInfo(OutputCodePage(), &info)) return "?";
    // One byte, or a lead byte and a trail byte.
    const int length = info.DefaultChar[1] != 0 ? 2 : 1;
    wchar_t wide[2];
    const int n = MultiByteToWideChar(OutputCodePage(), 0, reinterpret_cast<const char*>(info.DefaultChar),
                                      length, wide, 2);
    return n > 0 ? Utf8(std::wstring_view(wide, static_cast<std::size_t>(n))) : std::string("?");
}

char32_t UpperCaseOf(char32_t code) {
    wchar_t units[2];
    const int count = Utf16(code, units);
    wchar_t upper[4];
    const int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, units, count, upper, 4, nullptr,
                                nullptr, 0);
    if (n == 1) return upper[0];
    if (n == 2 && upper[0] >= 0xD800 && upper[0] <= 0xDBFF) {
        return 0x10000 + ((static_cast<char32_t>(upper[0]) - 0xD800) << 10) + (upper[1] - 0xDC00);
    }
    return code;
}

}  // namespace Module1
