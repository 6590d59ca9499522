// The walk on Windows, run under Wine with the Japanese ANSI code page 932.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drives.h"
#include "platform.h"
#include "platform_win32.h"
#include "platform_wrapper.h"
#include "run_search.h"
#include "search_error.h"
#include "test_support.h"
#include "texts.h"
#include "win32_calls.h"
#include "win32_text.h"

namespace {

using namespace Module1;
using test_support::CrLfLines;
using test_support::Exists;
using test_support::ReadFile;
using test_support::RunScope;
using test_support::Settings;
using win32::Wide;

// 日本語.htm in code page 932.
const std::string kJapaneseCp932 = "\x93\xfa\x96\x7b\x8c\xea.htm";

// A fresh folder, named by its UTF-8 path ending in "\", removed afterwards.
class WinFolderFixture {
public:
    explicit WinFolderFixture(const std::string& parent) {
        path_ = parent + "marrowpine-wine-" + std::to_string(GetTickCount64()) + "-" +
                std::to_string(counter_++) + "\\";
        MakeFolder(path_);
    }
    ~WinFolderFixture() { RemoveTree(win32::LongPath(Wide(path_))); }
    const std::string& path() const { return path_; }

    static void MakeFolder(const std::string& path) {
        ASSERT_TRUE(CreateDirectoryW(win32::LongPath(Wide(path)).c_str(), nullptr)) << path;
    }
    static void MakeFile(const std::string& path, const std::string& bytes = "") {
        const HANDLE file = CreateFileW(win32::LongPath(Wide(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring path = folder + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                    (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                    RemoveTree(path + L"\\");
                } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    RemoveDirectoryW(path.c_str());
                } else {
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(folder.c_str());
    }

    std::string path_;
    static inline int counter_ = 0;
};

// One walk from the folder, on the system's platform or on one over
// stand-in calls; returns its test_support::Outcome.
std::string Walk(RunScope& scope, const std::string& folder, Platform& platform = NativePlatform()) {
    scope.request.start_drive = folder.substr(0, 2);
    return scope.Walk(platform, folder);
}

// The error of a walk that must fail.
std::string FailureOf(RunScope& scope, const std::string& folder, Platform& platform = NativePlatform()) {
    try {
        Walk(scope, folder, platform);
    } catch (const SearchError& error) {
        return error.what();
    }
    return "no error";
}

std::string ToUpperAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(Wine, RunsWithTheJapaneseCodePage) { ASSERT_EQ(GetACP(), 932u) << "the lane must set LANG=ja_JP.UTF-8"; }

// The system's reasons come in the language asked for (the tool asks for its
// own), and in the user's when none is.
TEST(Wine, ReasonsComeInTheLanguageAskedFor) {
    const auto ascii = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c > 0; });
    };
    Module1::win32::SetReasonLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    const std::string english = Module1::win32::Reason(ERROR_ACCESS_DENIED);
    Module1::win32::SetReasonLanguage(0);
    const std::string users = Module1::win32::Reason(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(ascii(english)) << english;
    EXPECT_FALSE(ascii(users)) << users;
}

TEST(WinDrives, ListTheLettersWithLabelsAndFindTheDriveOfAFolder) {
    const std::vector<Drive> drives = NativePlatform().ListDrives();
    std::vector<std::string> roots;
    for (const Drive& drive : drives) {
        roots.push_back(drive.mount_point);
        const std::string letter(1, static_cast<char>(std::tolower(drive.mount_point[0])));
        EXPECT_EQ(drive.label.substr(0, 2), letter + ":");
    }
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_NE(std::find(roots.begin(), roots.end(), "Z:\\"), roots.end());
    EXPECT_EQ(DriveHolding(drives, "z:\\tmp\\x"), "Z:\\");
    const std::string current = NativePlatform().CurrentFolder();
    EXPECT_EQ(DriveHolding(drives, current).substr(0, 1), ToUpperAscii(current.substr(0, 1)));
}

struct PlaceCase {
    std::string label;
    std::string parent;  // where the test folder is made
};

class WinWalk : public testing::TestWithParam<PlaceCase> {};

TEST_P(WinWalk, FullNamesAndLinkTargetsNestedAndBeyond260Characters) {
    WinFolderFixture folder(GetParam().parent);
    const std::string root = folder.path();
    std::string deep = root;
    for (int level = 0; level < 6; ++level) {
        deep += std::string(50, static_cast<char>('a' + level)) + "\\";
        WinFolderFixture::MakeFolder(deep);
    }
    WinFolderFixture::MakeFolder(root + "sub\\");
    WinFolderFixture::MakeFile(root + "sub\\a b.htm");
    WinFolderFixture::MakeFile(deep + "deep.htm");
    ASSERT_GT((deep + "deep.htm").size(), 300u);

    const std::string out = root + "out.htm";
    RunScope scope(Settings(FileClass::kHtm, true, true), out);
    EXPECT_EQ(Walk(scope, root.substr(0, root.size() - 1)), "lines=2 matches=2 skipped=0 unrepresentable=0");

    auto target = [](std::string full) {
        for (char& c : full) c = c == ':' ? '|' : c == '\\' ? '/' : c;
        std::string escaped;
        for (char c : full) escaped += c == ' ' ? std::string("%20") : std::string(1, c);
        return escaped;
    };
    std::vector<std::string> expected;
    for (const std::string& full : {deep + "deep.htm", root + "sub\\a b.htm"}) {
        expected.push_back("<A HREF=file:///" + target(full) + ">" + full + "</a></dt> ");
    }
    const std::vector<std::string> lines = CrLfLines(out, true);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
}

std::string TempParent() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return win32::Utf8(std::wstring(buffer, n));  // ends in "\"
}

INSTANTIATE_TEST_SUITE_P(Drives, WinWalk,
                         testing::Values(PlaceCase{"C", TempParent()}, PlaceCase{"Z", "Z:\\tmp\\"}),
                         [](const auto& info) { return info.param.label; });

TEST(WinWalk, DriveRootGivesASingleSeparator) {
    const std::string probe = "C:\\marrowpine-root-probe.mpinetest";
    WinFolderFixture::MakeFile(probe);
    WinFolderFixture temp(TempParent());
    RunScope scope(Settings(FileClass::kOther, true, true, "mpinetest"), temp.path() + "out.htm");
    Walk(scope, "C:\\");
    DeleteFileW(Wide(probe).c_str());
    EXPECT_EQ(ReadFile(temp.path() + "out.htm"),
              "<A HREF=file:///C|/marrowpine-root-probe.mpinetest>" + probe + "</a></dt> \r\n");
}

struct NameCase {
    std::string label;
    bool html;
    std::string name;                  // UTF-8, as made on disk
    std::string line_after_folder;     // the bytes after the folder part (TEXT) or the HtmlLink line's tail
    bool substituted;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.label; }

class WinNames : public testing::TestWithParam<NameCase> {};

TEST_P(WinNames, AreWrittenInTheCodePageOrEncodedSoTheLinkStillWorks) {
    const NameCase& c = GetParam();
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFile(folder.path() + c.name);
    const std::string out = folder.path() + "out.txt";
    RunScope scope(Settings(FileClass::kHtm, c.html, false), out);
    const std::string message = Walk(scope, folder.path());
    EXPECT_EQ(message.find("unrepresentable=1") != std::string::npos, c.substituted) << message;
    const std::vector<std::string> lines = CrLfLines(out);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines.front();
    ASSERT_GE(line.size(), c.line_after_folder.size());
    EXPECT_EQ(line.substr(line.size() - c.line_after_folder.size()), c.line_after_folder) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Names, WinNames,
    testing::Values(
        NameCase{"japanese_text", false, "日本語.htm", kJapaneseCp932, false},
        // The target is percent-encoded UTF-8, whatever the page is read as.
        NameCase{"japanese_html", true, "日本語.htm",
                 "/%E6%97%A5%E6%9C%AC%E8%AA%9E.htm>" + kJapaneseCp932 + "</a></dt> ", false},
        NameCase{"hangul_emoji_html", true, "한글😀.htm",
                 "/%ED%95%9C%EA%B8%80%F0%9F%98%80.htm>&#xD55C;&#xAE00;&#x1F600;.htm</a></dt> ", false},
        NameCase{"hangul_text", false, "한글.htm", "??.htm", true},
        // Latin-1 is not in code page 932 either, though its code points are below 256.
        NameCase{"latin1_html", true, "café.htm", "/caf%C3%A9.htm>caf&#xE9;.htm</a></dt> ", false},
        NameCase{"latin1_text", false, "café.htm", "caf?.htm", true}),
    [](const auto& info) { return info.param.label; });

TEST(WinFolders, ReadOnlyAndHiddenFoldersAreEnteredLinksAndDotNamesAreNot) {
    WinFolderFixture folder("Z:\\tmp\\");
    const std::string root = folder.path();
    for (const char* name : {"read-only", "hidden", ".dot"}) {
        WinFolderFixture::MakeFolder(root + name + "\\");
        WinFolderFixture::MakeFile(root + name + "\\in.htm");
    }
    SetFileAttributesW(Wide(root + "read-only").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Wide(root + "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const bool linked =
        CreateSymbolicLinkW(Wide(root + "link").c_str(), Wide(root + "read-only").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);

    RunScope scope(Settings(FileClass::kHtm, false, true), root + "out.txt");
    Walk(scope, root);
    EXPECT_EQ(CrLfLines(root + "out.txt", true),
              (std::vector<std::string>{root + "hidden\\in.htm", root + "read-only\\in.htm"}));
    if (!linked) GTEST_SKIP() << "no symbolic links here: the link case was not tried";
}

// A folder whose read fails part way (a network drive dropped mid-listing,
// which Wine never does) is reported as not read, not taken as complete.
class FindNextFailingAtC final : public win32::Calls {
public:
    BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) override {
        if (!Calls::FindNextFileW(find, data)) return FALSE;
        if (std::wstring(data->cFileName) != L"c.htm") return TRUE;
        SetLastError(ERROR_NETNAME_DELETED);
        return FALSE;
    }
};

TEST(WinFolders, AReadThatFailsPartWayIsReportedAsNotRead) {
    WinFolderFixture folder("Z:\\tmp\\");
    const std::string root = folder.path();
    WinFolderFixture::MakeFolder(root + "whole\\");
    WinFolderFixture::MakeFile(root + "whole\\a.htm");
    WinFolderFixture::MakeFolder(root + "lost\\");
    WinFolderFixture::MakeFile(root + "lost\\c.htm");
    FindNextFailingAtC calls;
    WinPlatform platform(calls);
    RunScope scope(Settings(FileClass::kHtm, false, true), root + "out.txt");
    const std::string text = Walk(scope, root, platform);
    EXPECT_NE(text.find("skipped=1 "), std::string::npos) << text;
    EXPECT_NE(text.find("\n" + root + "lost"), std::string::npos) << text;
    EXPECT_EQ(CrLfLines(root + "out.txt"), std::vector<std::string>{root + "whole\\a.htm"});
}

// An output that cannot take lines fails before the walk, even without a
// match, and nothing is created.
TEST(WinOutput, APlaceThatCannotTakeLinesFailsBeforeTheWalk) {
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFolder(folder.path() + "in\\");
    for (const std::string& out : {folder.path() + "missing\\out.txt", folder.path() + "in"}) {
        RunScope scope(Settings(FileClass::kHtm, false, false), out);
        try {
            Walk(scope, folder.path() + "in");
            ADD_FAILURE() << "no error for " << out;
        } catch (const SearchError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(std::string(kCannotOpenOutput) + ": " + out + " (", 0), 0u)
                << error.what();
        }
    }
    EXPECT_EQ(GetFileAttributesW(Wide(folder.path() + "missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A writer to a pipe waits for its reader: a pipe, with or without a
// program serving it, is refused before the walk, as a FIFO is on Linux.
TEST(WinOutput, ANamedPipeIsRefusedAtOnce) {
    const std::string served = "\\\\.\\pipe\\marrowpine-" + std::to_string(GetCurrentProcessId());
    const HANDLE server = CreateNamedPipeW(Wide(served).c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                           0, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    WinFolderFixture folder("Z:\\tmp\\");  // empty: nothing matches
    // The last reaches the served pipe by a name outside the pipe namespace.
    const std::string pipes[] = {served, "\\\\.\\PIPE\\marrowpine-nobody", "//./pipe/x",
                                 "\\\\?\\GLOBALROOT\\Device\\NamedPipe\\marrowpine-" + std::to_string(GetCurrentProcessId())};
    for (const std::string& pipe : pipes) {
        RunScope scope(Settings(FileClass::kHtm, false, false), pipe);
        EXPECT_EQ(FailureOf(scope, folder.path()),
                  std::string(kCannotOpenOutput) + ": " + pipe + " (" + kNotAFileOrDevice + ")");
    }
    CloseHandle(server);
}

// Windows refuses a new file in a folder whose access list denies adding
// one. Wine enforces no access list, so a stand-in answers as Windows does.
class RefusingCreateFile final : public win32::Calls {
public:
    explicit RefusingCreateFile(std::wstring folder) : refused_folder_(std::move(folder)) {}
    HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                       DWORD flags, HANDLE template_file) override {
        const std::wstring path = win32::LongPath(name);
        const bool adds = path == refused_folder_ ? (access & FILE_ADD_FILE) != 0
                                                  : path.starts_with(refused_folder_) && disposition != OPEN_EXISTING;
        if (adds) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        return Calls::CreateFileW(name, access, share, security, disposition, flags, template_file);
    }

private:
    std::wstring refused_folder_;  // \\?\ form, ends in "\"
};

TEST(WinOutput, AFolderThatRefusesNewFilesFailsBeforeTheWalk) {
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFolder(folder.path() + "in\\");  // empty: the walk alone would not fail
    WinFolderFixture::MakeFolder(folder.path() + "locked\\");
    RefusingCreateFile calls(win32::LongPath(Wide(folder.path() + "locked\\")));
    WinPlatform platform(calls);
    const std::string out = folder.path() + "locked\\out.txt";
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    EXPECT_EQ(FailureOf(scope, folder.path() + "in", platform),
              std::string(kCannotOpenOutput) + ": " + out + " (" + win32::Reason(ERROR_ACCESS_DENIED) + ")");
}

// A disk that fills during a line: Windows may write part of it and report
// success, or write part and fail. Wine does neither, so a stand-in does.
enum class Cut { kShortButSucceeded, kDiskFull };
class WriteFileCut final : public win32::Calls {
public:
    Cut cut = Cut::kDiskFull;
    bool armed = false;
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED at) override {
        const std::string_view bytes(static_cast<const char*>(data), size);
        if (!armed || bytes.find("cut.htm") == std::string_view::npos) return Calls::WriteFile(file, data, size, written, at);
        armed = false;
        if (!Calls::WriteFile(file, data, size / 2, written, at)) return FALSE;
        if (cut == Cut::kShortButSucceeded) return TRUE;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
};

TEST(WinOutput, ALineCutShortIsFinishedOrTakenBack) {
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFolder(folder.path() + "in\\");
    WinFolderFixture::MakeFile(folder.path() + "in\\cut.htm");
    const std::string out = folder.path() + "list.txt";
    WriteFileCut calls;
    WinPlatform platform(calls);
    for (const Cut how : {Cut::kShortButSucceeded, Cut::kDiskFull}) {
        WinFolderFixture::MakeFile(out, "kept\r\n");
        calls.cut = how;
        calls.armed = true;
        RunScope scope(Settings(FileClass::kHtm, false, false), out);
        const std::string failure = FailureOf(scope, folder.path() + "in", platform);
        if (how == Cut::kShortButSucceeded) {
            EXPECT_EQ(failure, "no error");
            EXPECT_EQ(ReadFile(out), "kept\r\ncut.htm\r\n");
        } else {
            EXPECT_EQ(failure, std::string(kCannotWriteOutput) + ": " + out + " (" + win32::Reason(ERROR_DISK_FULL) + ")");
            EXPECT_EQ(ReadFile(out), "kept\r\n");
        }
    }
}

// Windows reaches a path beyond 260 characters only in the \\?\ form, which
// it takes literally; Wine reaches it in any form, so a walk cannot show the
// form lost. Each kind of path keeps its meaning in that form.
TEST(WinPaths, TakeTheLongFormThatKeepsTheirMeaning) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Z:\\tmp\\a", L"\\\\?\\Z:\\tmp\\a"},
        {L"Z:\\tmp\\..\\a\\.\\b", L"\\\\?\\Z:\\a\\b"},
        {L"Z:/tmp/a", L"\\\\?\\Z:\\tmp\\a"},
        {L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {L"\\\\?\\Z:\\already", L"\\\\?\\Z:\\already"},
    };
    for (const auto& [given, expected] : cases) EXPECT_EQ(win32::LongPath(given), expected) << win32::Utf8(given);
}

// An output moved away during the run (the run opened it sharing its
// deletion, as Explorer may move it): the run's lines went to it, and the
// run says that it is no longer at its path.
TEST(WinOutput, AnOutputMovedAwayDuringTheRunIsTold) {
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFolder(folder.path() + "in\\");
    for (const char* name : {"a.htm", "b.htm"}) WinFolderFixture::MakeFile(folder.path() + "in\\" + name);
    const std::string out = folder.path() + "list.txt", moved = folder.path() + "moved.txt";
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    int matches = 0;
    scope.observer.match = [&](const std::string&) {
        if (++matches == 2) MoveFileExW(Wide(out).c_str(), Wide(moved).c_str(), 0);
    };
    EXPECT_EQ(FailureOf(scope, folder.path() + "in"),
              std::string(kOutputReplaced) + ": " + out + " (" + kLinesInReplacedOutput + ": 2 " + kLinesUnit + ")");
    EXPECT_EQ(CrLfLines(moved).size(), 2u);
}

TEST(WinOutput, AppendsToAnExistingCodePageFile) {
    WinFolderFixture folder("Z:\\tmp\\");
    WinFolderFixture::MakeFolder(folder.path() + "in\\");
    WinFolderFixture::MakeFile(folder.path() + "in\\日本語.htm");
    const std::string out = folder.path() + "list.txt";
    const std::string before = "\x8c\xf6\x8a\x4a\r\n";  // 公開 in code page 932
    WinFolderFixture::MakeFile(out, before);
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    Walk(scope, folder.path() + "in");
    EXPECT_EQ(ReadFile(out), before + kJapaneseCp932 + "\r\n");
}

// Readers with every limit spent at once (handles given up, folders read
// by the walk itself), and readers with few handles in a comb, where
// folders given up are opened again through their sub-folders, write what
// the walk without readers writes.
TEST(WinReadAhead, WritesWhatTheSequentialWalkWrites) {
    WinFolderFixture folder("Z:\\tmp\\");
    const std::string root = folder.path() + "tree\\";
    WinFolderFixture::MakeFolder(root);
    for (int a = 0; a < 6; ++a) {
        const std::string sub = root + "\xe5\x86\x99\xe7\x9c\x9f " + std::to_string(a) + "\\";
        WinFolderFixture::MakeFolder(sub);
        WinFolderFixture::MakeFile(sub + "a" + std::to_string(a) + ".htm");
        for (int b = 0; b < 4; ++b) {
            WinFolderFixture::MakeFolder(sub + std::to_string(b) + "\\");
            WinFolderFixture::MakeFile(sub + std::to_string(b) + "\\page " + std::to_string(b) + ".HTML");
        }
    }
    std::string level = root + "comb\\";
    for (int depth = 0; depth < 12; ++depth) {
        WinFolderFixture::MakeFolder(level);
        WinFolderFixture::MakeFile(level + "page.htm");
        for (const char* side : {"a", "b", "c", "e", "f"}) WinFolderFixture::MakeFolder(level + side + "\\");
        level += "d\\";
    }
    std::string outputs[3];
    const WalkLimits limits[3] = {{0, 1024, 4 << 20, 64}, {3, 2, 512, 1}, {3, 64, 4 << 20, 3}};
    for (int i = 0; i < 3; ++i) {
        const std::string out = folder.path() + "out" + std::to_string(i) + ".htm";
        RunScope scope(Settings(FileClass::kHtm), out);
        scope.request.start_drive = "Z:";
        scope.request.start_folder = root;
        scope.request.limits = limits[i];
        WalkSummary summary;
        RunSearch(NativePlatform(), scope.request, scope.observer, summary);
        outputs[i] = ReadFile(out);
    }
    EXPECT_EQ(CrLfLines(folder.path() + "out0.htm").size(), 42u);
    EXPECT_EQ(outputs[1], outputs[0]);
    EXPECT_EQ(outputs[2], outputs[0]);
}

// A folder's identity is its own however it was reached, and no other
// folder's; the folder above is found by its path, and a root has none.
TEST(WinFolders, UpAndIdentityTellTheVeryFolder) {
    WinFolderFixture folder("Z:\\tmp\\");
    const std::string root = folder.path();
    WinFolderFixture::MakeFolder(root + "a\\");
    WinFolderFixture::MakeFolder(root + "a\\b\\");
    const std::unique_ptr<Folder> start = NativePlatform().OpenFolder(root);
    const std::unique_ptr<Folder> a = start->Enter("a").folder;
    const std::unique_ptr<Folder> b = a->Enter("b").folder;
    const FileIdentity of_a = a->Identity();
    EXPECT_TRUE(b->Up()->Identity() == of_a);
    EXPECT_TRUE(b->Up()->Up()->Identity() == start->Identity());
    EXPECT_FALSE(b->Identity() == of_a);
    EXPECT_FALSE(start->Identity() == of_a);
    EXPECT_EQ(NativePlatform().OpenFolder("Z:\\")->Up(), nullptr);

    // Moved away, with another folder put in its place: the identity goes
    // with the folder, and ".." from below finds the other one.
    ASSERT_TRUE(MoveFileW(Wide(root + "a").c_str(), Wide(root + "moved").c_str()));
    WinFolderFixture::MakeFolder(root + "a\\");
    EXPECT_TRUE(NativePlatform().OpenFolder(root + "moved")->Identity() == of_a);
    EXPECT_FALSE(b->Up()->Identity() == of_a);
}

// The system's folders, noting each name entered from a folder that was
// reached through "..".
class TracedFolder final : public Folder {
public:
    TracedFolder(std::unique_ptr<Folder> folder, bool through_up, std::vector<std::string>& trace)
        : folder_(std::move(folder)), through_up_(through_up), trace_(trace) {}
    bool Next(FindData& entry) override { return folder_->Next(entry); }
    std::string ListingError() const override { return folder_->ListingError(); }
    EnteredFolder Enter(const std::string& name) override {
        if (through_up_) trace_.push_back(name);
        EnteredFolder entered = folder_->Enter(name);
        if (entered.folder) entered.folder = std::make_unique<TracedFolder>(std::move(entered.folder), false, trace_);
        return entered;
    }
    std::unique_ptr<Folder> Up() override {
        std::unique_ptr<Folder> up = folder_->Up();
        return up ? std::make_unique<TracedFolder>(std::move(up), true, trace_) : nullptr;
    }
    FileIdentity Identity() override { return folder_->Identity(); }

private:
    std::unique_ptr<Folder> folder_;
    bool through_up_;
    std::vector<std::string>& trace_;
};

class TracedPlatform final : public test_support::PlatformWrapper {
public:
    TracedPlatform() : PlatformWrapper(NativePlatform()) {}
    std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
        return std::make_unique<TracedFolder>(NativePlatform().OpenFolder(path), false, entered_through_up);
    }
    std::vector<std::string> entered_through_up;
};

// With room for one folder besides the start, P is given up while the walk
// is below its first sub-folder, and opened again for the second through
// ".." from the first. When P was moved away meanwhile and another folder
// put in its place, that is not the folder given up: it is found by its
// names instead, as the folder now there.
TEST(WinReadAhead, AFolderMovedAwayIsNotOpenedAgainThroughDotDot) {
    for (const bool move : {false, true}) {
        WinFolderFixture folder("Z:\\tmp\\");
        const std::string parent = folder.path() + "tree\\x\\y\\P\\";
        for (const char* made : {"tree\\", "tree\\x\\", "tree\\x\\y\\", "tree\\x\\y\\P\\"}) {
            WinFolderFixture::MakeFolder(folder.path() + made);
        }
        auto fill = [&](const std::string& file) {
            for (const char* sub : {"A\\", "B\\"}) {
                WinFolderFixture::MakeFolder(parent + sub);
                WinFolderFixture::MakeFolder(parent + sub + "c\\");
                WinFolderFixture::MakeFile(parent + sub + "c\\" + file);
            }
        };
        fill("in.htm");
        TracedPlatform platform;
        RunScope scope(Settings(FileClass::kHtm, false, false), folder.path() + "out.txt");
        scope.request.start_drive = "Z:";
        scope.request.start_folder = folder.path() + "tree";
        scope.observer.match = [&](const std::string&) {
            if (!move || Exists(folder.path() + "moved")) return;
            ASSERT_TRUE(MoveFileW(Wide(parent).c_str(), Wide(folder.path() + "moved").c_str()));
            WinFolderFixture::MakeFolder(parent);
            fill("new.htm");
        };
        scope.request.limits = {0, 64, 4 << 20, 2};
        WalkSummary summary;
        RunSearch(platform, scope.request, scope.observer, summary);
        EXPECT_EQ(CrLfLines(folder.path() + "out.txt"),
                  (std::vector<std::string>{"in.htm", move ? "new.htm" : "in.htm"}));
        EXPECT_EQ(platform.entered_through_up.empty(), move) << (move ? "moved" : "in place");
    }
}

}  // namespace
