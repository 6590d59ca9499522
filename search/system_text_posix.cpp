// The text rules on POSIX systems: names are written in their own bytes.

#include <cwctype>

#include "system_text.h"

namespace Module1 {

bool LinkTextCanHold(char32_t code) { return code < 0x80; }

std::string EncodeForOutput(std::string_view text, bool& substituted) {
    substituted = false;
    return std::string(text);
}

std::string OutputSubstitute() { return "?"; }

// The program sets the locale from the environment at start.
char32_t UpperCaseOf(char32_t code) {
    if (code > static_cast<char32_t>(WCHAR_MAX)) return code;
    return static_cast<char32_t>(std::towupper(static_cast<std::wint_t>(code)));
}

}  // namespace Module1
