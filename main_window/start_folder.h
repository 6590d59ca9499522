#pragma once

// Where the window is pointed: the FOLDER of its command line
// (`marrowpine [FOLDER]`, which a file manager fills in) or a folder or file
// dropped on the window. Both front ends select what this finds.

#include <optional>
#include <string>
#include <vector>

#include "drives.h"
#include "folder_selection.h"

// The command line after the program's name: at most one FOLDER, "--" ends
// the options; -h and --help ask for the usage.
struct StartArguments {
    std::optional<std::string> folder;
    bool help = false;
    std::string error;  // what is wrong with the usage; empty when nothing is
};
StartArguments ParseStartArguments(const std::vector<std::string>& arguments);
// The usage, for --help and after an error.
extern const char kStartUsage[];

// Opens the lists (through `open`) on the folder a path points at, as the
// platform finds it: a folder itself, the folder holding a file. Returns the drive it lies on; empty,
// with a box's text that names the path (controls escaped) and the reason,
// when nothing is there or it cannot be listed, and the lists stay where
// they were.
std::string OpenPointedFolder(Module1::Platform& platform, const std::string& path,
                              const std::vector<Module1::Drive>& drives, const OpenFolderList& open,
                              std::string& message);
