// The closing box of a completed run, made from the walk's counts.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "completion_message.h"

namespace {

// The box says what was done: how many lines went into which file, or that
// nothing matched and the file was not touched; then what was passed over.
// Names in it are shown with their controls escaped.
struct MessageCase {
    std::uint64_t lines, skipped, unrepresentable;
    std::vector<std::string> examples;
    std::string output, text;
    friend std::ostream& operator<<(std::ostream& os, const MessageCase& c) { return os << c.text; }
};

class Completion : public testing::TestWithParam<MessageCase> {};

TEST_P(Completion, SaysWhatWasWrittenWhereAndWhatWasPassedOver) {
    const MessageCase& c = GetParam();
    Module1::WalkSummary summary;
    summary.lines_written = summary.matches = c.lines;
    summary.skipped_folders = c.skipped;
    summary.skipped_examples = c.examples;
    summary.unrepresentable_names = c.unrepresentable;
    EXPECT_EQ(CompletionMessage(summary, c.output), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Summaries, Completion,
    testing::Values(
        MessageCase{3, 0, 0, {}, "/o.htm", "COMPLETED ...\n\n書き込んだ行: 3 行\n出力ファイル: /o.htm"},
        MessageCase{0, 0, 0, {}, "/o.htm",
                    "COMPLETED ...\n\n該当するファイルはありませんでした。\n出力ファイルには何も書き込んでいません: /o.htm"},
        MessageCase{1, 1, 0, {"/x"}, "/o",
                    "COMPLETED ...\n\n書き込んだ行: 1 行\n出力ファイル: /o\n\n読み取れなかったフォルダー: 1 件\n/x"},
        MessageCase{1, 6, 2, {"/1", "/2", "/3", "/4", "/5"}, "/o",
                    "COMPLETED ...\n\n書き込んだ行: 1 行\n出力ファイル: /o\n\n読み取れなかったフォルダー: 6 件"
                    "\n/1\n/2\n/3\n/4\n/5\n…\n\n出力の文字コードで表せない名前: 2 件"},
        // A line break, a terminal escape or a byte that is not UTF-8 in a
        // name cannot forge a line of the box.
        MessageCase{2, 1, 0, {"/a\nforged"}, "/<b>x</b>\x1b]0;t\a\xff.htm",
                    "COMPLETED ...\n\n書き込んだ行: 2 行\n出力ファイル: /<b>x</b>\\x1B]0;t\\x07\\xFF.htm"
                    "\n\n読み取れなかったフォルダー: 1 件\n/a\\x0Aforged"}));

}  // namespace
