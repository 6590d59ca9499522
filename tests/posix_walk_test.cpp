// The walk over a real POSIX file system: attributes, links, hostile names,
// permissions and output errors.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "directory_walk.h"
#include "platform.h"
#include "posix_test_support.h"
#include "run_search.h"
#include "search_error.h"
#include "test_support.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::CrLfLines;
using test_support::ReadFile;
using test_support::RunScope;
using test_support::Settings;
using test_support::HtmlDecode;
using test_support::PercentDecode;
using test_support::RunUnprivileged;
using test_support::TempFolder;

TEST(PosixFolder, ReportsTheAttributeWordOfEachKindOfEntry) {
    TempFolder temp;
    temp.File("page.htm");
    temp.File(".hidden.htm");
    temp.Folder("sub");
    temp.Folder(".cache");
    ASSERT_EQ(symlink("page.htm", (temp.path() + "/file-link").c_str()), 0);
    ASSERT_EQ(symlink("sub", (temp.path() + "/folder-link").c_str()), 0);
    ASSERT_EQ(symlink("missing", (temp.path() + "/broken-link").c_str()), 0);
    ASSERT_EQ(symlink("loop", (temp.path() + "/loop").c_str()), 0);
    ASSERT_EQ(mkfifo((temp.path() + "/fifo").c_str(), 0600), 0);

    std::map<std::string, std::uint32_t> seen;
    const auto folder = NativePlatform().OpenFolder(temp.path() + "/");
    for (FindData entry; folder->Next(entry);) seen[entry.name] = entry.attributes;
    EXPECT_EQ(folder->ListingError(), "");

    const std::map<std::string, std::uint32_t> expected = {
        {".", kAttrDirectory | kAttrHidden},
        {"..", kAttrDirectory | kAttrHidden},
        {"page.htm", kAttrNormal},
        {".hidden.htm", kAttrNormal | kAttrHidden},
        {"sub", kAttrDirectory},
        {".cache", kAttrDirectory | kAttrHidden},
        {"file-link", kAttrReparsePoint},
        {"folder-link", kAttrReparsePoint | kAttrDirectory},
        {"broken-link", kAttrReparsePoint},
        {"loop", kAttrReparsePoint},
        {"fifo", kAttrNormal},
    };
    EXPECT_EQ(seen, expected);
}

TEST(PosixWalk, ListsRealFoldersAndLinksToFilesButNeverFollowsFolderLinks) {
    TempFolder temp;
    const std::string root = temp.path();
    temp.File("a.htm");
    temp.File("sub/b.htm");
    temp.File("sub/deeper/c.HTML");
    temp.File(".cache/hidden.htm");
    temp.File("sub/not.txt");
    ASSERT_EQ(symlink("a.htm", (root + "/link.htm").c_str()), 0);
    ASSERT_EQ(symlink(".", (root + "/sub/loop.htm").c_str()), 0);  // a folder link named like a page
    ASSERT_EQ(symlink("..", (root + "/sub/up").c_str()), 0);

    RunScope scope(Settings(FileClass::kHtm, false), root + "/out.txt");
    EXPECT_EQ(scope.Walk(root), "lines=4 matches=4 skipped=0 unrepresentable=0");
    EXPECT_EQ(CrLfLines(root + "/out.txt", true),
              (std::vector<std::string>{root + "/a.htm", root + "/link.htm", root + "/sub/b.htm",
                                        root + "/sub/deeper/c.HTML"}));
}

TEST(PosixWalk, WritesEveryByteOfHostileNamesAndLinksBackToThem) {
    TempFolder temp;
    std::string low, high;
    for (int byte = 0x01; byte <= 0x7F; ++byte) {
        if (byte != '/') low.push_back(static_cast<char>(byte));
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) high.push_back(static_cast<char>(byte));
    const std::vector<std::string> names = {low + ".htm", high + ".htm", "\xff\xfe.htm",
                                            "<img src=x onerror=alert(1)>.htm",
                                            std::string(251, 'n') + ".htm", "写真 & 日記.htm"};
    for (const std::string& name : names) temp.File("in/" + name);
    const std::string folder = temp.path() + "/in";

    RunScope text(Settings(FileClass::kHtm, false, false), temp.path() + "/names.txt");
    text.Walk(folder);
    // A line break in a name is written as "?" in TEXT lines.
    std::vector<std::string> expected_names = names;
    for (std::string& name : expected_names) std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
    std::sort(expected_names.begin(), expected_names.end());
    EXPECT_EQ(CrLfLines(temp.path() + "/names.txt", true), expected_names);

    RunScope html(Settings(FileClass::kHtm, true, true), temp.path() + "/links.htm");
    html.Walk(folder);
    const std::vector<std::string> lines = CrLfLines(temp.path() + "/links.htm", true);
    ASSERT_EQ(lines.size(), names.size());
    const std::string head = "<A HREF=file:///", tail = "</a></dt> ";
    for (const std::string& line : lines) {
        ASSERT_EQ(line.rfind(head, 0), 0u) << line;
        const std::size_t close = line.find('>');
        const std::string target = line.substr(head.size(), close - head.size());
        const std::string text_part = line.substr(close + 1, line.size() - close - 1 - tail.size());
        EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
        // Nothing in the target can end the tag or the attribute early.
        EXPECT_EQ(target.find_first_of(" \t\r\n\"'<>=`"), std::string::npos) << target;
        EXPECT_EQ(text_part.find_first_of("<>"), std::string::npos) << text_part;
        // The target names the very file; the line is plain ASCII, and its
        // text is the name where the name is.
        const std::string path = "/" + PercentDecode(target);
        const auto ascii = [](const std::string& text) {
            return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        };
        EXPECT_TRUE(test_support::Exists(path)) << target;
        EXPECT_TRUE(ascii(line)) << line;
        if (ascii(path)) {
            EXPECT_EQ(HtmlDecode(text_part), path);
        }
    }
}

TEST(PosixWalk, DescendsDeeperThanTheSoftLimitOfOpenFiles) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0777);
    std::string relative = "tree";
    for (int level = 0; level < 300; ++level) relative += "/d";
    temp.File(relative + "/bottom.htm");
    const std::string result = RunUnprivileged([&] {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        if (limit.rlim_max < 400) return std::string("skip");
        limit.rlim_cur = 100;
        setrlimit(RLIMIT_NOFILE, &limit);
        RunScope scope(Settings(FileClass::kHtm, false, false), temp.path() + "/out.txt");
        return scope.Walk(temp.path() + "/tree");
    });
    if (result == "skip") GTEST_SKIP() << "hard limit of open files too low";
    EXPECT_EQ(result, "lines=1 matches=1 skipped=0 unrepresentable=0");
    EXPECT_EQ(ReadFile(temp.path() + "/out.txt"), "bottom.htm\r\n");
}

// Folders waiting for their last sub-folder to be entered are held open up
// to a quarter of the soft limit, and the readers and the output file find
// room in the rest: nothing is passed over, also with hundreds waiting. The
// comb's next level is the folder the file system lists first, so that the
// side folder waits at every level.
TEST(PosixWalk, LeavesRoomForReadersAndOutputUnderALowLimitWithManyFoldersHeld) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0777);
    temp.Folder("comb/a");
    temp.Folder("comb/b");
    std::string next;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path() + "/comb")) {
        if (next.empty()) next = entry.path().filename().string();
    }
    std::string level = "comb";
    for (int i = 0; i < 200; ++i) {
        temp.File(level + "/page.htm");
        temp.Folder(level + "/a");
        temp.Folder(level + "/b");
        level += "/" + next;
    }
    const std::string result = RunUnprivileged([&] {
        std::size_t open_now = 0;
        for ([[maybe_unused]] const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) ++open_now;
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = open_now + 32;
        if (limit.rlim_max < limit.rlim_cur) return std::string("skip");
        setrlimit(RLIMIT_NOFILE, &limit);
        RunScope scope(Settings(FileClass::kHtm, false, false), temp.path() + "/out.txt");
        return scope.Walk(temp.path() + "/comb");
    });
    if (result == "skip") GTEST_SKIP() << "hard limit of open files too low";
    EXPECT_EQ(result, "lines=200 matches=200 skipped=0 unrepresentable=0");
    EXPECT_EQ(CrLfLines(temp.path() + "/out.txt").size(), 200u);
}

// A listing that breaks off after some entries says why, which makes the
// walk pass its folder over. Here the folder of a process's open files goes
// with the process while it is being read.
TEST(PosixFolder, ListingThatBreaksOffPartWaySaysWhy) {
    constexpr int kFiles = 3000;  // listed in several reads
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = std::max<rlim_t>(limit.rlim_cur, std::min<rlim_t>(limit.rlim_max, kFiles + 100));
        setrlimit(RLIMIT_NOFILE, &limit);
        int opened = 0;
        while (opened < kFiles && dup(ready[1]) >= 0) ++opened;
        const char answer = opened == kFiles ? 'y' : 'n';
        [[maybe_unused]] const auto written = write(ready[1], &answer, 1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char answer = 'n';
    [[maybe_unused]] const auto got = read(ready[0], &answer, 1);
    close(ready[0]);
    std::unique_ptr<Folder> folder;
    FindData entry;
    if (answer == 'y') {
        folder = NativePlatform().OpenFolder("/proc/" + std::to_string(child) + "/fd/");
        EXPECT_TRUE(folder->Next(entry));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (answer != 'y') GTEST_SKIP() << "hard limit of open files too low";
    std::size_t entries = 1;
    while (folder->Next(entry)) ++entries;
    EXPECT_LT(entries, static_cast<std::size_t>(kFiles));
    EXPECT_EQ(folder->ListingError(), std::strerror(ENOENT));
}

// Another file system mounted below the start folder is a volume of its own.
TEST(PosixWalk, DoesNotEnterAMountPointBelowTheStartFolder) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting needs root";
    TempFolder temp;
    temp.File("tree/a.htm");
    const std::string point = temp.Folder("tree/mounted");
    if (mount("marrowpine-test", point.c_str(), "tmpfs", 0, nullptr) != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    struct Unmount {
        std::string point;
        ~Unmount() { umount2(point.c_str(), MNT_DETACH); }
    } unmount{point};
    ASSERT_TRUE(std::ofstream(point + "/inside.htm").good());

    RunScope scope(Settings(FileClass::kHtm, false, false), temp.path() + "/out.txt");
    EXPECT_EQ(scope.Walk(temp.path() + "/tree"), "lines=1 matches=1 skipped=0 unrepresentable=0");
    EXPECT_EQ(CrLfLines(temp.path() + "/out.txt"), std::vector<std::string>{"a.htm"});
}

TEST(PosixWalk, MissingStartFolderSaysWhichAndWhy) {
    TempFolder temp;
    RunScope scope(Settings(FileClass::kHtm), temp.path() + "/out.htm");
    const std::string missing = temp.path() + "/missing";
    try {
        scope.Walk(missing);
        FAIL() << "no error";
    } catch (const SearchError& error) {
        EXPECT_EQ(std::string(error.what()),
                  std::string(kCannotOpenStartFolder) + ": " + missing + "/ (No such file or directory)");
    }
}

TEST(PosixWalk, PassesOverFoldersItMayNotReadAndListsTheRest) {
    TempFolder temp;
    const std::string root = temp.path();
    temp.File("tree/a.htm");
    temp.File("tree/locked/secret.htm");
    temp.File("tree/no-exec/b.htm");
    temp.File("tree/no-exec/inner/c.htm");
    temp.File("tree/z.htm");
    chmod(root.c_str(), 0777);
    chmod((root + "/tree").c_str(), 0777);
    chmod((root + "/tree/locked").c_str(), 0);
    chmod((root + "/tree/no-exec").c_str(), 0444);  // names readable, nothing below enterable

    const std::string result = RunUnprivileged([&] {
        RunScope scope(Settings(FileClass::kHtm, false, false), root + "/out.txt");
        return scope.Walk(root + "/tree");
    });
    const std::string expected_message = "lines=3 matches=3 skipped=2 unrepresentable=0\n";
    ASSERT_EQ(result.rfind(expected_message, 0), 0u) << result;
    const std::string paths = result.substr(expected_message.size());
    EXPECT_NE(paths.find(root + "/tree/locked"), std::string::npos) << paths;
    EXPECT_NE(paths.find(root + "/tree/no-exec/inner"), std::string::npos) << paths;
    EXPECT_EQ(CrLfLines(root + "/out.txt", true), (std::vector<std::string>{"a.htm", "b.htm", "z.htm"}));
}

TEST(PosixWalk, ReadOnlyOutputFolderEndsTheRunWithTheReason) {
    TempFolder temp;
    const std::string root = temp.path();
    temp.File("tree/a.htm");
    temp.Folder("read-only");
    chmod(root.c_str(), 0755);
    chmod((root + "/read-only").c_str(), 0555);
    const std::string out = root + "/read-only/out.htm";
    const std::string result = RunUnprivileged([&] {
        RunScope scope(Settings(FileClass::kHtm), out);
        return scope.Walk(root + "/tree");
    });
    EXPECT_EQ(result, "error: " + std::string(kCannotOpenOutput) + ": " + out + " (Permission denied)");
    EXPECT_FALSE(test_support::Exists(out));
}

}  // namespace
