#include "run_search.h"

#include <algorithm>
#include <utility>

#include "directory_walk.h"
#include "output_file.h"
#include "platform.h"
#include "read_ahead.h"
#include "search_error.h"

#ifndef MARROWPINE_READERS
#define MARROWPINE_READERS 8
#endif

namespace Module1 {

namespace {

// What the request sets, and this system's defaults for the rest.
ReadAheadLimits LimitsFor(Platform& platform, const WalkLimits& asked) {
    ReadAheadLimits limits;
    limits.open_folders = asked.open_folders ? *asked.open_folders : platform.FolderHandleBudget();
    // Chosen by measurement on two cores: cold and remote reads gain from
    // more readers than cores, warm ones lose little (bench/run). Each
    // reader holds up to two folders of its own while it opens one.
    limits.readers = asked.readers.value_or(std::min<std::size_t>(MARROWPINE_READERS, limits.open_folders / 2));
    limits.folders = asked.folders_ahead.value_or(limits.folders);
    limits.bytes = asked.bytes_ahead.value_or(limits.bytes);
    return limits;
}

}  // namespace

void RunSearch(Platform& platform, const RunRequest& request, const RunObserver& observer, WalkSummary& summary) {
    summary = {};
    platform.MakeDriveCurrent(request.start_drive);
    // The path is taken once: every line goes to the file this run opens.
    OutputFile output(platform.Output(), request.output);
    // An output that cannot take lines fails now, not at the first match
    // (a run without matches would otherwise seem to have found nothing).
    output.Check();
    std::string folder_path = AddBackslash(request.start_folder);
    try {
        ReadAhead folders(platform, platform.OpenFolder(folder_path), LimitsFor(platform, request.limits));
        DirectoryWalk walk(summary, std::move(folder_path), request, observer, output);
        walk.WalkFolder(folders);
    } catch (const SearchError& error) {
        output.TellIfReplaced(summary.lines_written, &error);
        throw;
    }
    output.TellIfReplaced(summary.lines_written);
    output.Close();
}

}  // namespace Module1
