#pragma once

#include <string>
#include <vector>

#include "run_search.h"

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything
// in it (permissions restored first) when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Creates an empty file (and any missing folders on its way); returns its path.
    std::string File(const std::string& relative, const std::string& contents = "") const;
    std::string Folder(const std::string& relative) const;

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
// The file's lines, each of which must end in CR LF; a last line without one
// is kept with the marker "<no CR LF>". Sorted when asked, for walks whose
// order the file system decides.
std::vector<std::string> CrLfLines(const std::string& path, bool sorted = false);
bool Exists(const std::string& path);
// The text up to its first line break: the first line of a box.
inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The request of one run: its class, line and name styles.
Module1::RunRequest Settings(Module1::FileClass file_class, bool html = true, bool full_path = true,
                             const std::string& free_text = "");

// What a walk met, as one line of counts followed by the folders it passed
// over, one a line: "lines=3 matches=3 skipped=1 unrepresentable=0\n/a/locked".
std::string Outcome(const Module1::WalkSummary& summary);

// One run's request, with its output file, and its observer.
class RunScope {
public:
    RunScope(const Module1::RunRequest& settings, const std::string& output_path);
    // Walks the folder on the system's own platform, or on the one given;
    // returns its Outcome.
    std::string Walk(const std::string& folder);
    std::string Walk(Module1::Platform& platform, const std::string& folder);

    Module1::RunRequest request;
    Module1::RunObserver observer;
};

}  // namespace test_support
