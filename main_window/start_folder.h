#pragma once

// Where the window is pointed: the FOLDER of its command line
// (`marrowpine [FOLDER]`, which a file manager fills in) or a folder or file
// dropped on the window. Both front ends select what this finds.

#include <optional>
#include <string>
#include <vector>

#include "drives.h"

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

// A drive of the drive list and a folder on it, as the lists open them.
struct FolderPlace {
    std::string root;
    std::string folder;
};

// The place a path points at: a folder itself, the folder holding a file.
// False, with a box's text that names the path and the system's reason, when
// nothing is there.
bool PlacePointedAt(const std::string& path, const std::vector<Module1::Drive>& drives, FolderPlace& place,
                    std::string& message);
