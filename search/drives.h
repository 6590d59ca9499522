#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Module1 {

// One entry of the drive list: a volume the user can search.
struct Drive {
    std::string mount_point;  // absolute path, the file system's own bytes
    std::string label;        // what the drive list shows
};

// The volumes a user would pick: the root and every real disk, removable or
// network file system. Kernel, memory and container plumbing is left out.
std::vector<Drive> ListDrives();

// The same choice made over the text of a mount table (the /proc/self/mounts
// format); ListDrives feeds it the live one.
#ifndef _WIN32
std::vector<Drive> DrivesFromMountTable(std::string_view table);
#endif

// The process's current folder, as an absolute path.
std::string CurrentFolder();

// The folder a path names, as the lists open it: a folder itself, or the
// folder that holds a file; absolute and without "." or ".." steps (a path
// that is not absolute is taken from the current folder). False, with the
// system's reason, when nothing is there.
bool FolderNamedBy(const std::string& path, std::string& folder, std::string& failure);

// The mount point of the drive that holds the folder: the longest mount point
// that is the folder itself or one of its parents. Empty when none is.
std::string DriveHolding(const std::vector<Drive>& drives, const std::string& folder);

// The names of the folder's sub-folders (links to folders included), in the
// order the file system returns them. False, with the system's reason, when
// the folder cannot be listed.
bool ListSubFolders(const std::string& folder, std::vector<std::string>& names,
                    std::string& failure);

}  // namespace Module1
