#include "win32_text.h"

namespace Module1::win32 {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

namespace {

LANGID reason_language = 0;

DWORD FormatReason(DWORD error, LANGID language, wchar_t*& buffer) {
    return FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                          nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
}

}  // namespace

void SetReasonLanguage(LANGID language) { reason_language = language; }

std::string Reason(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatReason(error, reason_language, buffer);
    // A system without that language's texts gives the user's own.
    if (n == 0 && reason_language != 0) n = FormatReason(error, 0, buffer);
    std::wstring text = n > 0 ? std::wstring(buffer, n) : L"error " + std::to_wstring(error);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return Utf8(text);
}

std::wstring LongPath(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace Module1::win32
