#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "run_search.h"

namespace Module1 {

class FolderNode;
class OutputFile;
class ReadAhead;

// The path with the folder separator appended when it does not end in one.
std::string AddBackslash(std::string path);

// The state of one walk: a stack of levels on the heap, so that no depth
// can exhaust the machine stack, and one folder path that grows and shrinks
// with it. What the walk meets is counted in the run's summary.
class DirectoryWalk {
public:
    // folder_path: the start folder's, ending in the separator.
    DirectoryWalk(WalkSummary& summary, std::string folder_path, const RunRequest& request,
                  const RunObserver& observer, OutputFile& output);
    // Hands every entry of the start folder and of all its sub-folders to
    // HandleEntry, depth first, in the order the file system returned them.
    void WalkFolder(ReadAhead& folders);

private:
    struct Level {
        std::shared_ptr<FolderNode> node;
        std::size_t entry = 0;        // the next entry of its listing
        std::size_t name_offset = 0;  // where that entry's name starts
        std::size_t subfolder = 0;    // the next of its sub-folders to enter
        std::size_t path_size = 0;    // the length of its folder path
    };

    void HandleEntry(ReadAhead& folders, std::uint32_t attributes, std::string_view name);
    void Enter(ReadAhead& folders, std::string_view name);
    void TestFile(std::string_view name);
    void RememberSkipped(std::string folder_path);

    WalkSummary& summary_;
    const RunRequest& request_;
    const RunObserver& observer_;
    OutputFile& output_;
    std::vector<Level> levels_;
    std::string folder_path_;  // the folder whose listing the walk is on
    std::string full_name_;
};

}  // namespace Module1
