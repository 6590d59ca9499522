#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "file_classes.h"
#include "run_search.h"
#include "test_support.h"

namespace {

using namespace Module1;

struct KeyCase {
    std::string name;
    std::string key;
    friend std::ostream& operator<<(std::ostream& os, const KeyCase& c) { return os << c.name; }
};

class ExtensionKey : public testing::TestWithParam<KeyCase> {};

TEST_P(ExtensionKey, IsTheUpperCasedTextAfterTheLastDotFromTheSecondCharacter) {
    EXPECT_EQ(ExtractExtension(GetParam().name), GetParam().key) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionKey,
    testing::Values(
        KeyCase{"index.html", "HTML"}, KeyCase{"Index.HtMl", "HTML"},
        KeyCase{"report.htm.bak", "BAK"}, KeyCase{"report.bak.htm", "HTM"},
        KeyCase{"notes.", ""}, KeyCase{"README", "EADME"}, KeyCase{"XHTM", "HTM"},
        KeyCase{"a", ""}, KeyCase{"", ""}, KeyCase{".htm", "HTM"}, KeyCase{".", ""},
        KeyCase{"..", ""}, KeyCase{"x.abcdefghijklm", "ABCDEFGHIJ"},
        KeyCase{"x.abcdefghij", "ABCDEFGHIJ"}, KeyCase{"a b.h tm ", "H TM "},
        // The full-width full stop is an ordinary character.
        KeyCase{"page．htm", "AGE．HTM"},
        // Characters, not bytes, are counted: ten Japanese characters stay whole.
        KeyCase{"x.日本語のファイル名です", "日本語のファイル名で"},
        // A multi-byte first character is skipped whole, not byte by byte.
        KeyCase{"写", ""}, KeyCase{"写htm", "HTM"},
        // Letters beyond ASCII follow the locale's case mapping, one to one.
        KeyCase{"x.été", "ÉTÉ"}, KeyCase{"x.ǆ", "Ǆ"},
        // A byte that is not UTF-8 is one character and passes unchanged.
        KeyCase{"\xff" "abc", "ABC"}, KeyCase{"x.\xe6\x97" "a", "\xe6\x97" "A"},
        KeyCase{"x.\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a",
                "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89"}));

enum Class { kHtm, kJpgGif, kJpg, kGif, kTxt };

struct ClassCase {
    std::string name;
    std::array<bool, 5> accepted;  // HTM/HTML, JPG/JPEG/GIF, JPG/JPEG, GIF, txt/text
    friend std::ostream& operator<<(std::ostream& os, const ClassCase& c) { return os << c.name; }
};

class FixedClasses : public testing::TestWithParam<ClassCase> {};

TEST_P(FixedClasses, AcceptExactlyTheirKeys) {
    const ClassCase& c = GetParam();
    EXPECT_EQ(IsHtmlFile(c.name), c.accepted[kHtm]) << c.name;
    EXPECT_EQ(IsJpgGifFile(c.name), c.accepted[kJpgGif]) << c.name;
    EXPECT_EQ(IsJpgFile(c.name), c.accepted[kJpg]) << c.name;
    EXPECT_EQ(IsGifFile(c.name), c.accepted[kGif]) << c.name;
    EXPECT_EQ(IsTextFile(c.name), c.accepted[kTxt]) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, FixedClasses,
    testing::Values(
        ClassCase{"index.html", {1, 0, 0, 0, 0}}, ClassCase{"INDEX.HTM", {1, 0, 0, 0, 0}},
        ClassCase{"page.html5", {0, 0, 0, 0, 0}}, ClassCase{"page.shtml", {0, 0, 0, 0, 0}},
        ClassCase{"page.htmx", {0, 0, 0, 0, 0}}, ClassCase{"report.htm.bak", {0, 0, 0, 0, 0}},
        ClassCase{"XHTM", {1, 0, 0, 0, 0}}, ClassCase{".htm", {1, 0, 0, 0, 0}},
        ClassCase{"photo.jpeg", {0, 1, 1, 0, 0}}, ClassCase{"photo.JPG", {0, 1, 1, 0, 0}},
        ClassCase{"anim.gif", {0, 1, 0, 1, 0}}, ClassCase{"pic.jpgx", {0, 0, 0, 0, 0}},
        ClassCase{"readme.txt", {0, 0, 0, 0, 1}}, ClassCase{"notes.Text", {0, 0, 0, 0, 1}},
        ClassCase{"notes.", {0, 0, 0, 0, 0}}, ClassCase{"..", {0, 0, 0, 0, 0}},
        ClassCase{"a.htm ", {0, 0, 0, 0, 0}}, ClassCase{"a.h*", {0, 0, 0, 0, 0}},
        ClassCase{"ページ．htm", {0, 0, 0, 0, 0}}));

struct OtherCase {
    std::string free_text;
    std::string name;
    bool accepted;
    friend std::ostream& operator<<(std::ostream& os, const OtherCase& c) {
        return os << "'" << c.free_text << "' on '" << c.name << "'";
    }
};

class OtherClass : public testing::TestWithParam<OtherCase> {};

TEST_P(OtherClass, ComparesTheUpperCasedFreeTextWithTheKey) {
    const OtherCase& c = GetParam();
    EXPECT_EQ(IsOtherFile(c.name, c.free_text), c.accepted) << "'" << c.free_text << "' vs '" << c.name << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OtherClass,
    testing::Values(
        OtherCase{"*", "anything.xyz", true}, OtherCase{"*", ".", true}, OtherCase{"*", "..", true},
        OtherCase{"*", "", true}, OtherCase{"txt", "a.TXT", true}, OtherCase{"TXT", "a.txt", true},
        OtherCase{"Txt", "a.txt", true}, OtherCase{"txt", "a.text", false},
        // A leading "." or "*." is taken off: the key never holds a ".".
        OtherCase{".txt", "a.txt", true}, OtherCase{"*.txt", "a.TXT", true}, OtherCase{"*.TXT", "a.txt", true},
        OtherCase{".txt", "a.text", false}, OtherCase{"*.txt", "txt", false}, OtherCase{"..txt", "a.txt", false},
        OtherCase{"*.*", "anything.xyz", true}, OtherCase{".*", "a.b", true}, OtherCase{"*.", "notes.", true},
        OtherCase{".", "a.txt", false}, OtherCase{"x.txt", "a.txt", false}, OtherCase{"*txt", "a.txt", false},
        OtherCase{"* ", "a.txt", false}, OtherCase{" *", "a.txt", false},
        OtherCase{"**", "a.txt", false}, OtherCase{"", "notes.", true}, OtherCase{"", "a", true},
        OtherCase{"", ".", true}, OtherCase{"", "..", true}, OtherCase{"", "a.txt", false},
        OtherCase{" txt", "a.txt", false}, OtherCase{"txt ", "a.txt ", true},
        OtherCase{"abcdefghijk", "x.abcdefghijk", false},
        OtherCase{"abcdefghij", "x.abcdefghijk", true}, OtherCase{"日記", "x.日記", true},
        OtherCase{"été", "x.ÉTÉ", true}));

// The request's free text counts for "OTHER" only.
TEST(OtherClass, TheFreeTextCountsForOtherOnly) {
    EXPECT_TRUE(IsOfClass(FileClass::kOther, "md", "a.md"));
    EXPECT_TRUE(IsOfClass(FileClass::kOther, "*", "a.txt"));
    EXPECT_FALSE(IsOfClass(FileClass::kHtm, "md", "a.md"));
    EXPECT_TRUE(IsOfClass(FileClass::kHtm, "md", "a.htm"));
}

}  // namespace
