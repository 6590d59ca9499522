// Form1's behaviour on Windows: the initial state, the class options, the
// drive and folder lists, About, the end of the program, the keyboard, and
// the window's answers to the shared Execute command.

#include "form1.h"

#include <shellapi.h>

#include "message_box.h"
#include "start_folder.h"
#include "texts.h"
#include "win32_ids.h"
#include "win32_text.h"

namespace fd = Form1Description;
using Module1::win32::Utf8;
using Module1::win32::Wide;

namespace {

const wchar_t kForm1Class[] = L"MarrowpineForm1";
constexpr UINT kUpdateDefaultButton = WM_APP + 1;

const fd::Control* ControlOfId(int id) {
    const auto controls = fd::Controls();
    const int index = id - kFirstControlId;
    return index >= 0 && index < static_cast<int>(controls.size()) ? &controls[index] : nullptr;
}

// The folder a drive shows when it is chosen: the drive's own current
// folder, as Windows keeps one per drive.
std::string CurrentFolderOf(const std::string& drive) {
    if (drive.size() < 2 || drive[1] != ':') return drive;
    const wchar_t relative[] = {static_cast<wchar_t>(drive[0]), L':', L'\0'};
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(relative, MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? Utf8(full) : drive;
}

}  // namespace

Form1::Form1(HINSTANCE instance, IAccPropServices* accessibility, Module1::Platform& platform)
    : instance_(instance), platform_(platform), screen_reader_(accessibility) {
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
    for (const fd::Control& c : fd::Controls()) screen_reader_.Name(Control(c.name), fd::AccessibleName(c));
    screen_reader_.MakeLiveRegion(Control("Label2"));
    Drive1 = std::make_unique<DriveList>(Control("Drive1"));
    Dir1 = std::make_unique<FolderList>(Control("Dir1"), platform_);
    Dir1->on_path_changed = [this] { Dir1_Change(); };
    Dir1->show_message = [this](const std::string& text) { ShowMessageBox(text); };
    ApplyDpi(GetDpiForWindow(window_), nullptr);

    pacer_ = WindowPacer({
        .paint_status = [this, label = Control("Label2")](const std::string& text) {
            SetWindowTextW(label, Wide(text).c_str());
            UpdateWindow(label);
            screen_reader_.Announce(label, text);
        },
        .process_events = [this] { PumpMessages(); },
    });
    Drive1->SetDrives(platform_.ListDrives());
    OpenStartFolder();
    Form_Load();
    last_focus_ = Control("Command_Exec");
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
        if (item->hwndItem == Control("Dir1")) Dir1->DrawRow(*item);
        return TRUE;
    }
    case WM_MEASUREITEM:  // the real height is set with the font
        reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 18;
        return TRUE;
    case WM_SETCURSOR:
        // The hourglass over the window during a run; Exit, still live, keeps the arrow.
        if (busy_ && LOWORD(l) == HTCLIENT && reinterpret_cast<HWND>(w) != Control("Command_Exit")) {
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
            SetFocus(Control("Command_Exit"));
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
        if (code == BN_CLICKED) Select(control->name);
        break;
    case fd::Kind::CommandButton:
        // The focus has not yet moved on when the button hears it is leaving.
        if (code == BN_SETFOCUS || code == BN_KILLFOCUS) PostMessageW(window_, kUpdateDefaultButton, 0, 0);
        if (code != BN_CLICKED) break;
        if (control->name == "Command_Exec") Command_Exec_Click();
        if (control->name == "Command_Exit") Command_Exit_Click();
        break;
    case fd::Kind::DriveList:
        // Arrowing through the dropped list changes nothing until it closes.
        if ((code == CBN_SELCHANGE && !SendMessageW(Control("Drive1"), CB_GETDROPPEDSTATE, 0, 0)) ||
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

// The lists open on the process's current folder and the drive holding it.
void Form1::OpenStartFolder() {
    const std::string root = ::OpenStartFolder(Drive1->Drives(), platform_.CurrentFolder(), OpenerOf(*Dir1));
    if (!root.empty()) Drive1->SelectDrive(root);
}

void Form1::SelectPointedFolder(const std::string& path) {
    std::string message;
    // Opening the folder rewrites the start folder through Dir1_Change.
    const std::string root = OpenPointedFolder(platform_, path, Drive1->Drives(), OpenerOf(*Dir1), message);
    if (root.empty()) {
        ShowMessageBox(message);
        return;
    }
    Drive1->SelectDrive(root);
    selection_.start_drive = Drive1->Drive();
}

void Form1::Form_Load() {
    for (std::string_view option : fd::kSelectedAtLoad) Select(option);
    SetWindowTextW(Control("Text1"), L"");
    SetWindowTextW(Control("Label2"), L"");
    selection_ = {Drive1->Drive(), Dir1->Path()};
}

void Form1::Drive1_Change() {
    const std::string drive = Drive1->Drive();
    std::string failure;
    // Opening the drive moves the folder list, which rewrites start_folder
    // through Dir1_Change before start_drive is written here.
    if (!OpenDrive(drive, CurrentFolderOf(drive), OpenerOf(*Dir1), failure)) {
        // Both lists keep naming the folder that is still open.
        Drive1->SelectDrive(Dir1->Root());
        ShowMessageBox(std::string(fd::kDriveUnreadable) + ": " + drive + " (" + failure + ")");
        return;
    }
    selection_.start_drive = drive;
}

void Form1::Dir1_Change() { selection_.start_folder = Dir1->Path(); }

// A fixed class does not use the free extension, so a text typed earlier
// does not survive the change; "OTHER" takes the caret to it.
void Form1::opt_ext_Click(int number) {
    if (number == 6) {
        SetFocus(Control("Text1"));
    } else {
        SetWindowTextW(Control("Text1"), L"");
    }
}

void Form1::mnuFile_about_about_Click() { ShowMessageBox(fd::kAboutText); }

void Form1::Command_Exit_Click() {
    if (ending_) return;
    ending_ = true;
    // Nothing is saved and nothing needs tearing down: the end is immediate,
    // also in the middle of a walk, whose lines are each complete on disk.
    ShowWindow(window_, SW_HIDE);
    form2_.reset();
    ExitProcess(0);
}

void Form1::Form_Unload() { Command_Exit_Click(); }

void Form1::Command_Exec_Click() {
    // The next dialog opens where this run wrote, never where one failed.
    if (ExecuteRun(*this, pacer_, platform_)) form2_->CommonDialog1.OutputWritten();
}

void Form1::Select(std::string_view option) {
    const fd::Control* chosen = fd::Find(option);
    if (chosen == nullptr) return;
    const bool was_selected = IsSelected(option);
    for (const fd::Control* member : fd::OptionGroup(*chosen)) {
        SendMessageW(Control(member->name), BM_SETCHECK, member == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!was_selected && option.starts_with("opt_ext")) opt_ext_Click(option.back() - '0');
}

std::string Form1::Text1Text() const {
    HWND box = Control("Text1");
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

bool Form1::IsSelected(std::string_view option) const {
    HWND button = Control(option);
    return button != nullptr && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Form1::FreeExtensionText() const { return Text1Text(); }

void Form1::SetEnabled(std::string_view name, bool enabled) {
    HWND control = Control(name);
    if (control == nullptr) return;
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

void Form1::FocusControl(std::string_view name) {
    if (name == fd::kFocusDuringRun) {
        last_focus_ = window_;
        SetFocus(window_);
        UpdateDefaultButton();
        return;
    }
    HWND control = Control(name);
    if (control == nullptr || !IsWindowEnabled(control)) return;
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
