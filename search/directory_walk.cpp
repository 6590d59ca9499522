#include "directory_walk.h"

#include "folder_walk.h"
#include "output_file.h"
#include "platform.h"
#include "read_ahead.h"
#include "run_settings.h"
#include "shown_name.h"
#include "texts.h"
#include "window_hooks.h"

namespace Module1 {

std::string AddBackslash(std::string path) {
    if (!path.empty() && path.back() != kFolderSeparator) path.push_back(kFolderSeparator);
    return path;
}

std::string CompletionMessage(const WalkSummary& summary) {
    std::string text = kCompleted;
    // The same "COMPLETED ..." whether thousands of lines were written or
    // none would make a run that found nothing look like success.
    const std::string output = ShownName(summary.output_file);
    if (summary.lines_written > 0) {
        text += std::string("\n\n") + kLinesWrittenLabel + ": " + std::to_string(summary.lines_written) + " " +
                kLinesUnit + "\n" + kOutputFileLabel + ": " + output;
    } else {
        text += std::string("\n\n") + kNothingMatched + "\n" + kOutputUntouched + ": " + output;
    }
    const auto count = [](std::uint64_t n) { return ": " + std::to_string(n) + " " + kCountUnit; };
    if (summary.skipped_folders > 0) {
        text += std::string("\n\n") + kSkippedFoldersLabel + count(summary.skipped_folders);
        for (const std::string& path : summary.skipped_examples) text += "\n" + ShownName(path);
        if (summary.skipped_folders > summary.skipped_examples.size()) text += "\n…";
    }
    if (summary.unrepresentable_names > 0) {
        text += std::string("\n\n") + kUnrepresentableNamesLabel + count(summary.unrepresentable_names);
    }
    return text;
}

WalkSummary RunSearch() {
    WalkSummary summary;
    RunSearch(summary);
    return summary;
}

void RunSearch(WalkSummary& summary) { RunSearch(summary, DefaultReadAheadLimits()); }

void RunSearch(WalkSummary& summary, const ReadAheadLimits& limits) {
    Platform& platform = CurrentPlatform();
    platform.MakeDriveCurrent(run_settings.start_drive);
    // An output that cannot take lines fails now, not at the first match
    // (a run without matches would otherwise seem to have found nothing).
    summary.output_file = OutputPath();
    CheckOutputFile(summary.output_file);
    BeginOutputRun();
    const std::string folder_path = AddBackslash(run_settings.start_folder);
    summary.current_folder = folder_path;
    {
        ReadAhead folders(platform.OpenFolder(folder_path), limits);
        DirectoryWalk walk(summary, folder_path);
        walk.WalkFolder(folders);
    }
    ShowMessage(kTitle, CompletionMessage(summary));
}

}  // namespace Module1
