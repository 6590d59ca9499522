// make-tree: writes a seeded synthetic folder tree for the benchmark.
//
//   make-tree [--seed N] [--entries N] [--folders N] [--depth N] DIR
//   make-tree --chain LEVELS DIR
//   make-tree --comb LEVELS [--side-last] DIR
//
// Defaults: 200000 entries (files and folders) in 20000 folders, depth up
// to 6. Names mix extensions and their case, blanks and Japanese words; about
// one file in ten is HTM/HTML. The same seed always gives the same tree.
// --chain nests LEVELS folders "d", each holding "page.htm", deeper than
// any path can name, for the depth benchmark. --comb nests LEVELS folders
// folders, each holding "page.htm", an empty side folder and the next level,
// the side folder listed first (last with --side-last), for the shapes
// benchmark.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kWords[] = {
    "index", "page", "photo", "img", "notes", "readme", "report", "data", "my page",
    "old copy", "draft", "写真", "資料", "日記", "ノート", "旅行 2024", "家族", "top",
};

// Extensions other than HTM/HTML, and their weights' stand-ins by repetition.
constexpr std::string_view kOtherExtensions[] = {
    "jpg", "JPG", "jpeg", "gif", "GIF", "png", "txt", "TXT", "text", "css", "js",
    "pdf", "doc", "md", "bak", "htm.bak", "html5", "", ".", "tar.gz",
};
constexpr std::string_view kHtmlExtensions[] = {"htm", "html", "HTM", "Html", "HTML"};

struct Node {
    std::string path;
    int depth;
};

int Fail(const std::string& what) {
    std::perror(what.c_str());
    return 1;
}

// Every level is made relative to the one above, so no path grows.
int MakeChain(const std::string& root, long levels) {
    if (mkdir(root.c_str(), 0755) != 0) return Fail("mkdir " + root);
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (long level = 0; fd >= 0 && level < levels; ++level) {
        const int file = openat(fd, "page.htm", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 || close(file) != 0 || mkdirat(fd, "d", 0755) != 0) return Fail("level " + std::to_string(level));
        const int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    if (fd < 0) return Fail("open");
    close(fd);
    return 0;
}

// The names of the folder's entries, in the order the file system lists them.
std::vector<std::string> ListingOrder(int fd) {
    std::vector<std::string> names;
    const int copy = dup(fd);
    DIR* dir = copy >= 0 ? fdopendir(copy) : nullptr;
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    }
    closedir(dir);
    return names;
}

// The file system decides the listing order (ext4 lists by a hash of the
// name): every level gets the folders "d" and "e", and the first level shows
// which of them is listed first, so which one is the next level.
int MakeComb(const std::string& root, long levels, bool side_last) {
    if (mkdir(root.c_str(), 0755) != 0) return Fail("mkdir " + root);
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    char next = 0;
    for (long level = 0; fd >= 0 && level < levels; ++level) {
        const int file = openat(fd, "page.htm", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 || close(file) != 0 || mkdirat(fd, "d", 0755) != 0 || mkdirat(fd, "e", 0755) != 0) {
            return Fail("level " + std::to_string(level));
        }
        if (next == 0) {
            std::string first;
            for (const std::string& name : ListingOrder(fd)) {
                if (first.empty() && (name == "d" || name == "e")) first = name;
            }
            next = side_last == (first == "d") ? 'd' : 'e';
        }
        const char name[] = {next, '\0'};
        const int below = openat(fd, name, O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = below;
    }
    if (fd < 0) return Fail("open");
    close(fd);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long seed = 1;
    long entries = 200000, folders = 20000, max_depth = 6, chain = 0, comb = 0;
    bool side_last = false;
    std::string root;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) seed = std::strtoul(argv[++i], nullptr, 10);
        else if (arg == "--entries" && i + 1 < argc) entries = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--folders" && i + 1 < argc) folders = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--depth" && i + 1 < argc) max_depth = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--chain" && i + 1 < argc) chain = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--comb" && i + 1 < argc) comb = std::strtol(argv[++i], nullptr, 10);
        else if (arg == "--side-last") side_last = true;
        else root = arg;
    }
    if (root.empty() || folders < 1 || entries < folders) {
        std::fprintf(stderr, "usage: make-tree [--seed N] [--entries N] [--folders N] [--depth N] DIR\n");
        return 2;
    }
    if (chain > 0) return MakeChain(root, chain);
    if (comb > 0) return MakeComb(root, comb, side_last);

    std::mt19937_64 random(seed);
    auto pick = [&random](std::size_t n) {
        return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
    };
    auto name = [&](long serial) {
        std::string word(kWords[pick(std::size(kWords))]);
        if (pick(2) == 0) word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        return word + " " + std::to_string(serial);
    };

    if (mkdir(root.c_str(), 0755) != 0) return Fail("mkdir " + root);
    std::vector<Node> nodes{{root, 0}};
    std::vector<std::size_t> open_parents{0};  // folders that may still get sub-folders
    for (long i = 1; i < folders; ++i) {
        const std::size_t parent = open_parents[pick(open_parents.size())];
        // Folders get a suffix of their own, so no file can take a folder's name.
        Node node{nodes[parent].path + "/" + name(i) + " d", nodes[parent].depth + 1};
        if (mkdir(node.path.c_str(), 0755) != 0) return Fail("mkdir " + node.path);
        if (node.depth < max_depth) open_parents.push_back(nodes.size());
        nodes.push_back(std::move(node));
    }

    const long files = entries - (folders - 1);  // the root itself is not an entry
    for (long i = 0; i < files; ++i) {
        const bool html = pick(10) == 0;
        std::string_view extension = html ? kHtmlExtensions[pick(std::size(kHtmlExtensions))]
                                          : kOtherExtensions[pick(std::size(kOtherExtensions))];
        std::string path = nodes[pick(nodes.size())].path + "/" + name(i);
        if (!extension.empty()) path += "." + std::string(extension);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return Fail("create " + path);
        close(fd);
    }
    return 0;
}
