#pragma once

// The Windows platform: folders (platform_win32.cpp), the output file's
// calls (output_file_win32.cpp) and the lists' drives (drives_win32.cpp),
// making the calls tests stand in for through the Calls it is given.

#include <memory>

#include "platform.h"
#include "win32_calls.h"

namespace Module1 {

// A file's or folder's identity: the volume's serial number and the file
// index, which stay with it wherever it is moved on its volume.
inline FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

class WinPlatform final : public Platform {
public:
    explicit WinPlatform(win32::Calls& calls);
    ~WinPlatform() override;

    void MakeDriveCurrent(const std::string& drive) override;
    std::unique_ptr<Folder> OpenFolder(const std::string& path) override;
    std::size_t FolderHandleBudget() override;
    void LowerReaderPriority() override;
    OutputSystem& Output() override { return *output_; }

    std::vector<Drive> ListDrives() override;
    std::string CurrentFolder() override;
    bool FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) override;
    bool ListSubFolders(const std::string& folder, std::vector<std::string>& names, std::string& failure) override;

private:
    win32::Calls& calls_;
    std::unique_ptr<OutputSystem> output_;
};

// The output file's calls, made through `calls`.
std::unique_ptr<OutputSystem> NewWin32Output(win32::Calls& calls);

}  // namespace Module1
