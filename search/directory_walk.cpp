#include "directory_walk.h"

#include "file_classes.h"
#include "folder_node.h"
#include "listing_line.h"
#include "output_file.h"
#include "platform.h"
#include "read_ahead.h"

namespace Module1 {

namespace {

bool IsDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

std::string AddBackslash(std::string path) {
    if (!path.empty() && path.back() != kFolderSeparator) path.push_back(kFolderSeparator);
    return path;
}

DirectoryWalk::DirectoryWalk(WalkSummary& summary, std::string folder_path, const RunRequest& request,
                             const RunObserver& observer, OutputFile& output)
    : summary_(summary), request_(request), observer_(observer), output_(output), folder_path_(std::move(folder_path)) {}

void DirectoryWalk::WalkFolder(ReadAhead& folders) {
    levels_.push_back({folders.Start(), 0, 0, 0, folder_path_.size()});
    while (!levels_.empty()) {
        Level& level = levels_.back();
        const Listing& listing = level.node->listing;
        if (level.entry == listing.entries.size()) {
            // A listing that broke off is counted after the entries it did give.
            if (!listing.error.empty()) RememberSkipped(folder_path_);
            folders.Release(*level.node);
            levels_.pop_back();
            if (!levels_.empty()) folder_path_.resize(levels_.back().path_size);
            continue;
        }
        const Listing::Entry entry = listing.entries[level.entry];
        const std::string_view name(listing.names.data() + level.name_offset, entry.name_size);
        // The window gets its turn before every entry but the first of a folder.
        if (level.entry != 0 && observer_.event_turn) observer_.event_turn();
        ++level.entry;
        level.name_offset += entry.name_size;
        // "." and ".." still reach the matchers, but are not the folder's entries.
        if (!IsDotOrDotDot(name) && ++summary_.entries % kProgressEntries == 0 && observer_.progress) {
            observer_.progress({summary_.entries, summary_.matches, folder_path_});
        }
        HandleEntry(folders, entry.attributes, name);
    }
}

void DirectoryWalk::HandleEntry(ReadAhead& folders, std::uint32_t attributes, std::string_view name) {
    if ((attributes & kAttrDirectory) == 0) {
        TestFile(name);
    } else if (IsFolderToEnter(attributes, name)) {
        Enter(folders, name);
    }
}

void DirectoryWalk::Enter(ReadAhead& folders, std::string_view name) {
    Level& level = levels_.back();
    std::shared_ptr<FolderNode> sub = level.node->subfolders[level.subfolder++];
    folders.Take(*sub);
    if (!sub->entered) {
        if (!sub->failure.empty()) RememberSkipped(folder_path_ + std::string(name) + kFolderSeparator);
        return;  // no failure: another volume, not entered
    }
    folder_path_.append(name).push_back(kFolderSeparator);
    levels_.push_back({std::move(sub), 0, 0, 0, folder_path_.size()});
}

void DirectoryWalk::TestFile(std::string_view name) {
    if (!IsOfClass(request_.file_class, request_.ext_free_text, name)) return;
    full_name_.assign(folder_path_).append(name);
    // A listing saved inside the tree it lists never lists itself.
    if (output_.IsOutput(full_name_, name)) return;
    const std::string bare(name);
    // A match counts even when its line then fails; lines_written only
    // what reached the file.
    ++summary_.matches;
    if (observer_.match) observer_.match(full_name_ + bare);
    if (WriteListingLine(output_, request_, full_name_, bare)) ++summary_.unrepresentable_names;
    ++summary_.lines_written;
}

void DirectoryWalk::RememberSkipped(std::string folder_path) {
    ++summary_.skipped_folders;
    if (summary_.skipped_examples.size() < kSkippedExamples) {
        if (folder_path.size() > 1 && folder_path.back() == kFolderSeparator) folder_path.pop_back();
        summary_.skipped_examples.push_back(std::move(folder_path));
    }
}

}  // namespace Module1
