#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "search_error.h"

namespace Module1 {

// The output file's system calls, and nothing more: one implementation per
// system (output_file_posix.cpp, output_file_win32.cpp). What a line is, the
// guard, the take-back and the messages live once above them, in OutputFile.
// Tests put a double in their place that fails on command.
class OutputSystem {
public:
    using Handle = std::intptr_t;
    using Error = std::uint32_t;  // the system's error code; 0 is none

    // Tells one file from every other on the system while both exist.
    struct FileId {
        std::uint64_t volume = 0;
        std::uint64_t index = 0;
        bool operator==(const FileId&) const = default;
    };
    enum class Found { kFound, kMissing, kUnknown };
    enum class Lock { kHeld, kBusy, kNone };

    // A disk file; a character device (/dev/null, NUL, a terminal); anything
    // else (a FIFO, a pipe, a socket), on which a write may wait forever.
    enum class Kind { kFile, kDevice, kOther };
    enum class Opened { kOpen, kMissing, kNotAFileOrDevice, kFailed };

    virtual ~OutputSystem() = default;
    // Opens the file for appending, without waiting for a FIFO's reader.
    // kMissing only without create; kNotAFileOrDevice when the system refused
    // a FIFO or a socket before opening it. error says why for kFailed.
    virtual Opened Open(const std::string& path, bool create, Handle& handle, Error& error) = 0;
    // The process's standard output; it stays open after the run.
    virtual Handle StandardOutput() = 0;
    virtual Error Inspect(Handle handle, Kind& kind, std::uint64_t& size) = 0;
    // The byte at offset of the open file; false when it cannot be read (a
    // write-only file).
    virtual bool ReadByte(Handle handle, std::uint64_t offset, char& byte) = 0;
    // One write at the end of the file (at the current place when at_end is
    // false: a pipe or a device). written may fall short, with or without an error.
    virtual Error Write(Handle handle, std::string_view bytes, bool at_end, std::size_t& written) = 0;
    virtual Error Truncate(Handle handle, std::uint64_t size) = 0;
    // Writes over the file's bytes at offset, wherever the handle writes otherwise.
    virtual Error WriteAt(Handle handle, std::uint64_t offset, std::string_view bytes) = 0;
    // Whether every write through the handle lands at the file's end: the
    // run's own open, a standard output opened for appending. A standard
    // output opened for reading and writing (1<>) writes at its place.
    virtual bool Appends(Handle handle) = 0;
    // The handle's place in the file: where its last write ended.
    virtual bool Offset(Handle handle, std::uint64_t& offset) = 0;
    // Takes the lock that runs of this program appending to the file share,
    // shared or exclusive, without waiting: kBusy while another holds it
    // against this one, kNone where the file system has no locks.
    virtual Lock TryLock(Handle handle, bool exclusive) = 0;
    virtual void Unlock(Handle handle) = 0;
    // The open file's identity; false when the system cannot tell it.
    virtual bool Identity(Handle handle, FileId& id) = 0;
    // The identity of the file the path names now, through links.
    virtual Found IdentityAt(const std::string& path, FileId& id) = 0;
    virtual Error Close(Handle handle) = 0;
    // Whether a new file could be made at path (its folder exists and takes new entries).
    virtual Error CanCreate(const std::string& path) = 0;
    virtual std::string Reason(Error error) = 0;
    // Whether the error says that the reader of a pipe has gone.
    virtual bool ReaderGone(Error error) = 0;
};

// This system's own calls.
OutputSystem& NativeOutputSystem();

// A write failed or was cut short at the file size limit: the program is
// told by the call's error instead of being killed by a signal. Likewise for
// a pipe whose reader went away. Both programs call this once at start.
void IgnoreWriteSignals();

// Where a run's lines go: a file, or the process's standard output (only
// there is a pipe taken).
struct OutputTarget {
    std::string path;  // as shown in messages
    bool standard_output = false;
    // The lines are shown on a terminal: their names are written as
    // ShownName shows them, so that none can send the terminal commands.
    bool terminal = false;
};

// The reader of the standard output went away (`| head`): the listing is
// incomplete, but there is nobody to tell.
class ReaderGoneError : public SearchError {
public:
    using SearchError::SearchError;
};

// One run's output. Checked before the walk; opened when the run writes its
// first line (a run without matches creates nothing) and kept open to the
// end, so that whatever happens to the path meanwhile, every line goes to the
// file the run opened; at the end the run tells when that file is no longer
// at the path. Each line is appended with a single write; one that fails
// part way is taken back, so that the file keeps whole lines only, unless
// the bytes after it are not the run's own. Only regular files and
// character devices are taken. Errors throw SearchError.
class OutputFile {
public:
    OutputFile(OutputSystem& system, OutputTarget target);
    // Closes the file without a word: the run has failed already.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Before the walk: fails when lines could not be appended. An existing
    // file is opened and closed again; for a new one the folder must take
    // new files. Nothing is created.
    void Check();
    // Appends one line, its line end included.
    void Append(std::string_view line);
    // Whether the walk's entry is this output (the same file, known once the
    // output was checked or opened): a listing never lists itself.
    bool IsOutput(const std::string& full_name, std::string_view bare_name);
    // When the path no longer names the file the run wrote to (an editor
    // saved over it, it was moved or removed), throws an error that says
    // where the run's `lines` went, after the text of an error the run
    // ended with, if any.
    void TellIfReplaced(std::uint64_t lines, const SearchError* error = nullptr);
    // Ends the run's output; a close that reports a failed write throws.
    void Close();

    const std::string& path() const { return target_.path; }

private:
    // What of a line reached the file.
    struct Written {
        std::size_t bytes = 0;  // in all
        std::size_t last = 0;   // by the last write that took any
        bool placed = false;    // whether start is known
        std::uint64_t start = 0;  // where the line began in the file
    };

    void Open();
    bool ShareTheFile();
    bool TakeBack(const Written& written);
    [[noreturn]] void Fail(const char* operation, OutputSystem::Error error);
    [[noreturn]] void WriteFailed(OutputSystem::Error error, bool part_left);

    OutputSystem& system_;
    OutputTarget target_;
    std::size_t name_size_ = 0;  // of the path's last part
    std::string upper_name_;     // the path's last part, upper-cased
    OutputSystem::Handle handle_ = 0;
    bool open_ = false;
    OutputSystem::Kind kind_ = OutputSystem::Kind::kFile;
    bool appends_ = true;
    bool shared_ = false;  // holds the lock that runs appending to the file share
    bool identified_ = false;
    OutputSystem::FileId identity_;
    std::string guarded_;  // the first line with CR LF in front
};

}  // namespace Module1
