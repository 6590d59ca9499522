#include "file_classes.h"

#include <initializer_list>

#include "text_utf8.h"

namespace Module1 {

namespace {

constexpr std::size_t kKeyCharacters = 10;

bool KeyIsOneOf(std::string_view name, std::initializer_list<std::string_view> accepted) {
    const std::string key = ExtractExtension(name);
    for (std::string_view candidate : accepted) {
        if (key == candidate) return true;
    }
    return false;
}

std::string_view FreeExtensionKey(std::string_view text) {
    // A key never holds ".", so a text typed as ".txt" or "*.txt" (the usual
    // way to name an extension on Windows) could never match as it stands.
    if (text.starts_with("*.")) {
        text.remove_prefix(2);
    } else if (text.starts_with('.')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::string ExtractExtension(std::string_view name) {
    if (name.empty()) return {};
    // "." is ASCII and never part of a multi-byte sequence, so a byte search
    // finds exactly the "." characters. The search starts after the first
    // character, which is where the key begins when no "." follows it.
    const std::size_t first = DecodeChar(name, 0).length;
    const std::size_t dot = name.rfind('.');
    std::size_t pos = (dot != std::string_view::npos && dot >= first) ? dot + 1 : first;

    std::string key;
    for (std::size_t count = 0; count < kKeyCharacters && pos < name.size(); ++count) {
        pos += AppendUpperChar(name, pos, key);
    }
    return key;
}

bool IsHtmlFile(std::string_view name) { return KeyIsOneOf(name, {"HTM", "HTML"}); }
bool IsJpgGifFile(std::string_view name) { return KeyIsOneOf(name, {"GIF", "JPG", "JPEG"}); }
bool IsJpgFile(std::string_view name) { return KeyIsOneOf(name, {"JPG", "JPEG"}); }
bool IsGifFile(std::string_view name) { return KeyIsOneOf(name, {"GIF"}); }
bool IsTextFile(std::string_view name) { return KeyIsOneOf(name, {"TXT", "TEXT"}); }

bool IsOtherFile(std::string_view name, std::string_view free_text) {
    // "*" accepts every name whatever its key, so the key is not worked out for it.
    const std::string_view wanted = FreeExtensionKey(free_text);
    if (wanted == "*") return true;
    return ToUpperText(wanted) == ExtractExtension(name);
}

bool IsOfClass(FileClass file_class, std::string_view free_text, std::string_view name) {
    switch (file_class) {
    case FileClass::kHtm: return IsHtmlFile(name);
    case FileClass::kJpgGif: return IsJpgGifFile(name);
    case FileClass::kJpg: return IsJpgFile(name);
    case FileClass::kGif: return IsGifFile(name);
    case FileClass::kTxt: return IsTextFile(name);
    case FileClass::kOther: return IsOtherFile(name, free_text);
    }
    return false;
}

}  // namespace Module1
