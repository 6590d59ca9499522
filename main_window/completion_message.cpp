#include "completion_message.h"

#include <cstdint>

#include "shown_name.h"
#include "texts.h"

namespace {

// What the box says after "COMPLETED ...": the lines written ("書き込んだ行: 3 行")
// and the output file, or that nothing matched.
constexpr char kLinesWrittenLabel[] = "書き込んだ行";
constexpr char kOutputFileLabel[] = "出力ファイル";
constexpr char kNothingMatched[] = "該当するファイルはありませんでした。";
constexpr char kOutputUntouched[] = "出力ファイルには何も書き込んでいません";
// Lines it adds after those, each followed by a count.
constexpr char kSkippedFoldersLabel[] = "読み取れなかったフォルダー";
constexpr char kUnrepresentableNamesLabel[] = "出力の文字コードで表せない名前";
constexpr char kCountUnit[] = "件";

}  // namespace

std::string CompletionMessage(const Module1::WalkSummary& summary, const std::string& output_file) {
    std::string text = Module1::kCompleted;
    // The same "COMPLETED ..." whether thousands of lines were written or
    // none would make a run that found nothing look like success.
    const std::string output = Module1::ShownName(output_file);
    if (summary.lines_written > 0) {
        text += std::string("\n\n") + kLinesWrittenLabel + ": " + std::to_string(summary.lines_written) + " " +
                Module1::kLinesUnit + "\n" + kOutputFileLabel + ": " + output;
    } else {
        text += std::string("\n\n") + kNothingMatched + "\n" + kOutputUntouched + ": " + output;
    }
    const auto count = [](std::uint64_t n) { return ": " + std::to_string(n) + " " + kCountUnit; };
    if (summary.skipped_folders > 0) {
        text += std::string("\n\n") + kSkippedFoldersLabel + count(summary.skipped_folders);
        for (const std::string& path : summary.skipped_examples) text += "\n" + Module1::ShownName(path);
        if (summary.skipped_folders > summary.skipped_examples.size()) text += "\n…";
    }
    if (summary.unrepresentable_names > 0) {
        text += std::string("\n\n") + kUnrepresentableNamesLabel + count(summary.unrepresentable_names);
    }
    return text;
}
