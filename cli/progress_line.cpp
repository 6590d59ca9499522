#include "progress_line.h"

#include <vector>

#include "shown_name.h"
#include "text_utf8.h"
#include "translation.h"

namespace list_tool {

namespace {

// Columns a character takes on a terminal: East Asian wide characters two.
std::size_t Width(char32_t code) {
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x1F300 && code <= 0x1F64F) ||
                      (code >= 0x20000 && code <= 0x3FFFD);
    return wide ? 2 : 1;
}

// One character of a text as shown, with the columns it takes.
struct Shown {
    std::string text;
    std::size_t width;
};

// The characters of a text that holds no control (ShownName's result).
std::vector<Shown> ShownCharacters(const std::string& text) {
    std::vector<Shown> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const Module1::DecodedChar ch = Module1::DecodeChar(text, pos);
        out.push_back({text.substr(pos, ch.length), Width(ch.code)});
        pos += ch.length;
    }
    return out;
}

}  // namespace

ProgressLine::ProgressLine(void (*write)(const std::string& text), std::size_t columns,
                           Clock::time_point start, Clock::duration interval)
    : write_(write), columns_(columns), next_(start + interval), interval_(interval) {}

std::string ProgressLine::Compose(const Module1::WalkProgress& progress, std::size_t columns) {
    const std::size_t limit = columns > 1 ? columns - 1 : 0;  // the last column would wrap on some terminals
    // Counted in columns: a Japanese character takes two.
    std::string line;
    std::size_t used = 0;
    for (const Shown& c : ShownCharacters(Format(Tr("%s entries, %s matches"), {std::to_string(progress.entries),
                                                                               std::to_string(progress.matches)}) +
                                          "  ")) {
        if (used + c.width > limit) return line;
        line += c.text;
        used += c.width;
    }
    const std::vector<Shown> folder = ShownCharacters(Module1::ShownName(progress.current_folder));
    std::size_t width = 0;
    for (const Shown& c : folder) width += c.width;
    std::size_t first = 0;
    const std::string ellipsis = "…";
    if (used + width > limit) {
        // Keep the end of the path, which names the folder.
        width += 1;
        while (first < folder.size() && used + width > limit) width -= folder[first++].width;
        line += ellipsis;
    }
    for (std::size_t i = first; i < folder.size(); ++i) line += folder[i].text;
    return line;
}

void ProgressLine::Update(const Module1::WalkProgress& progress, Clock::time_point now) {
    if (now < next_) return;
    next_ = now + interval_;
    const std::string line = Compose(progress, columns_);
    std::size_t width = 0;
    for (const Shown& c : ShownCharacters(line)) width += c.width;
    // Blanks over what is left of a longer line before.
    const std::string padding(shown_columns_ > width ? shown_columns_ - width : 0, ' ');
    write_("\r" + line + padding);
    shown_columns_ = width;
}

void ProgressLine::Clear() {
    if (shown_columns_ == 0) return;
    write_("\r" + std::string(shown_columns_, ' ') + "\r");
    shown_columns_ = 0;
}

}  // namespace list_tool
