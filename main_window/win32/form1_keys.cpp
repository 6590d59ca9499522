// Form1's keyboard on Windows, the message pump the walk's turns use, and
// the keys left over when a run ends.
// The window is not a dialog, so it moves the focus itself, in the
// description's tab order, which does not follow the controls' stacking.

#include "form1.h"

namespace fd = Form1Description;

namespace {

bool IsKeyDown(const MSG& message, WPARAM key) { return message.message == WM_KEYDOWN && message.wParam == key; }

bool Pressed(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void Form1::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Form1::DropPendingInput() {
    // Keys still queued from the run, hardware input not yet read included,
    // and what an input method made of them.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&message, nullptr, WM_IME_STARTCOMPOSITION, WM_IME_KEYLAST, PM_REMOVE)) {
    }
}

bool Form1::PreTranslate(MSG& message) {
    // The window itself holds the focus during a run; Tab leads on from it.
    if (message.hwnd == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    if (Pressed(VK_MENU) || Pressed(VK_CONTROL)) return false;
    HWND focus = GetFocus();
    if (IsKeyDown(message, VK_TAB)) {
        MoveFocus(Pressed(VK_SHIFT));
        return true;
    }
    if (IsKeyDown(message, VK_RETURN)) {
        if (focus == Control(fd::Id::Dir1)) {
            Dir1->OpenHighlighted();
        } else if (focus == Control(fd::Id::Drive1) && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0)) {
            return false;  // Enter closes the dropped list
        } else if (focus == Control(fd::Id::Command_Exit)) {
            Command_Exit_Click();
        } else if (IsWindowEnabled(Control(fd::Id::Command_Exec))) {
            // Enter presses the focused button, and Execute, the default
            // button, from anywhere else.
            Command_Exec_Click();
        }
        return true;
    }
    // The arrow keys move the selection within an option group.
    const bool back = IsKeyDown(message, VK_UP) || IsKeyDown(message, VK_LEFT);
    const bool forth = IsKeyDown(message, VK_DOWN) || IsKeyDown(message, VK_RIGHT);
    if (back || forth) {
        for (const fd::Control& c : fd::Controls()) {
            if (c.kind != fd::Kind::OptionButton || Control(c.id) != focus) continue;
            const auto group = fd::OptionGroup(c);
            const auto n = static_cast<int>(group.size());
            int at = 0;
            while (group[at] != &c) ++at;
            for (int step = 1; step < n; ++step) {
                const fd::Control* next = group[((back ? at - step : at + step) % n + n) % n];
                if (!IsWindowEnabled(Control(next->id))) continue;
                SetFocus(Control(next->id));
                SelectOption(next->id);
                break;
            }
            return true;
        }
    }
    return false;
}

void Form1::MoveFocus(bool backwards) {
    const std::vector<const fd::Control*> order = fd::TabOrder();
    const auto n = static_cast<int>(order.size());
    HWND focus = GetFocus();
    int at = backwards ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        if (Control(order[i]->id) == focus) at = i;
    }
    for (int step = 1; step <= n; ++step) {
        const fd::Control* next = order[((backwards ? at - step : at + step) % n + n) % n];
        HWND control = Control(next->id);
        if (!IsWindowEnabled(control)) continue;
        // An option group is one stop: its selected button.
        if (next->kind == fd::Kind::OptionButton && !IsSelected(next->id)) continue;
        SetFocus(control);
        if (next->kind == fd::Kind::TextBox) SendMessageW(control, EM_SETSEL, 0, -1);
        return;
    }
}

// The focused push button is the default one; elsewhere Execute is.
void Form1::UpdateDefaultButton() {
    HWND exec = Control(fd::Id::Command_Exec);
    HWND exit = Control(fd::Id::Command_Exit);
    const bool exit_default = GetFocus() == exit;
    SendMessageW(exec, BM_SETSTYLE, (exit_default ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | BS_NOTIFY, TRUE);
    SendMessageW(exit, BM_SETSTYLE, (exit_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
}
