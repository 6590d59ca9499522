#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "drives.h"

// The drive list: one entry per volume. A choice by the user raises
// DriveChanged; a choice made by code does not.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // Replaces the entries; none is selected until SelectDrive.
    void SetDrives(const std::vector<Module1::Drive>& drives);
    // The selected drive's mount point; empty when none is selected.
    std::string Drive() const;
    // Selects the drive with this mount point without raising DriveChanged.
    // False when the list has no such drive.
    bool SelectDrive(const std::string& mount_point);
    const std::vector<Module1::Drive>& Drives() const { return drives_; }

signals:
    void DriveChanged();

private:
    std::vector<Module1::Drive> drives_;
    bool quiet_ = false;
};
