// MARROWPINE for Windows: lists every file of one kind under a chosen folder.
// Read next: form1.h (the window), then ../form1_description.h (what it shows)
// and ../run_command.h (what Execute does).

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "form1.h"
#include "message_box.h"
#include "start_folder.h"
#include "win32_text.h"

namespace {

// The command line after the program's name, from its wide form, so that
// any folder name comes through.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Module1::win32::Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // The manifest asks for common controls 6 and per-monitor resolution.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // A window program has no console: the usage shows in a box.
    const StartArguments arguments = ParseStartArguments(Arguments());
    if (!arguments.error.empty() || arguments.help) {
        const std::string text = arguments.error.empty() ? kStartUsage : arguments.error + "\n\n" + kStartUsage;
        ShowMessageBox(nullptr, text);
        return arguments.help ? 0 : 2;
    }
    Form1 form1(instance);
    if (arguments.folder) form1.SelectPointedFolder(*arguments.folder);
    ShowWindow(form1.Window(), show);
    UpdateWindow(form1.Window());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form1.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
