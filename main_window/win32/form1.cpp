// Form1 on Windows: its window procedure, which raises the shared handlers
// and Execute from the controls' messages, and the window's answers to
// them.

#include "form1.h"

#include <shellapi.h>

#include "message_box.h"
#include "platform.h"
#include "texts.h"
#include "win32_ids.h"
#include "win32_text.h"

namespace fd = Form1Description;
using fd::Id;
using Module1::win32::Utf8;
using Module1::win32::Wide;

namespace {

const wchar_t kForm1Class[] = L"MarrowpineForm1";
constexpr UINT kUpdateDefaultButton = WM_APP + 1;

const fd::Control* ControlOfId(int id) {
    const int index = id - kFirstControlId;
    return index >= 0 && index < static_cast<int>(fd::Controls().size()) ? &fd::Get(static_cast<Id>(index)) : nullptr;
}

}  // namespace

Form1::Form1(HINSTANCE instance, IAccPropServices* accessibility, Module1::Platform& platform)
    : Form1Handlers(platform), instance_(instance), screen_reader_(accessibility) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hIcon = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kForm1Class;
    RegisterClassExW(&type);
    window_ = CreateWindowExW(0, kForm1Class, Wide(Module1::kTitle).c_str(), Form1Style(), 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);

    CreateControls();
    for (const fd::Control& c : fd::Controls()) screen_reader_.Name(Control(c.id), fd::AccessibleName(c));
    screen_reader_.MakeLiveRegion(Control(Id::Label2));
    Drive1 = std::make_unique<DriveList>(Control(Id::Drive1));
    Dir1 = std::make_unique<FolderList>(Control(Id::Dir1), platform);
    Dir1->on_path_changed = [this] { Dir1_Change(); };
    Dir1->show_message = [this](const std::string& text) { ShowMessageBox(text); };
    ApplyDpi(GetDpiForWindow(window_), nullptr);

    pacer_ = WindowPacer({
        .paint_status = [this, label = Control(Id::Label2)](const std::string& text) {
            SetText(Id::Label2, text);
            UpdateWindow(label);
            screen_reader_.Announce(label, text);
        },
        .process_events = [this] { PumpMessages(); },
    });
    OpenStartFolder();
    Form_Load();
    last_focus_ = Control(Id::Command_Exec);
    // Folders and files dropped anywhere on the window, its controls included.
    DragAcceptFiles(window_, TRUE);
}

Form1::~Form1() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT Form1::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (l == 0 && LOWORD(w) == kAboutItemId) {
            mnuFile_about_about_Click();
        } else {
            OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        }
        return 0;
    case WM_CLOSE:  // the close box, the system menu, Alt+F4
        Form_Unload();
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (item->hwndItem == Control(Id::Dir1)) Dir1->DrawRow(*item);
        return TRUE;
    }
    case WM_MEASUREITEM:  // the real height is set with the font
        reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 18;
        return TRUE;
    case WM_SETCURSOR:
        // The hourglass over the window during a run; Exit, still live, keeps the arrow.
        if (busy_ && LOWORD(l) == HTCLIENT && reinterpret_cast<HWND>(w) != Control(Id::Command_Exit)) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(w) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && (focus == window_ || IsChild(window_, focus))) last_focus_ = focus;
        }
        break;  // activation focuses the window, which hands the focus on below
    case WM_SETFOCUS:
        // Back to the control that had the focus when the window was left.
        // During a run the window itself keeps it unless Exit had it: no
        // key acts there.
        if (last_focus_ != nullptr && last_focus_ != window_ && IsWindowEnabled(last_focus_)) {
            SetFocus(last_focus_);
        } else if (!busy_) {
            SetFocus(Control(Id::Command_Exit));
        }
        UpdateDefaultButton();
        return 0;
    case WM_DROPFILES: {
        const auto drop = reinterpret_cast<HDROP>(w);
        std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
        DragFinish(drop);
        // Not during a run: the walk's folder stays the one shown.
        if (!busy_ && !path.empty()) SelectPointedFolder(Utf8(path));
        return 0;
    }
    case kUpdateDefaultButton:
        UpdateDefaultButton();
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(w), reinterpret_cast<const RECT*>(l));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void Form1::OnCommand(int id, int code, HWND) {
    const fd::Control* control = ControlOfId(id);
    if (control == nullptr) return;
    switch (control->kind) {
    case fd::Kind::OptionButton:
        if (code == BN_CLICKED) SelectOption(control->id);
        break;
    case fd::Kind::CommandButton:
        // The focus has not yet moved on when the button hears it is leaving.
        if (code == BN_SETFOCUS || code == BN_KILLFOCUS) PostMessageW(window_, kUpdateDefaultButton, 0, 0);
        if (code != BN_CLICKED) break;
        if (control->id == Id::Command_Exec) Command_Exec_Click();
        if (control->id == Id::Command_Exit) Command_Exit_Click();
        break;
    case fd::Kind::DriveList:
        // Arrowing through the dropped list changes nothing until it closes.
        if ((code == CBN_SELCHANGE && !SendMessageW(Control(Id::Drive1), CB_GETDROPPEDSTATE, 0, 0)) ||
            code == CBN_CLOSEUP) {
            if (Drive1->Drive() != Dir1->Root()) Drive1_Change();
        }
        break;
    case fd::Kind::FolderList:
        if (code == LBN_DBLCLK) Dir1->OpenHighlighted();
        break;
    default:
        break;
    }
}

void Form1::Command_Exec_Click() {
    // The next dialog opens where this run wrote, never where one failed.
    if (ExecuteRun(*this, pacer_, platform())) form2_->CommonDialog1.OutputWritten();
}

void Form1::SelectOption(Id option) {
    const fd::Control& chosen = fd::Get(option);
    if (chosen.kind != fd::Kind::OptionButton) return;
    const bool was_selected = IsSelected(option);
    for (const fd::Control* member : fd::OptionGroup(chosen)) {
        SendMessageW(Control(member->id), BM_SETCHECK, member == &chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!was_selected) Option_Click(option);
}

void Form1::SetText(Id control, const std::string& text) { SetWindowTextW(Control(control), Wide(text).c_str()); }

void Form1::UnloadForm1() { ShowWindow(window_, SW_HIDE); }

void Form1::UnloadForm2() { form2_.reset(); }

void Form1::EndProgram() { ExitProcess(0); }

std::string Form1::Text1Text() const {
    HWND box = Control(Id::Text1);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

bool Form1::IsSelected(Id option) const {
    HWND button = Control(option);
    return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Form1::FreeExtensionText() const { return Text1Text(); }

void Form1::SetEnabled(Id id, bool enabled) {
    HWND control = Control(id);
    // A locked control gives the focus to the window, where no key acts.
    if (!enabled && GetFocus() == control) SetFocus(window_);
    EnableWindow(control, enabled);
}

void Form1::SetBusyPointer(bool busy) {
    busy_ = busy;
    screen_reader_.SetBusy(window_, busy);
    if (busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    POINT at;
    GetCursorPos(&at);
    SetCursorPos(at.x, at.y);  // asks the window under the pointer for its cursor again
}

void Form1::FocusControl(fd::FocusTarget target) {
    if (!target) {
        last_focus_ = window_;
        SetFocus(window_);
        UpdateDefaultButton();
        return;
    }
    HWND control = Control(*target);
    if (!IsWindowEnabled(control)) return;
    last_focus_ = control;
    SetFocus(control);
    UpdateDefaultButton();
}

bool Form1::ShowSave(const char* default_ext, const char* title) {
    if (!form2_) form2_ = std::make_unique<Form2>(instance_);
    CommonDialog& dialog = form2_->CommonDialog1;
    dialog.FileName.clear();
    if (default_ext != nullptr) dialog.DefaultExt = default_ext;
    dialog.DialogTitle = title;
    return dialog.ShowSave(window_);
}

std::string Form1::OutputFileName() const { return form2_ ? form2_->CommonDialog1.FileName : std::string(); }

void Form1::ShowMessageBox(const std::string& text) { ::ShowMessageBox(window_, text); }
