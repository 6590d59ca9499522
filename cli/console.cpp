#include "console.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace list_tool {

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return args;
}

std::string AbsolutePath(const std::string& path) {
    return Utf8(std::filesystem::absolute(std::filesystem::path(Wide(path))).lexically_normal().wstring());
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
bool StdoutIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

std::size_t TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 80;
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

void WriteStderr(const std::string& text) {
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Wide(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

#else

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

// ".." after a link leads up from where the link leads, not back to the
// folder holding the link: such a link is replaced by its target before the
// ".." is taken. Every other name is kept as written, links included.
std::string AbsolutePath(const std::string& path) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;  // still to take, the next one last
    const auto take_later = [&names](const fs::path& more) {
        std::vector<std::string> parts;
        for (const fs::path& part : more.relative_path()) parts.push_back(part.string());
        names.insert(names.end(), parts.rbegin(), parts.rend());
    };
    const fs::path absolute = fs::absolute(path);
    if (absolute.relative_path().empty()) return absolute.lexically_normal().string();
    take_later(absolute);
    fs::path result = "/";
    for (int links = 0; !names.empty();) {
        const std::string name = std::move(names.back());
        names.pop_back();
        if (name.empty() || name == ".") continue;
        if (name != "..") {
            result /= name;
            continue;
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(result, error);
        if (!error && links++ < 40) {  // as many links as the system follows in one path
            result = target.is_absolute() ? fs::path("/") : result.parent_path();
            names.push_back("..");
            take_later(target);
            continue;
        }
        result = result.parent_path();
    }
    // As the path was written: one that ends in a folder's "/", "." or ".." ends in "/".
    const std::string last = absolute.filename().string();
    if ((last.empty() || last == "." || last == "..") && result != "/") result += "/";
    return result.string();
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }
bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

std::size_t TerminalColumns() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

void WriteStderr(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

#endif

}  // namespace list_tool
