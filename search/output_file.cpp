// The output's rules, the same on every system, over the primitives of
// output_file_posix.cpp or output_file_win32.cpp.

#include "output_file.h"

#include <algorithm>
#include <utility>

#include "texts.h"

namespace Module1 {

using Kind = OutputSystem::Kind;
using Opened = OutputSystem::Opened;

OutputFile::OutputFile(OutputSystem& system, OutputTarget target) : system_(system), target_(std::move(target)) {}

OutputFile::~OutputFile() {
    if (open_ && !target_.standard_output) system_.Close(handle_);
}

void OutputFile::Fail(const char* operation, OutputSystem::Error error) {
    throw SearchError(operation, target_.path, system_.Reason(error));
}

void OutputFile::Check() {
    if (target_.standard_output) return;
    if (target_.path.empty()) throw SearchError(kCannotOpenOutput, target_.path, kEmptyFileName);
    OutputSystem::Handle handle = 0;
    OutputSystem::Error error = 0;
    switch (system_.Open(target_.path, false, handle, error)) {
    case Opened::kMissing:
        if (const OutputSystem::Error cannot = system_.CanCreate(target_.path)) Fail(kCannotOpenOutput, cannot);
        return;
    case Opened::kNotAFileOrDevice:
        throw SearchError(kCannotOpenOutput, target_.path, kNotAFileOrDevice);
    case Opened::kFailed:
        Fail(kCannotOpenOutput, error);
    case Opened::kOpen:
        break;
    }
    Kind kind = Kind::kFile;
    std::uint64_t size = 0;
    error = system_.Inspect(handle, kind, size);
    system_.Close(handle);
    if (error != 0) Fail(kCannotOpenOutput, error);
    if (kind == Kind::kOther) throw SearchError(kCannotOpenOutput, target_.path, kNotAFileOrDevice);
}

// Opens the output for the run's first line and sets the guard: a file whose
// last byte is not LF (a line left unfinished by a killed writer, another
// program or an editor), or cannot be read, gets CR LF before that line, so
// that nothing left over merges with it.
void OutputFile::Open() {
    OutputSystem::Error error = 0;
    if (target_.standard_output) {
        handle_ = system_.StandardOutput();
    } else {
        if (target_.path.empty()) throw SearchError(kCannotOpenOutput, target_.path, kEmptyFileName);
        switch (system_.Open(target_.path, true, handle_, error)) {
        case Opened::kOpen:
            break;
        case Opened::kMissing:
        case Opened::kNotAFileOrDevice:
            throw SearchError(kCannotOpenOutput, target_.path, kNotAFileOrDevice);
        case Opened::kFailed:
            Fail(kCannotOpenOutput, error);
        }
    }
    open_ = true;
    std::uint64_t size = 0;
    if ((error = system_.Inspect(handle_, kind_, size)) != 0) Fail(kCannotOpenOutput, error);
    if (kind_ == Kind::kOther && !target_.standard_output) {
        throw SearchError(kCannotOpenOutput, target_.path, kNotAFileOrDevice);
    }
    char last = '\n';
    if (kind_ == Kind::kFile && size > 0 && (!system_.ReadByte(handle_, size - 1, last) || last != '\n')) {
        guarded_ = "\r\n";
    }
}

void OutputFile::Append(std::string_view line) {
    if (!open_) Open();
    if (!guarded_.empty() || target_.terminal) {
        guarded_.append(line);
        if (target_.terminal) {
            // Only the line's own end stays a control; in CP932 too, no byte
            // of a two-byte character is below 0x40 or 0x7F.
            const std::size_t end = guarded_.size() - std::min<std::size_t>(2, guarded_.size());
            for (std::size_t i = 0; i < end; ++i) {
                if (static_cast<unsigned char>(guarded_[i]) < 0x20 || guarded_[i] == 0x7F) guarded_[i] = '?';
            }
        }
        line = guarded_;
    }
    std::size_t done = 0;
    while (done < line.size()) {
        std::size_t written = 0;
        const OutputSystem::Error error = system_.Write(handle_, line.substr(done), kind_ == Kind::kFile, written);
        done += written;
        if (error != 0 || written == 0) WriteFailed(error, done);
    }
    guarded_.clear();
}

// Takes back the part of the line that reached the file, so that it keeps
// whole lines only, and says what stopped the write. A pipe or a device
// cannot take anything back.
void OutputFile::WriteFailed(OutputSystem::Error error, std::size_t written) {
    std::string reason = error != 0 ? system_.Reason(error) : kWriteStalled;
    if (error != 0 && system_.ReaderGone(error)) throw ReaderGoneError(kCannotWriteOutput, target_.path, reason);
    if (written > 0 && kind_ == Kind::kFile) {
        Kind kind = Kind::kFile;
        std::uint64_t size = 0;
        const bool taken_back = system_.Inspect(handle_, kind, size) == 0 && size >= written &&
                                system_.Truncate(handle_, size - written) == 0;
        if (!taken_back) reason += std::string("; ") + kPartLineLeft;
    }
    throw SearchError(kCannotWriteOutput, target_.path, reason);
}

void OutputFile::Close() {
    if (!open_) return;
    open_ = false;
    if (target_.standard_output) return;
    if (const OutputSystem::Error error = system_.Close(handle_)) Fail(kCannotWriteOutput, error);
}

}  // namespace Module1
