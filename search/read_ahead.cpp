#include "read_ahead.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace Module1 {

ReadAhead::ReadAhead(Platform& platform, std::unique_ptr<Folder> start, const ReadAheadLimits& limits)
    : platform_(platform),
      limits_(limits),
      open_(limits.open_folders),
      start_(std::make_shared<FolderNode>()),
      active_readers_(std::min<std::size_t>(2, limits.readers)) {
    start_->state_ = FolderNode::State::kReading;
    queue_.push_back(start_.get());
    start_->place_ = queue_.begin();
    std::list<FolderNode*> subfolders = List(*start_, std::move(start));
    Publish(*start_, subfolders);
    for (std::size_t i = 0; i < limits_.readers; ++i) readers_.emplace_back([this, i] { Reader(i); });
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_.notify_all();
    more_readers_.notify_all();
    for (std::thread& reader : readers_) reader.join();
    // Unlink the nodes one by one: letting a deep chain go at once would
    // free it recursively, one stack frame per level.
    std::vector<std::shared_ptr<FolderNode>> nodes{start_};
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (auto& sub : nodes[i]->subfolders) nodes.push_back(std::move(sub));
        nodes[i]->subfolders.clear();
        nodes[i]->parent.reset();
    }
}

void ReadAhead::Take(FolderNode& node) {
    std::unique_lock lock(mutex_);
    if (node.state_ != FolderNode::State::kRead && ++caught_up_ % kCatchUpsPerReader == 0 &&
        active_readers_ < limits_.readers) {
        // The walk keeps catching up with the readers: reading waits on the
        // disk or the network, so more of them pay.
        ++active_readers_;
        more_readers_.notify_all();
    }
    awaited_ = &node;
    node_read_.wait(lock, [&] { return node.state_ != FolderNode::State::kReading; });
    awaited_ = nullptr;
    if (node.state_ == FolderNode::State::kQueued) {
        // No reader has got here yet, or it was too far for them: the walk reads it itself.
        node.state_ = FolderNode::State::kReading;
        lock.unlock();
        Read(node, OpenFolders::Asker::kWalk);
    } else if (node.read_ahead_) {
        --folders_ahead_;
        bytes_ahead_ -= node.listing.Bytes();
        // Readers that stopped at the limit go on together once a quarter of
        // it is free again, not one at a time with every folder taken.
        if (readers_paused_ && folders_ahead_ <= limits_.folders / 4 * 3 && bytes_ahead_ <= limits_.bytes / 4 * 3) {
            readers_paused_ = false;
            work_.notify_all();
        }
    }
    if (node.error_) std::rethrow_exception(node.error_);
}

void ReadAhead::Release(FolderNode& node) {
    open_.Release(node);
    node.subfolders.clear();
    node.listing = {};
}

bool ReadAhead::ReadersPaused() {
    std::lock_guard lock(mutex_);
    return readers_paused_;
}

// Reads one folder that is marked as being read, on a reader or on the
// walk's thread, without the lock. False, with nothing done, when a reader
// finds it too far from every open folder.
bool ReadAhead::Read(FolderNode& node, OpenFolders::Asker asker) {
    std::list<FolderNode*> subfolders;
    try {
        std::unique_ptr<Folder> folder;
        {
            OpenFolders::ParentFolder parent = open_.Parent(node, asker);
            if (parent.too_far && asker == OpenFolders::Asker::kReader) return false;
            node.failure = std::move(parent.failure);
            if (parent.folder) {
                EnteredFolder entered = parent.folder->Enter(node.name);
                folder = std::move(entered.folder);
                node.failure = std::move(entered.failure);
            }
        }
        // Only once the new handle is kept (or closed): the handles this
        // gives up are then closed while the thread holds none of its own.
        subfolders = List(node, std::move(folder));
        open_.Entered(node);
    } catch (...) {
        // Not the listing's own failure: the run ends with it when the walk gets here.
        node.error_ = std::current_exception();
        node.entered = false;
        node.subfolders.clear();
        subfolders.clear();
    }
    Publish(node, subfolders);
    return true;
}

// Reads the folder's listing into the node; returns its sub-folders, for the queue.
std::list<FolderNode*> ReadAhead::List(FolderNode& node, std::unique_ptr<Folder> folder) {
    std::list<FolderNode*> subfolders;
    if (folder) {
        node.entered = true;
        node.listing = ReadListing(*folder);
        std::size_t offset = 0;
        for (const Listing::Entry& entry : node.listing.entries) {
            const std::string_view name(node.listing.names.data() + offset, entry.name_size);
            offset += entry.name_size;
            if (!IsFolderToEnter(entry.attributes, name)) continue;
            auto sub = std::make_shared<FolderNode>();
            sub->parent = node.shared_from_this();
            sub->name = name;
            subfolders.push_back(sub.get());
            node.subfolders.push_back(std::move(sub));
        }
    }
    // Before the sub-folders are queued: a reader may take them at once.
    open_.Read(node, std::move(folder), node.subfolders.size());
    return subfolders;
}

// Marks the node read and queues its sub-folders where the walk will need
// them: right after the folder itself. Throws nothing, so that no one waits
// for a folder in vain.
void ReadAhead::Publish(FolderNode& node, std::list<FolderNode*>& subfolders) noexcept {
    bool wake_walk = false;
    std::size_t wake_readers = 0;
    const std::size_t count = subfolders.size();
    for (auto place = subfolders.begin(); place != subfolders.end(); ++place) (*place)->place_ = place;
    {
        std::lock_guard lock(mutex_);
        // A folder left to the walk is out of the queue, and before all of it.
        queue_.splice(node.left_ ? queue_.begin() : std::next(node.place_), subfolders);
        if (!node.left_) queue_.erase(node.place_);
        if (node.read_ahead_) {
            bytes_ahead_ += node.listing.Bytes();
            --reading_;
        }
        largest_ = std::max(largest_, node.listing.Bytes());
        node.state_ = FolderNode::State::kRead;
        wake_walk = awaited_ == &node;
        // Only idle readers are woken, and none while they wait for room.
        if (!readers_paused_) wake_readers = std::min(count, idle_readers_);
    }
    if (wake_walk) node_read_.notify_one();
    for (std::size_t i = 0; i < wake_readers; ++i) work_.notify_one();
}

// Under the lock: a reader found the node too far from every open folder.
// The walk reads it when it gets there, from its own trail.
void ReadAhead::Leave(FolderNode& node) {
    node.state_ = FolderNode::State::kQueued;
    node.read_ahead_ = false;
    node.left_ = true;
    queue_.erase(node.place_);
    --folders_ahead_;
    --reading_;
    if (awaited_ == &node) node_read_.notify_one();
}

// The first queued folder, unless the readers are at a limit.
FolderNode* ReadAhead::NextToRead() {
    // A listing's size shows only once it is read: each one being read
    // counts as large as the largest so far, so that readers starting
    // together on large folders do not pass the limit many times over.
    if (folders_ahead_ >= limits_.folders || bytes_ahead_ + reading_ * largest_ >= limits_.bytes) readers_paused_ = true;
    if (readers_paused_) return nullptr;
    for (FolderNode* node : queue_) {
        if (node->state_ == FolderNode::State::kQueued) return node;
    }
    return nullptr;
}

void ReadAhead::Reader(std::size_t index) {
    platform_.LowerReaderPriority();
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (index >= active_readers_) {
            more_readers_.wait(lock);
            continue;
        }
        FolderNode* next = NextToRead();
        if (next == nullptr) {
            ++idle_readers_;
            work_.wait(lock);
            --idle_readers_;
            continue;
        }
        next->state_ = FolderNode::State::kReading;
        next->read_ahead_ = true;
        ++folders_ahead_;
        ++reading_;
        lock.unlock();
        const bool read = Read(*next, OpenFolders::Asker::kReader);
        lock.lock();
        if (!read) Leave(*next);
    }
}

}  // namespace Module1
