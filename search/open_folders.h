#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "folder_node.h"
#include "platform.h"

namespace Module1 {

// The folder handles a walk keeps, so that sub-folders can be entered after
// their parent's listing was read: at most `budget` of them, the start
// folder's included, which is kept throughout.
//
// A folder's handle is kept while sub-folders of it are still to be entered;
// when more are wanted than the budget allows, the one used least recently
// goes, so the folders nearest to where the walk and the readers are stay
// open. A folder whose handle went is opened again, cheapest first:
//  1. through ".." from a kept sub-folder below it, when the folder found
//     there is the very one that was given up (same identity), which costs
//     a step or two when the walk comes back up a deep tree;
//  2. by its names from the nearest kept folder above it.
// Neither way follows a link: ".." never is one, and entering by name
// refuses links and mount points.
//
// Safe to use from several threads. Handles are closed outside the lock.
class OpenFolders {
public:
    explicit OpenFolders(std::size_t budget) : budget_(budget) {}
    OpenFolders(const OpenFolders&) = delete;
    OpenFolders& operator=(const OpenFolders&) = delete;

    // The node has been read through `folder`; it has `subfolders` to enter.
    void Read(FolderNode& node, std::shared_ptr<Folder> folder, std::size_t subfolders);
    // The handle of the node's parent, for entering the node; nullptr with
    // the system's reason when the parent can no longer be opened.
    std::shared_ptr<Folder> Parent(FolderNode& node, std::string& failure);
    // The node has been entered, or could not be.
    void Entered(FolderNode& node);
    // The walk has left the node and everything below it.
    void Release(FolderNode& node);

private:
    using Dropped = std::vector<std::shared_ptr<Folder>>;
    std::shared_ptr<Folder> ByNames(FolderNode& parent, std::string& failure);
    void Reopened(FolderNode& parent, const std::shared_ptr<Folder>& folder);
    bool Useful(const FolderNode& node) const;
    void Keep(FolderNode& node, std::shared_ptr<Folder> folder, Dropped& dropped);
    void Drop(FolderNode& node, Dropped& dropped);
    void Touch(FolderNode& node);

    // Sub-folders looked at below a folder for a kept one to go up from.
    static constexpr int kMostSteps = 8;

    const std::size_t budget_;
    std::mutex mutex_;
    std::condition_variable reopened_;  // a folder that was being opened again is open, or failed
    std::uint64_t reopenings_ = 0;
    std::list<FolderNode*> recent_;  // kept handles but the start folder's, least recently used first
    std::size_t kept_ = 0;
};

}  // namespace Module1
