#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drives.h"

// The folder a run starts from, and how the drive and folder lists reach a
// folder they can show, the same for every front end.
struct FolderSelection {
    std::string start_drive;   // the drive list's drive
    std::string start_folder;  // the folder list's folder
};

// Drive1 as each front end's drive list answers it.
class DriveListControl {
public:
    // Replaces the entries; none is selected until SelectDrive.
    virtual void SetDrives(std::vector<Module1::Drive> drives) = 0;
    virtual const std::vector<Module1::Drive>& Drives() const = 0;
    // The selected drive's mount point; empty when none is selected.
    virtual std::string Drive() const = 0;
    // Selects the drive with this mount point, as code does: no change is
    // raised. False when the list has no such drive.
    virtual bool SelectDrive(const std::string& mount_point) = 0;
    // The folder a chosen drive opens on: its own current folder where the
    // system keeps one per drive, else the drive itself.
    virtual std::string CurrentFolderOf(const std::string& drive) const = 0;

protected:
    ~DriveListControl() = default;
};

// Dir1 as each front end's folder list answers it.
class FolderListControl {
public:
    // The open folder, the file system's own bytes.
    virtual const std::string& Path() const = 0;
    // The root of the drive the list is on.
    virtual const std::string& Root() const = 0;
    // Opens path (the root itself or a folder below it) on the drive whose
    // root is root; a new path raises the list's change. False, with the
    // system's reason, when the folder cannot be listed; the list stays.
    virtual bool Open(const std::string& root, const std::string& path, std::string& failure) = 0;

protected:
    ~FolderListControl() = default;
};

// Opens the folder list on `folder` below the drive `root`; false, with the
// system's reason in failure, when it cannot be listed.
using OpenFolderList = std::function<bool(const std::string& root, const std::string& folder, std::string& failure)>;

// The opening of a front end's folder list.
OpenFolderList OpenerOf(FolderListControl& list);

// At start: the process's current folder on the drive holding it; when it
// cannot be listed, that drive's root; then the first drive whose root can
// be. Returns the drive opened, empty when none could be.
std::string OpenStartFolder(const std::vector<Module1::Drive>& drives, const std::string& current_folder,
                            const OpenFolderList& open);

// A drive chosen in the drive list: its folder `preferred` (its own current
// folder where the system keeps one), else its root. False, with the reason,
// when neither can be listed; the lists then stay where they were.
bool OpenDrive(const std::string& drive, const std::string& preferred, const OpenFolderList& open,
               std::string& failure);
