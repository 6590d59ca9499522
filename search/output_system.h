#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform.h"

namespace Module1 {

// The output file's system calls, and nothing more: one implementation per
// system (output_file_posix.cpp, output_file_win32.cpp). What a line is, the
// guard, the take-back and the messages live once above them, in OutputFile.
// The platform hands it out (Platform::Output); tests put a double in its
// place that fails on command.
class OutputSystem {
public:
    using Handle = std::intptr_t;
    using Error = std::uint32_t;  // the system's error code; 0 is none

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
    virtual bool Identity(Handle handle, FileIdentity& id) = 0;
    // The identity of the file the path names now, through links.
    virtual Found IdentityAt(const std::string& path, FileIdentity& id) = 0;
    virtual Error Close(Handle handle) = 0;
    // Whether a new file could be made at path (its folder exists and takes new entries).
    virtual Error CanCreate(const std::string& path) = 0;
    virtual std::string Reason(Error error) = 0;
    // Whether the error says that the reader of a pipe has gone.
    virtual bool ReaderGone(Error error) = 0;
};

}  // namespace Module1
