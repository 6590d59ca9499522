// The file system on POSIX systems: folders are listed in the order the
// kernel returns their entries, without a stat per entry, and are held
// open as directory handles, so the walk descends with openat and never
// changes the process's current directory.

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/openat2.h>
#include <sys/syscall.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "output_system.h"
#include "platform_posix.h"
#include "search_error.h"
#include "texts.h"

namespace Module1 {

namespace {

std::string Reason(int error) { return std::strerror(error); }

#ifdef __linux__
// Whether the kernel (and any seccomp filter) lets us use openat2.
std::atomic<bool> openat2_usable{true};
#endif

// Opens the sub-folder `name` of the folder `parent` without following a
// link. Returns the descriptor; -1 with errno set when it cannot be opened;
// -2 when it is a mount point, which the caller does not enter. Where
// openat2 exists, one call refuses a mount point (RESOLVE_NO_XDEV), which
// spares a stat of every folder on the walk's hottest path.
int OpenSubFolder(int parent, const char* name, dev_t parent_device) {
#ifdef __linux__
    if (openat2_usable.load(std::memory_order_relaxed)) {
        open_how how{};
        how.flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
        how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        const long fd = syscall(SYS_openat2, parent, name, &how, sizeof how);
        if (fd >= 0) return static_cast<int>(fd);
        if (errno == EXDEV) return -2;
        if (errno != ENOSYS && errno != EPERM) return -1;
        openat2_usable.store(false, std::memory_order_relaxed);
    }
#endif
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    if (st.st_dev != parent_device) {
        close(fd);
        return -2;
    }
    return fd;
}

// Reads a folder's entries from its open descriptor. On Linux it asks the
// kernel directly: fdopendir would cost two more system calls per folder
// (it checks the descriptor's mode and type), which is a fifth of the walk.
class EntryReader {
public:
    explicit EntryReader(int fd) : fd_(fd) {}
    ~EntryReader() {
#ifdef __linux__
        close(fd_);
#else
        if (dir_ != nullptr) closedir(dir_);
        else close(fd_);
#endif
    }
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    int fd() const { return fd_; }

    // The next entry's name and d_type; nullptr at the end or on error (errno set).
    const char* Next(unsigned char& type) {
#ifdef __linux__
        if (next_ >= filled_) {
            if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);  // no zeroing: the kernel fills it
            const ssize_t n = getdents64(fd_, buffer_.get(), kBufferSize);
            if (n <= 0) {
                const int error = n < 0 ? errno : 0;
                buffer_.reset();  // a folder kept open for its sub-folders needs no buffer
                errno = error;
                return nullptr;
            }
            filled_ = static_cast<std::size_t>(n);
            next_ = 0;
        }
        const auto* d = reinterpret_cast<const dirent64*>(buffer_.get() + next_);
        next_ += d->d_reclen;
        type = d->d_type;
        return d->d_name;
#else
        if (dir_ == nullptr && (dir_ = fdopendir(fd_)) == nullptr) return nullptr;
        errno = 0;
        const dirent* d = readdir(dir_);
        if (d == nullptr) return nullptr;
        type = d->d_type;
        return d->d_name;
#endif
    }

private:
    int fd_;
#ifdef __linux__
    static constexpr std::size_t kBufferSize = 32 * 1024;
    std::unique_ptr<char[]> buffer_;
    std::size_t filled_ = 0;
    std::size_t next_ = 0;
#else
    DIR* dir_ = nullptr;
#endif
};

class PosixFolder final : public Folder {
public:
    PosixFolder(int fd, dev_t device) : reader_(fd), device_(device) {}

    bool Next(FindData& entry) override {
        unsigned char type = DT_UNKNOWN;
        const char* name = reader_.Next(type);
        if (name == nullptr) {
            if (errno != 0) error_ = Reason(errno);
            return false;
        }
        entry.name.assign(name);
        entry.attributes = Attributes(type, name);
        return true;
    }

    std::string ListingError() const override { return error_; }

    EnteredFolder Enter(const std::string& name) override {
        const int fd = OpenSubFolder(reader_.fd(), name.c_str(), device_);
        // Another file system mounted here is a volume of its own, as a
        // mounted folder is on systems with drive letters: not entered.
        if (fd == -2) return {};
        if (fd < 0) return {nullptr, Reason(errno)};
        // Not a mount point, so the same device as its parent.
        return {std::make_unique<PosixFolder>(fd, device_), {}};
    }

    std::unique_ptr<Folder> Up() override {
        // ".." is never a link; where it leads now is checked by the caller.
        const int fd = openat(reader_.fd(), "..", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixFolder>(fd, device_);
    }

    FileIdentity Identity() override {
        struct stat st {};
        // On failure, one that matches no other folder.
        if (fstat(reader_.fd(), &st) != 0) return {~std::uint64_t{0}, reinterpret_cast<std::uintptr_t>(this)};
        return IdentityOf(st);
    }

private:
    // The attribute word a find function would report. Only links and file
    // systems that do not fill d_type cost a stat.
    std::uint32_t Attributes(unsigned char type, const char* name) const {
        std::uint32_t attributes = name[0] == '.' ? kAttrHidden : 0;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (fstatat(reader_.fd(), name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
        }
        if (type == DT_DIR) return attributes | kAttrDirectory;
        if (type == DT_LNK) {
            // A link is never followed; it is a folder only for what it points at.
            struct stat st {};
            attributes |= kAttrReparsePoint;
            if (fstatat(reader_.fd(), name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                attributes |= kAttrDirectory;
            }
            return attributes;
        }
        return attributes | kAttrNormal;
    }

    EntryReader reader_;
    dev_t device_;
    std::string error_;
};

}  // namespace

PosixPlatform::PosixPlatform() : output_(NewPosixOutput()) {}

PosixPlatform::~PosixPlatform() = default;

std::unique_ptr<Folder> PosixPlatform::OpenFolder(const std::string& path) {
    const char* operation = kCannotOpenStartFolder;
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw SearchError(operation, path, Reason(errno));
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        throw SearchError(operation, path, Reason(error));
    }
    return std::make_unique<PosixFolder>(fd, st.st_dev);
}

// A quarter of the soft limit: the readers' descriptors and the output file
// fit in the rest whatever the limit is.
std::size_t PosixPlatform::FolderHandleBudget() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 256;
    return std::clamp<std::size_t>(limit.rlim_cur / 4, 4, 256);
}

void PosixPlatform::LowerReaderPriority() {
#ifdef __linux__
    // Linux gives each thread a nice value of its own, and a new thread
    // starts with its creator's. Raising it needs no privilege; when that
    // fails the reader simply keeps its priority. Ten steps below the walk
    // leave the walk nine tenths of a shared processor: on two cores over a
    // cached tree the listing tool became about 12% faster and the window's
    // walk kept up with it. Five steps were as good for the tool but not for
    // the window, whose thread also paints; they cost a cold walk less
    // (0.57 against 0.60 times fd), which is well within its goal either way.
    constexpr int kStepsBelowTheWalk = 10, kLowest = 19;
    const auto self = static_cast<id_t>(gettid());
    errno = 0;
    const int walk = getpriority(PRIO_PROCESS, self);  // -1 is also a nice value
    if (errno != 0) return;
    setpriority(PRIO_PROCESS, self, std::min(walk + kStepsBelowTheWalk, kLowest));
#endif
}

Platform& NativePlatform() {
    static PosixPlatform platform;
    return platform;
}

void IgnoreWriteSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace Module1
