// Drives and folders for the window's lists on Windows: a drive is a drive
// letter, shown with its volume label as the classic drive list shows it.

#include <algorithm>
#include <cwctype>

#include "drives.h"
#include "platform_win32.h"
#include "win32_text.h"

namespace Module1 {

using win32::LongPath;
using win32::Reason;
using win32::Utf8;
using win32::Wide;

std::vector<Drive> WinPlatform::ListDrives() {
    std::vector<Drive> drives;
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((present & (1u << i)) == 0) continue;
        const char letter = static_cast<char>('A' + i);
        const std::wstring root = {static_cast<wchar_t>(letter), L':', L'\\'};
        std::string label = {static_cast<char>('a' + i), ':'};
        wchar_t volume[MAX_PATH + 1] = L"";
        // A removable drive without a medium has no label; it is still listed.
        if (GetVolumeInformationW(root.c_str(), volume, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
            volume[0] != L'\0') {
            label += " [" + Utf8(volume) + "]";
        }
        drives.push_back({Utf8(root), label});
    }
    return drives;
}

std::string WinPlatform::CurrentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(n, L'\0');
    path.resize(GetCurrentDirectoryW(n, path.data()));
    return Utf8(path);
}

bool WinPlatform::FolderNamedBy(const std::string& path, std::string& folder, std::string& failure) {
    const std::wstring given = Wide(path);
    const DWORD size = path.empty() ? 0 : GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        failure = Reason(path.empty() ? ERROR_FILE_NOT_FOUND : GetLastError());
        return false;
    }
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(given.c_str(), size, full.data(), nullptr));
    const DWORD attributes = GetFileAttributesW(LongPath(full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        failure = Reason(GetLastError());
        return false;
    }
    // Only folders on a drive letter: the drive list has no other.
    if (full.size() < 3 || full[1] != L':' || full[2] != L'\\') {
        failure = Reason(ERROR_BAD_PATHNAME);
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) full.resize(full.find_last_of(L'\\') + 1);
    // "C:\" keeps its separator; any other folder is named without one.
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    folder = Utf8(full);
    return true;
}

std::string DriveHolding(const std::vector<Drive>& drives, const std::string& folder) {
    for (const Drive& drive : drives) {
        if (folder.size() >= 2 && folder[1] == ':' && drive.mount_point.size() >= 2 &&
            std::towupper(static_cast<unsigned char>(folder[0])) ==
                std::towupper(static_cast<unsigned char>(drive.mount_point[0]))) {
            return drive.mount_point;
        }
    }
    return {};
}

bool WinPlatform::ListSubFolders(const std::string& folder, std::vector<std::string>& names, std::string& failure) {
    names.clear();
    std::wstring pattern = LongPath(Wide(folder));
    if (!pattern.ends_with(L'\\')) pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return true;
        failure = Reason(error);
        return false;
    }
    do {
        const std::wstring_view name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..") {
            names.push_back(Utf8(name));
        }
    } while (calls_.FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
        failure = Reason(error);
        return false;
    }
    return true;
}

}  // namespace Module1
