// The Execute command without a toolkit: keys left over from a run are
// dropped before its box, and the save dialog's name rule.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_output.h"
#include "fake_platform.h"
#include "platform.h"
#include "run_command.h"
#include "window_pacer.h"

namespace {

// A window that chooses the output at once and notes what the command asks.
class RecordingWindow final : public RunWindow {
public:
    std::vector<std::string> calls;

    bool IsSelected(Form1Description::Id option) const override {
        return option == Form1Description::Id::opt_ext1 || option == Form1Description::Id::opt_out1;
    }
    std::string FreeExtensionText() const override { return {}; }
    void SetEnabled(Form1Description::Id, bool) override {}
    void FocusControl(Form1Description::FocusTarget) override {}
    void SetBusyPointer(bool) override {}
    bool ShowSave(const char*, const char*) override { return true; }
    std::string OutputFileName() const override { return "out.htm"; }
    const FolderSelection& Selection() const override { return selection_; }
    void ShowMessageBox(const std::string& text) override {
        calls.push_back(text.starts_with("COMPLETED") ? "completed box" : "error box");
    }
    void DropPendingInput() override { calls.push_back("drop"); }

    FolderSelection selection_{"/", "/start"};
};

}  // namespace

// Whether the walk completes (an empty folder) or fails (no such folder),
// the keys that came meanwhile go before the box can take one.
TEST(ExecuteRun, DropsTheKeysOfTheRunBeforeItsBox) {
    for (const char* box : {"completed box", "error box"}) {
        SCOPED_TRACE(box);
        // The walk opens the start folder by its folder path.
        const std::string served =
            std::string(box == std::string("completed box") ? "/start" : "/elsewhere") + Module1::kFolderSeparator;
        test_support::FakePlatform platform(served, test_support::FakeNode::WithDots());
        test_support::FakeOutput output;  // no file is made where the test runs
        output.exists = false;
        platform.output = &output;
        RecordingWindow window;
        WindowPacer pacer;
        ExecuteRun(window, pacer, platform);
        EXPECT_EQ(window.calls, (std::vector<std::string>{"drop", box}));
    }
}

TEST(IsBlankFileName, RefusesBlanksOnlyAndKeepsBlanksAroundAName) {
    const struct {
        const char* path;
        bool blank;
    } cases[] = {
        {"/out/ ", true},
        {"/out/ .htm", true},           // the dialog added its extension
        {"/out/\u3000\u3000.txt", true},  // a Japanese input method's Space
        {"/out/ \t.txt", true},
        {"/out/ a .htm", false},
        {"/out/a", false},
        {"/out/.htm", false},  // a hidden file's name, not blanks
        {"/ a/b.htm", false},  // blanks in a folder are no concern of the name
    };
    for (const auto& c : cases) EXPECT_EQ(IsBlankFileName(c.path), c.blank) << c.path;
}
