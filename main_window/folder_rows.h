#pragma once

#include <string>
#include <vector>

// The rows of the classic folder list: the drive's root and each folder
// down to the open one, then the open folder's sub-folders one level deeper.
struct FolderRow {
    std::string text;  // what the row shows: the root, or a folder's bare name
    std::string path;  // the folder the row opens
    int depth;         // indentation level
    bool open;         // an open folder (the root, an ancestor or the open one)
};

// `names` are the open folder's sub-folders in the order they are shown.
// Returns the rows and, in open_row, the index of the open folder's row.
std::vector<FolderRow> FolderRows(const std::string& root, const std::string& path,
                                  const std::vector<std::string>& names, std::size_t& open_row);
