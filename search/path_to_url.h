#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// The link target that follows "file:///" in an HtmlLink line, made from the
// whole full name. Characters that would end or redirect an unquoted link
// target are written as "%" and two upper-case hex digits.

// Whether the output file can hold a character; nullptr means every one.
using CanHold = bool (*)(char32_t code);

// Drive-letter paths: ":" becomes "|", "\" becomes "/" (C:\web\a.htm -> C|/web/a.htm).
// A character the output cannot hold is written as its percent-encoded UTF-8.
std::string PathToUrlDriveLetter(std::string_view full_name, CanHold can_hold = nullptr);
// POSIX paths: the leading "/" is dropped, as "file:///" supplies it
// (/home/u/a.htm -> home/u/a.htm); "\" and bytes that are not UTF-8 are escaped too.
std::string PathToUrlPosix(std::string_view full_name);
// The rule of the platform the program runs on.
std::string PathToUrl(std::string_view full_name);

// Visible link text: "&", "<" and ">" as character references, and so is
// every character the output cannot hold (&#x…;).
std::string EscapeHtmlText(std::string_view text, CanHold can_hold = nullptr);

}  // namespace Module1
