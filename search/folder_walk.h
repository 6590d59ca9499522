#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory_walk.h"
#include "read_ahead.h"
#include "run_request.h"

namespace Module1 {

// The limits RunSearch walks with: reader threads and how far they may read
// ahead, and how many folder handles the walk may keep open.
ReadAheadLimits DefaultReadAheadLimits();

// RunSearch with chosen limits, so that a walk with readers can be held
// against one without.
void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary,
               const ReadAheadLimits& limits);

class OutputFile;

// The state of one walk: a stack of levels on the heap, so that no depth
// can exhaust the machine stack, and one folder path that grows and shrinks
// with it, kept in summary.current_folder.
class DirectoryWalk {
public:
    DirectoryWalk(WalkSummary& summary, const std::string& folder_path, const RunRequest& request,
                  const RunObserver& observer, OutputFile& output)
        : summary_(summary), request_(request), observer_(observer), output_(output) {
        summary_.current_folder = folder_path;
    }
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
    std::string full_name_;
};

}  // namespace Module1
