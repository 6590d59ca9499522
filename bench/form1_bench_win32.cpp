// form1-bench for the Win32 window: one Execute of Form1 over the current
// folder under Wine, the save dialog answered and the closing box closed by
// a timer of this thread, as a user's clicks would arrive.
//
//   cd TREE && form1-bench.exe OUTPUT
//
// Prints "execute_seconds=S longest_gap_ms=G walk_seconds=W turns=T
// repaints=R": the whole Execute command, the longest stretch in which the
// window's messages waited, and the walk from its start to the closing box.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "form1.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring output;

// The file name box of the save dialog: the combo box of the Explorer-style
// dialog, or the older edit box.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindWindowW(L"#32770", L"検索結果を保存"); dialog != nullptr && IsWindowVisible(dialog)) {
        SetDlgItemTextW(dialog, kFileNameCombo, output.c_str());
        SetDlgItemTextW(dialog, kFileNameEdit, output.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    if (HWND box = FindWindowW(L"#32770", L"MARROWPINE"); box != nullptr && IsWindowVisible(box)) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cd TREE && form1-bench.exe OUTPUT\n");
        return 2;
    }
    output = argv[1];
    Form1 form(GetModuleHandleW(nullptr));
    ShowWindow(form.Window(), SW_SHOW);
    UpdateWindow(form.Window());
    // As a user would, press Execute once the window is up and painted.
    const Clock::time_point shown = Clock::now();
    while (Clock::now() - shown < std::chrono::milliseconds(500)) {
        form.PumpMessages();
        Sleep(10);
    }
    SetTimer(nullptr, 0, 20, Answer);
    const Clock::time_point start = Clock::now();
    form.Command_Exec_Click();
    const std::chrono::duration<double> seconds = Clock::now() - start;
    const PacingStats& pacing = form.LastRunPacing();
    const std::chrono::duration<double> walk = pacing.walk;
    std::printf("execute_seconds=%.3f longest_gap_ms=%.1f walk_seconds=%.3f turns=%llu repaints=%llu\n",
                seconds.count(), std::chrono::duration<double, std::milli>(pacing.longest_gap).count(), walk.count(),
                static_cast<unsigned long long>(pacing.turns), static_cast<unsigned long long>(pacing.repaints));
    std::fflush(stdout);
    return 0;
}
