// The output file on a real POSIX file system: places that cannot take
// lines, special files, a write cut short, and links that lead to their
// files whatever encoding the page is read in.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <ostream>
#include <string>
#include <vector>

#include "listing_line.h"
#include "output_file.h"
#include "platform.h"
#include "posix_test_support.h"
#include "search_error.h"
#include "test_support.h"
#include "text_utf8.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::CrLfLines;
using test_support::ReadFile;
using test_support::RunScope;
using test_support::RunUnprivileged;
using test_support::Settings;
using test_support::TempFolder;

std::string OpenError(const std::string& path, const std::string& reason) {
    return "error: " + std::string(kCannotOpenOutput) + ": " + path + " (" + reason + ")";
}

// A run without a match must not complete when no line could have been
// written, and must leave the place as it was.
TEST(PosixOutput, RunWithoutMatchIntoAPlaceThatCannotTakeLinesFails) {
    TempFolder temp;
    const std::string root = temp.path();
    temp.Folder("tree");
    temp.Folder("read-only");
    const std::string old_file = temp.File("old.htm", "old\r\n");
    chmod(root.c_str(), 0755);
    chmod((root + "/read-only").c_str(), 0555);
    chmod(old_file.c_str(), 0444);
    for (const std::string& out : {root + "/read-only/out.htm", old_file}) {
        const std::string result = RunUnprivileged([&] {
            RunScope scope(Settings(FileClass::kHtm), out);
            return scope.Walk(root + "/tree");
        });
        EXPECT_EQ(result, OpenError(out, "Permission denied"));
    }
    EXPECT_FALSE(test_support::Exists(root + "/read-only/out.htm"));
    EXPECT_EQ(ReadFile(old_file), "old\r\n");
}

// Opening a FIFO for writing waits for a reader: the run would hang, and the
// window with it. Such files are refused at once; a character device is not.
TEST(PosixOutput, SpecialFilesAreRefusedAtOnceAndDevicesTaken) {
    TempFolder temp;
    temp.File("tree/a.htm");
    const std::string lonely = temp.path() + "/lonely.fifo", read = temp.path() + "/read.fifo";
    ASSERT_EQ(mkfifo(lonely.c_str(), 0666), 0);
    ASSERT_EQ(mkfifo(read.c_str(), 0666), 0);
    const int reader = open(read.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (const std::string& out : {lonely, read, std::string("/dev/null")}) {
        const std::string result = test_support::RunInChild(
            [&] {
                alarm(1);  // a run that blocks dies here
                RunScope scope(Settings(FileClass::kHtm), out);
                return scope.Walk(temp.path() + "/tree");
            },
            false);
        if (out == "/dev/null") {
            EXPECT_EQ(result, "lines=1 matches=1 skipped=0 unrepresentable=0");
        } else {
            EXPECT_EQ(result, OpenError(out, kNotAFileOrDevice));
        }
    }
    close(reader);
}

// A write that stops part way (here at the file size limit, short write then
// EFBIG) is taken back: the file keeps whole lines only.
TEST(PosixOutput, AWriteCutShortIsTakenBack) {
    TempFolder temp;
    const std::string out = temp.path() + "/out.txt";
    const std::string full = "/" + std::string(35, 'n') + ".htm";  // 42 bytes with CR LF
    const std::string result = test_support::RunInChild(
        [&] {
            IgnoreWriteSignals();
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
            RunScope scope(Settings(FileClass::kHtm, false, true), out);
            OutputFile output(NativePlatform().Output(), OutputTarget{out, false});
            for (int line = 0; line < 3; ++line) WriteListingLine(output, scope.request, full, full.substr(1));
            return std::string("no error");
        },
        false);
    EXPECT_EQ(result, "error: " + std::string(kCannotWriteOutput) + ": " + out + " (File too large)");
    EXPECT_EQ(ReadFile(out), full + "\r\n" + full + "\r\n");
}

// A file that may be written but not read, ending inside a line: the run
// cannot see its last byte, so its first line starts on a line of its own.
TEST(PosixOutput, AWriteOnlyFileWithAnUnfinishedLineGetsALineEndFirst) {
    TempFolder temp;
    temp.File("tree/a.htm");
    const std::string out = temp.File("out.txt", "PARTIAL-NO-LF");
    chmod(temp.path().c_str(), 0755);
    chmod(out.c_str(), 0222);
    const std::string result = RunUnprivileged([&] {
        RunScope scope(Settings(FileClass::kHtm, false, false), out);
        return scope.Walk(temp.path() + "/tree");
    });
    EXPECT_EQ(result, "lines=1 matches=1 skipped=0 unrepresentable=0");
    chmod(out.c_str(), 0644);
    EXPECT_EQ(ReadFile(out), "PARTIAL-NO-LF\r\na.htm\r\n");
}

struct SwapCase {
    std::string label;
    void (*swap)(const std::string& out, const std::string& other);
    friend std::ostream& operator<<(std::ostream& os, const SwapCase& c) { return os << c.label; }
};

class PathSwappedMidRun : public testing::TestWithParam<SwapCase> {};

// A run stopped after its first lines while its output path is made to name
// another file, then continued: nothing reaches that other file, the run's
// own file gets every line, and the run ends with an error that says so. (Run as root in a folder others can write
// to, anything else would let anyone have any file appended to.)
TEST_P(PathSwappedMidRun, LinesGoOnlyToTheFileTheRunOpened) {
    TempFolder temp;
    for (int i = 0; i < 5; ++i) temp.File("tree/" + std::to_string(i) + ".htm");
    const std::string out = temp.path() + "/out.txt";
    const std::string other = temp.File("other.txt", "another file's unfinished line");
    const pid_t child = fork();
    if (child == 0) {
        RunScope scope(Settings(FileClass::kHtm, false, false), out);
        int matches = 0;
        scope.observer.match = [&](const std::string&) {
            if (++matches == 3) raise(SIGSTOP);  // two lines are written
        };
        try {
            scope.Walk(temp.path() + "/tree");
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
    ASSERT_TRUE(WIFSTOPPED(status));
    const int runs_file = open(out.c_str(), O_RDONLY);
    GetParam().swap(out, other);
    kill(child, SIGCONT);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    // The run tells that its file is no longer at the path.
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(ReadFile(out), "another file's unfinished line");
    std::string lines;
    char buffer[256];
    for (ssize_t n; (n = read(runs_file, buffer, sizeof buffer)) > 0;) lines.append(buffer, static_cast<std::size_t>(n));
    close(runs_file);
    EXPECT_EQ(lines.size(), 5 * std::string("0.htm\r\n").size()) << lines;
}

INSTANTIATE_TEST_SUITE_P(
    Output, PathSwappedMidRun,
    testing::Values(SwapCase{"link_to_another_file",
                             [](const std::string& out, const std::string& other) {
                                 unlink(out.c_str());
                                 ASSERT_EQ(symlink(other.c_str(), out.c_str()), 0);
                             }},
                    SwapCase{"file_renamed_over_it",
                             [](const std::string& out, const std::string& other) {
                                 ASSERT_EQ(rename(other.c_str(), out.c_str()), 0);
                             }}),
    [](const auto& info) { return info.param.label; });

// A name with a line break keeps to one TEXT line and is counted with the
// names the output cannot hold.
TEST(PosixOutput, ANameWithALineBreakCannotForgeALine) {
    TempFolder temp;
    temp.File("in/x.htm\r\nforged.htm");
    const std::string out = temp.path() + "/out.txt";
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    EXPECT_EQ(scope.Walk(temp.path() + "/in"), "lines=1 matches=1 skipped=0 unrepresentable=1");
    EXPECT_EQ(CrLfLines(out), std::vector<std::string>{"x.htm??forged.htm"});
}

// windows-1252 for the bytes 0x80 to 0x9F, as browsers decode them; the rest is Latin-1.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8Percent(char32_t code, std::string& out) {
    std::string bytes;
    if (code < 0x80) {
        bytes = static_cast<char>(code);
    } else if (code < 0x800) {
        bytes = {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
    } else {
        bytes = {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (code & 0x3F))};
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char b : bytes) out += {'%', kHex[static_cast<unsigned char>(b) >> 4], kHex[b & 0x0F]};
}

// The file a browser opens for a link target read in the page's encoding:
// it decodes the page's bytes to characters, writes those beyond ASCII as
// percent-encoded UTF-8, and percent-decodes the path.
std::string ResolvedPath(const std::string& target, bool page_as_utf8) {
    std::string url;
    for (std::size_t pos = 0; pos < target.size();) {
        const auto byte = static_cast<unsigned char>(target[pos]);
        if (byte < 0x80) {
            url.push_back(target[pos++]);
        } else if (page_as_utf8) {
            const DecodedChar ch = DecodeChar(target, pos);
            AppendUtf8Percent(ch.valid ? ch.code : 0xFFFD, url);
            pos += ch.length;
        } else {
            AppendUtf8Percent(byte < 0xA0 ? kWindows1252[byte - 0x80] : byte, url);
            ++pos;
        }
    }
    return "/" + test_support::PercentDecode(url);
}

// The lines are plain ASCII, so that the names read the same in every
// encoding too.
TEST(PosixOutput, LinksLeadToTheirFilesWhateverEncodingThePageIsReadIn) {
    TempFolder temp;
    const std::vector<std::string> names = {"caf\xe9.htm", "M\xfcller \x80.htm", "日本語.htm"};
    std::vector<std::string> files;
    for (const std::string& name : names) files.push_back(temp.File("in/" + name));
    const std::string out = temp.path() + "/日本語.htm";
    RunScope scope(Settings(FileClass::kHtm, true, true), out);
    scope.Walk(temp.path() + "/in");
    std::vector<std::string> as_windows_1252, as_utf8;
    const std::string head = "<A HREF=file:///";
    for (const std::string& line : CrLfLines(out)) {
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << line;
        const std::string target = line.substr(head.size(), line.find('>') - head.size());
        as_windows_1252.push_back(ResolvedPath(target, false));
        as_utf8.push_back(ResolvedPath(target, true));
    }
    std::sort(files.begin(), files.end());
    std::sort(as_windows_1252.begin(), as_windows_1252.end());
    std::sort(as_utf8.begin(), as_utf8.end());
    EXPECT_EQ(as_windows_1252, files);
    EXPECT_EQ(as_utf8, files);
}

}  // namespace
