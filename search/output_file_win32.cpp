// The output file's system calls on Windows.

#include "output_system.h"
#include "platform_win32.h"
#include "win32_text.h"

namespace Module1 {

namespace {

using win32::LongPath;
using win32::Wide;

std::wstring NativePath(const std::string& path) {
    std::wstring wide = Wide(path);
    if (wide.size() >= MAX_PATH - 12) wide = LongPath(wide);
    return wide;
}

// Whether the path lies in the pipe namespace (\\.\pipe\…), served or not.
bool IsPipeName(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), n, full.data(), nullptr));
    for (const std::wstring_view prefix : {L"\\\\.\\pipe\\", L"\\\\?\\pipe\\"}) {
        if (full.size() > prefix.size() &&
            CompareStringOrdinal(full.data(), static_cast<int>(prefix.size()), prefix.data(),
                                 static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

HANDLE Native(OutputSystem::Handle handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The runs' lock is on one byte far beyond the end of any file: a Windows
// lock also bars other programs from reading and writing the bytes it covers.
OVERLAPPED LockByte() {
    constexpr std::uint64_t kLockByte = std::uint64_t{1} << 62;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(kLockByte);
    at.OffsetHigh = static_cast<DWORD>(kLockByte >> 32);
    return at;
}

class Win32Output final : public OutputSystem {
public:
    explicit Win32Output(win32::Calls& calls) : calls_(calls) {}

    Opened Open(const std::string& path, bool create, Handle& handle, Error& error) override {
        // Writing at the end of the file with the right to set its end: a
        // part-written line can be taken back. Reading too when allowed, for
        // the guard's look at the last byte. Others may rename or delete the
        // file meanwhile; the run's lines still go to the file it opened.
        // Opening a pipe would connect to the program serving it; it is refused unopened.
        if (IsPipeName(path)) return Opened::kNotAFileOrDevice;
        const std::wstring native = NativePath(path);
        const DWORD disposition = create ? OPEN_ALWAYS : OPEN_EXISTING;
        HANDLE file = INVALID_HANDLE_VALUE;
        for (const DWORD access : {GENERIC_READ | GENERIC_WRITE, DWORD{GENERIC_WRITE}}) {
            file = calls_.CreateFileW(native.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) break;
            error = GetLastError();
            if (error != ERROR_ACCESS_DENIED) break;
        }
        if (file == INVALID_HANDLE_VALUE) {
            return error == ERROR_FILE_NOT_FOUND && !create ? Opened::kMissing : Opened::kFailed;
        }
        handle = reinterpret_cast<Handle>(file);
        return Opened::kOpen;
    }

    Handle StandardOutput() override { return reinterpret_cast<Handle>(GetStdHandle(STD_OUTPUT_HANDLE)); }

    Error Inspect(Handle handle, Kind& kind, std::uint64_t& size) override {
        SetLastError(ERROR_SUCCESS);
        const DWORD type = GetFileType(Native(handle));
        if (type == FILE_TYPE_UNKNOWN && GetLastError() != ERROR_SUCCESS) return GetLastError();
        // A pipe could stall the run: it is neither a disk file nor a device.
        kind = type == FILE_TYPE_DISK ? Kind::kFile : type == FILE_TYPE_CHAR ? Kind::kDevice : Kind::kOther;
        size = 0;
        if (kind != Kind::kFile) return ERROR_SUCCESS;
        LARGE_INTEGER bytes{};
        if (!GetFileSizeEx(Native(handle), &bytes)) return GetLastError();
        size = static_cast<std::uint64_t>(bytes.QuadPart);
        return ERROR_SUCCESS;
    }

    bool ReadByte(Handle handle, std::uint64_t offset, char& byte) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(Native(handle), &byte, 1, &read, &at) && read == 1;
    }

    Error Write(Handle handle, std::string_view bytes, bool at_end, std::size_t& written) override {
        OVERLAPPED end{};
        end.Offset = end.OffsetHigh = 0xFFFFFFFF;  // at the end of the file, as an appending handle writes
        DWORD n = 0;
        const BOOL ok = calls_.WriteFile(Native(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &n,
                                          at_end ? &end : nullptr);
        // The cause is taken from this very call, never from an earlier one.
        const Error error = ok ? ERROR_SUCCESS : GetLastError();
        written = n;
        return error;
    }

    Error Truncate(Handle handle, std::uint64_t size) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(size);
        if (!SetFilePointerEx(Native(handle), at, nullptr, FILE_BEGIN) || !SetEndOfFile(Native(handle))) {
            return GetLastError();
        }
        return ERROR_SUCCESS;
    }

    // Every write to a disk file goes to its end (see Write).
    bool Appends(Handle) override { return true; }

    bool Offset(Handle handle, std::uint64_t& offset) override {
        // A write through an OVERLAPPED place on a handle opened for
        // synchronous use leaves the file pointer where the write ended.
        LARGE_INTEGER at{};
        if (!SetFilePointerEx(Native(handle), LARGE_INTEGER{}, &at, FILE_CURRENT)) return false;
        offset = static_cast<std::uint64_t>(at.QuadPart);
        return true;
    }

    Error WriteAt(Handle handle, std::uint64_t offset, std::string_view bytes) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD n = 0;
        const BOOL ok = calls_.WriteFile(Native(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &n, &at);
        return ok ? ERROR_SUCCESS : GetLastError();
    }

    Lock TryLock(Handle handle, bool exclusive) override {
        OVERLAPPED at = LockByte();
        const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        if (LockFileEx(Native(handle), flags, 0, 1, 0, &at)) return Lock::kHeld;
        return GetLastError() == ERROR_LOCK_VIOLATION ? Lock::kBusy : Lock::kNone;
    }

    void Unlock(Handle handle) override {
        OVERLAPPED at = LockByte();
        UnlockFileEx(Native(handle), 0, 1, 0, &at);
    }

    bool Identity(Handle handle, FileIdentity& id) override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(Native(handle), &info)) return false;
        id = IdentityOf(info);
        return true;
    }

    Found IdentityAt(const std::string& path, FileIdentity& id) override {
        // Opened for no access at all: only its identity is asked for.
        const HANDLE file = calls_.CreateFileW(NativePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Found::kMissing : Found::kUnknown;
        }
        const bool known = Identity(reinterpret_cast<Handle>(file), id);
        CloseHandle(file);
        return known ? Found::kFound : Found::kUnknown;
    }

    Error Close(Handle handle) override { return CloseHandle(Native(handle)) ? ERROR_SUCCESS : GetLastError(); }

    Error CanCreate(const std::string& path) override {
        // Its folder must exist and let us add a file to it.
        std::wstring folder = LongPath(Wide(path));
        folder.resize(folder.find_last_of(L"\\/") + 1);
        const HANDLE handle = calls_.CreateFileW(folder.c_str(), FILE_ADD_FILE, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return GetLastError();
        CloseHandle(handle);
        return ERROR_SUCCESS;
    }

    std::string Reason(Error error) override { return win32::Reason(error); }

    // ERROR_NO_DATA on Windows itself; Wine reports ERROR_PIPE_NOT_CONNECTED.
    bool ReaderGone(Error error) override {
        return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED;
    }

private:
    win32::Calls& calls_;
};

}  // namespace

std::unique_ptr<OutputSystem> NewWin32Output(win32::Calls& calls) { return std::make_unique<Win32Output>(calls); }

}  // namespace Module1
