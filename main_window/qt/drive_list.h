#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "drives.h"
#include "folder_selection.h"

// The drive list: one entry per volume. A choice by the user raises
// DriveChanged; a choice made by code does not.
class DriveList : public QComboBox, public DriveListControl {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void SetDrives(std::vector<Module1::Drive> drives) override;
    std::string Drive() const override;
    bool SelectDrive(const std::string& mount_point) override;
    const std::vector<Module1::Drive>& Drives() const override { return drives_; }
    // One current folder for the process, none per drive: a drive opens on
    // its mount point.
    std::string CurrentFolderOf(const std::string& drive) const override { return drive; }

signals:
    void DriveChanged();

private:
    std::vector<Module1::Drive> drives_;
    bool quiet_ = false;
};
