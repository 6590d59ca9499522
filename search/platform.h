#pragma once

// The seam between the program and the system: everything the search and
// the window's lists ask of the system goes through one Platform object,
// handed to whoever needs it. Each system has one implementation
// (platform_posix.*, platform_win32.*); a test hands the code under test one
// of its own, or one that wraps the system's and stands in for one call.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Module1 {

// Attribute bits of an entry, as the find functions report them.
inline constexpr std::uint32_t kAttrReadOnly = 1;
inline constexpr std::uint32_t kAttrHidden = 2;
inline constexpr std::uint32_t kAttrSystem = 4;
inline constexpr std::uint32_t kAttrDirectory = 16;
inline constexpr std::uint32_t kAttrArchive = 32;
inline constexpr std::uint32_t kAttrNormal = 128;
inline constexpr std::uint32_t kAttrReparsePoint = 1024;

#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// One entry of a folder listing.
struct FindData {
    std::uint32_t attributes = 0;
    std::string name;  // the bare name, in the file system's own bytes
};

class Folder;
class OutputSystem;

// Tells one file or folder from every other on the system while both exist:
// two handles open on the same one have the same identity (device and inode;
// volume serial and file index).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What came of entering a sub-folder. No folder and no failure means the
// entry leads onto another volume (a mount point), which is not entered.
struct EnteredFolder {
    std::unique_ptr<Folder> folder;
    std::string failure;  // the system's reason when it could not be entered
};

// An open folder: its listing, and the handle through which its sub-folders
// are entered by name. Different folders may be used on different threads
// at once; once its listing has ended, Enter, Up and Identity may be called from
// several threads at once.
class Folder {
public:
    virtual ~Folder() = default;
    // The next entry, in the order the file system returns them ("." and ".."
    // included); false at the end of the listing.
    virtual bool Next(FindData& entry) = 0;
    // After Next returned false: the system's reason when the listing broke
    // off early, empty when it simply ended.
    virtual std::string ListingError() const = 0;
    virtual EnteredFolder Enter(const std::string& name) = 0;
    // The folder this one lies in now, opened again through ".."; nullptr
    // when that fails. The caller checks its identity: after a rename it is
    // another folder.
    virtual std::unique_ptr<Folder> Up() = 0;
    virtual FileIdentity Identity() = 0;
};

// One entry of the drive list: a volume the user can search.
struct Drive {
    std::string mount_point;  // absolute path, the file system's own bytes
    std::string label;        // what the drive list shows
};

class Platform {
public:
    virtual ~Platform() = default;

    // What a run asks.

    // Makes the drive named by the drive list's text current, where there
    // are drive letters. Throws SearchError.
    virtual void MakeDriveCurrent(const std::string& drive) = 0;
    // Opens the start folder by its absolute path. Throws SearchError.
    virtual std::unique_ptr<Folder> OpenFolder(const std::string& path) = 0;
    // How many folder handles a walk may keep open besides the ones it is
    // reading, leaving room for the output file and everything else.
    virtual std::size_t FolderHandleBudget() = 0;
    // Called on each folder reader's thread: when it and the walk's own
    // thread (which writes every line and keeps the window live) want the
    // same processor, the walk goes first. Waits on the disk or the network
    // are not slowed by it.
    virtual void LowerReaderPriority() = 0;
    // The output file's system calls.
    virtual OutputSystem& Output() = 0;

    // What the window's lists ask.

    // The volumes a user would pick: the root and every real disk, removable
    // or network file system; kernel, memory and container plumbing is left out.
    virtual std::vector<Drive> ListDrives() = 0;
    // The process's current folder, as an absolute path.
    virtual std::string CurrentFolder() = 0;
    // The folder a path names, as the lists open it: a folder itself, or the
    // folder that holds a file; absolute and without "." or ".." steps (a
    // path that is not absolute is taken from the current folder). False,
    // with the system's reason, when nothing is there.
    virtual bool FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) = 0;
    // The names of the folder's sub-folders (links to folders included), in
    // the order the file system returns them. False, with the system's
    // reason, when the folder cannot be listed.
    virtual bool ListSubFolders(const std::string& folder, std::vector<std::string>& names,
                                std::string& failure) = 0;
};

// This system's own, for the program's whole life.
Platform& NativePlatform();

// A write past the file size limit, or into a pipe whose reader went away,
// fails with the call's error instead of killing the program by a signal.
// Each program calls this once at start; it is the process's setting, not
// a run's.
void IgnoreWriteSignals();

}  // namespace Module1
