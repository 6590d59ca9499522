// MARROWPINE for Windows: lists every file of one kind under a chosen folder.
// Read next: form1.h (the window), then ../form1_description.h (what it shows)
// and ../run_command.h (what Execute does).

#include <windows.h>
#include <commctrl.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // The manifest asks for common controls 6 and per-monitor resolution.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Form1 form1(instance);
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
