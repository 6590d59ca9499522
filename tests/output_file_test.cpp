// The output's rules over a double of the system calls that fails on command:
// whatever a write does, the file keeps whole lines and the message names
// the cause. The same rules hold on every system.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_output.h"
#include "output_file.h"
#include "search_error.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::FakeOutput;
using Step = FakeOutput::WriteStep;

const std::string kLine = "<A HREF=file:///w/b.htm>b.htm</a></dt> \r\n";

struct WriteCase {
    std::string label;
    std::vector<Step> writes;  // for the second line
    OutputSystem::Error truncate_error;
    std::string content;  // what the file holds after the two lines
    std::string reason;   // of the error; empty when there is none
    friend std::ostream& operator<<(std::ostream& os, const WriteCase& c) { return os << c.label; }
};

class FailingWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(FailingWrites, LeaveWholeLinesAndNameTheCause) {
    const WriteCase& c = GetParam();
    FakeOutput system;
    system.content = "old\r\n";
    std::string reason;
    {
        OutputFile output(system, OutputTarget{"out.htm", false});
        output.Append("a\r\n");
        system.writes = c.writes;
        system.truncate_error = c.truncate_error;
        try {
            output.Append(kLine);
            output.Close();
        } catch (const SearchError& error) {
            reason = error.what();
        }
    }
    EXPECT_EQ(system.content, c.content);
    EXPECT_EQ(reason, c.reason.empty() ? "" : std::string(kCannotWriteOutput) + ": out.htm (" + c.reason + ")");
    EXPECT_EQ(system.opened, 1);
    EXPECT_EQ(system.closed, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Output, FailingWrites,
    testing::Values(
        WriteCase{"short_then_rest", {{10, 0}}, 0, "old\r\na\r\n" + kLine, ""},
        WriteCase{"short_then_disk_full", {{10, 0}, {0, FakeOutput::kNoSpace}}, 0, "old\r\na\r\n", "E28"},
        WriteCase{"short_then_size_limit", {{10, 0}, {0, FakeOutput::kTooLarge}}, 0, "old\r\na\r\n", "E27"},
        WriteCase{"part_with_io_error", {{3, FakeOutput::kIo}}, 0, "old\r\na\r\n", "E5"},
        WriteCase{"short_then_nothing", {{10, 0}, {0, 0}}, 0, "old\r\na\r\n", kWriteStalled},
        WriteCase{"take_back_fails", {{10, FakeOutput::kNoSpace}}, FakeOutput::kIo,
                  "old\r\na\r\n" + kLine.substr(0, 10), std::string("E28; ") + kPartLineLeft}),
    [](const auto& info) { return info.param.label; });

TEST(FailingWrites, AFailedCloseIsAnError) {
    FakeOutput system;
    system.close_error = FakeOutput::kIo;
    OutputFile output(system, OutputTarget{"out.htm", false});
    output.Append("a\r\n");
    EXPECT_THROW(output.Close(), SearchError);
}

// A pipe whose reader left: no take-back and no text for anybody.
TEST(FailingWrites, AReaderThatLeftEndsTheRunQuietly) {
    FakeOutput system;
    system.kind = OutputSystem::Kind::kOther;
    system.writes = {{0, FakeOutput::kGone}};
    OutputFile output(system, OutputTarget{"-", true});
    EXPECT_THROW(output.Append("a\r\n"), ReaderGoneError);
}

// A name's ESC cannot reach the terminal the listing is shown on; the line end stays.
TEST(OutputFile, ControlsOfNamesShowAsPlainTextOnATerminal) {
    FakeOutput system;
    system.kind = OutputSystem::Kind::kDevice;
    OutputFile output(system, OutputTarget{"-", true, true});
    output.Append("a\x1b]0;x\x07\x7f\u65e5.htm\r\n");
    output.Append("b\r\n");
    EXPECT_EQ(system.content, "a?]0;x??\u65e5.htm\r\nb\r\n");
}

struct GuardCase {
    std::string label;
    std::string before;
    bool readable;
    OutputSystem::Kind kind;
    std::string after;  // once two lines are written
    friend std::ostream& operator<<(std::ostream& os, const GuardCase& c) { return os << c.label; }
};

class Guard : public testing::TestWithParam<GuardCase> {};

// Only what a run finds unfinished gets a line end, once, in the same write as its first line.
TEST_P(Guard, PutsTheRunsFirstLineOnALineOfItsOwn) {
    const GuardCase& c = GetParam();
    FakeOutput system;
    system.content = c.before;
    system.readable = c.readable;
    system.kind = c.kind;
    OutputFile output(system, OutputTarget{"out.txt", false});
    output.Append("a\r\n");
    output.Append("b\r\n");
    EXPECT_EQ(system.content, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Output, Guard,
    testing::Values(GuardCase{"ends_well", "x\n", true, OutputSystem::Kind::kFile, "x\na\r\nb\r\n"},
                    GuardCase{"unfinished", "x", true, OutputSystem::Kind::kFile, "x\r\na\r\nb\r\n"},
                    GuardCase{"write_only", "x\n", false, OutputSystem::Kind::kFile, "x\n\r\na\r\nb\r\n"},
                    GuardCase{"empty_write_only", "", false, OutputSystem::Kind::kFile, "a\r\nb\r\n"},
                    GuardCase{"device", "x", false, OutputSystem::Kind::kDevice, "xa\r\nb\r\n"}),
    [](const auto& info) { return info.param.label; });

}  // namespace
