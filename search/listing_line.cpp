#include "listing_line.h"

#include "output_file.h"
#include "path_to_url.h"
#include "system_text.h"
#include "shown_name.h"

namespace Module1 {

namespace {

std::string_view ChosenName(const RunRequest& request, std::string_view full_name, std::string_view bare_name) {
    return request.name_style == NameStyle::kPathAndFile ? full_name : bare_name;
}

bool HasLineBreak(std::string_view name) { return name.find_first_of("\r\n") != std::string_view::npos; }

// A CR or LF in a name would split its TEXT line and could forge another
// entry: each is written as the output's substitute character instead.
std::string WithoutLineBreaks(std::string_view name) {
    if (!HasLineBreak(name)) return std::string(name);
    const std::string substitute = OutputSubstitute();
    std::string out;
    for (const char c : name) {
        if (c == '\r' || c == '\n') out += substitute;
        else out.push_back(c);
    }
    return out;
}

// The line; `replaced` says whether bytes of the name that are not UTF-8
// were shown as U+FFFD in its link text.
std::string Compose(const RunRequest& request, std::string_view full_name, std::string_view bare_name,
                    bool& replaced) {
    const std::string_view name = ChosenName(request, full_name, bare_name);
    // On a terminal the line is shown to a person, and its names as everywhere
    // else: none can send the terminal commands or break the line.
    const bool shown = request.output.terminal;
    if (request.line_style == LineStyle::kHtmlLink) {
        // The target is always the full name; only the visible text follows the name style.
        std::string line = "<A HREF=file:///" + PathToUrl(full_name) + ">" +
                           EscapeHtmlText(name, LinkTextCanHold, &replaced) + "</a></dt> ";
        return shown ? ShownName(line) : line;
    }
    return shown ? ShownName(name) : WithoutLineBreaks(name);
}

}  // namespace

std::string ComposeListingLine(const RunRequest& request, std::string_view full_name, std::string_view bare_name) {
    bool replaced = false;
    return Compose(request, full_name, bare_name, replaced);
}

bool WriteListingLine(OutputFile& output, const RunRequest& request, const std::string& full_name,
                      const std::string& bare_name) {
    bool replaced = false;
    // Composed while it is UTF-8: the output's encoding comes last.
    std::string line = Compose(request, full_name, bare_name, replaced);
    line += "\r\n";
    bool substituted = false;
    output.Append(EncodeForOutput(line, substituted));
    // A TEXT line carries a substitute for each line break of the name.
    const bool text_line = request.line_style == LineStyle::kText;
    return substituted || replaced || (text_line && HasLineBreak(ChosenName(request, full_name, bare_name)));
}

}  // namespace Module1
