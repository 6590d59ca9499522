// The output file's system calls on POSIX systems.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "output_system.h"
#include "platform_posix.h"

namespace Module1 {

namespace {

bool Writable(mode_t mode) { return S_ISREG(mode) || S_ISCHR(mode); }

int Fd(OutputSystem::Handle handle) { return static_cast<int>(handle); }

class PosixOutput final : public OutputSystem {
public:
    Opened Open(const std::string& path, bool create, Handle& handle, Error& error) override {
        // Without O_NONBLOCK, opening a FIFO waits for a reader.
        const int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0);
        const int fd = open(path.c_str(), flags, 0666);
        struct stat st {};
        if (fd < 0) {
            error = static_cast<Error>(errno);
            // A FIFO without a reader (or a socket) answers ENXIO: say what it is instead.
            if (error == ENXIO && stat(path.c_str(), &st) == 0 && !Writable(st.st_mode)) return Opened::kNotAFileOrDevice;
            return error == ENOENT && !create ? Opened::kMissing : Opened::kFailed;
        }
        // A device may make writes wait (a terminal, say): let them, as usual.
        if (fstat(fd, &st) == 0 && S_ISCHR(st.st_mode)) fcntl(fd, F_SETFL, O_APPEND);
        handle = fd;
        return Opened::kOpen;
    }

    Handle StandardOutput() override { return STDOUT_FILENO; }

    Error Inspect(Handle handle, Kind& kind, std::uint64_t& size) override {
        struct stat st {};
        if (fstat(Fd(handle), &st) != 0) return static_cast<Error>(errno);
        kind = S_ISREG(st.st_mode) ? Kind::kFile : S_ISCHR(st.st_mode) ? Kind::kDevice : Kind::kOther;
        size = static_cast<std::uint64_t>(st.st_size);
        return 0;
    }

    bool ReadByte(Handle handle, std::uint64_t offset, char& byte) override {
        if (pread(Fd(handle), &byte, 1, static_cast<off_t>(offset)) == 1) return true;
        // The output is open for writing only; the same file (not whatever
        // its path names now) is opened for reading through /proc, with the
        // file's own permissions.
        const std::string same = "/proc/self/fd/" + std::to_string(Fd(handle));
        const int reader = open(same.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (reader < 0) return false;
        const bool read = pread(reader, &byte, 1, static_cast<off_t>(offset)) == 1;
        close(reader);
        return read;
    }

    Error Write(Handle handle, std::string_view bytes, bool, std::size_t& written) override {
        for (;;) {
            const ssize_t n = write(Fd(handle), bytes.data(), bytes.size());
            if (n >= 0) {
                written = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno == EINTR) continue;
            // A standard output some other program left non-blocking: wait until it takes more.
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready{Fd(handle), POLLOUT, 0};
                if (poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
            }
            written = 0;
            return static_cast<Error>(errno);
        }
    }

    Error Truncate(Handle handle, std::uint64_t size) override {
        return ftruncate(Fd(handle), static_cast<off_t>(size)) == 0 ? 0 : static_cast<Error>(errno);
    }

    bool Appends(Handle handle) override {
        const int flags = fcntl(Fd(handle), F_GETFL);
        return flags >= 0 && (flags & O_APPEND) != 0;
    }

    bool Offset(Handle handle, std::uint64_t& offset) override {
        const off_t at = lseek(Fd(handle), 0, SEEK_CUR);
        offset = static_cast<std::uint64_t>(at);
        return at >= 0;
    }

    Error WriteAt(Handle handle, std::uint64_t offset, std::string_view bytes) override {
        // A descriptor in append mode writes at the end whatever the offset:
        // the same file is opened again without it, through /proc.
        const int writer = open(("/proc/self/fd/" + std::to_string(Fd(handle))).c_str(), O_WRONLY | O_CLOEXEC);
        if (writer < 0) return static_cast<Error>(errno);
        const ssize_t n = pwrite(writer, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        const Error error = n < 0 ? static_cast<Error>(errno) : 0;
        close(writer);
        return error;
    }

    Lock TryLock(Handle handle, bool exclusive) override {
        // flock: a lock of the open file, not of the process, so that two
        // runs in one process exclude each other too; it may be shared on a
        // descriptor open for writing only; and it is apart from the byte
        // locks other programs hold on the whole file.
        if (flock(Fd(handle), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) return Lock::kHeld;
        return errno == EWOULDBLOCK ? Lock::kBusy : Lock::kNone;
    }

    void Unlock(Handle handle) override { flock(Fd(handle), LOCK_UN); }

    bool Identity(Handle handle, FileIdentity& id) override {
        struct stat st {};
        if (fstat(Fd(handle), &st) != 0) return false;
        id = IdentityOf(st);
        return true;
    }

    Found IdentityAt(const std::string& path, FileIdentity& id) override {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? Found::kMissing : Found::kUnknown;
        id = IdentityOf(st);
        return Found::kFound;
    }

    Error Close(Handle handle) override {
        // After EINTR the descriptor is gone all the same (Linux).
        return close(Fd(handle)) == 0 || errno == EINTR ? 0 : static_cast<Error>(errno);
    }

    Error CanCreate(const std::string& path) override {
        // Effective IDs, as open uses.
        std::string folder = std::filesystem::path(path).parent_path().string();
        if (folder.empty()) folder = ".";
        return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : static_cast<Error>(errno);
    }

    std::string Reason(Error error) override { return std::strerror(static_cast<int>(error)); }

    bool ReaderGone(Error error) override { return error == EPIPE; }
};

}  // namespace

std::unique_ptr<OutputSystem> NewPosixOutput() { return std::make_unique<PosixOutput>(); }

}  // namespace Module1
