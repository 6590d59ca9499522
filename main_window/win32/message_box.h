#pragma once

#include <windows.h>

#include <string>

// The program's one kind of message on Windows: Windows' own message box,
// title "MARROWPINE", the text, OK only and no icon. Modal; returns when the
// box is closed. Keys act on it only once it has been on screen for a
// moment (Form1Description::kBoxKeyDelay); the mouse acts at once.
void ShowMessageBox(HWND owner, const std::string& text);
