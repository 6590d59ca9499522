#include "drive_list.h"

#include <utility>

#include "native_names.h"

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!quiet_ && index >= 0) emit DriveChanged();
    });
}

void DriveList::SetDrives(std::vector<Module1::Drive> drives) {
    quiet_ = true;
    clear();
    drives_ = std::move(drives);
    for (const Module1::Drive& drive : drives_) addItem(ShownText(drive.label));
    setCurrentIndex(-1);
    quiet_ = false;
}

std::string DriveList::Drive() const {
    const int index = currentIndex();
    return index >= 0 && index < static_cast<int>(drives_.size()) ? drives_[index].mount_point : std::string();
}

bool DriveList::SelectDrive(const std::string& mount_point) {
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (drives_[i].mount_point != mount_point) continue;
        quiet_ = true;
        setCurrentIndex(static_cast<int>(i));
        quiet_ = false;
        return true;
    }
    return false;
}
