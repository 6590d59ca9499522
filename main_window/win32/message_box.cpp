#include "message_box.h"

#include "form1_description.h"
#include "texts.h"
#include "win32_text.h"

namespace {

// The box on show on this thread: when it was activated, and the hooks that
// watch it. Windows' box has no option to ignore early keys, so they are
// taken out of its message loop through the thread's message filter, which
// every dialog's loop consults before it handles a message.
struct BoxGuard {
    HHOOK activation = nullptr;
    HHOOK filter = nullptr;
    ULONGLONG shown_at = 0;  // 0 until the box is activated
    BoxGuard* outer = nullptr;
};
thread_local BoxGuard* guard = nullptr;

LRESULT CALLBACK OnActivation(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && guard != nullptr && guard->shown_at == 0) guard->shown_at = GetTickCount64();
    return CallNextHookEx(nullptr, code, w, l);
}

bool IsKey(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST);
}

LRESULT CALLBACK OnDialogMessage(int code, WPARAM w, LPARAM l) {
    const auto* message = reinterpret_cast<const MSG*>(l);
    if (code >= 0 && guard != nullptr && IsKey(message->message) &&
        (guard->shown_at == 0 ||
         GetTickCount64() - guard->shown_at < static_cast<ULONGLONG>(Form1Description::kBoxKeyDelay.count()))) {
        return 1;  // taken out: the box never sees it
    }
    return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace

void ShowMessageBox(HWND owner, const std::string& text) {
    BoxGuard mine;
    mine.outer = guard;
    const DWORD thread = GetCurrentThreadId();
    mine.activation = SetWindowsHookExW(WH_CBT, OnActivation, nullptr, thread);
    mine.filter = SetWindowsHookExW(WH_MSGFILTER, OnDialogMessage, nullptr, thread);
    guard = &mine;
    MessageBoxW(owner, Module1::win32::Wide(text).c_str(), Module1::win32::Wide(Module1::kTitle).c_str(), MB_OK);
    guard = mine.outer;
    if (mine.filter != nullptr) UnhookWindowsHookEx(mine.filter);
    if (mine.activation != nullptr) UnhookWindowsHookEx(mine.activation);
}
