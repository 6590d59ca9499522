#pragma once

#include <cstddef>
#include <exception>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "folder_listing.h"
#include "platform.h"

namespace Module1 {

// A folder the walk knows of: the start folder, or a sub-folder named in a
// listing already read. The walk reads what the folder holds once it has
// taken it; the rest is the read-ahead's and the open folders' own.
class FolderNode : public std::enable_shared_from_this<FolderNode> {
public:
    std::shared_ptr<FolderNode> parent;  // empty for the start folder
    std::string name;                    // its name in the parent

    // Set once the folder has been read, before the walk takes it.
    bool entered = false;  // false: it could not be entered (failure says why), or it is a mount point
    std::string failure;
    Listing listing;
    std::vector<std::shared_ptr<FolderNode>> subfolders;  // the entries the walk will enter, in listing order

private:
    friend class ReadAhead;
    friend class OpenFolders;

    // ReadAhead's, guarded by its lock.
    enum class State { kQueued, kReading, kRead } state_ = State::kQueued;
    bool read_ahead_ = false;                 // read by a reader, counted against the limits until taken
    bool left_ = false;                       // too far for the readers: out of the queue, the walk reads it
    std::list<FolderNode*>::iterator place_;  // its place in the queue while queued or being read
    std::exception_ptr error_;                // what reading it threw, thrown again when the walk takes it

    // OpenFolders', guarded by its lock.
    std::shared_ptr<Folder> folder_;           // its handle, while kept
    std::list<FolderNode*>::iterator recent_;  // its place among the kept handles
    std::size_t unentered_ = 0;                // sub-folders not entered yet
    FolderNode* down_ = nullptr;               // the sub-folder last kept: a way back up to this one
    FileIdentity identity_;                  // taken when its handle was given up early
    bool identified_ = false;
    bool reopening_ = false;                   // a reader is opening it again
};

}  // namespace Module1
