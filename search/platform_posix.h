#pragma once

// The POSIX platform: folders (platform_posix.cpp), the output file's calls
// (output_file_posix.cpp) and the lists' drives (drives_posix.cpp).

#include <sys/stat.h>

#include <memory>

#include "platform.h"

namespace Module1 {

// A file's or folder's identity: its device and inode.
inline FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

class PosixPlatform final : public Platform {
public:
    PosixPlatform();
    ~PosixPlatform() override;

    // There are no drive letters: the drive is a mount point, and the start
    // folder's absolute path already names it.
    void MakeDriveCurrent(const std::string&) override {}
    std::unique_ptr<Folder> OpenFolder(const std::string& path) override;
    std::size_t FolderHandleBudget() override;
    void LowerReaderPriority() override;
    OutputSystem& Output() override { return *output_; }

    std::vector<Drive> ListDrives() override;
    std::string CurrentFolder() override;
    bool FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) override;
    bool ListSubFolders(const std::string& folder, std::vector<std::string>& names, std::string& failure) override;

private:
    std::unique_ptr<OutputSystem> output_;
};

std::unique_ptr<OutputSystem> NewPosixOutput();

}  // namespace Module1
