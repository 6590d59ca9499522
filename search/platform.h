#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

// Tells one folder from every other on the system while both exist: two
// handles open on the same folder have the same identity.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
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
    virtual FolderIdentity Identity() = 0;
};

// The file system as the walk sees it. Replaceable, so that tests can fix
// the order and the attributes of the entries.
class Platform {
public:
    virtual ~Platform() = default;
    // Makes the drive named by the drive list's text current. Throws SearchError.
    virtual void MakeDriveCurrent(const std::string& drive) = 0;
    // Opens the start folder by its absolute path. Throws SearchError.
    virtual std::unique_ptr<Folder> OpenFolder(const std::string& path) = 0;
    // The output file's system calls: the system's own unless replaced.
    virtual OutputSystem& Output();
};

// How many folder handles a walk may keep open besides the ones it is
// reading, leaving room for the output file and everything else.
std::size_t FolderHandleBudget();

// Called by each folder reader: when it and the walk's own thread (which
// writes every line and keeps the window live) want the same processor, the
// walk goes first. Waits on the disk or the network are not slowed by it.
void LowerReaderPriority();

// This system's own file system: defined by the one platform file that is built.
Platform& NativePlatform();

// Text inside the program is UTF-8 (on POSIX: the file system's own bytes).
// The output file is written in the platform's encoding for names: the bytes
// as they are on POSIX, the ANSI code page on Windows.

// Whether a character may stand as it is in the text of an HtmlLink line;
// any other is written as a numeric reference. On Windows: what the ANSI code
// page holds. On POSIX, where the bytes are ours to choose: ASCII only, so
// that the line is plain ASCII and shows its names in whatever encoding a
// browser guesses or the page it is appended to declares.
bool LinkTextCanHold(char32_t code);
// The text in the output file's encoding. A character it cannot hold becomes
// the encoding's substitute, and `substituted` says whether that happened.
std::string EncodeForOutput(std::string_view text, bool& substituted);
// The encoding's substitute character, as text: what EncodeForOutput writes
// for a character it cannot hold ("?" on POSIX).
std::string OutputSubstitute();

// The upper-case form of one character, by the platform's case mapping for
// the user's locale; a character without one maps to itself.
char32_t UpperCaseOf(char32_t code);

}  // namespace Module1
