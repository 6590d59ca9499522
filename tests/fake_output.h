#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "output_file.h"

namespace test_support {

// The output's system calls over one file held in memory, failing on command.
class FakeOutput final : public Module1::OutputSystem {
public:
    // Error codes of the double; Reason names them.
    static constexpr Error kNoSpace = 28, kTooLarge = 27, kIo = 5, kGone = 32;

    // What one write call does: how many bytes reach the file, the error it
    // reports, and what another writer appends right after it.
    struct WriteStep {
        std::size_t takes;
        Error error;
        std::string others = "";
    };

    std::string content;
    bool exists = true;
    bool readable = true;
    Kind kind = Kind::kFile;
    // false: written at `place`, over what is there, as a read-write standard output is.
    bool appends = true;
    std::size_t place = 0;  // where the last write that took any bytes ended
    std::vector<WriteStep> writes;  // one per write call, in order; then writes succeed whole
    Error truncate_error = 0;
    Error close_error = 0;
    int opened = 0, closed = 0;
    bool another_run = false;  // another run of the program has the file open
    Module1::FileIdentity id{1, 1};

    Opened Open(const std::string&, bool create, Handle& handle, Error&) override {
        if (!exists && !create) return Opened::kMissing;
        exists = true;
        ++opened;
        handle = 7;
        return Opened::kOpen;
    }
    Handle StandardOutput() override { return 1; }
    Error Inspect(Handle, Kind& file_kind, std::uint64_t& size) override {
        file_kind = kind;
        size = content.size();
        return 0;
    }
    bool ReadByte(Handle, std::uint64_t offset, char& byte) override {
        if (!readable || offset >= content.size()) return false;
        byte = content[offset];
        return true;
    }
    Error Write(Handle, std::string_view bytes, bool, std::size_t& written) override {
        WriteStep step{bytes.size(), 0};
        if (!writes.empty()) {
            step = writes.front();
            writes.erase(writes.begin());
        }
        written = std::min(step.takes, bytes.size());
        if (appends && written > 0) place = content.size();
        content.replace(place, written, bytes.substr(0, written));
        place += written;
        content += step.others;
        return step.error;
    }
    Error Truncate(Handle, std::uint64_t size) override {
        if (truncate_error != 0) return truncate_error;
        content.resize(size);
        return 0;
    }
    bool Appends(Handle) override { return appends; }
    bool Offset(Handle, std::uint64_t& offset) override {
        offset = place;
        return true;
    }
    Error WriteAt(Handle, std::uint64_t offset, std::string_view bytes) override {
        content.replace(offset, bytes.size(), bytes);
        return 0;
    }
    Lock TryLock(Handle, bool exclusive) override { return exclusive && another_run ? Lock::kBusy : Lock::kHeld; }
    void Unlock(Handle) override {}
    bool Identity(Handle, Module1::FileIdentity& file) override {
        file = id;
        return true;
    }
    Found IdentityAt(const std::string&, Module1::FileIdentity& file) override {
        file = id;
        return Found::kFound;
    }
    Error Close(Handle) override {
        ++closed;
        return close_error;
    }
    Error CanCreate(const std::string&) override { return 0; }
    std::string Reason(Error error) override { return "E" + std::to_string(error); }
    bool ReaderGone(Error error) override { return error == kGone; }
};

}  // namespace test_support
