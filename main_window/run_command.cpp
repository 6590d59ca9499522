#include "run_command.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

#include "completion_message.h"
#include "form1_description.h"
#include "platform.h"
#include "window_pacer.h"

namespace {

using Form1Description::Id;

// The class options in the order of their numbers.
constexpr std::pair<Id, Module1::FileClass> kClassOptions[] = {
    {Id::opt_ext1, Module1::FileClass::kHtm}, {Id::opt_ext2, Module1::FileClass::kJpgGif},
    {Id::opt_ext3, Module1::FileClass::kJpg}, {Id::opt_ext4, Module1::FileClass::kGif},
    {Id::opt_ext5, Module1::FileClass::kTxt}, {Id::opt_ext6, Module1::FileClass::kOther},
};

// What the Space bar types, also in a Japanese input method's full-width
// mode (U+3000), and the no-break space.
constexpr std::string_view kBlanks[] = {" ", "\t", "\u3000", "\u00a0"};

bool IsBlank(std::string_view text) {
    if (text.empty()) return false;
    while (!text.empty()) {
        const auto blank = std::find_if(std::begin(kBlanks), std::end(kBlanks),
                                        [text](std::string_view b) { return text.starts_with(b); });
        if (blank == std::end(kBlanks)) return false;
        text.remove_prefix(blank->size());
    }
    return true;
}

}  // namespace

bool IsBlankFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of(Module1::kFolderSeparator == '\\' ? "/\\" : "/");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return IsBlank(name) || (dot != std::string_view::npos && IsBlank(name.substr(0, dot)));
}

Module1::RunRequest CaptureRunSettings(const RunWindow& window) {
    Module1::RunRequest request;
    request.start_drive = window.Selection().start_drive;
    request.start_folder = window.Selection().start_folder;
    for (const auto& [option, file_class] : kClassOptions) {
        if (window.IsSelected(option)) request.file_class = file_class;
    }
    request.ext_free_text = window.FreeExtensionText();
    request.line_style =
        window.IsSelected(Id::opt_out2) ? Module1::LineStyle::kText : Module1::LineStyle::kHtmlLink;
    request.name_style =
        window.IsSelected(Id::opt_inside_style2) ? Module1::NameStyle::kFile : Module1::NameStyle::kPathAndFile;
    request.output = {window.OutputFileName(), false};
    return request;
}

void SetRunLocked(RunWindow& window, bool locked) {
    for (const Id control : Form1Description::kRunLockOrder) window.SetEnabled(control, !locked);
}

Module1::RunObserver WindowObserver(WindowPacer& pacer) {
    Module1::RunObserver observer;
    observer.match = [&pacer](const std::string& text) { pacer.SetStatus(text); };
    observer.event_turn = [&pacer] { pacer.ProcessEvents(); };
    return observer;
}

bool ExecuteRun(RunWindow& window, WindowPacer& pacer, Module1::Platform& platform) {
    bool locked = false;
    bool completed = false;
    try {
        const char* default_ext = window.IsSelected(Id::opt_out1)   ? Form1Description::kDefaultExtHtml
                                  : window.IsSelected(Id::opt_out2) ? Form1Description::kDefaultExtText
                                                                    : nullptr;
        // Cancel ends the command with the window as it was.
        if (window.ShowSave(default_ext, Form1Description::kSaveDialogTitle)) {
            window.SetBusyPointer(true);
            const Module1::RunRequest request = CaptureRunSettings(window);
            // Before the lock, so that the focus does not pass on to Exit.
            window.FocusControl(Form1Description::kFocusDuringRun);
            SetRunLocked(window, true);
            locked = true;
            pacer.Begin();
            Module1::WalkSummary summary;
            Module1::RunSearch(platform, request, WindowObserver(pacer), summary);
            // The last match is on show before the box opens; the window
            // comes back once the box is closed.
            pacer.End();
            window.DropPendingInput();
            window.ShowMessageBox(CompletionMessage(summary, request.output.path));
            completed = true;
            SetRunLocked(window, false);
            window.SetBusyPointer(false);
        }
    } catch (const std::exception& error) {
        pacer.End();
        if (locked) window.DropPendingInput();
        window.ShowMessageBox(error.what());
        if (locked) SetRunLocked(window, false);
        window.SetBusyPointer(false);
    }
    window.FocusControl(Form1Description::kFocusAfterRun);
    return completed;
}
