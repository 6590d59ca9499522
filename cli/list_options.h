#pragma once

#include <string>
#include <vector>

#include "run_search.h"

namespace list_tool {

// What the command line asks for.
struct ListOptions {
    enum class Action { kList, kHelp, kVersion };
    Action action = Action::kList;
    Module1::RunRequest request;  // the class, the free extension, the line and name styles
    std::string output;
    std::string folder;
};

// Reads the arguments (without the program name) into options. Returns the
// problem with them for a usage error, or an empty text.
std::string ParseOptions(const std::vector<std::string>& args, ListOptions& options);

// The text of --help and of --version.
std::string HelpText();
std::string VersionText();

}  // namespace list_tool
