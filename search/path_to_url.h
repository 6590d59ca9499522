#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// The link target that follows "file:///" in an HtmlLink line, made from the
// whole full name. Characters that would end or redirect an unquoted link
// target, and every byte of 0x80 and above, are written as "%" and two
// upper-case hex digits: the target is plain ASCII, so the link leads to its
// file whatever encoding a browser reads the page in.

// Whether the output file can hold a character; nullptr means every one.
using CanHold = bool (*)(char32_t code);

// Drive-letter paths: ":" becomes "|", "\" becomes "/" (C:\web\a.htm -> C|/web/a.htm);
// characters beyond ASCII as percent-encoded UTF-8, as browsers on Windows decode file URLs.
std::string PathToUrlDriveLetter(std::string_view full_name);
// POSIX paths: the leading "/" is dropped, as "file:///" supplies it
// (/home/u/a.htm -> home/u/a.htm); "\" is escaped too; names keep their own bytes.
std::string PathToUrlPosix(std::string_view full_name);
// The rule of the platform the program runs on.
std::string PathToUrl(std::string_view full_name);

// Visible link text: "&", "<" and ">" as character references, CR and LF as
// &#13; and &#10; (a name must not break its line), and every character the
// output cannot hold as &#x…;. A byte that is not UTF-8 becomes &#xFFFD;
// (the target, made from the bytes, still leads to the file), and
// `replaced` says whether that happened.
std::string EscapeHtmlText(std::string_view text, CanHold can_hold = nullptr, bool* replaced = nullptr);

}  // namespace Module1
