#include "directory_walk.h"

#include "folder_walk.h"
#include "output_file.h"
#include "platform.h"
#include "read_ahead.h"
#include "run_request.h"
#include "search_error.h"
#include "shown_name.h"
#include "texts.h"

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

WalkSummary RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer) {
    WalkSummary summary;
    RunSearch(platform, request, observer, summary);
    return summary;
}

void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary) {
    RunSearch(platform, request, observer, summary, DefaultReadAheadLimits());
}

void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary,
               const ReadAheadLimits& limits) {
    platform.MakeDriveCurrent(request.start_drive);
    // The path is taken once: every line goes to the file this run opens.
    OutputFile output(platform.Output(), request.output);
    // An output that cannot take lines fails now, not at the first match
    // (a run without matches would otherwise seem to have found nothing).
    summary.output_file = request.output.path;
    output.Check();
    const std::string folder_path = AddBackslash(request.start_folder);
    summary.current_folder = folder_path;
    try {
        ReadAhead folders(platform.OpenFolder(folder_path), limits);
        DirectoryWalk walk(summary, folder_path, request, observer, output);
        walk.WalkFolder(folders);
    } catch (const SearchError& error) {
        output.TellIfReplaced(summary.lines_written, &error);
        throw;
    }
    output.TellIfReplaced(summary.lines_written);
    output.Close();
}

}  // namespace Module1
