#include "open_folders.h"

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

std::shared_ptr<Folder> OpenFolders::Parent(FolderNode& node, std::string& failure) {
    FolderNode& parent = *node.parent;
    std::shared_ptr<Folder> below;
    int steps = 0;
    FolderIdentity expected;
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (parent.folder_) {
                Touch(parent);
                return parent.folder_;
            }
            // When another reader is opening it, or a folder on the way up
            // to it, again, waiting for that costs less than a way of our own.
            bool busy = parent.reopening_;
            if (!busy && parent.identified_) {
                FolderNode* sub = parent.down_;
                for (int step = 1; sub != nullptr && step <= kMostSteps; ++step, sub = sub->down_) {
                    if (sub->folder_) {
                        below = sub->folder_;
                        steps = step;
                        Touch(*sub);
                        break;
                    }
                    if ((busy = sub->reopening_)) break;
                }
            }
            if (!busy) break;
            // Nodes may go while waiting: only the count is looked at.
            const std::uint64_t seen = reopenings_;
            reopened_.wait(lock, [&] { return reopenings_ != seen; });
        }
        expected = parent.identity_;
        parent.reopening_ = true;
    }
    std::shared_ptr<Folder> folder;
    try {
        folder = std::move(below);
        if (folder) {
            for (int step = 0; step < steps && folder; ++step) folder = folder->Up();
            // Moved or replaced under the walk: what ".." leads to is another folder.
            if (folder && !(folder->Identity() == expected)) folder.reset();
        }
        if (!folder) folder = ByNames(parent, failure);
    } catch (...) {
        Reopened(parent, nullptr);  // readers waiting for it must not wait for ever
        throw;
    }
    Reopened(parent, folder);
    return folder;
}

void OpenFolders::Reopened(FolderNode& parent, const std::shared_ptr<Folder>& folder) {
    {
        Dropped dropped;
        std::lock_guard lock(mutex_);
        parent.reopening_ = false;
        ++reopenings_;
        if (folder && !parent.folder_ && parent.unentered_ > 0) Keep(parent, folder, dropped);
    }
    reopened_.notify_all();
}

// Opens the folder by its names from the nearest kept folder above it.
std::shared_ptr<Folder> OpenFolders::ByNames(FolderNode& parent, std::string& failure) {
    std::vector<FolderNode*> path;  // from the folder up to below the nearest kept one
    std::shared_ptr<Folder> folder;
    {
        std::lock_guard lock(mutex_);
        FolderNode* above = &parent;
        // The start folder is kept while anything below it is to be entered.
        while (!above->folder_) {
            path.push_back(above);
            above = above->parent.get();
        }
        folder = above->folder_;
        Touch(*above);
    }
    for (std::size_t i = path.size(); i-- > 0;) {
        EnteredFolder entered = folder->Enter(path[i]->name);
        if (!entered.folder) {
            failure = entered.failure;  // it went away or changed under the walk
            return nullptr;
        }
        folder = std::move(entered.folder);
    }
    return folder;
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
    node.folder_ = std::move(folder);
    node.recent_ = recent_.insert(recent_.end(), &node);
    ++kept_;
    while (kept_ > budget_ && !recent_.empty()) {
        // The least recently used goes, unless it is the way back up to a
        // folder with sub-folders to enter: losing that costs a walk by names
        // from far above, losing another at most a step up.
        auto victim = recent_.begin();
        while (victim != recent_.end() && (*victim)->unentered_ == 0 && Useful(**victim)) ++victim;
        if (victim == recent_.end()) victim = recent_.begin();
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
    if (node.parent) recent_.erase(node.recent_);
    --kept_;
    dropped.push_back(std::move(node.folder_));
    node.folder_.reset();
}

void OpenFolders::Touch(FolderNode& node) {
    if (node.parent && node.folder_) recent_.splice(recent_.end(), recent_, node.recent_);
}

}  // namespace Module1
