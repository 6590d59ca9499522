#include "open_folders.h"

#include <cstdint>
#include <utility>

namespace Module1 {

// In every function, `dropped` is made before the lock is taken, so that the
// handles it collects are closed after the lock is released.

void OpenFolders::Read(FolderNode& node, std::shared_ptr<Folder> folder, std::size_t subfolders) {
    Dropped dropped;
    std::lock_guard lock(mutex_);
    node.unentered_ = subfolders;
    if (subfolders > 0 && folder) Keep(node, std::move(folder), dropped);
}

OpenFolders::ParentFolder OpenFolders::Parent(FolderNode& node, Asker asker) {
    FolderNode& parent = *node.parent;
    const bool walk = asker == Asker::kWalk;
    Route route;
    FileIdentity expected;
    {
        Dropped dropped;
        std::unique_lock lock(mutex_);
        for (;;) {
            if (parent.folder_) {
                Touch(parent);
                if (walk) Trail(&parent, parent.folder_, dropped);
                return {parent.folder_, {}, false};
            }
            if (Plan(parent, walk, route)) break;
            // Nodes may go while waiting: only the count is looked at.
            const std::uint64_t seen = reopenings_;
            reopened_.wait(lock, [&] { return reopenings_ != seen; });
        }
        if (!route.from) return {nullptr, {}, true};
        expected = parent.identity_;
        parent.reopening_ = true;
        // The walk holds no handle besides the one it steps from.
        if (walk) Trail(nullptr, nullptr, dropped);
    }
    ParentFolder result;
    try {
        result.folder = Follow(route, expected, result.failure);
        if (!result.folder && result.failure.empty() && route.check) {
            // Moved or replaced under the walk: what ".." leads to is another
            // folder. Its names from above lead to the folder that is there now.
            {
                std::lock_guard lock(mutex_);
                route = {};
                if (!PlanByNames(parent, walk ? SIZE_MAX : kMostSteps, route)) result.too_far = true;
            }
            if (route.from) result.folder = Follow(route, expected, result.failure);
        }
    } catch (...) {
        Reopened(parent, nullptr, false);  // readers waiting for it must not wait for ever
        throw;
    }
    Reopened(parent, result.folder, walk);
    return result;
}

// Under the lock: the cheapest way to open the parent again into `route`,
// none when a reader would open more than kMostSteps folders. False when a
// folder on the way is being opened again by another thread: waiting for
// that costs less than a way of our own.
bool OpenFolders::Plan(FolderNode& parent, bool walk, Route& route) {
    if (parent.reopening_) return false;
    route = {};
    std::size_t cost = walk ? SIZE_MAX : kMostSteps + 1;  // to beat
    if (parent.identified_) {
        FolderNode* sub = parent.down_;
        for (std::size_t step = 1; sub != nullptr && step <= kMostSteps; ++step, sub = sub->down_) {
            if (sub->folder_) {
                route = {sub->folder_, step, {}, true};
                cost = step;
                Touch(*sub);
                break;
            }
            if (sub->reopening_) return false;
        }
    }
    std::vector<FolderNode*> names;
    for (FolderNode* above = &parent; above != nullptr && names.size() < cost; above = above->parent.get()) {
        if (above->folder_) {
            route = {above->folder_, 0, std::move(names), false};
            Touch(*above);
            return true;
        }
        // From below the walk's path it must come up through ".." to it.
        if (walk && above == trail_node_ && trail_ && (trail_below_ == 0 || parent.identified_) &&
            trail_below_ + names.size() < cost) {
            route = {trail_, trail_below_, names, trail_below_ > 0};
            cost = trail_below_ + names.size();
        }
        names.push_back(above);
    }
    return true;
}

// Under the lock: by names from the nearest kept folder above, if it is at
// most `most` folders away. The start folder is kept while anything below it
// is to be entered.
bool OpenFolders::PlanByNames(FolderNode& parent, std::size_t most, Route& route) {
    std::vector<FolderNode*> names;
    for (FolderNode* above = &parent; above != nullptr && names.size() <= most; above = above->parent.get()) {
        if (above->folder_) {
            route = {above->folder_, 0, std::move(names), false};
            Touch(*above);
            return true;
        }
        names.push_back(above);
    }
    return false;
}

// Opens the folder the route leads to; nullptr when it cannot, with the
// system's reason only when the route starts at the folder's own ancestor
// (after steps up through "..", a failure may only mean a wrong place).
std::shared_ptr<Folder> OpenFolders::Follow(Route& route, const FileIdentity& expected, std::string& failure) {
    std::shared_ptr<Folder> folder = std::move(route.from);
    for (std::size_t step = 0; step < route.ups && folder; ++step) folder = folder->Up();
    for (auto name = route.names.rbegin(); folder && name != route.names.rend(); ++name) {
        EnteredFolder entered = folder->Enter((*name)->name);
        if (!entered.folder && !route.check) failure = std::move(entered.failure);
        folder = std::move(entered.folder);
    }
    if (folder && route.check && !(folder->Identity() == expected)) folder.reset();
    return folder;
}

void OpenFolders::Reopened(FolderNode& parent, const std::shared_ptr<Folder>& folder, bool walk) {
    {
        Dropped dropped;
        std::lock_guard lock(mutex_);
        parent.reopening_ = false;
        ++reopenings_;
        if (folder && !parent.folder_ && parent.unentered_ > 0) Keep(parent, folder, dropped);
        if (walk && folder) Trail(&parent, folder, dropped);
    }
    reopened_.notify_all();
}

// Under the lock: the walk's trail is now `folder`, the handle of `node`.
// When no kept folder holds it, it takes a place of the budget.
void OpenFolders::Trail(FolderNode* node, std::shared_ptr<Folder> folder, Dropped& dropped) {
    if (trail_extra_) dropped.push_back(std::move(trail_));
    trail_ = std::move(folder);
    trail_node_ = node;
    trail_below_ = 0;
    trail_extra_ = trail_ && node->folder_ != trail_;
    if (trail_extra_) GiveUp(nullptr, dropped);
}

void OpenFolders::Entered(FolderNode& node) {
    Dropped dropped;
    std::lock_guard lock(mutex_);
    FolderNode& parent = *node.parent;
    if (--parent.unentered_ > 0) return;
    // Everything below it has been opened: nothing has to come back up to it.
    if (parent.down_ != nullptr && parent.down_->unentered_ == 0) Drop(*parent.down_, dropped);
    if (!Useful(parent)) Drop(parent, dropped);
}

void OpenFolders::Release(FolderNode& node) {
    Dropped dropped;
    std::lock_guard lock(mutex_);
    if (trail_node_ == &node) {
        // The walk comes back up: its trail lies a level further below.
        trail_node_ = node.parent.get();
        ++trail_below_;
        if (trail_node_ == nullptr) Trail(nullptr, nullptr, dropped);
    }
    // Its sub-folders go with it; the one below it kept was the last of them held.
    if (node.down_ != nullptr) {
        Drop(*node.down_, dropped);
        node.down_ = nullptr;
    }
    if (!node.parent || !Useful(node)) Drop(node, dropped);
}

// A folder's handle is of use while sub-folders of it are to be entered, and
// as the way back up to its parent while the parent has sub-folders to be
// entered: also while the parent is open, since it may have to go.
bool OpenFolders::Useful(const FolderNode& node) const {
    if (!node.parent || node.unentered_ > 0) return true;
    const FolderNode& parent = *node.parent;
    return parent.down_ == &node && parent.unentered_ > 0;
}

void OpenFolders::Keep(FolderNode& node, std::shared_ptr<Folder> folder, Dropped& dropped) {
    if (node.folder_) return;
    if (!node.parent) {
        // Every folder can be found again from the start folder.
        node.folder_ = std::move(folder);
        ++kept_;
        return;
    }
    if (budget_ <= 1) return;  // room for the start folder alone
    FolderNode& parent = *node.parent;
    if (parent.down_ != &node) {
        if (parent.down_ != nullptr && parent.down_->unentered_ == 0) Drop(*parent.down_, dropped);
        parent.down_ = &node;
    }
    node.recent_ = recent_.insert(recent_.end(), &node);
    node.folder_ = std::move(folder);
    ++kept_;
    GiveUp(&node, dropped);
}

// Gives up handles until no more are held than the budget allows, never
// `spare`: it is kept because it is about to be used.
void OpenFolders::GiveUp(FolderNode* spare, Dropped& dropped) {
    while (kept_ + (trail_extra_ ? 1 : 0) > budget_) {
        // The least recently used goes, unless it is the way back up to a
        // folder with sub-folders to enter: losing that costs a walk by names
        // from far above, losing another at most a step up. When only ways
        // back are left, the oldest of them goes; `spare` never does, since it
        // would be opened again at once.
        auto victim = recent_.begin();
        while (victim != recent_.end() && (*victim == spare || ((*victim)->unentered_ == 0 && Useful(**victim)))) {
            ++victim;
        }
        if (victim == recent_.end()) victim = recent_.begin();
        if (victim != recent_.end() && *victim == spare) ++victim;
        if (victim == recent_.end()) {
            // Nothing else to give up but the walk's trail.
            if (!trail_extra_) return;
            Trail(trail_node_, nullptr, dropped);
            continue;
        }
        FolderNode& oldest = **victim;
        if (oldest.unentered_ > 0) {
            // It will be opened again: remember which folder it was, to know
            // it when coming back up through "..".
            oldest.identity_ = oldest.folder_->Identity();
            oldest.identified_ = true;
        }
        Drop(oldest, dropped);
    }
}

void OpenFolders::Drop(FolderNode& node, Dropped& dropped) {
    if (!node.folder_) return;
    // The walk's trail, when it is this handle, keeps it open and its place.
    if (node.folder_ == trail_) trail_extra_ = true;
    if (node.parent) recent_.erase(node.recent_);
    --kept_;
    dropped.push_back(std::move(node.folder_));
    node.folder_.reset();
}

void OpenFolders::Touch(FolderNode& node) {
    if (node.parent && node.folder_) recent_.splice(recent_.end(), recent_, node.recent_);
}

}  // namespace Module1
