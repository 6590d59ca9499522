#include "test_support.h"

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform.h"

namespace fs = std::filesystem;

namespace test_support {

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path path = fs::temp_directory_path() / ("marrowpine-test-" + std::to_string(random()));
        if (fs::create_directory(path)) {
            path_ = path.string();
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
}

namespace {

// Upper-casing follows the locale, as in the program, which takes it from the
// environment; the tests fix one with full Unicode case mapping.
[[maybe_unused]] const bool locale_set = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

// Gives the owner back every folder a test locked, so that it can be removed.
void Unlock(const fs::path& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) Unlock(entry.path());
    }
}

}  // namespace

TempFolder::~TempFolder() {
    Unlock(path_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& relative, const std::string& contents) const {
    const fs::path path = fs::path(path_) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
    return path.string();
}

std::string TempFolder::Folder(const std::string& relative) const {
    const fs::path path = fs::path(path_) / relative;
    fs::create_directories(path);
    return path.string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> CrLfLines(const std::string& path, bool sorted) {
    const std::string text = ReadFile(path);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (sorted) std::sort(lines.begin(), lines.end());
    return lines;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

Module1::RunRequest Settings(Module1::FileClass file_class, bool html, bool full_path, const std::string& free_text) {
    Module1::RunRequest request;
    request.file_class = file_class;
    request.line_style = html ? Module1::LineStyle::kHtmlLink : Module1::LineStyle::kText;
    request.name_style = full_path ? Module1::NameStyle::kPathAndFile : Module1::NameStyle::kFile;
    request.ext_free_text = free_text;
    return request;
}

RunScope::RunScope(const Module1::RunRequest& settings, const std::string& output_path) : request(settings) {
    request.output = {output_path, false};
}

std::string Outcome(const Module1::WalkSummary& summary) {
    std::string text = "lines=" + std::to_string(summary.lines_written) + " matches=" + std::to_string(summary.matches) +
                       " skipped=" + std::to_string(summary.skipped_folders) +
                       " unrepresentable=" + std::to_string(summary.unrepresentable_names);
    for (const std::string& path : summary.skipped_examples) text += "\n" + path;
    return text;
}

std::string RunScope::Walk(const std::string& folder) { return Walk(Module1::NativePlatform(), folder); }

std::string RunScope::Walk(Module1::Platform& platform, const std::string& folder) {
    request.start_folder = folder;
    Module1::WalkSummary summary;
    Module1::RunSearch(platform, request, observer, summary);
    return Outcome(summary);
}

}  // namespace test_support
