// The file system on Windows: folders are listed with the wide find
// functions, so that every name reaches the walk whole whatever the ANSI code
// page holds, and are addressed by absolute \\?\ paths, so that trees deeper
// than 260 characters can be walked. The output file is written in the ANSI
// code page.

#include <cstdint>
#include <string_view>

#include "output_system.h"
#include "platform_win32.h"
#include "search_error.h"
#include "texts.h"
#include "win32_text.h"

namespace Module1 {

namespace {

using win32::LongPath;
using win32::Reason;
using win32::Utf8;
using win32::Wide;

class WinFolder final : public Folder {
public:
    WinFolder(win32::Calls& calls, std::wstring path) : calls_(calls), path_(std::move(path)) {}
    ~WinFolder() override {
        if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
    }
    WinFolder(const WinFolder&) = delete;
    WinFolder& operator=(const WinFolder&) = delete;

    bool Next(FindData& entry) override {
        WIN32_FIND_DATAW data;
        if (!started_) {
            started_ = true;
            find_ = FindFirstFileW((path_ + L"*.*").c_str(), &data);
            if (find_ == INVALID_HANDLE_VALUE) return Ended(GetLastError());
        } else if (find_ == INVALID_HANDLE_VALUE || !calls_.FindNextFileW(find_, &data)) {
            return find_ == INVALID_HANDLE_VALUE ? false : Ended(GetLastError());
        }
        entry.attributes = data.dwFileAttributes;
        entry.name = Utf8(data.cFileName);
        return true;
    }

    std::string ListingError() const override { return error_; }

    // The folder is only named here; a folder that cannot be listed shows
    // when its find starts.
    EnteredFolder Enter(const std::string& name) override {
        return {std::make_unique<WinFolder>(calls_, path_ + Wide(name) + L"\\"), {}};
    }

    // Folders are named by their paths, so the one above is the path without
    // its last folder: after a move, another folder than the one this lies
    // in, which the caller tells by its identity. A root has none above it.
    std::unique_ptr<Folder> Up() override {
        if (path_.size() <= RootLength()) return nullptr;
        const std::size_t end = path_.find_last_of(L'\\', path_.size() - 2);
        return std::make_unique<WinFolder>(calls_, path_.substr(0, end + 1));
    }

    // A link or junction put in the folder's place is opened itself, not
    // followed, so it never matches.
    FileIdentity Identity() override {
        constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        const HANDLE handle = calls_.CreateFileW(path_.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                                 FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        // On failure, one that matches no other folder.
        if (!known) return {~std::uint64_t{0}, reinterpret_cast<std::uintptr_t>(this)};
        return IdentityOf(info);
    }

private:
    // How much of the path names the root: "\\?\C:\" or "\\?\UNC\server\share\".
    std::size_t RootLength() const {
        constexpr std::wstring_view kUnc = L"\\\\?\\UNC\\";
        if (!path_.starts_with(kUnc)) return std::wstring_view(L"\\\\?\\C:\\").size();
        const std::size_t server_end = path_.find(L'\\', kUnc.size());
        const std::size_t share_end = server_end == std::wstring::npos ? server_end : path_.find(L'\\', server_end + 1);
        return share_end == std::wstring::npos ? path_.size() : share_end + 1;
    }

    bool Ended(DWORD error) {
        // An empty drive root has no entries at all; that is no failure.
        if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) error_ = Reason(error);
        // Sub-folders are entered by path, so the find is not needed any more.
        if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
        find_ = INVALID_HANDLE_VALUE;
        return false;
    }

    win32::Calls& calls_;
    std::wstring path_;  // \\?\ form, ends in "\"
    HANDLE find_ = INVALID_HANDLE_VALUE;
    bool started_ = false;
    std::string error_;
};

}  // namespace

WinPlatform::WinPlatform(win32::Calls& calls) : calls_(calls), output_(NewWin32Output(calls)) {}

WinPlatform::~WinPlatform() = default;

void WinPlatform::MakeDriveCurrent(const std::string& drive) {
    if (drive.size() < 2 || drive[1] != ':') return;  // a network path has no drive letter
    const wchar_t root[] = {static_cast<wchar_t>(drive[0]), L':', L'\0'};
    if (!SetCurrentDirectoryW(root)) {
        throw SearchError(kCannotOpenDrive, drive, Reason(GetLastError()));
    }
}

std::unique_ptr<Folder> WinPlatform::OpenFolder(const std::string& path) {
    const char* operation = kCannotOpenStartFolder;
    if (path.empty()) throw SearchError(operation, path, Reason(ERROR_PATH_NOT_FOUND));
    const std::wstring long_path = LongPath(Wide(path));
    const DWORD attributes = GetFileAttributesW(long_path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw SearchError(operation, path, Reason(GetLastError()));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        throw SearchError(operation, path, Reason(ERROR_DIRECTORY));
    }
    return std::make_unique<WinFolder>(calls_, long_path);
}

// A folder holds no handle once its listing is read; the limit only bounds
// the memory of the paths kept.
std::size_t WinPlatform::FolderHandleBudget() { return 256; }

void WinPlatform::LowerReaderPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); }

Platform& NativePlatform() {
    static win32::Calls calls;
    static WinPlatform platform(calls);
    return platform;
}

// Windows sends no signal for a failed write: the call reports it.
void IgnoreWriteSignals() {}

}  // namespace Module1
