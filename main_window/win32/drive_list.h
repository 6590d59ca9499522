#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "drives.h"
#include "folder_selection.h"

// Drive1: a drop-down list of the drive letters with their volume labels
// ("c: [label]"). A choice by the user reaches the window as CBN_SELCHANGE;
// a choice made by code raises nothing.
class DriveList : public DriveListControl {
public:
    explicit DriveList(HWND combo_box) : combo_(combo_box) {}

    void SetDrives(std::vector<Module1::Drive> drives) override;
    // The selected drive's root ("C:\").
    std::string Drive() const override;
    // Drive letters compare without case: "c:\" is "C:\".
    bool SelectDrive(const std::string& root) override;
    const std::vector<Module1::Drive>& Drives() const override { return drives_; }
    // Windows keeps a current folder per drive letter.
    std::string CurrentFolderOf(const std::string& drive) const override;

private:
    HWND combo_;
    std::vector<Module1::Drive> drives_;
};
