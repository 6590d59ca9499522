// The Win32 window as Windows builds it from the description, under Wine:
// every control once, inside its frame, its caption readable in the font
// the window chose, the keyboard in the designed order, the folder list's
// focus, drops, drive labels as text, and the focus during a run.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "texts.h"
#include "win32_test_support.h"
#include "win32_calls.h"
#include "win32_ids.h"
#include "win32_text.h"

#include <shellapi.h>
#include <dlgs.h>  // the save dialog's name box
#include <shlobj.h>  // DROPFILES

using namespace win32_test;

namespace {

RECT ScreenRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool Within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// What Explorer hands a window when a file is dropped on it.
HDROP DropOf(const std::wstring& path) {
    const std::size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

TEST_F(Form1Win32, EveryControlIsOneWindowOfItsKind) {
    const std::map<fd::Kind, std::string> classes = {
        {fd::Kind::Frame, "Button"},         {fd::Kind::OptionButton, "Button"}, {fd::Kind::TextBox, "Edit"},
        {fd::Kind::CommandButton, "Button"}, {fd::Kind::Label, "Static"},        {fd::Kind::DriveList, "ComboBox"},
        {fd::Kind::FolderList, "ListBox"},
    };
    std::set<HWND> seen;
    for (const fd::Control& c : fd::Controls()) {
        HWND control = GetDlgItem(form_->Window(), ControlId(c));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_TRUE(seen.insert(control).second) << c.name;
        EXPECT_EQ(ClassOf(control), classes.at(c.kind)) << c.name;
        if (c.kind != fd::Kind::TextBox && c.kind != fd::Kind::Label && !c.caption.empty()) {
            EXPECT_EQ(TextOf(control), c.caption) << c.name;
        }
    }
    int children = 0;
    for (HWND child = GetWindow(form_->Window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(fd::Controls().size()));
}

// Measured in the control's own font: the caption beside an option's
// indicator, inside a button's border, in a frame's top line.
TEST_F(Form1Win32, CaptionsFitTheirControlsInTheWindowsFont) {
    HDC dc = GetDC(form_->Window());
    const int dpi = static_cast<int>(GetDpiForWindow(form_->Window()));
    for (const fd::Control& c : fd::Controls()) {
        if (c.caption.empty()) continue;
        HWND control = form_->Control(c.id);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << c.name;
        SelectObject(dc, font);
        const std::wstring text = Module1::win32::Wide(c.caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT client;
        GetClientRect(control, &client);
        int room = client.right;
        if (c.kind == fd::Kind::OptionButton) room -= GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
        if (c.kind == fd::Kind::Frame || c.kind == fd::Kind::CommandButton) room -= 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
        EXPECT_LE(size.cx, room) << c.name;
        // Japanese must come out as Japanese: the font has the glyphs.
        WORD glyphs[64];
        const DWORD n = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs, GGI_MARK_NONEXISTING_GLYPHS);
        for (DWORD i = 0; i < n; ++i) EXPECT_NE(glyphs[i], 0xFFFF) << c.name << " character " << i;
    }
    ReleaseDC(form_->Window(), dc);
}

// Frames here are drawn by windows of their own, so the front end must put
// each option inside its frame, and every control inside the client area.
TEST_F(Form1Win32, ControlsLieInsideTheirFramesAndTheWindow) {
    RECT client;
    GetClientRect(form_->Window(), &client);
    MapWindowPoints(form_->Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const fd::Control& c : fd::Controls()) {
        const RECT r = ScreenRect(form_->Control(c.id));
        EXPECT_TRUE(Within(r, client)) << c.name;
        if (!c.parent.empty()) {
            EXPECT_TRUE(Within(r, ScreenRect(form_->Control(fd::Find(c.parent)->id)))) << c.name;
        }
    }
    EXPECT_TRUE(Within(ScreenRect(form_->Control(fd::Id::Dir1)), ScreenRect(form_->Control(fd::Id::Frame4))));
}

// Tab follows the designed order, an option group being one stop at its
// selected button; the arrow keys move the selection within the group only.
TEST_F(Form1Win32, KeyboardFollowsTheDesignedOrder) {
    ASSERT_EQ(GetFocus(), form_->Control(fd::Id::Command_Exec));
    std::vector<std::string> visited;
    for (int i = 0; i < 8; ++i) visited.push_back(Press(VK_TAB));
    const std::vector<std::string> expected = {"Command_Exit", "Dir1", "Drive1", "opt_ext1", "opt_out1",
                                               "Text1", "opt_inside_style1", "Command_Exec"};
    EXPECT_EQ(visited, expected);

    SetFocus(form_->Control(fd::Id::opt_ext1));
    SetWindowTextW(form_->Control(fd::Id::Text1), L"bak");
    EXPECT_EQ(Press(VK_DOWN), "opt_ext2");
    EXPECT_EQ(SendMessageW(form_->Control(fd::Id::opt_ext2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(form_->Control(fd::Id::opt_ext1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(form_->Control(fd::Id::opt_out1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(form_->Control(fd::Id::Text1)), "") << "a fixed class keeps the free extension";
    EXPECT_EQ(Press(VK_UP), "opt_ext1");
    // Wrapping round to "OTHER", which takes the caret to Text1.
    EXPECT_EQ(Press(VK_UP), "Text1");
    EXPECT_EQ(SendMessageW(form_->Control(fd::Id::opt_ext6), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Press(VK_TAB), "opt_ext6");
}

// The folder list's focus shows plainly: more than half a row changes when
// the list takes the focus, not a dotted line alone; and without the focus
// the open folder is still marked as plainly as a selection.
TEST_F(Form1Win32, TheFolderListShowsItsFocusPlainly) {
    HWND list = form_->Control(fd::Id::Dir1);
    SetFocus(list);
    const std::vector<std::uint32_t> focused = Pixels(list);
    SetFocus(form_->Control(fd::Id::Command_Exec));
    const std::vector<std::uint32_t> unfocused = Pixels(list);
    ASSERT_EQ(focused.size(), unfocused.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < focused.size(); ++i) changed += focused[i] != unfocused[i];
    RECT client;
    GetClientRect(list, &client);
    const auto row = static_cast<std::size_t>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) * client.right);
    EXPECT_GT(changed, row / 2) << changed << " pixels differ";

    // Without the focus the open folder still stands out in the selection's
    // colour, all round its row.
    RECT open;
    SendMessageW(list, LB_GETITEMRECT, SendMessageW(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(&open));
    const COLORREF selection = GetSysColor(COLOR_HIGHLIGHT);
    const std::uint32_t as_pixel = GetRValue(selection) << 16 | GetGValue(selection) << 8 | GetBValue(selection);
    std::size_t marked = 0;
    for (LONG y = open.top; y < open.bottom; ++y) {
        for (LONG x = open.left; x < open.right; ++x) marked += (unfocused[y * client.right + x] & 0xFFFFFF) == as_pixel;
    }
    EXPECT_GE(marked, static_cast<std::size_t>(2 * (open.right - open.left + open.bottom - open.top)))
        << marked << " pixels in the selection's colour";
}

// A folder dropped on the window opens in the lists; a file opens the
// folder that holds it.
TEST_F(Form1Win32, ADroppedFolderOrFileOpens) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring top = std::wstring(temp) + L"marrowpine-drop-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring folder = top + L"\\フォルダー";
    ASSERT_TRUE(CreateDirectoryW(top.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\a.htm";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    for (const std::wstring& dropped : {folder, file, top}) {
        SendMessageW(form_->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(dropped)), 0);
        const std::wstring expected = dropped == file ? folder : dropped;
        EXPECT_EQ(form_->Selection().start_folder, Utf8(expected.c_str()));
    }
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(top.c_str());
}

namespace {

// The status reaches readers as it is painted: the label's description
// changes and the change is announced.
std::vector<HWND> announced;
void CALLBACK NoteAnnouncement(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) announced.push_back(window);
}

}  // namespace

TEST(Form1Win32ScreenReader, EveryControlIsNamedAndTheStatusIsAnnounced) {
    RecordedAnnotations annotations;
    Form1 form(GetModuleHandleW(nullptr), &annotations);
    for (const fd::Control& c : fd::Controls()) {
        EXPECT_EQ(Utf8(annotations.Text(form.Control(c.id), PROPID_ACC_NAME)), fd::AccessibleName(c)) << c.name;
    }
    HWND label = form.Control(fd::Id::Label2);
    EXPECT_TRUE(annotations.Live(label));

    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                               NoteAnnouncement, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    announced.clear();
    form.Observer().match("Z:\\web\\<b>x</b>.htm<b>x</b>.htm");
    form.PumpMessages();
    EXPECT_EQ(Utf8(annotations.Text(label, PROPID_ACC_DESCRIPTION)), "Z:\\web\\<b>x</b>.htm<b>x</b>.htm");
    if (hook != nullptr) {
        UnhookWinEvent(hook);
        EXPECT_EQ(announced, std::vector<HWND>{label});
    }
}

namespace {

// A folder read that fails after its first entry, as a dropped network drive's does.
BOOL WINAPI FindNextThatFails(HANDLE, LPWIN32_FIND_DATAW) {
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}

}  // namespace

// A folder list that cannot be read whole says so, and keeps showing the
// folder it had open rather than part of the new one.
TEST_F(Form1Win32, AFolderReadThatFailsPartWayIsReported) {
    HWND list = form_->Control(fd::Id::Dir1);
    const LRESULT rows = SendMessageW(list, LB_GETCOUNT, 0, 0);
    SendMessageW(list, LB_SETCURSEL, 0, 0);  // the drive's root
    std::string text;
    {
        calls_.find_next_file = FindNextThatFails;
        BoxCloser closer;
        SendMessageW(form_->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        text = closer.Text();
        calls_.find_next_file = nullptr;
    }
    EXPECT_EQ(text.rfind(std::string(Module1::kCannotOpenFolder) + ": ", 0), 0u) << text;
    EXPECT_NE(text.find(Module1::win32::Reason(ERROR_NETNAME_DELETED)), std::string::npos) << text;
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), rows);
}

// A volume label with a bidirectional override or an escape sequence is
// shown as text, as a name is.
TEST_F(Form1Win32, ADriveLabelIsShownWithItsControlsEscaped) {
    HWND combo = form_->Control(fd::Id::Drive1);
    DriveList drives(combo);
    drives.SetDrives({{"C:\\", "c: [\x1b[31mred\xe2\x80\xae" "evil]"}});
    wchar_t text[128] = L"";
    ASSERT_LT(SendMessageW(combo, CB_GETLBTEXTLEN, 0, 0), 128);
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    const std::wstring shown = text;
    EXPECT_EQ(shown.find(L'\x1b'), std::wstring::npos) << Utf8(shown);
    EXPECT_EQ(shown.find(L'\x202e'), std::wstring::npos) << Utf8(shown);
    EXPECT_NE(shown.find(L"red"), std::wstring::npos) << Utf8(shown);
}

// A drive that cannot be read is named in its box as text, and the drive
// list goes back to the drive of the folder still open.
TEST_F(Form1Win32, AnUnreadableDriveIsNamedWithItsControlsEscaped) {
    const std::string open_root = form_->Dir1->Root();
    form_->Drive1->SetDrives({{open_root, "open"}, {"\\\\?\\\x1b[31mgone\\", "gone"}});
    HWND combo = form_->Control(fd::Id::Drive1);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    BoxCloser closer;
    SendMessageW(form_->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    const std::string text = closer.Text();
    EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
    EXPECT_NE(text.find("\\x1B[31mgone"), std::string::npos) << text;
    EXPECT_EQ(form_->Drive1->Drive(), open_root);
}

// A run that the user leaves for another program and comes back to, from
// inside the walk: a thread timer answers the dialog and the closing box,
// as the user would, and makes the visit once the window is locked.
namespace {

struct RunVisit {
    std::wstring output;
    HWND form = nullptr;
    HWND exec = nullptr;
    bool made = false;
    HWND during = nullptr;
    HWND back = nullptr;
} visit;

void CALLBACK VisitTheRun(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", Module1::win32::Wide(fd::kSaveDialogTitle).c_str());
    HWND box = FindWindowW(L"#32770", Module1::win32::Wide(Module1::kTitle).c_str());
    if (dialog != nullptr && IsWindowVisible(dialog)) {
        SetDlgItemTextW(dialog, cmb13, visit.output.c_str());
        SetDlgItemTextW(dialog, edt1, visit.output.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    } else if (box != nullptr && IsWindowVisible(box)) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    } else if (!visit.made && !IsWindowEnabled(visit.exec)) {
        visit.during = GetFocus();
        SetFocus(nullptr);  // another program has the keyboard
        SetFocus(visit.form);
        visit.back = GetFocus();
        visit.made = true;
    }
}

}  // namespace

// During a run the focus stays where no key acts, also after the user
// comes back to the window: not on Exit, where a stray Enter would end the
// program. Execute has it again once the run is over.
TEST_F(Form1Win32, ComingBackDuringARunLeavesTheFocusWhereNoKeyActs) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"marrowpine-visit-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(root.c_str(), nullptr);
    for (int d = 0; d < 20; ++d) {
        const std::wstring folder = root + L"d" + std::to_wstring(d) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (int f = 0; f < 50; ++f) {
            CloseHandle(CreateFileW((folder + std::to_wstring(f) + L".htm").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr));
        }
    }
    form_->SelectPointedFolder(Utf8(root));
    visit = {root + L"out.txt", form_->Window(), form_->Control(fd::Id::Command_Exec)};
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, VisitTheRun);
    form_->Command_Exec_Click();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(visit.made) << "the walk ended before the visit";
    EXPECT_EQ(visit.during, form_->Window());
    EXPECT_EQ(visit.back, form_->Window());
    EXPECT_EQ(GetFocus(), form_->Control(fd::Id::Command_Exec));
    RemoveFolder(root);
}
