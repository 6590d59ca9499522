#include "folder_selection.h"

OpenFolderList OpenerOf(FolderListControl& list) {
    return [&list](const std::string& root, const std::string& folder, std::string& failure) {
        return list.Open(root, folder, failure);
    };
}

std::string OpenStartFolder(const std::vector<Module1::Drive>& drives, const std::string& current_folder,
                            const OpenFolderList& open) {
    std::string failure;
    const std::string root = Module1::DriveHolding(drives, current_folder);
    if (!root.empty() && (open(root, current_folder, failure) || open(root, root, failure))) return root;
    for (const Module1::Drive& drive : drives) {
        if (drive.mount_point != root && open(drive.mount_point, drive.mount_point, failure)) return drive.mount_point;
    }
    return {};
}

bool OpenDrive(const std::string& drive, const std::string& preferred, const OpenFolderList& open,
               std::string& failure) {
    return open(drive, preferred, failure) || (preferred != drive && open(drive, drive, failure));
}
