// The output's rules over a double of the system calls that fails on command:
// whatever a write does, the file keeps whole lines, no other writer's bytes
// are cut and the message names the cause. Over real files: the runs' lock,
// and a listing that never lists itself. The same rules hold on every system.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "directory_walk.h"
#include "fake_output.h"
#include "fake_platform.h"
#include "output_file.h"
#include "search_error.h"
#include "test_support.h"
#include "texts.h"

namespace {

using namespace Module1;
using test_support::FakeNode;
using test_support::FakeOutput;
using test_support::FakePlatform;
using Step = FakeOutput::WriteStep;

const std::string kLine = "<A HREF=file:///w/b.htm>b.htm</a></dt> \r\n";

struct WriteCase {
    std::string label;
    std::vector<Step> writes;  // for the second line
    OutputSystem::Error truncate_error;
    bool another_run;  // has the file open too
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
        system.another_run = c.another_run;
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
        WriteCase{"short_then_rest", {{10, 0}}, 0, false, "old\r\na\r\n" + kLine, ""},
        WriteCase{"short_then_disk_full", {{10, 0}, {0, FakeOutput::kNoSpace}}, 0, false, "old\r\na\r\n", "E28"},
        WriteCase{"short_then_size_limit", {{10, 0}, {0, FakeOutput::kTooLarge}}, 0, false, "old\r\na\r\n", "E27"},
        WriteCase{"part_with_io_error", {{3, FakeOutput::kIo}}, 0, false, "old\r\na\r\n", "E5"},
        WriteCase{"short_then_nothing", {{10, 0}, {0, 0}}, 0, false, "old\r\na\r\n", kWriteStalled},
        // A part line that stays is ended over its own last bytes, so that
        // another writer's line after it is a line of its own.
        WriteCase{"take_back_fails", {{10, FakeOutput::kNoSpace}}, FakeOutput::kIo, false,
                  "old\r\na\r\n" + kLine.substr(0, 8) + "\r\n", std::string("E28; ") + kPartLineLeft},
        // Bytes another run may write, or another writer wrote, after the
        // run's part line or between its pieces are not the run's to cut.
        WriteCase{"another_run_has_it_open", {{10, FakeOutput::kNoSpace}}, 0, true,
                  "old\r\na\r\n" + kLine.substr(0, 8) + "\r\n", std::string("E28; ") + kPartLineLeft},
        WriteCase{"another_writer_after_it", {{10, FakeOutput::kNoSpace, "b\r\n"}}, 0, false,
                  "old\r\na\r\n" + kLine.substr(0, 8) + "\r\nb\r\n", std::string("E28; ") + kPartLineLeft},
        WriteCase{"another_writer_between_its_pieces", {{10, 0, "b\r\n"}, {1, FakeOutput::kNoSpace}}, 0, false,
                  "old\r\na\r\n" + kLine.substr(0, 10) + "b\r\n\n", std::string("E28; ") + kPartLineLeft}),
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

// A standard output opened for reading and writing (1<>) writes over the
// file at its place: the bytes after it are not the run's, and none is cut.
TEST(FailingWrites, AReadWriteTargetIsNeverCut) {
    FakeOutput system;
    system.content = std::string(100, 'x') + "\n";
    system.appends = false;
    system.writes = {{10, FakeOutput::kNoSpace}};
    OutputFile output(system, OutputTarget{"-", true});
    try {
        output.Append(kLine);
        ADD_FAILURE() << "no error";
    } catch (const SearchError& error) {
        EXPECT_NE(std::string(error.what()).find(kPartLineLeft), std::string::npos) << error.what();
    }
    EXPECT_EQ(system.content, kLine.substr(0, 10) + std::string(90, 'x') + "\n");
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

// Every run appending to a file holds the runs' lock shared while it runs,
// so that another can tell that it is not alone before it cuts anything.
TEST(OutputFile, ARunHoldsTheRunsLockSharedWhileItAppends) {
    test_support::TempFolder temp;
    const std::string out = temp.File("out.txt");
    OutputSystem& system = NativePlatform().Output();
    OutputFile run(system, OutputTarget{out, false});
    run.Append("a\r\n");
    OutputSystem::Handle other = 0;
    OutputSystem::Error error = 0;
    ASSERT_EQ(system.Open(out, false, other, error), OutputSystem::Opened::kOpen);
    EXPECT_EQ(system.TryLock(other, true), OutputSystem::Lock::kBusy);
    EXPECT_EQ(system.TryLock(other, false), OutputSystem::Lock::kHeld);
    system.Unlock(other);
    run.Close();
    EXPECT_EQ(system.TryLock(other, true), OutputSystem::Lock::kHeld);
    system.Close(other);
}

struct SelfCase {
    std::string label;
    std::string typed;   // the output's name as the user gave it
    std::string before;  // its name on disk before the run; "" when there is none
    friend std::ostream& operator<<(std::ostream& os, const SelfCase& c) { return os << c.label; }
};

class OwnOutput : public testing::TestWithParam<SelfCase> {};

// A listing saved in the folder it lists is passed over, also when the run
// itself created it before the folder was listed; another file of the same
// name is listed. The folders list their entries in a fixed order, over
// real files.
TEST_P(OwnOutput, IsNeverListed) {
    const SelfCase& c = GetParam();
#ifndef _WIN32
    if (c.typed != c.before && !c.before.empty()) GTEST_SKIP() << "names differing in case are two files here";
#endif
    test_support::TempFolder temp;
    if (!c.before.empty()) temp.File(c.before, "old\r\n");
    temp.File("sub/list.htm");
    // A file there before the run may come first; one the run makes comes
    // after the match that made it.
    FakeNode root;
    if (!c.before.empty()) root.File(c.before);
    root.File("a.htm");
    if (c.before.empty()) root.File("list.htm");
    root.Dir("sub").File("list.htm");
    FakePlatform platform(AddBackslash(temp.path()), root);
    const std::string out = AddBackslash(temp.path()) + c.typed;
    test_support::RunScope scope(test_support::Settings(FileClass::kHtm, false, false), out);
    scope.Walk(platform, temp.path());
    std::vector<std::string> expected = {"a.htm", "list.htm"};
    if (!c.before.empty()) expected.insert(expected.begin(), "old");
    EXPECT_EQ(test_support::CrLfLines(out), expected);
}

INSTANTIATE_TEST_SUITE_P(Output, OwnOutput,
                         testing::Values(SelfCase{"made_by_the_run", "list.htm", ""},
                                         SelfCase{"there_before", "list.htm", "list.htm"},
                                         SelfCase{"typed_in_another_case", "LIST.HTM", "list.htm"}),
                         [](const auto& info) { return info.param.label; });

}  // namespace
