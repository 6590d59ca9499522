// marrowpine-list as its users see it: exit codes, usage errors, one listing
// per style, the summary (also after a failure), names on a terminal, and
// its progress line.

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <ostream>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "progress_line.h"
#include "run_texts.h"
#include "test_support.h"

namespace {

using test_support::CrLfLines;
using test_support::ReadFile;
using test_support::TempFolder;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// Reads the first line of the tool's stdout and closes it, as `| head -1` does.
std::string ReadFirstLine(int fd) {
    std::string text;
    char c = 0;
    while (text.find('\n') == std::string::npos && read(fd, &c, 1) == 1) text.push_back(c);
    close(fd);
    return text;
}

// The locale the tool runs in: its language. The Japanese one is the
// build's own (a fresh system has none generated).
constexpr char kEnglish[] = "C.UTF-8", kJapanese[] = "ja_JP.UTF-8";

// Runs the tool in the folder with the arguments, in the locale; file_size
// caps the size of the files it writes; head stops reading its stdout after
// the first line; meanwhile is called with the tool's process while it runs.
ToolRun RunTool(const std::string& folder, const std::vector<std::string>& args, rlim_t file_size = RLIM_INFINITY,
                bool head = false, const char* locale = kEnglish,
                const std::function<void(pid_t)>& meanwhile = nullptr) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        if (chdir(folder.c_str()) != 0) _exit(126);
        // As a shell starts it: the tool itself must keep the signals of a
        // write past the size limit or into a pipe nobody reads from killing it.
        std::signal(SIGXFSZ, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        setenv("LC_ALL", locale, 1);
        setenv("LOCPATH", TEST_LOCPATH, 1);
        unsetenv("LANGUAGE");
        const rlimit limit{file_size, file_size};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<char*> argv = {const_cast<char*>(MARROWPINE_LIST)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(MARROWPINE_LIST, argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    if (meanwhile) meanwhile(child);
    ToolRun run;
    if (head) run.out = ReadFirstLine(out[0]);
    run.err = ReadAll(err[0]);  // small enough for the pipe: stdout cannot block the tool meanwhile
    if (!head) run.out = ReadAll(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::string LastLine(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);  // npos + 1 is 0
}

struct UsageCase {
    std::vector<std::string> args;
    std::string problem;
    friend std::ostream& operator<<(std::ostream& os, const UsageCase& c) { return os << c.problem; }
};

class UsageErrors : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitWithTwoSayingWhatIsWrongAndWriteNothing) {
    TempFolder temp;
    temp.File("web/a.htm");
    const ToolRun run = RunTool(temp.path(), GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "marrowpine-list: " + GetParam().problem +
                           "\nTry 'marrowpine-list --help' for more information.\n");
    EXPECT_FALSE(test_support::Exists(temp.path() + "/out.htm"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrors,
    testing::Values(
        UsageCase{{}, "--output FILE is required"},
        UsageCase{{"--output", "out.htm"}, "FOLDER is required"},
        UsageCase{{"--output", "out.htm", "web", "web"}, "more than one FOLDER: 'web' and 'web'"},
        UsageCase{{"--output"}, "--output needs a value"},
        UsageCase{{"--frob", "--output", "out.htm", "web"}, "unknown option '--frob'"},
        UsageCase{{"--class", "pdf", "--output", "out.htm", "web"}, "unknown class 'pdf'"},
        UsageCase{{"--class", "htm", "--class=gif", "--output", "out.htm", "web"}, "--class given more than once"},
        UsageCase{{"--ext", "txt", "--output", "out.htm", "web"}, "--ext needs --class other"},
        UsageCase{{"--class", "other", "--output", "out.htm", "web"}, "--class other needs --ext (\"*\" for every file)"},
        UsageCase{{"--style", "pdf", "--output", "out.htm", "web"}, "unknown style 'pdf'"},
        UsageCase{{"--names", "full", "--output", "out.htm", "web"}, "unknown names 'full'"}));

TEST(ListTool, HelpAndVersionGoToStdoutAndExitWithZero) {
    TempFolder temp;
    const ToolRun help = RunTool(temp.path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: marrowpine-list [OPTION]... --output FILE FOLDER\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    const ToolRun version = RunTool(temp.path(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("marrowpine-list (MARROWPINE) ", 0), 0u) << version.out;
}

// Each language whole: the help, a usage error with its hint, and a run's
// error with the system's reason, in English by default and in Japanese
// under a Japanese locale, never the one inside the other.
TEST(ListTool, SpeaksTheUsersLanguageAndOnlyThat) {
    struct Case {
        const char* locale;
        std::string help, usage, failure;
    };
    const Case cases[] = {
        {kEnglish, "Usage: marrowpine-list [OPTION]... --output FILE FOLDER\n",
         "marrowpine-list: unknown class 'pdf'\nTry 'marrowpine-list --help' for more information.\n",
         "marrowpine-list: cannot open the output file: @/missing/out.htm (No such file or directory)\n"},
        {kJapanese, "使い方: marrowpine-list [オプション]... --output ファイル フォルダー\n",
         "marrowpine-list: 不明な種類です: 'pdf'\n詳しくは 'marrowpine-list --help' を実行してください。\n",
         "marrowpine-list: 出力ファイルを開けません: @/missing/out.htm (そのようなファイルやディレクトリはありません)\n"},
    };
    TempFolder temp;
    temp.File("web/a.htm");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const ToolRun help = RunTool(temp.path(), {"--help"}, RLIM_INFINITY, false, c.locale);
        EXPECT_EQ(help.out.substr(0, c.help.size()), c.help);
        // English is ASCII throughout; the Japanese has no English sentence.
        if (std::string_view(c.locale) == kEnglish) {
            EXPECT_TRUE(std::all_of(help.out.begin(), help.out.end(), [](char b) { return b > 0; })) << help.out;
        } else {
            for (const char* english : {"Append one line", "show this help", "On a terminal", "Exit status"}) {
                EXPECT_EQ(help.out.find(english), std::string::npos) << english;
            }
        }
        EXPECT_EQ(RunTool(temp.path(), {"--class", "pdf", "--output", "out.htm", "web"}, RLIM_INFINITY, false, c.locale).err,
                  c.usage);
        const ToolRun failed = RunTool(temp.path(), {"--output", "missing/out.htm", "web"}, RLIM_INFINITY, false, c.locale);
        std::string failure = c.failure;
        failure.replace(failure.find('@'), 1, temp.path());
        EXPECT_EQ(failed.err.substr(0, failed.err.find('\n') + 1), failure);
    }
}

// Every text of the search module that a run of the tool can say has its
// English: the Japanese of texts.h would otherwise reach an English user.
// Read from texts.h itself, so that a text added there is not forgotten.
TEST(ListTool, EveryRunTextHasItsEnglish) {
    const std::string header = ReadFile(TEXTS_H);
    const std::regex text(R"re(inline constexpr char (k\w+)\[\] = "([^"]*)";)re");
    int seen = 0;
    for (auto it = std::sregex_iterator(header.begin(), header.end(), text); it != std::sregex_iterator(); ++it, ++seen) {
        const std::string name = (*it)[1], japanese = (*it)[2];
        const std::string said = list_tool::RunText(japanese);
        EXPECT_TRUE(std::all_of(said.begin(), said.end(), [](char b) { return b > 0; })) << name << ": " << said;
    }
    EXPECT_GT(seen, 10) << "texts.h was not read";
}

struct StyleCase {
    std::vector<std::string> options;
    std::string line;  // for the file -web/a.htm under the test folder, written as "@/"
    friend std::ostream& operator<<(std::ostream& os, const StyleCase& c) { return os << c.line; }
};

class Listings : public testing::TestWithParam<StyleCase> {};

TEST_P(Listings, OneLinePerMatchInEachStyleAndASummaryOfTheWalk) {
    TempFolder temp;
    temp.File("-web/a.htm");
    temp.File("-web/b.txt");
    std::vector<std::string> args = GetParam().options;
    for (const char* arg : {"--output", "out.htm", "--", "-web"}) args.push_back(arg);
    const ToolRun run = RunTool(temp.path(), args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::string line = GetParam().line;
    for (std::size_t at; (at = line.find('@')) != std::string::npos;) {
        line.replace(at, 1, at == 16 ? temp.path().substr(1) : temp.path());
    }
    EXPECT_EQ(CrLfLines(temp.path() + "/out.htm"), std::vector<std::string>{line});
    // Silent but for the summary when stderr is no terminal.
    EXPECT_EQ(run.err.rfind("entries=2 matches=1 lines=1 skipped_folders=0 unrepresentable_names=0 seconds=", 0), 0u)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Listings,
    testing::Values(StyleCase{{}, "<A HREF=file:///@/-web/a.htm>@/-web/a.htm</a></dt> "},
                    StyleCase{{"--names", "file"}, "<A HREF=file:///@/-web/a.htm>a.htm</a></dt> "},
                    StyleCase{{"--style=text"}, "@/-web/a.htm"},
                    StyleCase{{"--style", "text", "--names", "file", "--class", "other", "--ext", "HTM"}, "a.htm"}));

// A run that fails part way exits with 1, says why, and its summary counts
// the lines that are in the file.
TEST(ListTool, AFailedRunSaysWhyAndCountsTheLinesWritten) {
    TempFolder temp;
    for (const char* name : {"1", "2", "3"}) temp.File("web/" + std::string(36, 'n') + name + ".htm");
    const ToolRun run = RunTool(temp.path(), {"--style", "text", "--names", "file", "--output", "out.txt", "web"}, 100);
    EXPECT_EQ(run.status, 1);
    const std::string out = temp.path() + "/out.txt";
    EXPECT_NE(run.err.find("marrowpine-list: cannot write to the output file: " + out + " (File too large)\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(LastLine(run.err).rfind("entries=", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(" matches=3 lines=2 "), std::string::npos) << run.err;
    EXPECT_EQ(CrLfLines(out).size(), 2u);

    const ToolRun early = RunTool(temp.path(), {"--output", "missing/out.htm", "web"});
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(LastLine(early.err).rfind("entries=0 matches=0 lines=0 ", 0), 0u) << early.err;
}

// A run stopped after its first lines, its output renamed over (as an
// editor saves), then continued: its lines went to a file nobody can open
// any more, and it says so.
TEST(ListTool, AnOutputReplacedDuringTheRunIsTold) {
    TempFolder temp;
    constexpr int kFiles = 3000;  // a run long enough to be stopped part way
    for (int i = 0; i < kFiles; ++i) temp.File("web/" + std::to_string(i) + ".htm");
    const std::string out = temp.path() + "/out.htm", saved = temp.File("saved.htm", "saved\r\n");
    bool stopped = false;
    const ToolRun run = RunTool(temp.path(), {"--output", out, "web"}, RLIM_INFINITY, false, kEnglish, [&](pid_t tool) {
        struct stat st {};
        while (stat(out.c_str(), &st) != 0 || st.st_size == 0) {
            if (waitpid(tool, nullptr, WNOHANG) != 0) return;
        }
        kill(tool, SIGSTOP);
        int status = 0;
        stopped = waitpid(tool, &status, WUNTRACED) == tool && WIFSTOPPED(status);
        rename(saved.c_str(), out.c_str());
        kill(tool, SIGCONT);
    });
    if (!stopped) GTEST_SKIP() << "the run ended before it could be stopped";
    EXPECT_EQ(run.status, 1);
    const std::string lines = std::to_string(kFiles);
    EXPECT_EQ(run.err.rfind("marrowpine-list: the output file was replaced, moved or removed: " + out +
                                " (lines written to a file no longer at this path: " + lines + " lines)\n",
                            0),
              0u)
        << run.err;
    EXPECT_NE(run.err.find(" lines=" + lines + " "), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(out), "saved\r\n");
}

// "--output -" is the standard output, for scripts: into a pipe whole, and
// a reader that stops early (| head -1) ends the run with 1 but no error text.
TEST(ListTool, OutputDashWritesToAPipeAndStopsQuietlyWhenItsReaderLeaves) {
    TempFolder temp;
    temp.File("web/a.htm");
    const ToolRun run = RunTool(temp.path(), {"--style", "text", "--output", "-", "web"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, temp.path() + "/web/a.htm\r\n");
    EXPECT_FALSE(test_support::Exists(temp.path() + "/-"));

    // More lines than a pipe holds, so that the tool is still writing when its reader goes.
    for (int i = 0; i < 300; ++i) temp.File("web/" + std::to_string(i) + std::string(200, 'n') + ".htm");
    const ToolRun head = RunTool(temp.path(), {"--output", "-", "web"}, RLIM_INFINITY, true);
    EXPECT_EQ(head.status, 1) << head.err;
    EXPECT_EQ(head.out.rfind("<A HREF=file:///", 0), 0u) << head.out;
    EXPECT_EQ(head.err.rfind("entries=", 0), 0u) << head.err;  // the summary, and nothing before it
}

// FOLDER is taken as the system takes it: ".." after a link leads up from
// where the link leads (not back beside the link), and a link not followed
// by ".." keeps its own name in the lines.
TEST(ListTool, DotDotAfterALinkLeadsWhereTheSystemTakesIt) {
    TempFolder temp;
    temp.File("beside.htm");
    temp.File("real/inner/here.htm");
    temp.File("real/inner/target/there.htm");
    ASSERT_EQ(symlink("real/inner/target", (temp.path() + "/link").c_str()), 0);
    const std::string& t = temp.path();
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"link/..", {t + "/real/inner/here.htm", t + "/real/inner/target/there.htm"}},
        {"link/../target/.", {t + "/real/inner/target/there.htm"}},
        {"link", {t + "/link/there.htm"}},
    };
    for (const auto& [folder, lines] : cases) {
        const ToolRun run = RunTool(t, {"--style", "text", "--output", "-", folder});
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<std::string> got;
        for (std::size_t at = 0, end; (end = run.out.find("\r\n", at)) != std::string::npos; at = end + 2) {
            got.push_back(run.out.substr(at, end - at));
        }
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, lines) << folder;
    }
}

// Runs the tool on a pseudo-terminal, as a user other than root, so that a
// folder without permissions is passed over; returns what the terminal got.
std::string RunToolOnTerminal(const std::string& folder, const std::vector<std::string>& args) {
    int terminal = -1;
    winsize size{24, 80, 0, 0};
    const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(125);
        if (chdir(folder.c_str()) != 0) _exit(126);
        std::vector<char*> argv = {const_cast<char*>(MARROWPINE_LIST)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(MARROWPINE_LIST, argv.data());
        _exit(127);
    }
    if (child < 0) return "forkpty failed";
    std::string text;
    char buffer[4096];
    // Ends with EIO once the tool has exited and the terminal has no writer.
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(terminal);
    waitpid(child, nullptr, 0);
    return text;
}

// A name can hold escape sequences (retitle, clear, a link), a line break,
// C1 controls and bytes that are not UTF-8. On the terminal each shows as
// "\x.." or "\u....": in the folders passed over, in an error's path and in
// a usage error's argument.
TEST(ListTool, NoNameReachesATerminalRaw) {
    TempFolder temp;
    const std::string name = "\x1b]0;retitled\x07\x1b[2J\x1b]8;;http:x\x1b\\link\nforged\xc2\x9b\x9b\x7f";
    const std::string locked = temp.Folder("tree/" + name);
    temp.File("tree/a.htm");
    ASSERT_EQ(chmod(temp.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--output", "out.htm", "tree"}, {"--output", name + "/out.htm", "tree"},
          {"--frob" + name, "--output", "out.htm", "tree"}}) {
        const std::string shown = RunToolOnTerminal(temp.path(), args);
        SCOPED_TRACE(shown);
        EXPECT_NE(shown.find("\\x1B]0;retitled\\x07\\x1B[2J\\x1B]8;;http:x\\x1B\\link\\x0Aforged\\u009B\\x9B\\x7F"),
                  std::string::npos);
        // Only the terminal's own line ends remain of the controls.
        for (unsigned char byte : shown) EXPECT_TRUE(byte >= 0x20 ? byte != 0x7F : byte == '\r' || byte == '\n');
        EXPECT_EQ(shown.find("\xc2\x9b"), std::string::npos);
        EXPECT_EQ(shown.find("\nforged"), std::string::npos);
    }
}

// The progress line, drawn against a clock of the test's making.
std::string drawn;
void Draw(const std::string& text) { drawn += text; }

TEST(ProgressLine, RedrawsAtMostOncePerIntervalAndWipesItselfAtTheEnd) {
    using namespace std::chrono_literals;
    drawn.clear();
    const list_tool::ProgressLine::Clock::time_point start{};
    list_tool::ProgressLine progress(Draw, 80, start, 250ms);
    Module1::WalkProgress summary;
    summary.current_folder = "/home/ann/写真/";
    for (auto at : {0ms, 100ms, 249ms}) progress.Update(summary, start + at);
    EXPECT_EQ(drawn, "") << "a run shorter than one interval shows nothing";
    summary.entries = 1200;
    summary.matches = 34;
    progress.Update(summary, start + 250ms);
    progress.Update(summary, start + 400ms);
    EXPECT_EQ(drawn, "\r1200 entries, 34 matches  /home/ann/写真/");
    drawn.clear();
    summary.current_folder = "/";
    progress.Update(summary, start + 500ms);
    EXPECT_EQ(drawn, "\r1200 entries, 34 matches  /" + std::string(14, ' '));
    drawn.clear();
    progress.Clear();
    EXPECT_EQ(drawn, "\r" + std::string(27, ' ') + "\r");
}

TEST(ProgressLine, KeepsTheEndOfTheFolderWithinTheWidth) {
    const std::string folder = "/data/" + std::string(60, 'x') + "/写真\n2024/";
    Module1::WalkProgress progress;
    progress.current_folder = folder;
    EXPECT_EQ(list_tool::ProgressLine::Compose(progress, 40), "0 entries, 0 matches  …xx/写真\\x0A2024/");
}

}  // namespace
