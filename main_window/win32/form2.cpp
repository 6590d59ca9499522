#include "form2.h"

#include "form1_description.h"
#include "win32_text.h"

namespace fd = Form1Description;

Form2::Form2(HINSTANCE instance) {
    const wchar_t* const kClass = L"MarrowpineForm2";
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = instance;
    type.lpszClassName = kClass;
    RegisterClassExW(&type);  // fails harmlessly when already registered
    const int dpi = static_cast<int>(GetDpiForSystem());
    window = CreateWindowExW(0, kClass, Module1::win32::Wide(fd::kForm2Caption).c_str(), WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, fd::TwipsToPixels(fd::kForm2ClientWidth, dpi),
                             fd::TwipsToPixels(fd::kForm2ClientHeight, dpi), nullptr, nullptr, instance, nullptr);
    const fd::Twips& p = fd::kDlgCmd1Place;
    dlg_cmd1 = CreateWindowExW(0, L"BUTTON", Module1::win32::Wide(fd::kDlgCmd1Caption).c_str(),
                               WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, fd::TwipsToPixels(p.left, dpi),
                               fd::TwipsToPixels(p.top, dpi), fd::TwipsToPixels(p.width, dpi),
                               fd::TwipsToPixels(p.height, dpi), window, nullptr, instance, nullptr);
}

Form2::~Form2() {
    if (window != nullptr) DestroyWindow(window);
}
