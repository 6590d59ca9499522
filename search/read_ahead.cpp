#include "read_ahead.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace Module1 {

ReadAhead::ReadAhead(std::unique_ptr<Folder> start, const ReadAheadLimits& limits)
    : limits_(limits),
      open_(limits.open_folders),
      start_(std::make_shared<FolderNode>()),
      active_readers_(std::min<std::size_t>(2, limits.readers)) {
    start_->state_ = FolderNode::State::kReading;
    queue_.push_back(start_.get());
    start_->place_ = queue_.begin();
    Finish(*start_, std::move(start));
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
    if (node.state_ == FolderNode::State::kQueued) {
        // No reader has got here yet: the walk reads it itself.
        node.state_ = FolderNode::State::kReading;
        lock.unlock();
        Read(node);
        return;
    }
    awaited_ = &node;
    node_read_.wait(lock, [&] { return node.state_ == FolderNode::State::kRead; });
    awaited_ = nullptr;
    if (node.read_ahead_) {
        --folders_ahead_;
        bytes_ahead_ -= node.listing.Bytes();
        // Readers that stopped at the limit go on together once a quarter of
        // it is free again, not one at a time with every folder taken.
        if (readers_paused_ && folders_ahead_ <= limits_.folders / 4 * 3 && bytes_ahead_ <= limits_.bytes / 4 * 3) {
            readers_paused_ = false;
            work_.notify_all();
        }
    }
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

// Reads one folder that is marked as being read. Runs on a reader or on the
// walk's thread, without the lock.
void ReadAhead::Read(FolderNode& node) {
    std::unique_ptr<Folder> folder;
    try {
        if (std::shared_ptr<Folder> parent = open_.Parent(node, node.failure)) {
            EnteredFolder entered = parent->Enter(node.name);
            folder = std::move(entered.folder);
            node.failure = std::move(entered.failure);
        }
    } catch (const std::exception& error) {
        node.failure = error.what();
    }
    open_.Entered(node);
    Finish(node, std::move(folder));
}

// Stores what was read and queues the sub-folders where the walk will need
// them: right after the folder itself.
void ReadAhead::Finish(FolderNode& node, std::unique_ptr<Folder> folder) {
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
            node.subfolders.push_back(std::move(sub));
        }
    }
    // Before the sub-folders are queued: a reader may take them at once.
    open_.Read(node, std::move(folder), node.subfolders.size());
    bool wake_walk = false;
    std::size_t wake_readers = 0;
    {
        std::lock_guard lock(mutex_);
        const auto after = std::next(node.place_);
        for (const auto& sub : node.subfolders) {
            sub->place_ = queue_.insert(after, sub.get());
        }
        queue_.erase(node.place_);
        if (node.read_ahead_) {
            bytes_ahead_ += node.listing.Bytes();
            --reading_;
        }
        largest_ = std::max(largest_, node.listing.Bytes());
        node.state_ = FolderNode::State::kRead;
        wake_walk = awaited_ == &node;
        // Only idle readers are woken, and none while they wait for room.
        if (!readers_paused_) wake_readers = std::min(node.subfolders.size(), idle_readers_);
    }
    if (wake_walk) node_read_.notify_one();
    for (std::size_t i = 0; i < wake_readers; ++i) work_.notify_one();
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
    LowerReaderPriority();
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
        Read(*next);
        lock.lock();
    }
}

}  // namespace Module1
