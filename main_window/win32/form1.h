#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "drive_list.h"
#include "folder_list.h"
#include "form1_description.h"
#include "form1_handlers.h"
#include "form2.h"
#include "screen_reader.h"
#include "window_pacer.h"

// The main window as Windows' own controls: made from the description of
// Form1, raising the shared handlers (form1_handlers.h) and the Execute
// command.
class Form1 : public Form1Handlers {
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
    HWND Control(Form1Description::Id control) const;
    // The lists, by the names the rest of the program uses for them.
    std::unique_ptr<DriveList> Drive1;
    std::unique_ptr<FolderList> Dir1;

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

    void Command_Exec_Click();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void OnCommand(int id, int code, HWND control);

    // Layout (form1_layout.cpp).
    void CreateControls();
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void PlaceControls();

    void MoveFocus(bool backwards);
    void UpdateDefaultButton();
    std::string Text1Text() const;

    // What the Execute command and the handlers ask of the window.
    bool IsSelected(Form1Description::Id option) const override;
    std::string FreeExtensionText() const override;
    void SetEnabled(Form1Description::Id control, bool enabled) override;
    void FocusControl(Form1Description::FocusTarget control) override;
    void SetBusyPointer(bool busy) override;
    bool ShowSave(const char* default_ext, const char* title) override;
    std::string OutputFileName() const override;
    void ShowMessageBox(const std::string& text) override;
    void DropPendingInput() override;  // form1_keys.cpp
    DriveListControl& Drive1Control() override { return *Drive1; }
    FolderListControl& Dir1Control() override { return *Dir1; }
    void SelectOption(Form1Description::Id option) override;
    void SetText(Form1Description::Id control, const std::string& text) override;
    void UnloadForm1() override;
    void UnloadForm2() override;
    void EndProgram() override;

    HINSTANCE instance_;
    ScreenReader screen_reader_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::vector<HWND> controls_;  // by Form1Description::Id
    std::unique_ptr<Form2> form2_;
    WindowPacer pacer_;
    bool busy_ = false;
    HWND last_focus_ = nullptr;  // given back when the window is activated again
};
