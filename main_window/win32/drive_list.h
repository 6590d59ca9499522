#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "drives.h"

// Drive1: a drop-down list of the drive letters with their volume labels
// ("c: [label]"). A choice by the user reaches the window as CBN_SELCHANGE;
// a choice made by code raises nothing.
class DriveList {
public:
    explicit DriveList(HWND combo_box) : combo_(combo_box) {}

    // Replaces the entries; none is selected until SelectDrive.
    void SetDrives(std::vector<Module1::Drive> drives);
    // The selected drive's root ("C:\"); empty when none is selected.
    std::string Drive() const;
    // Selects the drive with this root. False when the list has no such drive.
    bool SelectDrive(const std::string& root);
    const std::vector<Module1::Drive>& Drives() const { return drives_; }

private:
    HWND combo_;
    std::vector<Module1::Drive> drives_;
};
