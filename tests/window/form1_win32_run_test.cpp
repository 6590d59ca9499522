// The Win32 window around a run, under Wine: keys left over from a run and
// keys in a box's first moment act on nothing, the save dialog refuses a
// name of blanks and opens where the last listing went, and screen readers
// hear the window busy during the run. The save dialog and the output's
// writes are stood in for through their seams.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32_test_support.h"  // windows.h first
#include "common_dialog.h"

using namespace win32_test;
using Module1::win32::Wide;

namespace {

// A folder of its own under the temporary folder, with a folder "walk"
// holding one page, removed with all in it afterwards.
class TempTree {
public:
    TempTree() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"marrowpine-run-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(root_.c_str(), nullptr);
        CreateDirectoryW((root_ + L"walk").c_str(), nullptr);
        CloseHandle(CreateFileW((root_ + L"walk\\a.htm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~TempTree() { RemoveFolder(root_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;
    const std::wstring& Root() const { return root_; }

private:
    std::wstring root_;
};

// Stands in for the save dialog: answers each showing with the next path
// (an empty one cancels; none left cancels too) and notes where it opened.
struct SaveAnswers {
    std::vector<std::wstring> answers;
    std::vector<std::wstring> opened_in;  // lpstrInitialDir, "" for none
} save;

BOOL WINAPI AnswerSave(LPOPENFILENAMEW dialog) {
    save.opened_in.push_back(dialog->lpstrInitialDir != nullptr ? dialog->lpstrInitialDir : L"");
    const std::size_t showing = save.opened_in.size() - 1;
    if (showing >= save.answers.size() || save.answers[showing].empty()) return FALSE;
    save.answers[showing].copy(dialog->lpstrFile, dialog->nMaxFile - 1);
    dialog->lpstrFile[std::min<std::size_t>(save.answers[showing].size(), dialog->nMaxFile - 1)] = L'\0';
    return TRUE;
}

// The save dialog is the stand-in while it lives.
class StandIns {
public:
    explicit StandIns(std::vector<std::wstring> answers) {
        save = {std::move(answers), {}};
        get_save_file_name = AnswerSave;
    }
    ~StandIns() { get_save_file_name = GetSaveFileNameW; }
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;
};

}  // namespace

// The first dialog opens where Windows' record points; after a completed
// run, in its output's folder; a failed run (the output is a folder) does
// not move it.
TEST_F(Form1Win32, TheDialogOpensWhereTheLastListingWent) {
    TempTree tree;
    form_->SelectPointedFolder(Utf8(tree.Root() + L"walk"));
    const StandIns stand_ins({tree.Root() + L"list.txt", tree.Root() + L"walk", L""});
    BoxCloser closer(2);
    for (int run = 0; run < 3; ++run) form_->Command_Exec_Click();
    EXPECT_EQ(closer.Texts().size(), 2u);
    EXPECT_EQ(save.opened_in, (std::vector<std::wstring>{L"", tree.Root(), tree.Root()}));
}

// A name of blanks only is refused: a box says why and the dialog opens
// again in the same folder; nothing is written.
TEST_F(Form1Win32, ANameOfBlanksOnlyIsRefused) {
    TempTree tree;
    form_->SelectPointedFolder(Utf8(tree.Root() + L"walk"));
    const StandIns stand_ins({tree.Root() + L"\u3000 .htm", L""});
    BoxCloser closer;
    form_->Command_Exec_Click();
    EXPECT_EQ(closer.Text(), fd::kBlankFileName);
    EXPECT_EQ(save.opened_in, (std::vector<std::wstring>{L"", tree.Root()}));
    EXPECT_EQ(GetFileAttributesW((tree.Root() + L"\u3000 .htm").c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

bool IsTheBox(HWND window) { return ClassOf(window) == "#32770" && TextOf(window) == "MARROWPINE"; }

// Watches for the program's box from inside its thread and notes when it
// was activated.
ULONGLONG box_shown_at = 0;
LRESULT CALLBACK NoteTheBox(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && box_shown_at == 0 && IsTheBox(reinterpret_cast<HWND>(w))) box_shown_at = GetTickCount64();
    return CallNextHookEx(nullptr, code, w, l);
}

// Closes the box as soon as it is activated, before its loop reads any
// input, so that keys still waiting outlive it.
LRESULT CALLBACK CloseTheBoxAtOnce(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && IsTheBox(reinterpret_cast<HWND>(w))) {
        PostMessageW(reinterpret_cast<HWND>(w), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

// Types Enter as the keyboard does, wherever the focus is, then writes.
BOOL WINAPI TypeEnterThenWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    return WriteFile(file, data, size, written, overlapped);
}

}  // namespace

// Enter and Space posted to the box in its first moment do nothing; after
// it, Enter closes the box.
TEST_F(Form1Win32, TheBoxTakesKeysOnlyAfterItsFirstMoment) {
    box_shown_at = 0;
    const HHOOK watch = SetWindowsHookExW(WH_CBT, NoteTheBox, nullptr, GetCurrentThreadId());
    bool early_ignored = false;
    ULONGLONG closed_after = 0;
    std::thread user([&] {
        HWND box = nullptr;
        for (int tries = 0; tries < 500 && (box == nullptr || !IsWindowVisible(box)); ++tries) {
            Sleep(10);
            box = FindWindowW(L"#32770", L"MARROWPINE");
        }
        for (WPARAM key : {VK_SPACE, VK_RETURN}) {
            PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, key, 0);
            PostMessageW(GetDlgItem(box, IDOK), WM_KEYUP, key, 0);
        }
        Sleep(100);
        early_ignored = IsWindowVisible(box);
        Sleep(static_cast<DWORD>(fd::kBoxKeyDelay.count()));
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
        for (int tries = 0; tries < 200 && IsWindow(box) && IsWindowVisible(box); ++tries) Sleep(10);
        closed_after = GetTickCount64() - box_shown_at;
    });
    form_->mnuFile_about_about_Click();
    user.join();
    UnhookWindowsHookEx(watch);
    EXPECT_TRUE(early_ignored);
    EXPECT_NE(box_shown_at, 0u);
    EXPECT_LT(closed_after, 2000u) << "Enter after the first moment did not close the box";
}

// Enter typed during a run after its last turn of the event loop, and left
// waiting when the box was closed with the mouse: dropped, it does not
// press Execute again.
TEST_F(Form1Win32, KeysLeftFromARunDoNothingAfterIt) {
    TempTree tree;
    form_->SelectPointedFolder(Utf8(tree.Root() + L"walk"));
    const StandIns stand_ins({tree.Root() + L"list.txt"});
    calls_.write_file = TypeEnterThenWrite;
    const HHOOK closing = SetWindowsHookExW(WH_CBT, CloseTheBoxAtOnce, nullptr, GetCurrentThreadId());
    form_->Command_Exec_Click();
    calls_.write_file = nullptr;
    form_->PumpMessages();
    UnhookWindowsHookEx(closing);
    EXPECT_EQ(save.opened_in.size(), 1u) << "a key of the run pressed Execute again";
    EXPECT_EQ(GetFocus(), form_->Control(fd::Id::Command_Exec));
}

namespace {

RecordedAnnotations* annotations_seen = nullptr;
HWND busy_window = nullptr;
LONG state_during_run = -1;

BOOL WINAPI NoteTheStateThenWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    state_during_run = annotations_seen->State(busy_window);
    return WriteFile(file, data, size, written, overlapped);
}

}  // namespace

// During a run the window tells screen readers it is busy, and after it no
// longer.
TEST(Form1Win32ScreenReader, TheWindowIsBusyDuringARun) {
    RecordedAnnotations annotations;
    StandInCalls calls;
    calls.write_file = NoteTheStateThenWrite;
    Module1::WinPlatform platform(calls);
    Form1 form(GetModuleHandleW(nullptr), &annotations, platform);
    TempTree tree;
    form.SelectPointedFolder(Utf8(tree.Root() + L"walk"));
    const StandIns stand_ins({tree.Root() + L"list.txt"});
    annotations_seen = &annotations;
    busy_window = form.Window();
    state_during_run = -1;
    BoxCloser closer;
    form.Command_Exec_Click();
    EXPECT_EQ(closer.Text().rfind("COMPLETED ...", 0), 0u);
    EXPECT_NE(state_during_run, -1);
    EXPECT_NE(state_during_run & STATE_SYSTEM_BUSY, 0);
    EXPECT_EQ(annotations.State(form.Window()), -1);
}
