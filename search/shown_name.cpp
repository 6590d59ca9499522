#include "shown_name.h"

#include <cstdio>

#include "text_utf8.h"

namespace Module1 {

namespace {

// Controls, the line and paragraph separators, and every bidirectional
// control: the marks (U+061C, U+200E, U+200F), the embeddings and overrides,
// and the isolates.
bool NeedsEscape(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x061C || code == 0x200E || code == 0x200F ||
           code == 0x2028 || code == 0x2029 || (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string ShownName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const DecodedChar ch = DecodeChar(name, pos);
        if (ch.valid && !NeedsEscape(ch.code)) {
            out.append(name.substr(pos, ch.length));
        } else {
            char escape[8];
            // A single byte (an ASCII control or a byte that is not UTF-8) by
            // its value, a character beyond ASCII by its code point.
            if (!ch.valid || ch.code < 0x80) {
                std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(ch.code));
            } else {
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(ch.code));
            }
            out += escape;
        }
        pos += ch.length;
    }
    return out;
}

}  // namespace Module1
