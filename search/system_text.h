#pragma once

// The system's rules for text: the output file's encoding and the case
// mapping. Text inside the program is UTF-8 (on POSIX: the file system's own
// bytes); the output file is written in the platform's encoding for names:
// the bytes as they are on POSIX, the ANSI code page on Windows.
//
// These are plain functions, one definition per system, not calls on the
// Platform: each is a function of its input alone (the code page and the
// locale are fixed at start), nothing in them fails, and the tests run them
// as they are, under Wine with code page 932 too. They are on the hottest
// path, once per character of a name.

#include <string>
#include <string_view>

namespace Module1 {

// Whether a character may stand as it is in the text of an HtmlLink line;
// any other is written as a numeric reference. On Windows: what the ANSI code
// page holds. On POSIX, where the bytes are ours to choose: ASCII only, so
// that the line is plain ASCII and shows its names in whatever encoding a
// browser guesses or the page it is appended to declares.
bool LinkTextCanHold(char32_t code);
// The text in the output file's encoding. A character it cannot hold becomes
// the encoding's substitute, and `substituted` says whether that happened.
std::string EncodeForOutput(std::string_view text, bool& substituted);
// The encoding's substitute character, as text: what EncodeForOutput writes
// for a character it cannot hold ("?" on POSIX).
std::string OutputSubstitute();

// The upper-case form of one character, by the platform's case mapping for
// the user's locale; a character without one maps to itself.
char32_t UpperCaseOf(char32_t code);

}  // namespace Module1
