#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "directory_walk.h"
#include "fake_output.h"
#include "fake_platform.h"
#include "run_search.h"
#include "search_error.h"
#include "test_support.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::FakeNode;
using test_support::FakePlatform;
using test_support::RunScope;
using test_support::Settings;
using test_support::TempFolder;

// One run over a fake tree, with every call of the observer logged in order:
// "E" for event turns, "S:" + status text; "M:" + what the walk met, when
// the run ends.
struct FakeRun {
    FakeRun(const RunRequest& settings, const std::string& start_folder, FakeNode root,
            const std::string& start_path = "")
        : platform(start_path.empty() ? AddBackslash(start_folder) : start_path, std::move(root)),
          scope(settings, output) {
        scope.request.start_folder = start_folder;
        scope.request.start_drive = "/";
        scope.observer.event_turn = [this] { log.push_back("E"); };
        scope.observer.match = [this](const std::string& text) { log.push_back("S:" + text); };
    }
    void Run(WalkSummary& summary) {
        RunSearch(platform, scope.request, scope.observer, summary);
        log.push_back("M:" + test_support::Outcome(summary));
    }
    WalkSummary Run() {
        WalkSummary summary;
        Run(summary);
        return summary;
    }
    std::vector<std::string> OutputLines() const { return test_support::CrLfLines(output); }

    TempFolder temp;
    std::string output = temp.path() + "/out.txt";
    FakePlatform platform;
    RunScope scope;
    std::vector<std::string> log;
};

TEST(DirectoryWalk, VisitsInListingOrderDepthFirstWithEventsBeforeAllButTheFirstEntry) {
    FakeNode root = FakeNode::WithDots();
    root.File("b.htm");
    FakeNode& sub = root.Dir("sub");
    sub = FakeNode::WithDots();
    sub.File("c.htm").Dir("deeper") = FakeNode::WithDots();
    sub.children["deeper"]->File("d.htm");
    root.File("a.htm");

    FakeRun run(Settings(FileClass::kHtm, false), "/r", root);
    WalkSummary summary;
    run.Run(summary);

    EXPECT_EQ(run.OutputLines(),
              (std::vector<std::string>{"/r/b.htm", "/r/sub/c.htm", "/r/sub/deeper/d.htm", "/r/a.htm"}));
    EXPECT_EQ(run.log, (std::vector<std::string>{
                           /* "." */ "E" /* ".." */, "E", "S:/r/b.htmb.htm", "E" /* sub */,
                           /* sub/. */ "E" /* sub/.. */, "E", "S:/r/sub/c.htmc.htm", "E" /* deeper */,
                           /* deeper/. */ "E", "E", "S:/r/sub/deeper/d.htmd.htm",
                           "E", "S:/r/a.htma.htm",
                           "M:lines=4 matches=4 skipped=0 unrepresentable=0"}));
    EXPECT_EQ(summary.entries, 6u);  // "." and ".." are not the folders' entries
    EXPECT_EQ(summary.matches, 4u);
    EXPECT_EQ(summary.lines_written, 4u);
    EXPECT_EQ(run.platform.drives, std::vector<std::string>{"/"});
}

struct FolderCase {
    std::string label;
    std::string name;
    std::uint32_t attributes;
    bool entered;
    bool listed;
    friend std::ostream& operator<<(std::ostream& os, const FolderCase& c) { return os << c.label; }
};

class FolderRule : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderRule, EntersRealFoldersAndListsOnlyNonFolders) {
    const FolderCase& c = GetParam();
    FakeNode root;
    root.Dir(c.name, c.attributes).File("inner.gif");
    FakeRun run(Settings(FileClass::kOther, false, true, "*"), "/r", root);
    run.Run();

    std::vector<std::string> expected;
    if (c.listed) expected.push_back("/r/" + c.name);
    if (c.entered) expected.push_back("/r/" + c.name + "/inner.gif");
    EXPECT_EQ(run.OutputLines(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, FolderRule,
    testing::Values(
        FolderCase{"plain", "photos.gif", kAttrDirectory, true, false},
        FolderCase{"read_only", "photos.gif", kAttrDirectory | kAttrReadOnly, true, false},
        FolderCase{"hidden", "photos.gif", kAttrDirectory | kAttrHidden, true, false},
        FolderCase{"system", "photos.gif", kAttrDirectory | kAttrSystem, true, false},
        FolderCase{"archive", "photos.gif", kAttrDirectory | kAttrArchive, true, false},
        FolderCase{"link_to_folder", "photos.gif", kAttrDirectory | kAttrReparsePoint, false, false},
        FolderCase{"dot_name", ".cache", kAttrDirectory, false, false},
        FolderCase{"dot", ".", kAttrDirectory | kAttrHidden, false, false},
        FolderCase{"dot_dot", "..", kAttrDirectory | kAttrHidden, false, false},
        FolderCase{"link_to_file", "photos.gif", kAttrReparsePoint, false, true},
        FolderCase{"file", "photos.gif", kAttrNormal, false, true},
        FolderCase{"hidden_file", ".photos.gif", kAttrNormal | kAttrHidden, false, true}),
    [](const auto& info) { return info.param.label; });

// Each class option, through the walk, picks its own kind out of one folder.
struct ClassCase {
    std::string label;
    FileClass field;
    std::vector<std::string> listed;
    friend std::ostream& operator<<(std::ostream& os, const ClassCase& c) { return os << c.label; }
};

class ClassOptions : public testing::TestWithParam<ClassCase> {};

TEST_P(ClassOptions, EachListsItsOwnKindFromAMixedFolder) {
    FakeNode root;
    for (const char* name : {"a.htm", "b.HTML", "c.jpg", "d.JPEG", "e.gif", "f.txt", "g.text", "h.png", "i"}) {
        root.File(name);
    }
    FakeRun run(Settings(GetParam().field, false, false, "png"), "/r", root);
    run.Run();
    EXPECT_EQ(run.OutputLines(), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ClassOptions,
    testing::Values(ClassCase{"htm", FileClass::kHtm, {"a.htm", "b.HTML"}},
                    ClassCase{"jpg_gif", FileClass::kJpgGif, {"c.jpg", "d.JPEG", "e.gif"}},
                    ClassCase{"jpg", FileClass::kJpg, {"c.jpg", "d.JPEG"}},
                    ClassCase{"gif", FileClass::kGif, {"e.gif"}},
                    ClassCase{"txt", FileClass::kTxt, {"f.txt", "g.text"}},
                    ClassCase{"other", FileClass::kOther, {"h.png"}}),
    [](const auto& info) { return info.param.label; });

struct StartCase {
    std::string start_folder;
    std::string full_name;
    friend std::ostream& operator<<(std::ostream& os, const StartCase& c) { return os << c.start_folder; }
};

class FullNames : public testing::TestWithParam<StartCase> {};

TEST_P(FullNames, JoinTheFolderPathAndTheBareNameWithOneSeparator) {
    FakeNode root;
    root.File("a.htm");
    FakeRun run(Settings(FileClass::kHtm, true, false), GetParam().start_folder, root);
    run.Run();
    const std::string& full = GetParam().full_name;
    EXPECT_EQ(run.log.front(), "S:" + full + "a.htm");
    EXPECT_EQ(run.OutputLines(),
              std::vector<std::string>{"<A HREF=file:///" + full.substr(1) + ">a.htm</a></dt> "});
}

INSTANTIATE_TEST_SUITE_P(Starts, FullNames,
                         testing::Values(StartCase{"/", "/a.htm"}, StartCase{"/web", "/web/a.htm"},
                                         StartCase{"/web/", "/web/a.htm"}));

TEST(DirectoryWalk, RunWithoutMatchesTouchesNeitherLabelNorFile) {
    FakeNode root = FakeNode::WithDots();
    root.File("a.txt").Dir("sub").File("b.gif");
    FakeRun run(Settings(FileClass::kHtm), "/r", root);
    run.Run();
    EXPECT_FALSE(test_support::Exists(run.output));
    EXPECT_EQ(run.log.back(), "M:lines=0 matches=0 skipped=0 unrepresentable=0");
    EXPECT_EQ(std::count(run.log.begin(), run.log.end(), "E"), 3);
}

// The listing tool draws its progress line from this, not from the window's
// turns: the counts so far and the folder the walk is on, which grows as the
// walk goes down and shrinks as it comes back.
TEST(DirectoryWalk, ReportsItsProgressEveryFewHundredEntries) {
    FakeNode root = FakeNode::WithDots();
    const auto files = [](FakeNode& folder, unsigned count, const char* extension) {
        for (unsigned i = 0; i < count; ++i) folder.File(std::to_string(i) + extension);
    };
    files(root, kProgressEntries - 1, ".txt");
    FakeNode& sub = root.Dir("sub");  // the entry of the first report
    files(sub, kProgressEntries, ".htm");
    files(sub.Dir("deeper"), kProgressEntries, ".txt");
    files(root, kProgressEntries, ".txt");
    FakeRun run(Settings(FileClass::kHtm), "/r", root);
    run.scope.observer.event_turn = nullptr;
    std::vector<std::string> seen;
    run.scope.observer.progress = [&](const WalkProgress& now) {
        seen.push_back(std::to_string(now.entries) + " " + std::to_string(now.matches) + " " +
                       std::string(now.current_folder));
    };
    run.Run();
    const unsigned n = kProgressEntries;
    // Told before the entry is handled: the last file of sub is not matched yet.
    EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(n) + " 0 /r/",
                                              std::to_string(2 * n) + " " + std::to_string(n - 1) + " /r/sub/",
                                              std::to_string(3 * n) + " " + std::to_string(n) + " /r/sub/deeper/",
                                              std::to_string(4 * n) + " " + std::to_string(n) + " /r/"}));
}

TEST(DirectoryWalk, OtherWithStarListsNoFolderEntries) {
    FakeNode root = FakeNode::WithDots();
    root.File("a");
    root.Dir("sub") = FakeNode::WithDots();
    FakeRun run(Settings(FileClass::kOther, false, false, "*"), "/r", root);
    run.Run();
    EXPECT_EQ(run.OutputLines(), std::vector<std::string>{"a"});
}

TEST(DirectoryWalk, PassesOverFoldersItCannotEnterOrListAndSaysSo) {
    FakeNode root;
    for (int i = 1; i <= 7; ++i) {
        FakeNode& locked = root.Dir("locked" + std::to_string(i));
        locked.enter_failure = "Permission denied";
        root.File("a" + std::to_string(i) + ".htm");
    }
    FakeNode& broken = root.Dir("broken");
    broken.File("b.htm");
    broken.listing_error = "Input/output error";
    root.Dir("mounted").other_volume = true;

    FakeRun run(Settings(FileClass::kHtm, false, false), "/r", root);
    const WalkSummary summary = run.Run();

    EXPECT_EQ(run.OutputLines(), (std::vector<std::string>{"a1.htm", "a2.htm", "a3.htm", "a4.htm",
                                                            "a5.htm", "a6.htm", "a7.htm", "b.htm"}));
    EXPECT_EQ(summary.skipped_folders, 8u);
    EXPECT_EQ(run.log.back(), "M:lines=8 matches=8 skipped=8 unrepresentable=0\n/r/locked1\n/r/locked2\n"
                              "/r/locked3\n/r/locked4\n/r/locked5");
}

TEST(DirectoryWalk, MissingStartFolderEndsTheRunWithoutCompletion) {
    FakeRun run(Settings(FileClass::kHtm), "/missing", FakeNode{}, "/elsewhere/");
    try {
        run.Run();
        FAIL() << "no error";
    } catch (const SearchError& error) {
        EXPECT_EQ(std::string(error.what()),
                  std::string(kCannotOpenStartFolder) + ": /missing/ (No such file or directory)");
    }
    EXPECT_TRUE(run.log.empty());
}

TEST(DirectoryWalk, OutputFailureEndsTheRunAndKeepsEarlierLines) {
    FakeNode root;
    root.File("a.htm").File("b.htm").File("c.htm");
    FakeRun run(Settings(FileClass::kHtm, false, false), "/r", root);
    test_support::FakeOutput disk;
    disk.exists = false;
    disk.writes = {{7, 0}, {2, test_support::FakeOutput::kNoSpace}};  // the disk fills during the second line
    run.platform.output = &disk;
    WalkSummary summary;
    EXPECT_THROW(run.Run(summary), SearchError);
    EXPECT_EQ(disk.content, "a.htm\r\n");
    EXPECT_EQ(disk.closed, 1);
    // The summary stays as far as the walk got: the second match found, its line not written.
    EXPECT_EQ(summary.matches, 2u);
    EXPECT_EQ(summary.lines_written, 1u);
    EXPECT_EQ(run.log, (std::vector<std::string>{"S:/r/a.htma.htm", "E", "S:/r/b.htmb.htm"}));
}

// Without this check a run without matches into such a place would end with
// "COMPLETED ..." and no file, as if nothing had matched.
class UnwritableOutput : public testing::TestWithParam<std::string> {};

TEST_P(UnwritableOutput, FailsBeforeTheWalkWithoutCreatingAnything) {
    FakeNode root;
    root.File("a.txt");
    FakeRun run(Settings(FileClass::kHtm), "/r", root);
    run.temp.File("file");
    const std::string path = GetParam().empty() ? "" : run.temp.path() + "/" + GetParam();
    run.scope.request.output.path = path;
    try {
        run.Run();
        FAIL() << "no error";
    } catch (const SearchError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(std::string(kCannotOpenOutput) + ": " + path + " (", 0), 0u)
            << error.what();
    }
    EXPECT_TRUE(run.log.empty());
    std::vector<std::string> made;
    for (const auto& entry : std::filesystem::directory_iterator(run.temp.path())) {
        made.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(made, std::vector<std::string>{"file"});
}

INSTANTIATE_TEST_SUITE_P(Paths, UnwritableOutput,
                         testing::Values("", "missing/out.htm", ".", "file/out.htm"),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(AddBackslash, AppendsTheSeparatorOnlyWhenMissing) {
    EXPECT_EQ(AddBackslash("/web"), "/web/");
    EXPECT_EQ(AddBackslash("/web/"), "/web/");
    EXPECT_EQ(AddBackslash("/"), "/");
    // No folder chosen stays no folder, rather than becoming the root.
    EXPECT_EQ(AddBackslash(""), "");
}

}  // namespace
