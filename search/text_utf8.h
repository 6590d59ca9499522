#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Module1 {

// Names are the file system's own bytes. Where characters are counted or
// upper-cased they are read as UTF-8; a byte that is not part of a valid
// UTF-8 sequence counts as one character of its own and is never changed.
struct DecodedChar {
    char32_t code = 0;      // the code point; the raw byte when !valid
    std::size_t length = 0; // bytes taken
    bool valid = false;
};

DecodedChar DecodeChar(std::string_view text, std::size_t pos);

// Appends the upper-case form of the character at pos (one character maps to
// exactly one character) and returns the number of bytes it took.
std::size_t AppendUpperChar(std::string_view text, std::size_t pos, std::string& out);

// Upper-case copy of the whole text, character by character.
std::string ToUpperText(std::string_view text);

}  // namespace Module1
