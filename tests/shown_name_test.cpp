// Names as they are shown to a person, and the listing on a terminal, which
// shows its names by the same rules.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fake_output.h"
#include "listing_line.h"
#include "output_file.h"
#include "platform.h"
#include "system_text.h"
#include "shown_name.h"
#include "test_support.h"

namespace {

using namespace Module1;

struct ShownCase {
    std::string label;
    std::string name;
    std::string shown;
    friend std::ostream& operator<<(std::ostream& os, const ShownCase& c) { return os << c.label; }
};

const ShownCase kShownCases[] = {
    {"plain", "日本語 & 😀.htm", "日本語 & 😀.htm"},
    {"c0", "a\x01\t\x1b[2J\r\n.htm", "a\\x01\\x09\\x1B[2J\\x0D\\x0A.htm"},
    {"del", "a\x7f.htm", "a\\x7F.htm"},
    {"c1", "\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0.htm", "\\u0080\\u009B\\u009F\xc2\xa0.htm"},
    {"separators", "a\xe2\x80\xa8" "b\xe2\x80\xa9.htm", "a\\u2028b\\u2029.htm"},
    {"bidi_marks", "\xd8\x9c\xe2\x80\x8e\xe2\x80\x8f.htm", "\\u061C\\u200E\\u200F.htm"},
    {"bidi_embeddings_overrides", "\xe2\x80\xaa\xe2\x80\xab\xe2\x80\xac\xe2\x80\xad\xe2\x80\xae.htm",
     "\\u202A\\u202B\\u202C\\u202D\\u202E.htm"},
    {"bidi_isolates", "\xe2\x81\xa6\xe2\x81\xa7\xe2\x81\xa8\xe2\x81\xa9.htm", "\\u2066\\u2067\\u2068\\u2069.htm"},
    {"not_utf8", "caf\xe9 \x9b \xe6\x97 \xc0\xaf \xed\xa0\x80 \xff.htm",
     "caf\\xE9 \\x9B \\xE6\\x97 \\xC0\\xAF \\xED\\xA0\\x80 \\xFF.htm"},
};

class Shown : public testing::TestWithParam<ShownCase> {};

TEST_P(Shown, EscapesWhatCouldSteerOrBreakTheLineAndKeepsTheRest) {
    EXPECT_EQ(ShownName(GetParam().name), GetParam().shown);
    EXPECT_EQ(ShownName(GetParam().shown), GetParam().shown);
}

// "--output -" on a terminal: each name as it is shown everywhere else, the
// line's own end kept.
TEST_P(Shown, SoAreTheNamesOfAListingOnATerminal) {
    test_support::FakeOutput system;
    system.kind = OutputSystem::Kind::kDevice;
    RunRequest request = test_support::Settings(FileClass::kHtm, false, false);
    request.output = {"-", true, true};
    OutputFile output(system, request.output);
    WriteListingLine(output, request, "/w/" + GetParam().name, GetParam().name);
    bool substituted = false;
    EXPECT_EQ(system.content, EncodeForOutput(GetParam().shown + "\r\n", substituted));
}

INSTANTIATE_TEST_SUITE_P(Names, Shown, testing::ValuesIn(kShownCases),
                         [](const auto& info) { return info.param.label; });

}  // namespace
