#include "drive_list.h"

#include <cwctype>

#include "shown_name.h"
#include "win32_text.h"

void DriveList::SetDrives(std::vector<Module1::Drive> drives) {
    drives_ = std::move(drives);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    // A volume label is the disk's own text: shown with its controls escaped,
    // so that it cannot reorder or hide the row.
    for (const Module1::Drive& drive : drives_) {
        const std::wstring shown = Module1::win32::Wide(Module1::ShownName(drive.label));
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

std::string DriveList::Drive() const {
    const LRESULT index = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<std::size_t>(index) < drives_.size() ? drives_[index].mount_point
                                                                           : std::string();
}

bool DriveList::SelectDrive(const std::string& root) {
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const std::string& mount = drives_[i].mount_point;
        if (mount.size() != root.size() || mount.empty() ||
            std::towupper(static_cast<unsigned char>(mount[0])) != std::towupper(static_cast<unsigned char>(root[0])) ||
            mount.substr(1) != root.substr(1)) {
            continue;
        }
        SendMessageW(combo_, CB_SETCURSEL, i, 0);  // sends no CBN_SELCHANGE
        return true;
    }
    return false;
}

std::string DriveList::CurrentFolderOf(const std::string& drive) const {
    if (drive.size() < 2 || drive[1] != ':') return drive;
    const wchar_t relative[] = {static_cast<wchar_t>(drive[0]), L':', L'\0'};
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(relative, MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? Module1::win32::Utf8(full) : drive;
}
