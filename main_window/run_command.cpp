#include "run_command.h"

#include <exception>

#include "directory_walk.h"
#include "form1_description.h"
#include "run_settings.h"
#include "window_hooks.h"
#include "window_pacer.h"

void CaptureRunSettings(const RunWindow& window) {
    Module1::RunSettings& s = Module1::run_settings;
    s.ext_htm = window.IsSelected("opt_ext1");
    s.ext_jpg_gif = window.IsSelected("opt_ext2");
    s.ext_jpg = window.IsSelected("opt_ext3");
    s.ext_gif = window.IsSelected("opt_ext4");
    s.ext_txt = window.IsSelected("opt_ext5");
    s.ext_other = window.IsSelected("opt_ext6");
    s.style_path_file = window.IsSelected("opt_inside_style1");
    s.style_file = window.IsSelected("opt_inside_style2");
    s.out_html = window.IsSelected("opt_out1");
    s.out_text = window.IsSelected("opt_out2");
    s.ext_free_text = window.FreeExtensionText();
}

void SetRunLocked(RunWindow& window, bool locked) {
    for (std::string_view name : Form1Description::kRunLockOrder) window.SetEnabled(name, !locked);
}

void InstallWindowHooks(RunWindow& window, WindowPacer& pacer) {
    Module1::window_hooks.set_status = [&pacer](const std::string& text) { pacer.SetStatus(text); };
    Module1::window_hooks.process_events = [&pacer] { pacer.ProcessEvents(); };
    Module1::window_hooks.message_box = [&window, &pacer](const std::string&, const std::string& text) {
        // The last match is on show before the box opens.
        pacer.End();
        window.ShowMessageBox(text);
    };
    // Read afresh for every line.
    Module1::window_hooks.output_path = [&window] { return window.OutputFileName(); };
}

void ExecuteRun(RunWindow& window, WindowPacer& pacer) {
    bool locked = false;
    try {
        const char* default_ext = window.IsSelected("opt_out1")   ? Form1Description::kDefaultExtHtml
                                  : window.IsSelected("opt_out2") ? Form1Description::kDefaultExtText
                                                                  : nullptr;
        // Cancel ends the command with the window as it was.
        if (window.ShowSave(default_ext, Form1Description::kSaveDialogTitle)) {
            window.SetBusyPointer(true);
            CaptureRunSettings(window);
            // Before the lock, so that the focus does not pass on to Exit.
            window.FocusControl(Form1Description::kFocusDuringRun);
            SetRunLocked(window, true);
            locked = true;
            pacer.Begin();
            Module1::RunSearch();
            pacer.End();
            SetRunLocked(window, false);
            window.SetBusyPointer(false);
        }
    } catch (const std::exception& error) {
        pacer.End();
        window.ShowMessageBox(error.what());
        if (locked) SetRunLocked(window, false);
        window.SetBusyPointer(false);
    }
    window.FocusControl(Form1Description::kFocusAfterRun);
}
