#include "start_folder.h"

#include "shown_name.h"
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

std::string OpenPointedFolder(Module1::Platform& platform, const std::string& path,
                              const std::vector<Module1::Drive>& drives, const OpenFolderList& open,
                              std::string& message) {
    std::string folder, failure;
    if (!platform.FolderNamedBy(path, folder, failure)) {
        message = std::string(Module1::kCannotOpenFolder) + ": " + Module1::ShownName(path) + " (" + failure + ")";
        return {};
    }
    const std::string root = Module1::DriveHolding(drives, folder);
    if (root.empty()) {
        message = std::string(Module1::kCannotOpenFolder) + ": " + Module1::ShownName(path);
        return {};
    }
    if (!open(root, folder, failure)) {
        message = std::string(Module1::kCannotOpenFolder) + ": " + Module1::ShownName(folder) + " (" + failure + ")";
        return {};
    }
    return root;
}
