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
// goes (never the one just kept), so the folders nearest to where the walk
// and the readers are stay open. A folder whose handle went is opened again
// the cheapest of these ways, counted in folders opened:
//  1. through ".." from a kept sub-folder a few levels below it, when the
//     folder found there is the very one that was given up (same identity);
//  2. by its names from the nearest kept folder above it;
//  3. for the walk alone: from the handle it last entered a sub-folder
//     through (its trail), up through ".." as far as the walk has come back
//     up since and down by names as far as it has gone down, checked as in 1
//     when it went up. So the walk never pays more than the levels it moved.
// A reader takes only a way of at most kMostSteps folders; a folder farther
// from every open one is left to the walk, whose trail is nearer.
// No way follows a link: ".." never is one, and entering by name refuses
// links and mount points.
//
// Safe to use from several threads. Handles are closed outside the lock.
class OpenFolders {
public:
    explicit OpenFolders(std::size_t budget) : budget_(budget) {}
    OpenFolders(const OpenFolders&) = delete;
    OpenFolders& operator=(const OpenFolders&) = delete;

    // Who asks for a parent's handle.
    enum class Asker { kWalk, kReader };
    struct ParentFolder {
        std::shared_ptr<Folder> folder;  // nullptr: it cannot be opened again (failure says why), or too far
        std::string failure;
        bool too_far = false;            // for a reader only: the walk reads the node
    };

    // The node has been read through `folder`; it has `subfolders` to enter.
    void Read(FolderNode& node, std::shared_ptr<Folder> folder, std::size_t subfolders);
    // The handle of the node's parent, for entering the node. The walk asks
    // only for sub-folders of the folder it is on.
    ParentFolder Parent(FolderNode& node, Asker asker);
    // The node has been entered, or could not be.
    void Entered(FolderNode& node);
    // The walk has left the node and everything below it.
    void Release(FolderNode& node);

private:
    // Sub-folders looked at below a folder for a kept one to go up from, and
    // the most folders a reader opens to reach a parent.
    static constexpr std::size_t kMostSteps = 8;

    using Dropped = std::vector<std::shared_ptr<Folder>>;
    // A way to open a folder again.
    struct Route {
        std::shared_ptr<Folder> from;
        std::size_t ups = 0;              // steps up through ".." from it,
        std::vector<FolderNode*> names;   // then the folders entered by name, the last one first
        bool check = false;               // whether the folder reached must be the one given up
    };
    bool Plan(FolderNode& parent, bool walk, Route& route);
    bool PlanByNames(FolderNode& parent, std::size_t most, Route& route);
    static std::shared_ptr<Folder> Follow(Route& route, const FileIdentity& expected, std::string& failure);
    void Reopened(FolderNode& parent, const std::shared_ptr<Folder>& folder, bool walk);
    void Trail(FolderNode* node, std::shared_ptr<Folder> folder, Dropped& dropped);
    void GiveUp(FolderNode* spare, Dropped& dropped);
    bool Useful(const FolderNode& node) const;
    void Keep(FolderNode& node, std::shared_ptr<Folder> folder, Dropped& dropped);
    void Drop(FolderNode& node, Dropped& dropped);
    void Touch(FolderNode& node);

    const std::size_t budget_;
    std::mutex mutex_;
    std::condition_variable reopened_;  // a folder that was being opened again is open, or failed
    std::uint64_t reopenings_ = 0;
    std::list<FolderNode*> recent_;  // kept handles but the start folder's, least recently used first
    std::size_t kept_ = 0;

    // The walk's trail: the handle it last entered a sub-folder through,
    // which lies `trail_below_` levels under `trail_node_`, a folder on the
    // walk's path (coming back up moves the node, not the handle). Guarded by
    // the lock; only the walk's thread changes them.
    std::shared_ptr<Folder> trail_;
    FolderNode* trail_node_ = nullptr;
    std::size_t trail_below_ = 0;
    bool trail_extra_ = false;  // no kept folder holds the trail's handle: it counts against the budget
};

}  // namespace Module1
