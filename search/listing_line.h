#pragma once

#include <string>
#include <string_view>

#include "run_search.h"

namespace Module1 {

class OutputFile;

// The line for one match in the request's line and name styles, without its
// line end; for a terminal with its names shown as ShownName shows them.
std::string ComposeListingLine(const RunRequest& request, std::string_view full_name, std::string_view bare_name);

// Appends the match's line, ending in CR LF, to the run's output with one
// write. Returns whether the line does not carry the name as it is: a
// character written as the output's substitute (one its encoding cannot
// hold, or a line break in a TEXT line), or bytes that are not UTF-8 shown as
// U+FFFD in a link's text. A character written as a reference is carried.
// Throws SearchError.
bool WriteListingLine(OutputFile& output, const RunRequest& request, const std::string& full_name,
                      const std::string& bare_name);

}  // namespace Module1
