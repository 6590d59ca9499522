#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <string_view>

// What a screen reader hears of Form1 on Windows. Windows' own controls
// without a caption (the lists, the extension box, the status label) have
// no name of their own, so every control's name is handed to Active
// Accessibility's annotation service, which the classic readers and UI
// Automation both read. The status label is a polite live region: each
// status the window paints is announced, at the rate it is painted. During
// a run the window says it is busy.
class ScreenReader {
public:
    // The service to hand names to; null takes the system's own.
    explicit ScreenReader(IAccPropServices* service = nullptr);
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    void Name(HWND control, std::string_view name);
    // Marks the control as the region whose changes are read out.
    void MakeLiveRegion(HWND control);
    // The region now shows the status: it is its description, and readers are told.
    void Announce(HWND region, const std::string& status);
    // The window is busy (a run goes) or no longer, and readers are told.
    void SetBusy(HWND window, bool busy);

private:
    IAccPropServices* service_ = nullptr;
    bool initialized_com_ = false;
};
