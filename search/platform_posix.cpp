// The file system on POSIX systems: folders are listed with readdir and held
// open as directory handles, so the walk descends with openat and never
// changes the process's current directory.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform.h"
#include "search_error.h"

namespace Module1 {

namespace {

std::string Reason(int error) { return std::strerror(error); }

class PosixFolder final : public Folder {
public:
    PosixFolder(DIR* dir, dev_t device) : dir_(dir), device_(device) {}
    ~PosixFolder() override { closedir(dir_); }
    PosixFolder(const PosixFolder&) = delete;
    PosixFolder& operator=(const PosixFolder&) = delete;

    bool Next(FindData& entry) override {
        errno = 0;
        const dirent* d = readdir(dir_);
        if (d == nullptr) {
            if (errno != 0) error_ = Reason(errno);
            return false;
        }
        entry.name.assign(d->d_name);
        entry.attributes = Attributes(d->d_type, d->d_name);
        return true;
    }

    std::string ListingError() const override { return error_; }

    EnteredFolder Enter(const std::string& name) override {
        const int fd = openat(dirfd(dir_), name.c_str(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return {nullptr, Reason(errno)};
        struct stat st {};
        if (fstat(fd, &st) != 0) {
            const int error = errno;
            close(fd);
            return {nullptr, Reason(error)};
        }
        // Another file system mounted here is a volume of its own, as a
        // mounted folder is on systems with drive letters: not entered.
        if (st.st_dev != device_) {
            close(fd);
            return {};
        }
        return Open(fd, st.st_dev);
    }

    static EnteredFolder Open(int fd, dev_t device) {
        DIR* dir = fdopendir(fd);
        if (dir == nullptr) {
            const int error = errno;
            close(fd);
            return {nullptr, Reason(error)};
        }
        return {std::make_unique<PosixFolder>(dir, device), {}};
    }

private:
    // The attribute word a find function would report. Only links and file
    // systems that do not fill d_type cost a stat.
    std::uint32_t Attributes(unsigned char type, const char* name) const {
        std::uint32_t attributes = name[0] == '.' ? kAttrHidden : 0;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (fstatat(dirfd(dir_), name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
        }
        if (type == DT_DIR) return attributes | kAttrDirectory;
        if (type == DT_LNK) {
            // A link is never followed; it is a folder only for what it points at.
            struct stat st {};
            attributes |= kAttrReparsePoint;
            if (fstatat(dirfd(dir_), name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                attributes |= kAttrDirectory;
            }
            return attributes;
        }
        return attributes | kAttrNormal;
    }

    DIR* dir_;
    dev_t device_;
    std::string error_;
};

class PosixPlatform final : public Platform {
public:
    // There are no drive letters: the drive is a mount point, and the start
    // folder's absolute path already names it.
    void MakeDriveCurrent(const std::string&) override {}

    std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
        const char* operation = "検索フォルダーを開けません";
        const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) throw SearchError(operation, path, Reason(errno));
        struct stat st {};
        if (fstat(fd, &st) != 0) {
            const int error = errno;
            close(fd);
            throw SearchError(operation, path, Reason(error));
        }
        EnteredFolder opened = PosixFolder::Open(fd, st.st_dev);
        if (!opened.folder) throw SearchError(operation, path, opened.failure);
        return std::move(opened.folder);
    }
};

PosixPlatform native_platform;
Platform* current_platform = &native_platform;

}  // namespace

Platform& CurrentPlatform() { return *current_platform; }

void SetPlatform(Platform* platform) {
    current_platform = platform != nullptr ? platform : &native_platform;
}

void AppendToFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) throw SearchError("出力ファイルを開けません", path, "ファイル名が空です");
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) throw SearchError("出力ファイルを開けません", path, Reason(errno));

    std::size_t written = 0;
    int error = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (error != 0 && written > 0) {
        // Take back the part of the line that did get written, so that the
        // file holds complete lines only.
        const off_t end = lseek(fd, 0, SEEK_END);
        if (end >= static_cast<off_t>(written)) {
            [[maybe_unused]] const int ignored = ftruncate(fd, end - static_cast<off_t>(written));
        }
    }
    if (close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw SearchError("出力ファイルに書き込めません", path, Reason(error));
}

}  // namespace Module1
