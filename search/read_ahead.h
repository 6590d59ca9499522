#pragma once

#include <condition_variable>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "folder_node.h"
#include "open_folders.h"
#include "platform.h"

namespace Module1 {

// How far reading may run ahead of the walk.
struct ReadAheadLimits {
    std::size_t readers = 0;       // reader threads at most; 0 reads every folder on the walk's thread
    std::size_t folders = 1024;    // listings read ahead and not yet taken by the walk
    std::size_t bytes = 4 << 20;   // their size
    std::size_t open_folders = 64; // folder handles kept open for entering sub-folders later
};

// Reads the listings of the folders the walk will enter next, on reader
// threads, in the order the walk needs them: depth first, so the sub-folders
// of a folder just read come before the rest of its parent. The walk takes
// each sub-folder with Take, which returns it read, whether a reader got
// there first or the walk reads it now; it cannot tell the difference.
//
// Which folder handles stay open, and how one that went is opened again,
// is OpenFolders' part.
class ReadAhead {
public:
    // Reads the start folder on the calling thread. The readers run at the
    // lower priority the platform gives them.
    ReadAhead(Platform& platform, std::unique_ptr<Folder> start, const ReadAheadLimits& limits);
    // Stops the readers; a folder being read is finished first.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    const std::shared_ptr<FolderNode>& Start() const { return start_; }
    // The sub-folder, read. Called by the walk, in the order it enters them.
    // Only a listing's own failure passes a folder over: what reading it
    // threw (out of memory, say), Take throws, on whichever thread it was read.
    void Take(FolderNode& node);
    // The walk has left the folder and everything below it.
    void Release(FolderNode& node);
    // Whether the readers stopped at a limit and wait for the walk to take
    // what they read (for tests).
    bool ReadersPaused();

private:
    bool Read(FolderNode& node, OpenFolders::Asker asker);
    std::list<FolderNode*> List(FolderNode& node, std::unique_ptr<Folder> folder);
    void Publish(FolderNode& node, std::list<FolderNode*>& subfolders) noexcept;
    void Leave(FolderNode& node);
    FolderNode* NextToRead();
    void Reader(std::size_t index);

    Platform& platform_;
    ReadAheadLimits limits_;
    OpenFolders open_;
    std::shared_ptr<FolderNode> start_;

    std::mutex mutex_;
    std::condition_variable work_;       // readers: a folder was queued or room was made
    std::condition_variable node_read_;  // the walk: the folder it waits for was read
    const FolderNode* awaited_ = nullptr;
    std::list<FolderNode*> queue_;  // depth-first order; queued and being read
    std::size_t folders_ahead_ = 0;
    std::size_t bytes_ahead_ = 0;
    std::size_t reading_ = 0;   // of those, being read by readers now
    std::size_t largest_ = 0;   // the largest listing read so far
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
