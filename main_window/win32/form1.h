#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "drive_list.h"
#include "folder_list.h"
#include "form1_description.h"
#include "form2.h"
#include "platform.h"
#include "run_command.h"
#include "screen_reader.h"
#include "window_pacer.h"

// The main window as Windows' own controls: made from the description of
// Form1, with the handlers of the window and the Execute command.
class Form1 : private RunWindow {
public:
    // accessibility: where the controls' names go for screen readers; null
    // takes the system's annotation service. platform: what the lists and
    // the runs ask of the system.
    explicit Form1(HINSTANCE instance, IAccPropServices* accessibility = nullptr,
                   Module1::Platform& platform = Module1::NativePlatform());
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND Window() const { return window_; }
    // Opens the lists on the folder the path points at (a file: the folder
    // that holds it); a path that points nowhere says so in a box and the
    // lists stay where they are. The command line and drops come here.
    void SelectPointedFolder(const std::string& path);
    // The control of that name in the description, or nullptr.
    HWND Control(std::string_view name) const;

    // Handles the window's keys before the message is dispatched: Tab in the
    // description's order, Enter on the focused button or else Execute,
    // Enter in Dir1, the arrow keys in an option group. True when handled.
    bool PreTranslate(MSG& message);
    // Handles every pending message, as the main loop would.
    void PumpMessages();
    // The pacing of the last run's walk.
    const PacingStats& LastRunPacing() const { return pacer_.Stats(); }
    // What the walk reports to during a run: its matches reach Label2 here.
    Module1::RunObserver Observer() { return WindowObserver(pacer_); }

    // The handlers.
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void opt_ext_Click(int number);  // opt_ext1_Click … opt_ext6_Click
    void mnuFile_about_about_Click();
    void Command_Exit_Click();
    void Form_Unload();
    void Command_Exec_Click();

    // The drive and folder a run starts from, as the lists show them.
    const FolderSelection& Selection() const override { return selection_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void OnCommand(int id, int code, HWND control);

    // Layout (form1_layout.cpp).
    void CreateControls();
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void PlaceControls();

    void OpenStartFolder();
    // Selects the option as a click would: the others of its group are
    // cleared, and the class options' handler runs when the selection changed.
    void Select(std::string_view option);
    void MoveFocus(bool backwards);
    void UpdateDefaultButton();
    std::string Text1Text() const;

    // What the Execute command asks of the window.
    bool IsSelected(std::string_view option) const override;
    std::string FreeExtensionText() const override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void FocusControl(std::string_view control) override;
    void SetBusyPointer(bool busy) override;
    bool ShowSave(const char* default_ext, const char* title) override;
    std::string OutputFileName() const override;
    void ShowMessageBox(const std::string& text) override;
    void DropPendingInput() override;

    HINSTANCE instance_;
    Module1::Platform& platform_;
    ScreenReader screen_reader_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::map<std::string_view, HWND, std::less<>> controls_;
    std::unique_ptr<DriveList> Drive1;
    std::unique_ptr<FolderList> Dir1;
    std::unique_ptr<Form2> form2_;
    FolderSelection selection_;
    WindowPacer pacer_;
    bool busy_ = false;
    bool ending_ = false;
    HWND last_focus_ = nullptr;  // given back when the window is activated again
};
