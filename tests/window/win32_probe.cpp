// A look into the running program for the end-to-end test, as an
// accessibility tool would take it:
//   win32_probe box      the text of the open message box titled "MARROWPINE"
//   win32_probe enabled  the names of Form1's enabled controls
//   win32_probe focus    the name of the Form1 control that has the keyboard focus
//   win32_probe dialog-name  the name in the open save dialog's file name box
// Exits 1 when the window asked for is not there.

#include <windows.h>
#include <dlgs.h>

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
        HWND dialog = FindTop(L"#32770", Module1::win32::Wide(Form1Description::kSaveDialogTitle));
        if (dialog == nullptr || !IsWindowVisible(dialog)) return 1;
        // The name box: a combo box in the newer dialog, an edit box in the older.
        HWND box = GetDlgItem(dialog, cmb13);
        if (box == nullptr) box = GetDlgItem(dialog, edt1);
        if (box == nullptr) return 1;
        wchar_t text[1024] = L"";
        GetWindowTextW(box, text, 1024);
        std::printf("%s\n", Module1::win32::Utf8(text).c_str());
        return 0;
    }
    if (what == L"focus") {
        HWND form = FindTop(L"MarrowpineForm1", L"");
        if (form == nullptr || !IsWindowVisible(form)) return 1;
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread)) return 1;
        for (const Form1Description::Control& c : Form1Description::Controls()) {
            if (GetDlgItem(form, ControlId(c)) == thread.hwndFocus) {
                std::printf("%.*s\n", static_cast<int>(c.name.size()), c.name.data());
                return 0;
            }
        }
        return 1;
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
