// Drives and folders for the window's lists on POSIX systems: a drive is a
// mounted file system, read from the process's mount table.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "drives.h"
#include "platform_posix.h"

namespace Module1 {

namespace {

// File systems that hold a user's files: local disks and removable media.
constexpr std::array<std::string_view, 21> kDiskTypes = {
    "ext2", "ext3",  "ext4",    "xfs",    "btrfs",   "f2fs", "jfs",
    "reiserfs", "zfs", "bcachefs", "nilfs2", "vfat", "msdos", "exfat",
    "ntfs", "ntfs3", "fuseblk", "iso9660", "udf",  "hfs",  "hfsplus",
};
// Network and shared-folder file systems.
constexpr std::array<std::string_view, 10> kNetworkTypes = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "virtiofs", "fuse.sshfs", "fuse.rclone", "davfs",
};
// Places where the system, not the user, mounts things.
constexpr std::array<std::string_view, 7> kSystemPlaces = {
    "/proc", "/sys", "/dev", "/boot", "/snap", "/var/lib", "/var/snap",
};

bool IsUnder(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path.front() == '/';
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool Wanted(std::string_view mount_point, std::string_view type) {
    if (mount_point == "/") return true;
    const bool user_type = std::find(kDiskTypes.begin(), kDiskTypes.end(), type) != kDiskTypes.end() ||
                           std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) !=
                               kNetworkTypes.end();
    if (!user_type) return false;
    // /run holds runtime state; only its removable-media folder is the user's.
    if (IsUnder(mount_point, "/run") && !IsUnder(mount_point, "/run/media")) return false;
    return std::none_of(kSystemPlaces.begin(), kSystemPlaces.end(),
                        [&](std::string_view place) { return IsUnder(mount_point, place); });
}

// The mount table writes blanks, tabs, newlines and backslashes as \ooo.
std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                        field.begin() + static_cast<std::ptrdiff_t>(i) + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            out.push_back(static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<Drive> DrivesFromMountTable(std::string_view table) {
    std::vector<Drive> drives;
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, mount_point, type;
        if (!(fields >> source >> mount_point >> type)) continue;
        mount_point = Unescape(mount_point);
        if (!Wanted(mount_point, type)) continue;
        // A place mounted twice shows once.
        if (std::none_of(drives.begin(), drives.end(),
                         [&](const Drive& d) { return d.mount_point == mount_point; })) {
            drives.push_back({mount_point, mount_point});
        }
    }
    if (std::none_of(drives.begin(), drives.end(), [](const Drive& d) { return d.mount_point == "/"; })) {
        drives.push_back({"/", "/"});
    }
    // The root first, the others by path.
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        if ((a.mount_point == "/") != (b.mount_point == "/")) return a.mount_point == "/";
        return a.mount_point < b.mount_point;
    });
    return drives;
}

std::vector<Drive> PosixPlatform::ListDrives() {
    std::ifstream in("/proc/self/mounts", std::ios::binary);
    std::ostringstream table;
    table << in.rdbuf();
    std::vector<Drive> drives = DrivesFromMountTable(table.str());
    // Containers bind single files (/etc/hosts and the like) onto disk types.
    std::erase_if(drives, [](const Drive& d) { return d.mount_point != "/" && !IsFolder(d.mount_point); });
    return drives;
}

std::string PosixPlatform::CurrentFolder() {
    std::string path(256, '\0');
    while (getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE) return "/";  // the current folder has gone
        path.resize(path.size() * 2);
    }
    path.resize(std::strlen(path.c_str()));
    return path;
}

bool PosixPlatform::FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) {
        failure = std::strerror(path.empty() ? ENOENT : errno);
        return false;
    }
    std::string named = path;
    if (!S_ISDIR(st.st_mode)) {
        // The folder the file's name lies in, not that of what a link leads to.
        const std::size_t slash = path.find_last_of('/');
        named = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    }
    char* resolved = realpath(named.c_str(), nullptr);
    if (resolved == nullptr) {
        failure = std::strerror(errno);
        return false;
    }
    folder = resolved;
    std::free(resolved);
    return true;
}

std::string DriveHolding(const std::vector<Drive>& drives, const std::string& folder) {
    std::string best;
    for (const Drive& drive : drives) {
        if (IsUnder(folder, drive.mount_point) && drive.mount_point.size() > best.size()) {
            best = drive.mount_point;
        }
    }
    return best;
}

bool PosixPlatform::ListSubFolders(const std::string& folder, std::vector<std::string>& names,
                                   std::string& failure) {
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        failure = std::strerror(errno);
        return false;
    }
    const int fd = dirfd(dir);
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool is_folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            is_folder = fstatat(fd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (is_folder) names.emplace_back(name);
        errno = 0;
    }
    const int error = errno;
    closedir(dir);
    if (error != 0) {
        failure = std::strerror(error);
        return false;
    }
    return true;
}

}  // namespace Module1
