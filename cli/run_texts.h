#pragma once

// The search module's texts (texts.h) are the window's, in Japanese; the
// tool says them in its user's language.

#include <string>
#include <string_view>

#include "search_error.h"

namespace list_tool {

// The text as the tool says it: the search module's own for a Japanese
// user, its English for everyone else; a text not of texts.h as it is.
std::string RunText(std::string_view text);

// A run's error as the tool says it: "operation: path (reason)", the path
// shown with its controls escaped.
std::string RunErrorText(const Module1::SearchError& error);

}  // namespace list_tool
