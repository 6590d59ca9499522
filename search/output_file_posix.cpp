// The output file on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "output_file.h"
#include "search_error.h"
#include "texts.h"

namespace Module1 {

namespace {

std::string Reason(int error) { return std::strerror(error); }

// The file whose last byte this run has already looked at; the walk runs on one thread.
std::optional<std::string> checked_path;

bool Writable(mode_t mode) { return S_ISREG(mode) || S_ISCHR(mode); }

// Opens the output for appending, without blocking. Returns -1 when the file
// does not exist and create is false.
int OpenOutput(const std::string& path, bool create) {
    if (path.empty()) throw SearchError(kCannotOpenOutput, path, kEmptyFileName);
    const int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0);
    const int fd = open(path.c_str(), flags, 0666);
    struct stat st {};
    if (fd < 0) {
        const int error = errno;
        // A FIFO without a reader (or a socket) answers ENXIO: say what it is instead.
        if (error == ENXIO && stat(path.c_str(), &st) == 0 && !Writable(st.st_mode)) {
            throw SearchError(kCannotOpenOutput, path, kNotAFileOrDevice);
        }
        if (error == ENOENT && !create) return -1;
        throw SearchError(kCannotOpenOutput, path, Reason(error));
    }
    if (fstat(fd, &st) != 0 || !Writable(st.st_mode)) {
        const int error = errno;
        close(fd);
        throw SearchError(kCannotOpenOutput, path, Writable(st.st_mode) ? Reason(error) : kNotAFileOrDevice);
    }
    // A device may make writes wait (a terminal, say): let them, as usual.
    // Writes to a regular file never wait, so that costs no call per line.
    if (S_ISCHR(st.st_mode)) fcntl(fd, F_SETFL, O_APPEND);
    return fd;
}

// Whether the regular file ends inside a line, i.e. its last byte is not LF.
// A file that may be written but not read is taken as ending well.
bool EndsInsideALine(int fd, const std::string& path) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) return false;
    const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (reader < 0) return false;
    char last = '\n';
    const bool read = pread(reader, &last, 1, st.st_size - 1) == 1;
    close(reader);
    return read && last != '\n';
}

}  // namespace

void CheckOutputFile(const std::string& path) {
    const int fd = OpenOutput(path, false);
    if (fd >= 0) {
        close(fd);
        return;
    }
    // A new file: its folder must take new entries (effective IDs, as open uses).
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        throw SearchError(kCannotOpenOutput, path, Reason(errno));
    }
}

void BeginOutputRun() { checked_path.reset(); }

void AppendToFile(const std::string& path, std::string_view bytes) {
    const int fd = OpenOutput(path, true);
    std::string guarded;
    if (checked_path != path && EndsInsideALine(fd, path)) {
        guarded = "\r\n";
        guarded += bytes;
        bytes = guarded;
    }

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
        // Take back the part that did get written, so that the file holds
        // whole lines only.
        const off_t end = lseek(fd, 0, SEEK_END);
        if (end >= static_cast<off_t>(written)) {
            [[maybe_unused]] const int ignored = ftruncate(fd, end - static_cast<off_t>(written));
        }
    }
    if (close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw SearchError(kCannotWriteOutput, path, Reason(error));
    checked_path = path;
}

}  // namespace Module1
