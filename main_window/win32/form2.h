#pragma once

#include <windows.h>

#include "common_dialog.h"

// The hidden window that carries the save dialog: created on first use,
// never shown, kept until the program ends.
class Form2 {
public:
    explicit Form2(HINSTANCE instance);
    ~Form2();
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    HWND window = nullptr;
    HWND dlg_cmd1 = nullptr;
    CommonDialog CommonDialog1;
};
