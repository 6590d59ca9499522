#pragma once

#include <functional>
#include <string>

#include "output_file.h"

namespace Module1 {

struct WalkSummary;

// The six file-type classes, one per class option.
enum class FileClass { kHtm, kJpgGif, kJpg, kGif, kTxt, kOther };
// "HtmlLink": one anchor per match; "TEXT": one name per match.
enum class LineStyle { kHtmlLink, kText };
// "PATH+FILE名": the full name; "FILE名": the bare name.
enum class NameStyle { kPathAndFile, kFile };

// What one run is asked to do: the window builds it from its controls at
// Execute, the listing tool from its options. The walk gets nothing else.
struct RunRequest {
    std::string start_drive;   // as the drive list names it
    std::string start_folder;  // absolute
    FileClass file_class = FileClass::kHtm;
    std::string ext_free_text;  // for kOther, exactly as typed: not trimmed, case kept
    LineStyle line_style = LineStyle::kHtmlLink;
    NameStyle name_style = NameStyle::kPathAndFile;
    OutputTarget output;
};

// The walk's only ways back to whoever started it. An empty one is not called.
struct RunObserver {
    // A match: its full name followed by its bare name, for the status label.
    std::function<void(const std::string& text)> match;
    // Before every entry but the first of a folder: the window handles its events.
    std::function<void()> event_turn;
    // Every kProgressEntries entries: how far the walk is.
    std::function<void(const WalkSummary& summary)> progress;
};

inline constexpr unsigned kProgressEntries = 256;

}  // namespace Module1
