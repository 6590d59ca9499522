#pragma once

// The tool's side of the console: its arguments and paths as UTF-8 text (the
// search module's text), and stderr.

#include <cstddef>
#include <string>
#include <vector>

namespace list_tool {

// The arguments after the program name, as UTF-8 (on Windows from the wide
// command line, so that names outside the ANSI code page arrive whole).
std::vector<std::string> Arguments(int argc, char** argv);
// The path made absolute against the current folder, without "." and ".."
// parts, leading where the system's own resolution of it leads.
std::string AbsolutePath(const std::string& path);

bool StderrIsTerminal();
bool StdoutIsTerminal();
std::size_t TerminalColumns();
// Writes UTF-8 text to stderr (on a Windows console as wide text).
void WriteStderr(const std::string& text);

}  // namespace list_tool
