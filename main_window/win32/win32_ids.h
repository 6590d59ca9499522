#pragma once

#include <windows.h>

#include "form1_description.h"

// Command ids: the menu item, and one per control of the description.
inline constexpr int kAboutItemId = 100;
inline constexpr int kFirstControlId = 1000;

int ControlId(const Form1Description::Control& control);
// Form1's window style: fixed size, with a system menu and a minimise box.
DWORD Form1Style();
