#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Module1 {

// What one walk met, for the completion box and the listing tool.
struct WalkSummary {
    std::uint64_t entries = 0;
    std::uint64_t matches = 0;
    std::uint64_t lines_written = 0;             // lines actually appended to the output file
    std::uint64_t skipped_folders = 0;           // folders that could not be entered or listed
    std::vector<std::string> skipped_examples;  // the first few of them
    std::uint64_t unrepresentable_names = 0;     // lines written with substitutes
    std::string current_folder;                  // the folder path whose listing the walk is on
    std::string output_file;                     // the output file the run checked and writes to
};

inline constexpr std::size_t kSkippedExamples = 5;

// The path with the folder separator appended when it does not end in one.
std::string AddBackslash(std::string path);

// The text of the box that ends a walk: "COMPLETED ...", then the number of
// lines written and the output file (or that no file matched and the output
// was not touched), then the folders that were passed over and the names
// the output could not hold, if any. Names are shown with controls escaped.
std::string CompletionMessage(const WalkSummary& summary);

class Platform;
struct RunRequest;
struct RunObserver;

// One run: every matching file under the request's start folder gets a line
// in its output, and the observer hears of each match, of every turn the
// window may take and of the progress. Returns what the walk met; the caller
// shows the completion box. Throws SearchError when the output cannot be
// written, the start folder cannot be opened or a line not written, and
// when the output is no longer at its path as the run ends.
WalkSummary RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer);
// The same, leaving `summary` as far as the walk got when it throws.
void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary);

}  // namespace Module1
