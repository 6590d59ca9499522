#pragma once

#include <windows.h>

#include <string>

// CommonDialog1: Windows' own save dialog, with the properties the Execute
// command sets and reads. Names are UTF-8, as the search module keeps them.
class CommonDialog {
public:
    std::string FileName;    // the chosen file's full path after ShowSave
    std::string DefaultExt;  // added to a typed name that has no extension
    std::string DialogTitle;

    // Opens the modal save dialog over the owner. True when the user chose a
    // file; false when the dialog was cancelled, and FileName is then empty.
    bool ShowSave(HWND owner);
};
