#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "fake_output.h"
#include "listing_line.h"
#include "output_file.h"
#include "path_to_url.h"
#include "platform.h"
#include "run_search.h"
#include "search_error.h"
#include "test_support.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::ReadFile;
using test_support::RunScope;
using test_support::Settings;
using test_support::TempFolder;

// The run's output in the file at path, as RunSearch makes it.
struct RunOutput {
    explicit RunOutput(const std::string& path) : file(NativePlatform().Output(), OutputTarget{path, false}) {}
    OutputFile file;
};

// A folder as the platform's walk names it, and the link target it gets.
#ifdef _WIN32
const std::string kFolder = "C:\\web\\", kFolderTarget = "C|/web/";
#else
const std::string kFolder = "/web/", kFolderTarget = "web/";
#endif

struct UrlCase {
    std::string full_name;
    std::string target;
    friend std::ostream& operator<<(std::ostream& os, const UrlCase& c) { return os << c.full_name; }
};

class DriveLetterRule : public testing::TestWithParam<UrlCase> {};
class PosixRule : public testing::TestWithParam<UrlCase> {};

TEST_P(DriveLetterRule, Converts) {
    EXPECT_EQ(PathToUrlDriveLetter(GetParam().full_name), GetParam().target);
}
TEST_P(PosixRule, Converts) { EXPECT_EQ(PathToUrlPosix(GetParam().full_name), GetParam().target); }

INSTANTIATE_TEST_SUITE_P(
    Names, DriveLetterRule,
    testing::Values(
        UrlCase{"C:\\web\\index.htm", "C|/web/index.htm"}, UrlCase{"C:\\a.htm", "C|/a.htm"},
        UrlCase{"C:\\my docs\\a.htm", "C|/my%20docs/a.htm"},
        UrlCase{"C:\\写真\\旅行.htm", "C|/%E5%86%99%E7%9C%9F/%E6%97%85%E8%A1%8C.htm"},
        UrlCase{"C:\\a onmouseover=alert(1) b.htm", "C|/a%20onmouseover%3Dalert(1)%20b.htm"},
        UrlCase{"C:\\\"#%&'<=>?`.htm", "C|/%22%23%25%26%27%3C%3D%3E%3F%60.htm"},
        UrlCase{"C:\\tab\there\x7f.htm", "C|/tab%09here%7F.htm"}));

INSTANTIATE_TEST_SUITE_P(
    Names, PosixRule,
    testing::Values(
        UrlCase{"/home/u/a.htm", "home/u/a.htm"}, UrlCase{"/a.htm", "a.htm"},
        UrlCase{"/web/c:d.htm", "web/c:d.htm"}, UrlCase{"/web/a\\b.htm", "web/a%5Cb.htm"},
        UrlCase{"/my docs/a#1?.htm", "my%20docs/a%231%3F.htm"},
        UrlCase{"/<img src=x onerror=alert(1)>.htm", "%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E.htm"},
        UrlCase{"/写真/旅行 2024.htm", "%E5%86%99%E7%9C%9F/%E6%97%85%E8%A1%8C%202024.htm"},
        UrlCase{"/caf\xe9.htm", "caf%E9.htm"},
        UrlCase{"/bad\xff\xe6\x97.htm", "bad%FF%E6%97.htm"},
        UrlCase{"/\xed\xa0\x80.htm", "%ED%A0%80.htm"}, UrlCase{"/\xc0\xaf.htm", "%C0%AF.htm"}));

TEST(PathToUrl, ConvertsTheWholeNameHoweverLong) {
    const std::string folder = "C:\\" + std::string(150, 'd') + "\\";
    EXPECT_EQ(PathToUrlDriveLetter(folder + "a.htm"), "C|/" + std::string(150, 'd') + "/a.htm");
    const std::string deep = "/" + std::string(300, 'x') + "/a.htm";
    EXPECT_EQ(PathToUrlPosix(deep), deep.substr(1));
}

// Stands for an output code page that holds ASCII and Japanese but not Hangul or emoji.
bool HoldsAsciiAndJapanese(char32_t code) {
    return code < 0x80 || (code >= 0x3000 && code <= 0x9FFF) || (code >= 0xFF00 && code <= 0xFFEF);
}

TEST(OutputCannotHold, TextGetsReferences) {
    EXPECT_EQ(EscapeHtmlText("한 & 写😀", HoldsAsciiAndJapanese), "&#xD55C; &amp; 写&#x1F600;");
    EXPECT_EQ(EscapeHtmlText("한 & 写😀"), "한 &amp; 写😀");
}

struct LinkTextCase {
    std::string label;
    std::string name;
    std::string posix;            // where the encoding is ours to choose: plain ASCII
    std::string code_page_932;    // Windows, Japanese: what the code page cannot hold as references
    bool counted;                 // among the names the output could not hold
    friend std::ostream& operator<<(std::ostream& os, const LinkTextCase& c) { return os << c.label; }
};

class LinkText : public testing::TestWithParam<LinkTextCase> {};

// The visible text of an HtmlLink line reads right whatever encoding the
// page is read in; only bytes that are not UTF-8 lose what they were.
TEST_P(LinkText, ReadsRightInEveryEncoding) {
    const LinkTextCase& c = GetParam();
    const RunRequest request = Settings(FileClass::kHtm, true, false);
    const std::string line = ComposeListingLine(request, kFolder + c.name, c.name);
    const std::size_t open = line.find('>') + 1;
#ifdef _WIN32
    EXPECT_EQ(line.substr(open, line.find("</a>") - open), c.code_page_932);
#else
    EXPECT_EQ(line.substr(open, line.find("</a>") - open), c.posix);
#endif
    test_support::FakeOutput system;
    OutputFile output(system, OutputTarget{"out.htm", false});
    EXPECT_EQ(WriteListingLine(output, request, kFolder + c.name, c.name), c.counted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LinkText,
    testing::Values(
        LinkTextCase{"ascii", "index.htm", "index.htm", "index.htm", false},
        LinkTextCase{"japanese", "日本語.htm", "&#x65E5;&#x672C;&#x8A9E;.htm", "日本語.htm", false},
        LinkTextCase{"beyond_the_bmp", "😀.htm", "&#x1F600;.htm", "&#x1F600;.htm", false},
        LinkTextCase{"latin1", "café.htm", "caf&#xE9;.htm", "caf&#xE9;.htm", false},
        LinkTextCase{"not_utf8", "caf\xe9 \xe6\x97.htm", "caf&#xFFFD; &#xFFFD;&#xFFFD;.htm",
                     "caf&#xFFFD; &#xFFFD;&#xFFFD;.htm", true},
        LinkTextCase{"markup", "<b>&amp;写.htm", "&lt;b&gt;&amp;amp;&#x5199;.htm", "&lt;b&gt;&amp;amp;写.htm", false}),
    [](const auto& info) { return info.param.label; });

struct LineCase {
    bool html;
    bool full_path;
    std::string line;
    friend std::ostream& operator<<(std::ostream& os, const LineCase& c) { return os << c.line; }
};

class LineFormats : public testing::TestWithParam<LineCase> {};

TEST_P(LineFormats, FollowOutputAndNameStyle) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ComposeListingLine(Settings(FileClass::kHtm, c.html, c.full_path), kFolder + "index.htm", "index.htm"),
              c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, LineFormats,
    testing::Values(
        LineCase{true, true, "<A HREF=file:///" + kFolderTarget + "index.htm>" + kFolder + "index.htm</a></dt> "},
        LineCase{true, false, "<A HREF=file:///" + kFolderTarget + "index.htm>index.htm</a></dt> "},
        LineCase{false, true, kFolder + "index.htm"}, LineCase{false, false, "index.htm"}));

TEST(LineFormats, EscapeMarkupInTheLinkTextOnlyInHtml) {
    const std::string full = kFolder + "a&b <i>.htm";
    EXPECT_EQ(ComposeListingLine(Settings(FileClass::kHtm, true, false), full, "a&b <i>.htm"),
              "<A HREF=file:///" + kFolderTarget + "a%26b%20%3Ci%3E.htm>a&amp;b &lt;i&gt;.htm</a></dt> ");
    EXPECT_EQ(ComposeListingLine(Settings(FileClass::kHtm, false, false), full, "a&b <i>.htm"), "a&b <i>.htm");
}

// A line break in a name must not split its line: "?" in TEXT lines (counted
// as a name the output cannot hold), references in the link text, and
// percent-encoding in the link target.
TEST(LineFormats, LineBreaksInNamesStayInsideTheirLine) {
    TempFolder temp;
    const std::string out = temp.path() + "/out.txt";
    const std::string bare = "a\r\nb\n.htm", full = kFolder + bare;
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    {
        RunOutput output(out);
        EXPECT_TRUE(WriteListingLine(output.file, scope.request, full, bare));
        scope.request.line_style = LineStyle::kHtmlLink;
        EXPECT_FALSE(WriteListingLine(output.file, scope.request, full, bare));
    }
    EXPECT_EQ(ReadFile(out), "a??b?.htm\r\n<A HREF=file:///" + kFolderTarget +
                                 "a%0D%0Ab%0A.htm>a&#13;&#10;b&#10;.htm</a></dt> \r\n");
}

TEST(WriteListingLine, AppendsCrLfLinesAfterWhatTheFileHeld) {
    TempFolder temp;
    const std::string out = temp.File("out.htm", "<html>\n<body>\n");
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    {
        RunOutput output(out);
        WriteListingLine(output.file, scope.request, "/w/a.htm", "a.htm");
        WriteListingLine(output.file, scope.request, "/w/b c.htm", "b c.htm");
    }
    EXPECT_EQ(ReadFile(out), "<html>\n<body>\na.htm\r\nb c.htm\r\n");
}

// A file renamed over the output (an editor's save) or the output moved away
// mid-run: the run's lines keep going to the file it opened, whole.
TEST(WriteListingLine, LinesGoToTheFileTheRunOpenedWhateverHappensToItsPath) {
    TempFolder temp;
    const std::string out = temp.path() + "/out.txt", moved = temp.path() + "/moved.txt";
    const std::string saved = temp.File("saved.txt", "edited");
    RunScope scope(Settings(FileClass::kTxt, false, false), out);
    {
        RunOutput output(out);
        WriteListingLine(output.file, scope.request, "/w/a.txt", "a.txt");
        std::filesystem::rename(out, moved);
        std::filesystem::rename(saved, out);
        WriteListingLine(output.file, scope.request, "/w/b.txt", "b.txt");
    }
    EXPECT_EQ(ReadFile(moved), "a.txt\r\nb.txt\r\n");
    EXPECT_EQ(ReadFile(out), "edited");
}

// What a killed writer, another program or the user left unfinished gets a
// line end before a run's first line, so that it cannot merge with it.
struct FileEndCase {
    std::string label;
    bool exists;
    std::string before;
    std::string kept;  // what of the file comes before the first run's lines
    friend std::ostream& operator<<(std::ostream& os, const FileEndCase& c) { return os << c.label; }
};

class UnfinishedLine : public testing::TestWithParam<FileEndCase> {};

TEST_P(UnfinishedLine, NeverMergesWithTheFirstLineOfARun) {
    const FileEndCase& c = GetParam();
    TempFolder temp;
    const std::string out = c.exists ? temp.File("out.txt", c.before) : temp.path() + "/out.txt";
    RunScope scope(Settings(FileClass::kHtm, false, false), out);
    for (int run = 0; run < 2; ++run) {
        RunOutput output(out);
        WriteListingLine(output.file, scope.request, kFolder + "a.htm", "a.htm");
        WriteListingLine(output.file, scope.request, kFolder + "b.htm", "b.htm");
    }
    EXPECT_EQ(ReadFile(out), c.kept + "a.htm\r\nb.htm\r\na.htm\r\nb.htm\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Ends, UnfinishedLine,
    testing::Values(FileEndCase{"new", false, "", ""}, FileEndCase{"empty", true, "", ""},
                    FileEndCase{"crlf", true, "old\r\n", "old\r\n"}, FileEndCase{"lf", true, "old\n", "old\n"},
                    FileEndCase{"torn", true, "<A HREF=file:///x/y", "<A HREF=file:///x/y\r\n"},
                    FileEndCase{"cr", true, "old\r", "old\r\r\n"}),
    [](const auto& info) { return info.param.label; });

struct OutputErrorCase {
    std::string label;
    std::string relative_output;  // under the temp folder; "" means an empty path
    std::string message_start;
    friend std::ostream& operator<<(std::ostream& os, const OutputErrorCase& c) { return os << c.label; }
};

class OutputErrors : public testing::TestWithParam<OutputErrorCase> {};

TEST_P(OutputErrors, SayWhatFailedWhereAndWhy) {
    TempFolder temp;
    temp.Folder("a-folder");
    const std::string& relative = GetParam().relative_output;
    const std::string path = relative.empty() ? "" : temp.path() + "/" + relative;
    RunScope scope(Settings(FileClass::kHtm), path);
    try {
        RunOutput output(path);
        WriteListingLine(output.file, scope.request, "/w/a.htm", "a.htm");
        FAIL() << "no error for " << GetParam().label;
    } catch (const SearchError& error) {
        const std::string text = error.what();
        EXPECT_EQ(text.rfind(GetParam().message_start + path + " (", 0), 0u) << text;
        EXPECT_EQ(text.back(), ')') << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OutputErrors,
    testing::Values(OutputErrorCase{"folder", "a-folder", std::string(kCannotOpenOutput) + ": "},
                    OutputErrorCase{"missing folder", "no/such/out.htm", std::string(kCannotOpenOutput) + ": "},
                    OutputErrorCase{"empty", "", std::string(kCannotOpenOutput) + ": "}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(OutputErrors, FullDiskLeavesNoPartLine) {
    if (!test_support::Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    RunScope scope(Settings(FileClass::kHtm), "/dev/full");
    RunOutput output("/dev/full");
    EXPECT_THROW(WriteListingLine(output.file, scope.request, "/w/a.htm", "a.htm"), SearchError);
}

}  // namespace
