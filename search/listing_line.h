#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// The line for one match in the output and name styles of the run settings,
// without its line end.
std::string ComposeListingLine(std::string_view full_name, std::string_view bare_name);

class OutputFile;

// Appends the match's line, ending in CR LF, to the run's output with one
// write. Returns whether a character of the name was written as the output's
// substitute: one its encoding cannot hold, or a line break in a TEXT line.
// Throws SearchError.
bool WriteListingLine(OutputFile& output, const std::string& full_name, const std::string& bare_name);

}  // namespace Module1
