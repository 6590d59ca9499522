#pragma once

#include <string>
#include <string_view>

#include "run_search.h"

namespace Module1 {

// The extension key: the upper-cased text after the name's last "." that
// stands at the second character or later, at most 10 characters long.
std::string ExtractExtension(std::string_view name);

bool IsHtmlFile(std::string_view name);    // HTM, HTML
bool IsJpgGifFile(std::string_view name);  // GIF, JPG, JPEG
bool IsJpgFile(std::string_view name);     // JPG, JPEG
bool IsGifFile(std::string_view name);     // GIF
bool IsTextFile(std::string_view name);    // TXT, TEXT
// The free extension text without a leading "*." or "." (".txt" and "*.txt"
// mean "txt"), upper-cased; "*" alone accepts every name.
bool IsOtherFile(std::string_view name, std::string_view free_text);

// Whether the name belongs to the class (the free text only counts for "OTHER").
bool IsOfClass(FileClass file_class, std::string_view free_text, std::string_view name);

}  // namespace Module1
