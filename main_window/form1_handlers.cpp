#include "form1_handlers.h"

#include "shown_name.h"
#include "start_folder.h"

namespace fd = Form1Description;
using fd::Id;

void Form1Handlers::OpenStartFolder() {
    DriveListControl& drives = Drive1Control();
    drives.SetDrives(platform_.ListDrives());
    const std::string root = ::OpenStartFolder(drives.Drives(), platform_.CurrentFolder(), OpenerOf(Dir1Control()));
    if (!root.empty()) drives.SelectDrive(root);
}

void Form1Handlers::Form_Load() {
    // A selection made here raises its click as the user's would.
    for (const Id option : fd::kSelectedAtLoad) SelectOption(option);
    SetText(Id::Text1, {});
    SetText(Id::Label2, {});
    selection_ = {Drive1Control().Drive(), Dir1Control().Path()};
}

void Form1Handlers::Drive1_Change() {
    DriveListControl& drives = Drive1Control();
    FolderListControl& folders = Dir1Control();
    const std::string drive = drives.Drive();
    std::string failure;
    // Opening the drive moves the folder list, which rewrites start_folder
    // through Dir1_Change before start_drive is written here.
    if (!OpenDrive(drive, drives.CurrentFolderOf(drive), OpenerOf(folders), failure)) {
        // Both lists keep naming the folder that is still open.
        drives.SelectDrive(folders.Root());
        ShowMessageBox(std::string(fd::kDriveUnreadable) + ": " + Module1::ShownName(drive) + " (" + failure + ")");
        return;
    }
    selection_.start_drive = drive;
}

void Form1Handlers::Dir1_Change() { selection_.start_folder = Dir1Control().Path(); }

void Form1Handlers::Option_Click(Id option) {
    switch (option) {
    case Id::opt_ext1:
    case Id::opt_ext2:
    case Id::opt_ext3:
    case Id::opt_ext4:
    case Id::opt_ext5:
        // A fixed class does not use the free extension, so a text typed
        // earlier does not survive the change.
        SetText(Id::Text1, {});
        break;
    case Id::opt_ext6:
        FocusControl(Id::Text1);
        break;
    default:
        break;
    }
}

void Form1Handlers::mnuFile_about_about_Click() { ShowMessageBox(fd::kAboutText); }

void Form1Handlers::Command_Exit_Click() {
    if (ending_) return;  // unloading Form1 comes back through Form_Unload
    ending_ = true;
    // Nothing is saved and nothing needs tearing down: the end is immediate,
    // also in the middle of a walk, whose lines are each complete on disk.
    UnloadForm1();
    UnloadForm2();
    EndProgram();
}

void Form1Handlers::Form_Unload() { Command_Exit_Click(); }

void Form1Handlers::SelectPointedFolder(const std::string& path) {
    DriveListControl& drives = Drive1Control();
    std::string message;
    // Opening the folder rewrites the start folder through Dir1_Change.
    const std::string root = OpenPointedFolder(platform_, path, drives.Drives(), OpenerOf(Dir1Control()), message);
    if (root.empty()) {
        ShowMessageBox(message);
        return;
    }
    drives.SelectDrive(root);
    selection_.start_drive = drives.Drive();
}
