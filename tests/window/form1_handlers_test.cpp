// Form1's handlers outside Execute without a toolkit: what a drive change,
// the class options and Exit do to the window, the same for every front end.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "form1_handlers.h"

namespace {

namespace fd = Form1Description;
using fd::Id;

// Both lists over a file system in which only the readable folders open.
class FakeLists final : public DriveListControl, public FolderListControl {
public:
    std::set<std::string> readable;
    std::string drive, root, path;
    std::function<void()> on_path_changed;

    void SetDrives(std::vector<Module1::Drive> drives) override { drives_ = std::move(drives); }
    const std::vector<Module1::Drive>& Drives() const override { return drives_; }
    std::string Drive() const override { return drive; }
    bool SelectDrive(const std::string& mount_point) override {
        drive = mount_point;
        return true;
    }
    std::string CurrentFolderOf(const std::string& of) const override { return of + "/current"; }
    const std::string& Path() const override { return path; }
    const std::string& Root() const override { return root; }
    bool Open(const std::string& new_root, const std::string& new_path, std::string& failure) override {
        if (!readable.contains(new_path)) {
            failure = "No medium";
            return false;
        }
        root = new_root;
        path = new_path;
        on_path_changed();
        return true;
    }

private:
    std::vector<Module1::Drive> drives_;
};

// A window that keeps what the handlers set and notes what they do.
class FakeForm1 final : public Form1Handlers {
public:
    FakeLists lists;
    std::map<Id, bool> selected;
    std::map<Id, std::string> texts;
    fd::FocusTarget focus;
    std::vector<std::string> done;

    FakeForm1() : Form1Handlers(Module1::NativePlatform()) {
        lists.on_path_changed = [this] {
            Dir1_Change();
            done.push_back("Dir1_Change with start_drive " + Selection().start_drive);
        };
    }

    bool IsSelected(Id option) const override { return selected.contains(option) && selected.at(option); }
    std::string FreeExtensionText() const override { return {}; }
    void SetEnabled(Id, bool) override {}
    void FocusControl(fd::FocusTarget control) override { focus = control; }
    void SetBusyPointer(bool) override {}
    bool ShowSave(const char*, const char*) override { return false; }
    std::string OutputFileName() const override { return {}; }
    void ShowMessageBox(const std::string& text) override { done.push_back("box " + text); }
    void DropPendingInput() override {}
    DriveListControl& Drive1Control() override { return lists; }
    FolderListControl& Dir1Control() override { return lists; }
    void SelectOption(Id option) override {
        const bool was_selected = IsSelected(option);
        for (const fd::Control* member : fd::OptionGroup(fd::Get(option))) selected[member->id] = member->id == option;
        if (!was_selected) Option_Click(option);
    }
    void SetText(Id control, const std::string& text) override { texts[control] = text; }
    // Closing the window comes back through Form_Unload, as the toolkits' do.
    void UnloadForm1() override {
        done.push_back("UnloadForm1");
        Form_Unload();
    }
    void UnloadForm2() override { done.push_back("UnloadForm2"); }
    void EndProgram() override { done.push_back("EndProgram"); }
};

}  // namespace

// The folder list moves first, so that start_folder is written before
// start_drive; a drive that cannot be read is named as text in its box, and
// both lists and the selection stay on the folder that is still open.
TEST(Form1Handlers, ADriveChangeMovesTheFolderFirstOrSaysWhyItCannot) {
    const struct {
        const char* label;
        std::string drive;
        std::set<std::string> readable;
        FolderSelection selection;
        std::vector<std::string> done;
    } cases[] = {
        {"its current folder", "/usb", {"/usb/current", "/usb"}, {"/usb", "/usb/current"},
         {"Dir1_Change with start_drive /home"}},
        {"unreadable", "/media/\x1b]0;x\a", {}, {"/home", "/home/web"},
         {std::string("box ") + fd::kDriveUnreadable + ": /media/\\x1B]0;x\\x07 (No medium)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FakeForm1 form;
        std::string failure;
        form.lists.readable = {"/home/web"};
        form.lists.Open("/home", "/home/web", failure);
        form.lists.drive = "/home";
        form.Form_Load();
        form.done.clear();
        form.lists.readable.insert(c.readable.begin(), c.readable.end());

        form.lists.drive = c.drive;  // as the user's choice
        form.Drive1_Change();
        EXPECT_EQ(form.done, c.done);
        EXPECT_EQ(form.Selection().start_drive, c.selection.start_drive);
        EXPECT_EQ(form.Selection().start_folder, c.selection.start_folder);
        EXPECT_EQ(form.lists.drive, c.selection.start_drive) << "the drive list names the open folder's drive";
    }
}

// A fixed class empties Text1, "OTHER" keeps it and takes the caret there;
// the output and name styles leave both alone.
TEST(Form1Handlers, TheClassOptionsActOnText1) {
    const struct {
        Id option;
        const char* text;
        fd::FocusTarget focus;
    } cases[] = {
        {Id::opt_ext2, "", {}},         {Id::opt_ext3, "", {}},        {Id::opt_ext4, "", {}},
        {Id::opt_ext5, "", {}},         {Id::opt_ext6, " bak", Id::Text1}, {Id::opt_out2, " bak", {}},
        {Id::opt_inside_style2, " bak", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fd::Get(c.option).name);
        FakeForm1 form;
        form.Form_Load();
        form.texts[Id::Text1] = " bak";
        form.SelectOption(c.option);
        EXPECT_EQ(form.texts[Id::Text1], c.text);
        EXPECT_EQ(form.focus, c.focus);
    }
}

// Exit ends in the designed order, once, although closing the window comes
// back through Form_Unload.
TEST(Form1Handlers, ExitUnloadsBothFormsThenEndsOnce) {
    FakeForm1 form;
    form.Command_Exit_Click();
    form.Form_Unload();
    EXPECT_EQ(form.done, (std::vector<std::string>{"UnloadForm1", "UnloadForm2", "EndProgram"}));
    EXPECT_TRUE(form.Ending());
}
