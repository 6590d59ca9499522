// The read-ahead's parts over a scripted fake file system: which folder
// handles stay open, how a folder is found again, and readers that pause at
// the read-ahead's limit. Also run under ThreadSanitizer.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <new>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fake_platform.h"
#include "read_ahead.h"

namespace {

using namespace Module1;
using test_support::FakeNode;
using test_support::FakePlatform;

// Takes every folder as the walk does: depth first, in listing order.
// `before_take` runs before each sub-folder is taken. Returns the folders
// entered, each as its depth and name, and those passed over with the reason.
std::vector<std::string> WalkAhead(ReadAhead& ahead, const std::function<void(const FolderNode&)>& before_take = {}) {
    struct Level {
        std::shared_ptr<FolderNode> node;
        std::size_t next = 0;
    };
    std::vector<Level> levels{{ahead.Start()}};
    std::vector<std::string> entered;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.node->subfolders.size()) {
            ahead.Release(*level.node);
            levels.pop_back();
            continue;
        }
        std::shared_ptr<FolderNode> sub = level.node->subfolders[level.next++];
        if (before_take) before_take(*sub);
        ahead.Take(*sub);
        const std::string folder = std::to_string(levels.size()) + ":" + sub->name;
        if (!sub->entered) {
            if (!sub->failure.empty()) entered.push_back(folder + " passed over: " + sub->failure);
            continue;
        }
        entered.push_back(folder);
        levels.push_back({sub});
    }
    return entered;
}

// LEVELS nested folders, each holding a file, an empty side folder and the
// next level, the side folder listed first or last.
FakeNode Comb(int levels, bool side_last) {
    FakeNode root;
    FakeNode* level = &root;
    for (int i = 0; i < levels; ++i) {
        level->File("page.htm");
        if (!side_last) level->Dir("side");
        FakeNode& next = level->Dir("d");
        if (side_last) level->Dir("side");
        level = &next;
    }
    return root;
}

ReadAheadLimits Limits(std::size_t readers, std::size_t folders, std::size_t open_folders) {
    ReadAheadLimits limits;
    limits.readers = readers;
    limits.folders = folders;
    limits.open_folders = open_folders;
    return limits;
}

// Waits until the condition holds, or gives up after a while.
void WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds most = std::chrono::seconds(5)) {
    const auto until = std::chrono::steady_clock::now() + most;
    while (!condition() && std::chrono::steady_clock::now() < until) std::this_thread::yield();
}

// Each folder is entered once when it is read; every other name entered and
// every step up through ".." is a reopening. With a handful of handles, in
// either order, also when the readers get through the side folders at uneven
// speed (so that they leave some behind), a comb costs a few reopenings per
// level; and no more handles are open at once than the budget and two for
// each thread that reads, the walk's included.
TEST(OpenFolders, ReopenFewNamesPerLevelOfACombAtAnyDepth) {
    struct Handles {
        std::size_t budget, readers;
    };
    for (const bool side_last : {false, true}) {
        for (const Handles handles : {Handles{4, 0}, {4, 2}, {5, 2}, {16, 0}, {16, 3}, {16, 8}}) {
            for (const int levels : {1000, 3000}) {
                FakePlatform platform("/r/", Comb(levels, side_last));
                const std::thread::id walk = std::this_thread::get_id();
                std::atomic<int> sides = 0;
                platform.script.on_enter = [&](const std::string& name) {
                    if (name == "side" && std::this_thread::get_id() != walk && sides++ % 2 == 0) {
                        std::this_thread::yield();
                    }
                    return std::string();
                };
                std::size_t folders = 0;
                {
                    ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(handles.readers, 64, handles.budget));
                    folders = WalkAhead(ahead).size();
                }
                ASSERT_EQ(folders, 2u * levels);
                const long reopened = platform.script.enters + platform.script.ups - static_cast<long>(folders);
                const std::string shape = std::string(side_last ? "side last, " : "side first, ") + "budget " +
                                          std::to_string(handles.budget) + ", " + std::to_string(handles.readers) +
                                          " readers, " + std::to_string(levels) + " levels";
                EXPECT_LE(reopened, 3L * levels) << shape;
                EXPECT_LE(platform.script.most_live, static_cast<int>(handles.budget + 2 * (handles.readers + 1)))
                    << shape;
                EXPECT_EQ(platform.script.live, 0);
            }
        }
    }
}

// Readers far ahead on a comb's chain of levels and behind on its side
// folders, leaving every other one, make the levels whose side was read the
// ways back up to those whose side was not. When those fill the budget, the
// next level read is still kept, so reading on costs no reopening.
TEST(OpenFolders, WaysBackThatFillTheBudgetDoNotPushOutTheFolderJustKept) {
    FakePlatform platform("/r/", Comb(61, true));
    OpenFolders open(4);
    std::vector<std::shared_ptr<FolderNode>> levels{std::make_shared<FolderNode>()}, sides;
    const auto sub = [](FolderNode& parent, const char* name) {
        auto node = std::make_shared<FolderNode>();
        node->parent = parent.shared_from_this();
        node->name = name;
        return node;
    };
    for (int i = 0; i < 60; ++i) {
        levels.push_back(sub(*levels[i], "d"));
        sides.push_back(sub(*levels[i], "side"));
    }
    open.Read(*levels[0], platform.OpenFolder("/r/"), 2);
    const auto read = [&](FolderNode& node, std::size_t subfolders) {
        OpenFolders::ParentFolder parent = open.Parent(node, OpenFolders::Asker::kReader);
        ASSERT_TRUE(parent.folder) << (parent.too_far ? "too far from every open folder" : parent.failure);
        std::unique_ptr<Folder> folder = parent.folder->Enter(node.name).folder;
        parent.folder.reset();
        open.Read(node, std::move(folder), subfolders);
        open.Entered(node);
    };
    for (int i = 1; i <= 10; ++i) read(*levels[i], 2);
    for (const int i : {9, 7, 5}) read(*sides[i], 0);
    const long before = platform.script.enters + platform.script.ups;
    for (int i = 11; i <= 60; ++i) read(*levels[i], 2);
    EXPECT_LE(platform.script.enters + platform.script.ups - before, 2 * 50);
}

// With no reader at work, every handle open is one the walk keeps.
TEST(OpenFolders, KeepNoMoreHandlesThanTheBudget) {
    for (const std::size_t budget : {2, 5, 16}) {
        FakePlatform platform("/r/", Comb(200, true));
        ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(0, 64, budget));
        int most = 0;
        WalkAhead(ahead, [&](const FolderNode&) { most = std::max(most, platform.script.live.load()); });
        EXPECT_EQ(most, static_cast<int>(budget));
    }
}

// ".." of a folder that was moved leads elsewhere: the folder is then found
// by its names, and nothing of the other place is entered.
TEST(OpenFolders, FindAMovedFolderByItsNamesNotThroughDotDot) {
    FakeNode elsewhere;
    elsewhere.Dir("side").Dir("outside");
    const std::vector<std::string> expected = [] {
        FakePlatform plain("/r/", Comb(100, true));
        ReadAhead ahead(plain, plain.OpenFolder("/r/"), Limits(0, 64, 4));
        return WalkAhead(ahead);
    }();
    FakePlatform platform("/r/", Comb(100, true));
    platform.script.up_to = [&](const FakeNode&) { return &elsewhere; };
    ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(0, 64, 4));
    EXPECT_EQ(WalkAhead(ahead), expected);
    EXPECT_GT(platform.script.ups, 0);
}

// A folder that cannot be opened again is passed over with the reason; the
// walk goes on with the rest.
TEST(OpenFolders, PassOverAFolderThatCannotBeOpenedAgain) {
    const FakeNode nowhere;
    FakePlatform platform("/r/", Comb(40, true));
    platform.script.up_to = [&](const FakeNode&) { return &nowhere; };  // so reopening goes by names
    bool failed = false;
    platform.script.on_enter = [&](const std::string& name) -> std::string {
        if (name != "d" || failed || platform.script.ups == 0) return "";
        failed = true;
        return "Input/output error";
    };
    ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(0, 64, 3));
    std::size_t sides = 0, passed_over = 0;
    for (const std::string& folder : WalkAhead(ahead)) {
        sides += folder.ends_with(":side");
        passed_over += folder.ends_with(":side passed over: Input/output error");
    }
    EXPECT_EQ(sides, 39u);
    EXPECT_EQ(passed_over, 1u);
}

// Readers that stopped at the read-ahead's limit go on once the walk has
// taken what they read, also when the limit is a single folder.
TEST(ReadAheadQueue, ReadersGoOnAfterAPauseUnderATinyLimit) {
    FakeNode root;
    for (int i = 0; i < 12; ++i) root.Dir("f" + std::to_string(i)).File("page.htm");
    FakePlatform platform("/r/", root);
    const std::thread::id walk = std::this_thread::get_id();
    std::mutex mutex;
    std::set<std::string> read_by_readers;
    platform.script.on_enter = [&](const std::string& name) {
        if (std::this_thread::get_id() != walk) {
            std::lock_guard lock(mutex);
            read_by_readers.insert(name);
        }
        return std::string();
    };
    ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(2, 1, 8));
    // Each folder is taken only once a reader has read it and the readers
    // have stopped at the limit; waiting gives up at the first that never is.
    bool waiting = true;
    WalkAhead(ahead, [&](const FolderNode& sub) {
        for (int tries = 0; waiting && tries < 5000; ++tries) {
            {
                std::lock_guard lock(mutex);
                if (read_by_readers.contains(sub.name) && ahead.ReadersPaused()) return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        waiting = false;
    });
    std::lock_guard lock(mutex);
    EXPECT_EQ(read_by_readers.size(), 12u);
}

// Only a listing's own failure passes a folder over: anything else a reader
// meets, running out of memory say, ends the walk with it when it gets there.
TEST(ReadAheadQueue, AnErrorInAReaderEndsTheWalkWithIt) {
    FakeNode root;
    for (int i = 0; i < 6; ++i) root.Dir("f" + std::to_string(i)).File("page.htm");
    FakePlatform platform("/r/", root);
    const std::thread::id walk = std::this_thread::get_id();
    std::atomic<bool> thrown = false;
    platform.script.on_enter = [&](const std::string& name) -> std::string {
        if (name != "f3" || std::this_thread::get_id() == walk) return "";
        thrown = true;
        throw std::bad_alloc();
    };
    ReadAhead ahead(platform, platform.OpenFolder("/r/"), Limits(2, 64, 8));
    EXPECT_THROW(WalkAhead(ahead, [&](const FolderNode& sub) {
                     if (sub.name == "f3") WaitFor([&] { return thrown.load(); });
                 }),
                 std::bad_alloc);
    EXPECT_TRUE(thrown) << "no reader came to f3 first";
}

}  // namespace
