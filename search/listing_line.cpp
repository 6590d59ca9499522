#include "listing_line.h"

#include "output_file.h"
#include "path_to_url.h"
#include "platform.h"

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

}  // namespace

std::string ComposeListingLine(const RunRequest& request, std::string_view full_name, std::string_view bare_name) {
    const std::string_view name = ChosenName(request, full_name, bare_name);
    if (request.line_style == LineStyle::kHtmlLink) {
        // The target is always the full name; only the visible text follows the name style.
        return "<A HREF=file:///" + PathToUrl(full_name) + ">" + EscapeHtmlText(name, OutputCanHold) +
               "</a></dt> ";
    }
    return WithoutLineBreaks(name);
}

bool WriteListingLine(OutputFile& output, const RunRequest& request, const std::string& full_name,
                      const std::string& bare_name) {
    std::string line = ComposeListingLine(request, full_name, bare_name);
    line += "\r\n";
    bool substituted = false;
    output.Append(EncodeForOutput(line, substituted));
    // A TEXT line carries a substitute for each line break of the name.
    const bool text_line = request.line_style == LineStyle::kText;
    return substituted || (text_line && HasLineBreak(ChosenName(request, full_name, bare_name)));
}

}  // namespace Module1
