#pragma once

// The one door to a run: what it is asked (RunRequest), how it reports while
// it goes (RunObserver) and what it met (WalkSummary). The window and the
// listing tool each build a request and an observer and call RunSearch.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Module1 {

class Platform;

// The six file-type classes, one per class option.
enum class FileClass { kHtm, kJpgGif, kJpg, kGif, kTxt, kOther };
// "HtmlLink": one anchor per match; "TEXT": one name per match.
enum class LineStyle { kHtmlLink, kText };
// "PATH+FILE名": the full name; "FILE名": the bare name.
enum class NameStyle { kPathAndFile, kFile };

// Where a run's lines go: a file, or the process's standard output (only
// there is a pipe taken).
struct OutputTarget {
    std::string path;  // as shown in messages
    bool standard_output = false;
    // The lines are shown on a terminal: their names are written as
    // ShownName shows them, so that none can send the terminal commands.
    bool terminal = false;
};

// How far the walk may read ahead of itself and how many folders it keeps
// open. A field left unset takes this system's default.
struct WalkLimits {
    std::optional<std::size_t> readers;        // reader threads; 0 reads every folder on the walk's thread
    std::optional<std::size_t> folders_ahead;  // listings read and not yet walked
    std::optional<std::size_t> bytes_ahead;    // their size
    std::optional<std::size_t> open_folders;   // folder handles kept for entering sub-folders later
};

// What one run is asked to do: the window builds it from its controls at
// Execute, the listing tool from its options. The walk gets nothing else.
struct RunRequest {
    // The drive list's text. Only where there are drive letters (Windows)
    // is it made the current drive; elsewhere it is not used, since the
    // start folder's absolute path already names its volume.
    std::string start_drive;
    std::string start_folder;  // absolute
    FileClass file_class = FileClass::kHtm;
    std::string ext_free_text;  // for kOther, exactly as typed: not trimmed, case kept
    LineStyle line_style = LineStyle::kHtmlLink;
    NameStyle name_style = NameStyle::kPathAndFile;
    OutputTarget output;
    WalkLimits limits;
};

// How far a walk is, while it goes: valid during the call that reports it.
struct WalkProgress {
    std::uint64_t entries = 0;
    std::uint64_t matches = 0;
    std::string_view current_folder;  // the folder path whose listing the walk is on
};

// The walk's only ways back to whoever started it. An empty one is not called.
struct RunObserver {
    // A match: its full name followed by its bare name, for the status label.
    std::function<void(const std::string& text)> match;
    // Before every entry but the first of a folder: the window handles its events.
    std::function<void()> event_turn;
    // Every kProgressEntries entries.
    std::function<void(const WalkProgress& progress)> progress;
};

inline constexpr unsigned kProgressEntries = 256;

// What one walk met: the window's closing box and the tool's summary are
// made from it.
struct WalkSummary {
    std::uint64_t entries = 0;                   // the folders' entries, "." and ".." not counted
    std::uint64_t matches = 0;
    std::uint64_t lines_written = 0;             // lines actually appended to the output file
    std::uint64_t skipped_folders = 0;           // folders that could not be entered or listed
    std::vector<std::string> skipped_examples;  // the first kSkippedExamples of them
    std::uint64_t unrepresentable_names = 0;     // lines written with substitutes
};

inline constexpr std::size_t kSkippedExamples = 5;

// One run: every matching file under the request's start folder gets a line
// in its output, and the observer hears of each match, of every turn the
// window may take and of the progress. `summary` counts what the walk met
// as it goes, so that after a failure it still says how far the run got
// (the tool prints it either way).
//
// Throws SearchError when the output cannot be written, the start folder
// cannot be opened or a line not written, and when the output is no longer
// at its path as the run ends; whatever else a folder's reading throws
// (out of memory) ends the run too.
void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary);

}  // namespace Module1
