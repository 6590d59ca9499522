#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// The output file: checked before a walk, then appended to one line at a
// time. Only regular files and character devices (such as /dev/null or NUL)
// are taken; the file is opened without blocking, so that a FIFO without a
// reader cannot hang the run. Every failure throws SearchError.

// Before the walk: fails when lines could not be appended to the path. An
// existing file is opened and closed again; for a new one the folder must
// exist and take new files. Nothing is created.
void CheckOutputFile(const std::string& path);

// Starts a run's output: the first line the run appends to a file whose last
// byte is not LF (a line left unfinished by a killed writer, another program
// or the user) is preceded by CR LF, so that it cannot merge with ours.
void BeginOutputRun();

// Appends the bytes to the file, creating it when missing; the file is open
// only during this call. A write that fails part way is taken back, so that
// the file keeps whole lines only.
void AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace Module1
