#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "run_search.h"

namespace list_tool {

// The one line of progress on a terminal: entries walked, matches and the
// current folder, redrawn in place at most every `interval`, and wiped at
// the end. A run shorter than one interval shows nothing.
class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // write receives the text to put on the terminal; columns is its width.
    ProgressLine(void (*write)(const std::string& text), std::size_t columns, Clock::time_point start,
                 Clock::duration interval = std::chrono::milliseconds(250));

    // Called during the walk; redraws when the interval has passed.
    void Update(const Module1::WalkProgress& progress, Clock::time_point now);
    // Wipes the line, if one is shown.
    void Clear();

    // The text of the line, at most `columns` - 1 columns wide, keeping the
    // end of the folder path.
    static std::string Compose(const Module1::WalkProgress& progress, std::size_t columns);

private:
    void (*write_)(const std::string& text);
    std::size_t columns_;
    Clock::time_point next_;
    Clock::duration interval_;
    std::size_t shown_columns_ = 0;
};

}  // namespace list_tool
