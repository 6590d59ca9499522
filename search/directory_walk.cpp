#include "directory_walk.h"

#include "folder_walk.h"
#include "output_file.h"
#include "platform.h"
#include "read_ahead.h"
#include "run_settings.h"
#include "texts.h"
#include "window_hooks.h"

namespace Module1 {

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

void RunSearch(WalkSummary& summary) { RunSearch(summary, OutputTarget{OutputPath(), false}); }

void RunSearch(WalkSummary& summary, const OutputTarget& output) {
    RunSearch(summary, DefaultReadAheadLimits(), output);
}

void RunSearch(WalkSummary& summary, const ReadAheadLimits& limits) {
    RunSearch(summary, limits, OutputTarget{OutputPath(), false});
}

void RunSearch(WalkSummary& summary, const ReadAheadLimits& limits, const OutputTarget& target) {
    Platform& platform = CurrentPlatform();
    platform.MakeDriveCurrent(run_settings.start_drive);
    // The path is read once: every line goes to the file this run opens.
    OutputFile output(platform.Output(), target);
    // An output that cannot take lines fails now, not at the first match
    // (a run without matches would otherwise seem to have found nothing).
    output.Check();
    const std::string folder_path = AddBackslash(run_settings.start_folder);
    summary.current_folder = folder_path;
    {
        ReadAhead folders(platform.OpenFolder(folder_path), limits);
        DirectoryWalk walk(summary, folder_path, output);
        walk.WalkFolder(folders);
    }
    output.Close();
    ShowMessage(kTitle, CompletionMessage(summary));
}

}  // namespace Module1
