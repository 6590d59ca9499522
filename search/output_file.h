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
    // The lines are shown on a terminal: a control character of a name (ESC
    // starts a terminal command) is written as "?", as ls does.
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
// file the run opened. Each line is appended with a single write; one that
// fails part way is taken back, so that the file keeps whole lines only.
// Only regular files and character devices are taken. Errors throw SearchError.
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
    // Ends the run's output; a close that reports a failed write throws.
    void Close();

    const std::string& path() const { return target_.path; }

private:
    void Open();
    [[noreturn]] void Fail(const char* operation, OutputSystem::Error error);
    [[noreturn]] void WriteFailed(OutputSystem::Error error, std::size_t written);

    OutputSystem& system_;
    OutputTarget target_;
    OutputSystem::Handle handle_ = 0;
    bool open_ = false;
    OutputSystem::Kind kind_ = OutputSystem::Kind::kFile;
    std::string guarded_;  // the first line with CR LF in front, or a line made plain for a terminal
};

}  // namespace Module1
