// The output's rules, the same on every system, over the primitives of
// output_file_posix.cpp or output_file_win32.cpp.

#include "output_file.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "platform.h"
#include "text_utf8.h"
#include "texts.h"

namespace Module1 {

using Kind = OutputSystem::Kind;
using Opened = OutputSystem::Opened;
using Found = OutputSystem::Found;

OutputFile::OutputFile(OutputSystem& system, OutputTarget target) : system_(system), target_(std::move(target)) {
    const std::size_t separator = target_.path.find_last_of(std::string{kFolderSeparator, '/'});
    const std::string name = separator == std::string::npos ? target_.path : target_.path.substr(separator + 1);
    name_size_ = name.size();
    upper_name_ = ToUpperText(name);
}

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
    identified_ = system_.Identity(handle, identity_);
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
    appends_ = system_.Appends(handle_);
    shared_ = appends_ && kind_ == Kind::kFile && ShareTheFile();
    identified_ = system_.Identity(handle_, identity_);
}

// Every run of this program appending to a file holds a shared lock on it
// from its first line to its end, so that a run can tell whether it is the
// only one before it cuts anything. Another run holds it exclusively only
// for the moment of a take-back. A lock held against us for longer is
// another program's (one that locks the whole file): after a second the run
// goes on without.
bool OutputFile::ShareTheFile() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::seconds(1);
    for (int turn = 0;; ++turn) {
        const OutputSystem::Lock lock = system_.TryLock(handle_, false);
        if (lock == OutputSystem::Lock::kHeld) return true;
        if (lock == OutputSystem::Lock::kNone || Clock::now() >= until) return false;
        if (turn < 100) std::this_thread::yield();
        else std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

void OutputFile::Append(std::string_view line) {
    if (!open_) Open();
    if (!guarded_.empty()) {
        guarded_.append(line);
        line = guarded_;
    }
    Written done;
    while (done.bytes < line.size()) {
        std::size_t written = 0;
        const OutputSystem::Error error =
            system_.Write(handle_, line.substr(done.bytes), kind_ == Kind::kFile, written);
        done.bytes += written;
        if (written > 0) done.last = written;
        if (error != 0 || written == 0) WriteFailed(error, !TakeBack(done));
        // A line written in pieces: where it began, so that a take-back can
        // tell whether another writer came between them.
        if (done.bytes < line.size() && !done.placed && kind_ == Kind::kFile) {
            std::uint64_t offset = 0;
            done.placed = system_.Offset(handle_, offset) && offset >= done.bytes;
            done.start = offset - done.bytes;
        }
    }
    guarded_.clear();
}

// Takes back the part of the line that reached the file, so that it keeps
// whole lines only. Only the run's own bytes are cut: the run must append
// (a read-write standard output writes over what was at its place), no
// other run of this program may have the file open (the run holds the
// runs' lock alone, which keeps new ones out until the cut is done), the
// file must still end exactly where this run's write ended, and a line
// written in pieces must lie in one stretch. A part line that stays is ended
// where it is, over its own last bytes, so that what others append after it
// starts on a line of its own. Returns false when part of the line is left.
// A pipe or a device cannot take anything back, and nothing is said of it.
bool OutputFile::TakeBack(const Written& written) {
    if (written.bytes == 0 || kind_ != Kind::kFile) return true;
    // Where the last write that took any bytes ended.
    std::uint64_t end = 0, size = 0;
    Kind kind = Kind::kFile;
    if (!appends_ || !system_.Offset(handle_, end) || end < written.bytes ||
        system_.Inspect(handle_, kind, size) != 0 || size < end) {
        return false;
    }
    const bool one_stretch = !written.placed || written.start == end - written.bytes;
    if (shared_) system_.Unlock(handle_);
    const bool alone = !shared_ || system_.TryLock(handle_, true) == OutputSystem::Lock::kHeld;
    const bool taken = alone && one_stretch && system_.Inspect(handle_, kind, size) == 0 && size == end &&
                       system_.Truncate(handle_, end - written.bytes) == 0;
    // The run ends with this write: others need not wait for it any more.
    if (shared_) system_.Unlock(handle_);
    shared_ = false;
    if (!taken) {
        const std::size_t own = std::min<std::size_t>(one_stretch ? written.bytes : written.last, 2);
        system_.WriteAt(handle_, end - own, own == 2 ? "\r\n" : "\n");
    }
    return taken;
}

// Says what stopped the write, and whether part of the line was left.
void OutputFile::WriteFailed(OutputSystem::Error error, bool part_left) {
    std::string reason = error != 0 ? system_.Reason(error) : kWriteStalled;
    if (error != 0 && system_.ReaderGone(error)) throw ReaderGoneError(kCannotWriteOutput, target_.path, reason);
    if (part_left) reason += std::string("; ") + kPartLineLeft;
    throw SearchError(kCannotWriteOutput, target_.path, reason);
}

// Names are compared first, ignoring case as some file systems do; only an
// entry of the output's name is looked up. A name of another length is
// another name: a case mapping that changes a name's length is too rare to
// pay for on every match.
bool OutputFile::IsOutput(const std::string& full_name, std::string_view bare_name) {
    if (!identified_ || target_.standard_output || bare_name.size() != name_size_) return false;
    if (ToUpperText(bare_name) != upper_name_) return false;
    FileIdentity entry;
    return system_.IdentityAt(full_name, entry) == Found::kFound && entry == identity_;
}

void OutputFile::TellIfReplaced(std::uint64_t lines, const SearchError* error) {
    if (!open_ || target_.standard_output || !identified_) return;
    FileIdentity now;
    const Found found = system_.IdentityAt(target_.path, now);
    // When the path cannot be looked up, nothing is claimed.
    if (found == Found::kUnknown || (found == Found::kFound && now == identity_)) return;
    throw OutputReplacedError(target_.path, lines, error);
}

void OutputFile::Close() {
    if (!open_) return;
    open_ = false;
    if (target_.standard_output) return;
    if (const OutputSystem::Error error = system_.Close(handle_)) Fail(kCannotWriteOutput, error);
}

}  // namespace Module1
