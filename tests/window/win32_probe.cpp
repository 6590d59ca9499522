// A look into the running program for the end-to-end test, as an
// accessibility tool would take it:
//   win32_probe box      the text of the open message box titled "MARROWPINE"
//   win32_probe enabled  the names of Form1's enabled controls
//   win32_probe focus    where the keyboard focus is: the name of a Form1 control,
//                        "dialog-name" for the save dialog's name box, "Form1" or "other"
//   win32_probe dialog-name  the name in the open save dialog's name box
//   win32_probe open-folder  the name of the folder open in Dir1
//   win32_probe documents    the user's Documents folder
//   win32_probe close        closes Form1, as its close box does
// Exits 1 when the window asked for is not there.

#include <windows.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "form1_description.h"
#include "texts.h"
#include "win32_ids.h"
#include "win32_text.h"

namespace {

HWND FindTop(const wchar_t* window_class, const std::wstring& title) {
    return FindWindowW(window_class, title.empty() ? nullptr : title.c_str());
}

// The file name box of the open save dialog, or nullptr.
HWND DialogNameBox() {
    HWND dialog = FindTop(L"#32770", Module1::win32::Wide(Form1Description::kSaveDialogTitle));
    if (dialog == nullptr || !IsWindowVisible(dialog)) return nullptr;
    // A combo box in the newer dialog, an edit box in the older.
    HWND box = GetDlgItem(dialog, cmb13);
    return box != nullptr ? box : GetDlgItem(dialog, edt1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const std::wstring what = argv[1];
    if (what == L"box") {
        HWND box = FindTop(L"#32770", Module1::win32::Wide(Module1::kTitle));
        if (box == nullptr || !IsWindowVisible(box)) return 1;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[32] = L"", text[1024] = L"";
            GetClassNameW(child, name, 32);
            GetWindowTextW(child, text, 1024);
            if (std::wstring(name) == L"Static" && text[0] != L'\0') std::printf("%s\n", Module1::win32::Utf8(text).c_str());
        }
        return 0;
    }
    if (what == L"dialog-name") {
        HWND box = DialogNameBox();
        if (box == nullptr) return 1;
        // Asked of the box itself: for another process's window GetWindowText
        // gives only the caption Windows keeps, not what the box holds.
        wchar_t text[1024] = L"";
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied)) {
            return 1;
        }
        std::printf("%s\n", Module1::win32::Utf8(text).c_str());
        return 0;
    }
    if (what == L"focus") {
        HWND form = FindTop(L"MarrowpineForm1", L"");
        if (form == nullptr || !IsWindowVisible(form)) return 1;
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread) || thread.hwndFocus == nullptr) return 1;
        for (const Form1Description::Control& c : Form1Description::Controls()) {
            if (GetDlgItem(form, ControlId(c)) == thread.hwndFocus) {
                std::printf("%.*s\n", static_cast<int>(c.name.size()), c.name.data());
                return 0;
            }
        }
        HWND box = DialogNameBox();
        const bool in_box = box != nullptr && (box == thread.hwndFocus || IsChild(box, thread.hwndFocus));
        std::printf("%s\n", in_box ? "dialog-name" : thread.hwndFocus == form ? "Form1" : "other");
        return 0;
    }
    if (what == L"open-folder" || what == L"close") {
        HWND form = FindTop(L"MarrowpineForm1", L"");
        if (form == nullptr) return 1;
        if (what == L"close") return PostMessageW(form, WM_CLOSE, 0, 0) ? 0 : 1;
        HWND list = GetDlgItem(form, ControlId(Form1Description::Get(Form1Description::Id::Dir1)));
        const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
        wchar_t text[MAX_PATH] = L"";
        if (row < 0 || SendMessageW(list, LB_GETTEXTLEN, row, 0) >= MAX_PATH) return 1;
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", Module1::win32::Utf8(text).c_str());
        return 0;
    }
    if (what == L"documents") {
        wchar_t path[MAX_PATH] = L"";
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return 1;
        std::printf("%s\n", Module1::win32::Utf8(path).c_str());
        return 0;
    }
    if (what == L"enabled") {
        HWND form = FindTop(L"MarrowpineForm1", L"");
        if (form == nullptr) return 1;
        for (const Form1Description::Control& c : Form1Description::Controls()) {
            if (IsWindowEnabled(GetDlgItem(form, ControlId(c)))) std::printf("%.*s\n", static_cast<int>(c.name.size()), c.name.data());
        }
        return 0;
    }
    return 2;
}
