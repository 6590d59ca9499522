#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drives.h"

// The folder a run starts from, and how the drive and folder lists reach a
// folder they can show, the same for every front end.
struct FolderSelection {
    std::string start_drive;   // the drive list's drive
    std::string start_folder;  // the folder list's folder
};

// Opens the folder list on `folder` below the drive `root`; false, with the
// system's reason in failure, when it cannot be listed.
using OpenFolderList = std::function<bool(const std::string& root, const std::string& folder, std::string& failure)>;

// The opening of a front end's own folder list, whatever its toolkit: any
// list with Open(root, folder, failure).
template <typename FolderList>
OpenFolderList OpenerOf(FolderList& list) {
    return [&list](const std::string& root, const std::string& folder, std::string& failure) {
        return list.Open(root, folder, failure);
    };
}

// At start: the process's current folder on the drive holding it; when it
// cannot be listed, that drive's root; then the first drive whose root can
// be. Returns the drive opened, empty when none could be.
std::string OpenStartFolder(const std::vector<Module1::Drive>& drives, const std::string& current_folder,
                            const OpenFolderList& open);

// A drive chosen in the drive list: its folder `preferred` (its own current
// folder where the system keeps one), else its root. False, with the reason,
// when neither can be listed; the lists then stay where they were.
bool OpenDrive(const std::string& drive, const std::string& preferred, const OpenFolderList& open,
               std::string& failure);
