// The walk with folders read ahead on reader threads against the walk that
// reads every folder itself: same lines, same order, same messages, over
// hostile and large trees, at any depth and while the tree changes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform.h"
#include "posix_test_support.h"
#include "run_search.h"
#include "test_support.h"

namespace {

using namespace Module1;
using test_support::RunScope;
using test_support::Settings;
using test_support::TempFolder;
namespace fs = std::filesystem;

WalkLimits Sequential() { return {0, 1024, 4 << 20, 64}; }
WalkLimits Tight() { return {3, 2, 512, 1}; }  // every budget spent at once: reopen, take over, wait
WalkLimits Roomy() { return {4, 1024, 4 << 20, 64}; }

// A folder for a large tree: a tmpfs of its own when the tests may mount
// one (as root), which is quick to fill and to take away.
class ScratchVolume {
public:
    explicit ScratchVolume(const TempFolder& temp) : path_(temp.Folder("volume")) {
        mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=1g,nr_inodes=1m") == 0;
        chmod(path_.c_str(), 0777);
    }
    ~ScratchVolume() {
        if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    }
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;
    const std::string& path() const { return path_; }
    bool mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

// One walk; what it wrote and what it met, or the error.
std::string Walk(const std::string& folder, const RunRequest& settings, const WalkLimits& limits,
                 const std::string& output) {
    fs::remove(output);
    RunScope scope(settings, output);
    scope.request.start_folder = folder;
    scope.request.limits = limits;
    std::string message;
    WalkSummary summary;
    try {
        RunSearch(NativePlatform(), scope.request, scope.observer, summary);
        message = test_support::Outcome(summary);
    } catch (const std::exception& error) {
        message = std::string("error: ") + error.what();
    }
    return test_support::ReadFile(output) + "\n--\n" + message + "\nentries=" + std::to_string(summary.entries);
}

struct Style {
    FileClass class_field;
    std::string free_text;
};
const std::vector<Style> kClasses = {
    {FileClass::kHtm, ""},  {FileClass::kJpgGif, ""}, {FileClass::kJpg, ""},
    {FileClass::kGif, ""},  {FileClass::kTxt, ""},     {FileClass::kOther, "*"},
    {FileClass::kOther, "jpeg"},
};

// Every class, each in the next of the four output and name styles, so that
// every style is seen: the walk with readers writes exactly what the
// sequential walk writes. Returns the first difference.
std::string CompareAllClasses(const std::string& folder, const std::string& out) {
    int round = 0;
    for (const Style& style : kClasses) {
        const bool html = round % 2 == 0, full_path = round / 2 % 2 == 0;
        const RunRequest settings = Settings(style.class_field, html, full_path, style.free_text);
        const std::string sequential = Walk(folder, settings, Sequential(), out);
        const std::string ahead = Walk(folder, settings, ++round % 2 ? Tight() : Roomy(), out);
        if (sequential != ahead) {
            return "round " + std::to_string(round) + " differs:\n" + sequential + "\n=====\n" + ahead;
        }
    }
    return "same";
}

TEST(ReadAhead, WritesWhatTheSequentialWalkWritesOverAHostileTree) {
    TempFolder temp;
    const std::string root = temp.path() + "/tree";
    std::string low, high;
    for (int byte = 1; byte < 0x80; ++byte) {
        if (byte != '/') low.push_back(static_cast<char>(byte));
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) high.push_back(static_cast<char>(byte));
    for (const std::string& name : {low + ".htm", high + ".jpg", std::string("\xff\xfe.GIF"), std::string("a.txt")}) {
        temp.File("tree/" + name);
        temp.File("tree/" + high + "/" + name);
        temp.File("tree/open/a/b/c/" + name);
        temp.File("tree/locked/" + name);
        temp.File("tree/names-only/inner/" + name);
        temp.File("tree/.cache/" + name);
    }
    temp.Folder("tree/empty");
    fs::create_symlink(".", root + "/loop");
    fs::create_symlink("..", root + "/open/up.htm");
    fs::create_symlink("a.txt", root + "/link.txt");
    fs::create_symlink("missing", root + "/broken.htm");
    const bool mounted = mount("tmpfs", temp.Folder("tree/mounted").c_str(), "tmpfs", 0, nullptr) == 0;
    if (mounted) temp.File("tree/mounted/on-another-volume.htm");
    chmod(temp.path().c_str(), 0777);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_directory() && !entry.is_symlink()) chmod(entry.path().c_str(), 0777);
    }
    chmod((root + "/locked").c_str(), 0);
    chmod((root + "/names-only").c_str(), 0444);

    const std::string result =
        test_support::RunInChild([&] { return CompareAllClasses(root, temp.path() + "/out"); }, true);
    if (mounted) umount((root + "/mounted").c_str());
    EXPECT_EQ(result, "same");
}

TEST(ReadAhead, WritesWhatTheSequentialWalkWritesOverASeededTreeOf50000Entries) {
    TempFolder temp;
    const ScratchVolume volume(temp);
    const std::string root = volume.path() + "/tree";
    fs::create_directory(root);
    std::mt19937 random(9);
    const std::vector<std::string> extensions = {"htm", "HTML", "jpg", "JPEG", "gif", "txt", "Text", "png", "", "jpeg"};
    std::vector<std::string> folders{root};
    for (int entry = 0; entry < 50000; ++entry) {
        const std::string& parent = folders[random() % folders.size()];
        const std::string name = std::to_string(entry);
        if (random() % 12 == 0) {
            fs::create_directory(parent + "/" + name + " d");
            folders.push_back(parent + "/" + name + " d");
        } else {
            const std::string& extension = extensions[random() % extensions.size()];
            const int fd = open((parent + "/" + name + (extension.empty() ? "" : "." + extension)).c_str(),
                                O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(fd, 0);
            close(fd);
        }
    }
    EXPECT_EQ(CompareAllClasses(root, temp.path() + "/out"), "same");
}

// Makes LEVELS nested folders "d", every thousandth with "page.htm",
// relative to the one above, since their paths are longer than any path the
// system takes.
void MakeChain(const std::string& root, int levels) {
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 1; level <= levels && fd >= 0; ++level) {
        if (level % 1000 == 0) close(openat(fd, "page.htm", O_CREAT | O_WRONLY, 0644));
        mkdirat(fd, "d", 0755);
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    close(fd);
}

// Takes the chain apart from the top, one level at a time, with short paths.
void RemoveChain(const std::string& root) {
    const std::string top = root + "/d", next = root + "/next";
    while (fs::exists(top)) {
        if (fs::exists(top + "/d")) fs::rename(top + "/d", next);
        fs::remove_all(top);
        if (fs::exists(next)) fs::rename(next, top);
    }
}

TEST(ReadAhead, WalksAHundredThousandLevelsWithinSixtyFourOpenFiles) {
    TempFolder temp;
    const ScratchVolume volume(temp);
    const std::string root = volume.path() + "/deep";
    fs::create_directory(root);
    constexpr int kLevels = 100000;
    MakeChain(root, kLevels);
    const std::string result = test_support::RunInChild([&] {
        const rlimit limit{64, 64};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("setrlimit failed");
        const std::string out = temp.path() + "/out.txt";
        RunScope scope(Settings(FileClass::kHtm, false, false), out);
        std::string message;
        try {
            message = scope.Walk(root);
        } catch (const std::exception& error) {
            return std::string(error.what());
        }
        const std::string text = test_support::ReadFile(out);
        std::size_t lines = 0;
        for (std::size_t at = 0; (at = text.find("page.htm\r\n", at)) != std::string::npos; at += 10) ++lines;
        return message + ", " + std::to_string(lines) + " lines of " + std::to_string(text.size() / 10);
    }, false);
    if (!volume.mounted()) RemoveChain(root);
    EXPECT_EQ(result, "lines=100 matches=100 skipped=0 unrepresentable=0, 100 lines of 100");
}

// The nice value of one of this process's threads, from /proc.
int NiceOf(const std::string& task) {
    std::ifstream stat("/proc/self/task/" + task + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const std::size_t name_end = text.rfind(')');  // the name may hold spaces
    if (name_end == std::string::npos) return 0;
    std::istringstream fields(text.substr(name_end + 1));
    int nice = 0;
    std::string field;
    for (int i = 3; i <= 19 && fields >> field; ++i) {
        if (i == 19) nice = std::stoi(field);
    }
    return nice;
}

// Readers give way to the walk's thread, also when the walk was started
// with a low priority of its own; the walk's thread (here the main thread,
// whose id is the process's) must keep its priority.
TEST(ReadAhead, ReadersGiveWayAndTheWalkKeepsItsPriority) {
    TempFolder temp;
    for (int i = 0; i < 300; ++i) temp.File("tree/" + std::to_string(i) + "/a/page.htm");
    const std::string result = test_support::RunInChild([&] {
        const std::string walk = std::to_string(gettid());
        setpriority(PRIO_PROCESS, gettid(), 15);  // as under `nice -n 15`
        const int before = NiceOf(walk);
        bool reader_lower = false;
        RunScope scope(Settings(FileClass::kHtm), temp.path() + "/out.htm");
        bool looked = false;
        scope.observer.event_turn = [&] {
            // The readers start with the walk; on a busy machine they may
            // need a moment before they run at all.
            for (int tries = 0; !looked && !reader_lower && tries < 200; ++tries) {
                for (const auto& task : fs::directory_iterator("/proc/self/task")) {
                    const std::string id = task.path().filename();
                    if (id != walk && NiceOf(id) > before) reader_lower = true;
                }
                if (!reader_lower) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            looked = true;
        };
        scope.request.start_folder = temp.path() + "/tree";
        scope.request.limits = Roomy();
        WalkSummary summary;
        RunSearch(NativePlatform(), scope.request, scope.observer, summary);
        return "walk " + std::to_string(NiceOf(walk) - before) + (reader_lower ? ", a reader lower" : ", no reader lower");
    }, false);
    EXPECT_EQ(result, "walk 0, a reader lower");
}

// While the walk runs, another thread renames, removes and locks folders and
// puts links to a folder outside in their place.
TEST(ReadAhead, SurvivesATreeThatChangesUnderIt) {
    TempFolder temp;
    chmod(temp.path().c_str(), 0777);
    const std::string root = temp.path() + "/tree";
    const std::string result = test_support::RunInChild([&] {
        // Made by the unprivileged child, so that it may lock and move what it made.
        for (int i = 0; i < 20; ++i) temp.File("outside/outside-" + std::to_string(i) + ".htm");
        for (int a = 0; a < 12; ++a) {
            for (int b = 0; b < 12; ++b) {
                for (int f = 0; f < 6; ++f) {
                    temp.File("tree/" + std::to_string(a) + "/" + std::to_string(b) + "/" + std::to_string(f) + ".htm");
                }
            }
        }
        std::atomic<bool> stop = false;
        std::thread churn([&] {
            std::mt19937 random(4);
            std::error_code ignored;
            while (!stop) {
                const std::string a = root + "/" + std::to_string(random() % 12);
                const std::string b = a + "/" + std::to_string(random() % 12);
                switch (random() % 5) {
                    case 0: fs::rename(b, a + "/" + std::to_string(random() % 12), ignored); break;
                    case 1: fs::remove_all(b, ignored); break;
                    case 2: chmod(b.c_str(), random() % 2 ? 0 : 0777); break;
                    case 3: fs::remove_all(b, ignored), fs::create_directory_symlink(temp.path() + "/outside", b, ignored); break;
                    default: fs::create_directories(b, ignored), close(open((b + "/new.htm").c_str(), O_CREAT | O_WRONLY, 0644)); break;
                }
            }
        });
        std::string problems;
        for (int run = 0; run < 8; ++run) {
            const std::string out = temp.path() + "/out-" + std::to_string(run) + ".txt";
            Walk(root, Settings(FileClass::kHtm, false, true), run % 2 ? Tight() : Roomy(), out);
            for (const std::string& line : test_support::CrLfLines(out)) {
                if (line.rfind(root + "/", 0) != 0 || line.find("outside") != std::string::npos ||
                    line.find("<no CR LF>") != std::string::npos) {
                    problems += line + "\n";
                }
            }
        }
        stop = true;
        churn.join();
        return problems;
    }, true);
    EXPECT_EQ(result, "");
}

}  // namespace
