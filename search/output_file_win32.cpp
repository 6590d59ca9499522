// The output file on Windows.

#include <optional>

#include "output_file.h"
#include "search_error.h"
#include "texts.h"
#include "win32_calls.h"
#include "win32_text.h"

namespace Module1 {

namespace {

using win32::create_file;
using win32::LongPath;
using win32::Reason;
using win32::Wide;

// The file whose last byte this run has already looked at; the walk runs on one thread.
std::optional<std::string> checked_path;

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

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the output for appending. Returns INVALID_HANDLE_VALUE when the file
// does not exist and create is false.
HANDLE OpenOutput(const std::string& path, bool create) {
    if (path.empty()) throw SearchError(kCannotOpenOutput, path, kEmptyFileName);
    // Opening a pipe would connect to the program serving it; it is refused unopened.
    if (IsPipeName(path)) throw SearchError(kCannotOpenOutput, path, kNotAFileOrDevice);
    const HANDLE file = create_file(NativePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND && !create) return file;
        throw SearchError(kCannotOpenOutput, path, Reason(error));
    }
    // A pipe could stall the run; only files and devices such as NUL are taken.
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK && type != FILE_TYPE_CHAR) {
        CloseHandle(file);
        throw SearchError(kCannotOpenOutput, path, kNotAFileOrDevice);
    }
    return file;
}

// Whether the file on disk ends inside a line, i.e. its last byte is not LF.
// A file that may be written but not read is taken as ending well.
bool EndsInsideALine(HANDLE file, const std::string& path) {
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart == 0) return false;
    const HANDLE reader =
        create_file(NativePath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (reader == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED at{};
    const ULONGLONG last_offset = static_cast<ULONGLONG>(size.QuadPart - 1);
    at.Offset = static_cast<DWORD>(last_offset);
    at.OffsetHigh = static_cast<DWORD>(last_offset >> 32);
    char last = '\n';
    DWORD read = 0;
    const bool ok = ReadFile(reader, &last, 1, &read, &at) && read == 1;
    CloseHandle(reader);
    return ok && last != '\n';
}

}  // namespace

void CheckOutputFile(const std::string& path) {
    const HANDLE file = OpenOutput(path, false);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return;
    }
    // A new file: its folder must exist and let us add a file to it.
    std::wstring folder = LongPath(Wide(path));
    folder.resize(folder.find_last_of(L"\\/") + 1);
    const HANDLE handle = create_file(folder.c_str(), FILE_ADD_FILE, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw SearchError(kCannotOpenOutput, path, Reason(GetLastError()));
    CloseHandle(handle);
}

void BeginOutputRun() { checked_path.reset(); }

void AppendToFile(const std::string& path, std::string_view bytes) {
    const HANDLE file = OpenOutput(path, true);
    std::string guarded;
    if (checked_path != path && EndsInsideALine(file, path)) {
        guarded = "\r\n";
        guarded += bytes;
        bytes = guarded;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD error = ok && written == bytes.size() ? ERROR_SUCCESS : GetLastError();
    const BOOL closed = CloseHandle(file);
    if (error != ERROR_SUCCESS || !closed) {
        throw SearchError(kCannotWriteOutput, path, Reason(error != ERROR_SUCCESS ? error : GetLastError()));
    }
    checked_path = path;
}

}  // namespace Module1
