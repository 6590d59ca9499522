#pragma once

#include <string>
#include <string_view>

#include "run_request.h"

namespace Module1 {

// The line for one match in the request's line and name styles, without its
// line end.
std::string ComposeListingLine(const RunRequest& request, std::string_view full_name, std::string_view bare_name);

// Appends the match's line, ending in CR LF, to the run's output with one
// write. Returns whether a character of the name was written as the output's
// substitute: one its encoding cannot hold, or a line break in a TEXT line.
// Throws SearchError.
bool WriteListingLine(OutputFile& output, const RunRequest& request, const std::string& full_name,
                      const std::string& bare_name);

}  // namespace Module1
