#pragma once

#include <condition_variable>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "folder_listing.h"
#include "platform.h"

namespace Module1 {

// How far reading may run ahead of the walk.
struct ReadAheadLimits {
    std::size_t readers = 0;       // reader threads at most; 0 reads every folder on the walk's thread
    std::size_t folders = 1024;    // listings read ahead and not yet taken by the walk
    std::size_t bytes = 4 << 20;   // their size
    std::size_t open_folders = 64; // folder handles kept open for entering sub-folders later
};

// A folder the walk knows of: the start folder, or a sub-folder named in a
// listing already read.
struct FolderNode : std::enable_shared_from_this<FolderNode> {
    std::shared_ptr<FolderNode> parent;  // empty for the start folder
    std::string name;                    // its name in the parent

    // Set once the folder has been read, before the walk takes it.
    bool entered = false;  // false: it could not be entered (failure says why), or it is a mount point
    std::string failure;
    Listing listing;
    std::vector<std::shared_ptr<FolderNode>> subfolders;  // the entries the walk will enter, in listing order

    // Guarded by the ReadAhead's lock.
    enum class State { kQueued, kReading, kRead } state = State::kQueued;
    bool read_ahead = false;           // read by a reader, counted against the limits until taken
    std::shared_ptr<Folder> folder;    // kept open while sub-folders are still to be entered
    std::size_t unentered = 0;         // sub-folders not entered yet
    std::list<FolderNode*>::iterator place;  // its place in the queue while queued or being read
};

// Reads the listings of the folders the walk will enter next, on reader
// threads, in the order the walk needs them: depth first, so the sub-folders
// of a folder just read come before the rest of its parent. The walk takes
// each sub-folder with Take, which returns it read, whether a reader got
// there first or the walk reads it now; it cannot tell the difference.
//
// Folder handles: a read folder keeps its handle only while sub-folders are
// still to be entered, and only up to the limit; a sub-folder of a folder
// whose handle was given up is entered by opening its folders again by name
// from the nearest one still open, so nothing depends on the depth.
class ReadAhead {
public:
    // Reads the start folder on the calling thread.
    ReadAhead(std::unique_ptr<Folder> start, const ReadAheadLimits& limits);
    // Stops the readers; a folder being read is finished first.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    const std::shared_ptr<FolderNode>& Start() const { return start_; }
    // The sub-folder, read. Called by the walk, in the order it enters them.
    void Take(FolderNode& node);
    // The walk has left the folder and everything below it.
    void Release(FolderNode& node);

private:
    void Read(FolderNode& node);
    std::shared_ptr<Folder> ParentFolder(FolderNode& node, std::string& failure);
    void Finish(FolderNode& node, std::unique_ptr<Folder> folder);
    void KeepFolder(FolderNode& node, std::shared_ptr<Folder> folder);
    // Gives up the node's handle; the caller lets it go once the lock is
    // released, since closing a folder is a system call.
    [[nodiscard]] std::shared_ptr<Folder> DropFolder(FolderNode& node);
    FolderNode* NextToRead();
    void Reader(std::size_t index);

    ReadAheadLimits limits_;
    std::shared_ptr<FolderNode> start_;

    std::mutex mutex_;
    std::condition_variable work_;       // readers: a folder was queued or room was made
    std::condition_variable node_read_;  // the walk: the folder it waits for was read
    const FolderNode* awaited_ = nullptr;
    std::list<FolderNode*> queue_;  // depth-first order; queued and being read
    std::size_t folders_ahead_ = 0;
    std::size_t bytes_ahead_ = 0;
    std::size_t open_ = 0;
    bool readers_paused_ = false;  // the readers reached a limit and wait for room
    std::size_t idle_readers_ = 0;
    // Two readers keep ahead of a walk over cached folders; when the walk
    // keeps catching up with them, one more reader starts each time.
    static constexpr std::size_t kCatchUpsPerReader = 8;
    std::condition_variable more_readers_;
    std::size_t active_readers_;
    std::size_t caught_up_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> readers_;
};

}  // namespace Module1
