#include "text_utf8.h"

#include "system_text.h"

namespace Module1 {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool IsEncodable(char32_t code) {
    return code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

char32_t UpperCode(char32_t code) {
    if (code < 0x80) return (code >= 'a' && code <= 'z') ? code - 0x20 : code;
    const char32_t upper = UpperCaseOf(code);
    return IsEncodable(upper) ? upper : code;
}

}  // namespace

DecodedChar DecodeChar(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t left = text.size() - pos;
    const unsigned char lead = at(0);
    const DecodedChar raw{lead, 1, false};
    if (lead < 0x80) return {lead, 1, true};

    std::size_t length = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3; code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return raw;
    }
    if (left < length) return raw;
    if (at(1) < low || at(1) > high) return raw;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(i))) return raw;
        code = (code << 6) | (at(i) & 0x3F);
    }
    return {code, length, true};
}

std::size_t AppendUpperChar(std::string_view text, std::size_t pos, std::string& out) {
    const unsigned char byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {  // the common case, kept cheap
        out.push_back(static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte));
        return 1;
    }
    const DecodedChar ch = DecodeChar(text, pos);
    if (!ch.valid) {
        out.push_back(static_cast<char>(byte));
        return 1;
    }
    AppendUtf8(UpperCode(ch.code), out);
    return ch.length;
}

std::string ToUpperText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) pos += AppendUpperChar(text, pos, out);
    return out;
}

}  // namespace Module1
