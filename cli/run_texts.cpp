#include "run_texts.h"

#include <utility>

#include "shown_name.h"
#include "texts.h"
#include "translation.h"

namespace list_tool {

namespace {

// The English of each text of texts.h that a run of the tool can say. The
// Japanese is texts.h's own, so it is not in the catalogue a second time.
constexpr std::pair<const char*, const char*> kEnglish[] = {
    {Module1::kCannotOpenDrive, "cannot open the drive"},
    {Module1::kCannotOpenStartFolder, "cannot open the folder to search"},
    {Module1::kCannotOpenFolder, "cannot open the folder"},
    {Module1::kCannotOpenOutput, "cannot open the output file"},
    {Module1::kCannotWriteOutput, "cannot write to the output file"},
    {Module1::kEmptyFileName, "the file name is empty"},
    {Module1::kNotAFileOrDevice, "neither a regular file nor a character device"},
    {Module1::kWriteStalled, "the write makes no progress"},
    {Module1::kPartLineLeft, "the part-written line could not be taken back"},
    {Module1::kOutputReplaced, "the output file was replaced, moved or removed"},
    {Module1::kLinesInReplacedOutput, "lines written to a file no longer at this path"},
    {Module1::kLinesUnit, "lines"},
};

}  // namespace

std::string RunText(std::string_view text) {
    if (CurrentLanguage() == Language::kJapanese) return std::string(text);
    for (const auto& [japanese, english] : kEnglish) {
        if (text == japanese) return english;
    }
    return std::string(text);
}

std::string RunErrorText(const Module1::SearchError& error) {
    if (const auto* replaced = dynamic_cast<const Module1::OutputReplacedError*>(&error)) {
        const std::string earlier = replaced->Earlier() ? RunErrorText(*replaced->Earlier()) + "\n" : "";
        return earlier + RunText(Module1::kOutputReplaced) + ": " + Module1::ShownName(error.Path()) + " (" +
               RunText(Module1::kLinesInReplacedOutput) + ": " + std::to_string(replaced->Lines()) + " " +
               RunText(Module1::kLinesUnit) + ")";
    }
    // Each of the reasons joined by "; " on its own: the system's, and texts.h's.
    std::string reason;
    for (std::string_view rest = error.Reason();;) {
        const std::size_t end = rest.find("; ");
        reason += RunText(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        reason += "; ";
        rest.remove_prefix(end + 2);
    }
    return RunText(error.Operation()) + ": " + Module1::ShownName(error.Path()) + " (" + reason + ")";
}

}  // namespace list_tool
