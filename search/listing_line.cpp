#include "listing_line.h"

#include "path_to_url.h"
#include "platform.h"
#include "run_settings.h"
#include "window_hooks.h"

namespace Module1 {

namespace {

std::string_view ChosenName(std::string_view full_name, std::string_view bare_name) {
    if (run_settings.style_path_file) return full_name;
    if (run_settings.style_file) return bare_name;
    return {};
}

}  // namespace

std::string ComposeListingLine(std::string_view full_name, std::string_view bare_name) {
    const std::string_view name = ChosenName(full_name, bare_name);
    if (run_settings.out_html) {
        // The target is always the full name; only the visible text follows the name style.
        return "<A HREF=file:///" + PathToUrl(full_name) + ">" + EscapeHtmlText(name, OutputCanHold) +
               "</a></dt> ";
    }
    if (run_settings.out_text) return std::string(name);
    return {};
}

bool WriteListingLine(const std::string& full_name, const std::string& bare_name) {
    std::string line = ComposeListingLine(full_name, bare_name);
    line += "\r\n";
    bool substituted = false;
    AppendToFile(OutputPath(), EncodeForOutput(line, substituted));
    return substituted;
}

}  // namespace Module1
