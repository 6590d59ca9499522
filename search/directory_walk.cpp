#include "directory_walk.h"

#include <string_view>

#include "file_classes.h"
#include "listing_line.h"
#include "output_file.h"
#include "run_settings.h"
#include "texts.h"
#include "window_hooks.h"

namespace Module1 {

namespace {

struct ClassTest {
    bool RunSettings::*selected;
    bool (*matches)(std::string_view name);
};

// Tested in this order, each on its own; only the selected class is asked.
constexpr ClassTest kClassTests[] = {
    {&RunSettings::ext_other, IsOtherFile},     {&RunSettings::ext_htm, IsHtmlFile},
    {&RunSettings::ext_jpg_gif, IsJpgGifFile},  {&RunSettings::ext_jpg, IsJpgFile},
    {&RunSettings::ext_gif, IsGifFile},         {&RunSettings::ext_txt, IsTextFile},
};

}  // namespace

std::string AddBackslash(std::string path) {
    if (!path.empty() && path.back() != kFolderSeparator) path.push_back(kFolderSeparator);
    return path;
}

std::string CompletionMessage(const WalkSummary& summary) {
    std::string text = kCompleted;
    if (summary.skipped_folders > 0) {
        text += std::string("\n\n") + kSkippedFoldersLabel + ": " + std::to_string(summary.skipped_folders) + " 件";
        for (const std::string& path : summary.skipped_examples) text += "\n" + path;
        if (summary.skipped_folders > summary.skipped_examples.size()) text += "\n…";
    }
    if (summary.unrepresentable_names > 0) {
        text += std::string("\n\n") + kUnrepresentableNamesLabel + ": " + std::to_string(summary.unrepresentable_names) + " 件";
    }
    return text;
}

WalkSummary RunSearch() {
    WalkSummary summary;
    RunSearch(summary);
    return summary;
}

void RunSearch(WalkSummary& summary) {
    Platform& platform = CurrentPlatform();
    platform.MakeDriveCurrent(run_settings.start_drive);
    // An output that cannot take lines fails now, not at the first match
    // (a run without matches would otherwise seem to have found nothing).
    CheckOutputFile(OutputPath());
    BeginOutputRun();
    const std::string folder_path = AddBackslash(run_settings.start_folder);
    DirectoryWalk walk(summary);
    {
        const std::unique_ptr<Folder> start = platform.OpenFolder(folder_path);
        walk.WalkFolder(*start, "*.*", folder_path);
    }
    ShowMessage(kTitle, CompletionMessage(summary));
}

void DirectoryWalk::WalkFolder(Folder& folder, const std::string& pattern,
                               const std::string& folder_path) {
    summary_.current_folder = folder_path;
    FindData entry;
    bool first = true;
    while (folder.Next(entry)) {
        // The window gets its turn before every entry but the first of a folder.
        if (!first) ProcessEvents();
        first = false;
        ++summary_.entries;
        HandleEntry(folder, entry, pattern, folder_path);
    }
    if (!folder.ListingError().empty()) RememberSkipped(folder_path);
}

void DirectoryWalk::HandleEntry(Folder& current, const FindData& entry,
                                const std::string& pattern, const std::string& folder_path) {
    const std::string& name = entry.name;
    if ((entry.attributes & kAttrDirectory) == 0) {
        TestFile(name, folder_path);
        return;
    }
    // A folder is never listed. It is entered unless it is a link, junction or
    // mount point, or a dot-name ("." and ".." and hidden folders such as .cache).
    if ((entry.attributes & kAttrReparsePoint) != 0 || name.empty() || name.front() == '.') return;
    const std::string sub_path = folder_path + name + kFolderSeparator;
    EnteredFolder sub = current.Enter(name);
    if (sub.folder) {
        WalkFolder(*sub.folder, pattern, sub_path);
        summary_.current_folder = folder_path;
    } else if (!sub.failure.empty()) {
        RememberSkipped(sub_path);
    }
}

void DirectoryWalk::TestFile(const std::string& name, const std::string& folder_path) {
    for (const ClassTest& test : kClassTests) {
        if (!(run_settings.*test.selected) || !test.matches(name)) continue;
        const std::string full_name = AddBackslash(folder_path) + name;
        ++summary_.matches;
        SetStatus(full_name + name);
        if (WriteListingLine(full_name, name)) ++summary_.unrepresentable_names;
        ++summary_.lines_written;
    }
}

void DirectoryWalk::RememberSkipped(const std::string& folder_path) {
    ++summary_.skipped_folders;
    if (summary_.skipped_examples.size() < kSkippedExamples) {
        std::string shown = folder_path;
        if (shown.size() > 1 && shown.back() == kFolderSeparator) shown.pop_back();
        summary_.skipped_examples.push_back(std::move(shown));
    }
}

}  // namespace Module1
