#include "path_to_url.h"

#include "platform.h"
#include "text_utf8.h"

namespace Module1 {

namespace {

// Blanks, controls, every byte beyond ASCII, and what ends or redirects a target.
bool NeedsPercent(unsigned char byte) {
    if (byte <= 0x20 || byte >= 0x7F) return true;
    switch (byte) {
    case '"': case '#': case '%': case '&': case '\'':
    case '<': case '=': case '>': case '?': case '`':
        return true;
    default:
        return false;
    }
}

constexpr char kHex[] = "0123456789ABCDEF";

void AppendPercent(unsigned char byte, std::string& out) {
    out.push_back('%');
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

// "&#x65E5;": upper-case hex digits without leading zeros. Written by hand,
// since names of Japanese folders hold many.
void AppendReference(char32_t code, std::string& out) {
    out += "&#x";
    int shift = 20;
    while (shift > 0 && (code >> shift) == 0) shift -= 4;
    for (; shift >= 0; shift -= 4) out.push_back(kHex[(code >> shift) & 0x0F]);
    out.push_back(';');
}

}  // namespace

std::string PathToUrlDriveLetter(std::string_view full_name) {
    std::string out;
    out.reserve(full_name.size() + 8);
    for (const char c : full_name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ':') out.push_back('|');
        else if (c == '\\') out.push_back('/');
        else if (NeedsPercent(byte)) AppendPercent(byte, out);
        else out.push_back(c);
    }
    return out;
}

std::string PathToUrlPosix(std::string_view full_name) {
    if (!full_name.empty() && full_name.front() == '/') full_name.remove_prefix(1);
    std::string out;
    out.reserve(full_name.size() + 8);
    for (const char c : full_name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\' || NeedsPercent(byte)) AppendPercent(byte, out);
        else out.push_back(c);
    }
    return out;
}

std::string PathToUrl(std::string_view full_name) {
#ifdef _WIN32
    return PathToUrlDriveLetter(full_name);
#else
    return PathToUrlPosix(full_name);
#endif
}

std::string EscapeHtmlText(std::string_view text, CanHold can_hold, bool* replaced) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\r': out += "&#13;"; break;
            case '\n': out += "&#10;"; break;
            default: out.push_back(c);
            }
            ++pos;
            continue;
        }
        const DecodedChar ch = DecodeChar(text, pos);
        if (!ch.valid) {
            out += "&#xFFFD;";
            if (replaced != nullptr) *replaced = true;
        } else if (can_hold != nullptr && !can_hold(ch.code)) {
            AppendReference(ch.code, out);
        } else {
            out.append(text.substr(pos, ch.length));
        }
        pos += ch.length;
    }
    return out;
}

}  // namespace Module1
