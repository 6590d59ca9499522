#include "start_folder.h"

#include "texts.h"

const char kStartUsage[] =
    "Usage: marrowpine [FOLDER]\n"
    "Open the window on FOLDER (a file opens the folder that holds it),\n"
    "or on the current folder when none is given.\n";

StartArguments ParseStartArguments(const std::vector<std::string>& arguments) {
    StartArguments parsed;
    bool options_ended = false;
    for (const std::string& argument : arguments) {
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && (argument == "-h" || argument == "--help")) {
            parsed.help = true;
        } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
            // The arguments are not echoed: a name may hold a terminal's controls.
            parsed.error = "unknown option (a FOLDER that starts with \"-\" follows \"--\")";
        } else if (parsed.folder) {
            parsed.error = "more than one FOLDER";
        } else {
            parsed.folder = argument;
        }
        if (!parsed.error.empty()) break;
    }
    return parsed;
}

bool PlacePointedAt(const std::string& path, const std::vector<Module1::Drive>& drives, FolderPlace& place,
                    std::string& message) {
    std::string folder, failure;
    if (!Module1::FolderNamedBy(path, folder, failure)) {
        message = std::string(Module1::kCannotOpenFolder) + ": " + path + " (" + failure + ")";
        return false;
    }
    place = {Module1::DriveHolding(drives, folder), folder};
    if (place.root.empty()) {
        message = std::string(Module1::kCannotOpenFolder) + ": " + path;
        return false;
    }
    return true;
}
