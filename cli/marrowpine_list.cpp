// marrowpine-list: one listing run from the command line, without a window.
// The options are read in list_options.cpp, the progress line is drawn by
// progress_line.cpp; the run itself is the search module's RunSearch.

#include <chrono>
#include <clocale>
#include <cstdio>
#include <exception>
#include <string>

#include "console.h"
#include "list_options.h"
#include "platform.h"
#include "progress_line.h"
#include "run_search.h"
#include "run_texts.h"
#include "search_error.h"
#include "shown_name.h"
#include "translation.h"

namespace {

constexpr int kDone = 0, kRunFailed = 1, kUsage = 2;

// Every text put on stderr that may hold a name (a folder, an argument, an
// error's path) goes through ShownName first, so that no name can move the
// cursor, retitle or clear the terminal, plant a link or forge a line.
void Print(std::FILE* to, const std::string& text) {
    if (to == stderr) return list_tool::WriteStderr(text);
    std::fwrite(text.data(), 1, text.size(), to);
}

// The summary, from the walk's own counts: what was passed over, then one
// line of numbers, the last on stderr.
void PrintSummary(const Module1::WalkSummary& s, double seconds) {
    if (s.skipped_folders > 0) {
        Print(stderr, "marrowpine-list: " +
                          list_tool::Format(list_tool::Tr("folders that could not be read: %s"),
                                            {std::to_string(s.skipped_folders)}) +
                          "\n");
        for (const std::string& path : s.skipped_examples) Print(stderr, "  " + Module1::ShownName(path) + "\n");
        if (s.skipped_folders > s.skipped_examples.size()) Print(stderr, "  …\n");
    }
    if (s.unrepresentable_names > 0) {
        Print(stderr, "marrowpine-list: " +
                          list_tool::Format(list_tool::Tr("names the output's encoding cannot hold: %s"),
                                            {std::to_string(s.unrepresentable_names)}) +
                          "\n");
    }
    // The summary's names are for scripts: the same in every language.
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", seconds);
    Print(stderr, "entries=" + std::to_string(s.entries) + " matches=" + std::to_string(s.matches) +
                      " lines=" + std::to_string(s.lines_written) + " skipped_folders=" +
                      std::to_string(s.skipped_folders) + " unrepresentable_names=" +
                      std::to_string(s.unrepresentable_names) + " seconds=" + time + "\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");  // upper-casing follows the user's locale
    list_tool::ChooseLanguage();  // and the texts its language
    // The file size limit and a reader that left end the run with a status, not a signal.
    Module1::IgnoreWriteSignals();
    list_tool::ListOptions options;
    const std::string problem = list_tool::ParseOptions(list_tool::Arguments(argc, argv), options);
    if (!problem.empty()) {
        Print(stderr, "marrowpine-list: " + Module1::ShownName(problem) + "\n" +
                          list_tool::Tr("Try 'marrowpine-list --help' for more information.") + "\n");
        return kUsage;
    }
    if (options.action == list_tool::ListOptions::Action::kHelp) {
        Print(stdout, list_tool::HelpText());
        return kDone;
    }
    if (options.action == list_tool::ListOptions::Action::kVersion) {
        Print(stdout, list_tool::VersionText());
        return kDone;
    }

    Module1::RunRequest& request = options.request;
    // Full names and link targets need an absolute start folder, as the folder
    // list gives it; the output is named from where the tool was started.
    request.start_folder = list_tool::AbsolutePath(options.folder);
    request.start_drive = request.start_folder.substr(0, 2);  // "C:" where there are drive letters
    // "-" is the standard output, for a pipe; "./-" names a file. On a
    // terminal a name cannot send it commands.
    request.output = options.output == "-"
                         ? Module1::OutputTarget{"-", true, list_tool::StdoutIsTerminal()}
                         : Module1::OutputTarget{list_tool::AbsolutePath(options.output), false, false};

    const auto start = std::chrono::steady_clock::now();
    Module1::WalkSummary summary;
    list_tool::ProgressLine progress(list_tool::WriteStderr, list_tool::TerminalColumns(), start);
    Module1::RunObserver observer;
    if (list_tool::StderrIsTerminal()) {
        observer.progress = [&progress](const Module1::WalkProgress& now) {
            progress.Update(now, std::chrono::steady_clock::now());
        };
    }

    int status = kDone;
    // The summary counts as the walk goes, so that a failed run still says
    // how far its output got (lines=).
    try {
        Module1::RunSearch(Module1::NativePlatform(), request, observer, summary);
    } catch (const Module1::ReaderGoneError&) {
        // The reader had enough (| head): the listing is incomplete, but that is no error to tell.
        status = kRunFailed;
    } catch (const Module1::SearchError& error) {
        progress.Clear();
        Print(stderr, "marrowpine-list: " + list_tool::RunErrorText(error) + "\n");
        status = kRunFailed;
    } catch (const std::exception& error) {
        progress.Clear();
        Print(stderr, "marrowpine-list: " + Module1::ShownName(error.what()) + "\n");
        status = kRunFailed;
    }
    progress.Clear();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    PrintSummary(summary, seconds.count());
    return status;
}
