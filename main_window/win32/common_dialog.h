#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

// The save dialog Windows shows; a test puts a stand-in here, as it does for
// the search module's system calls.
extern decltype(&::GetSaveFileNameW) get_save_file_name;

// CommonDialog1: Windows' own save dialog, with the properties the Execute
// command sets and reads. Names are UTF-8, as the search module keeps them.
class CommonDialog {
public:
    std::string FileName;    // the chosen file's full path after ShowSave
    std::string DefaultExt;  // added to a typed name that has no extension
    std::string DialogTitle;

    // Opens the modal save dialog over the owner. True when the user chose a
    // file; false when the dialog was cancelled, and FileName is then empty.
    // A name of blanks only is refused with a box, and the dialog opens
    // again. It opens in the folder of the last output a run wrote, or at
    // first where Windows' own record of the program's dialogs points.
    bool ShowSave(HWND owner);

    // A run into FileName has completed: the next dialog opens in its
    // folder. A run that failed does not call it, so that a place that
    // cannot take the listing is not offered again.
    void OutputWritten();

private:
    // One showing of Windows' dialog, opening in the folder (empty: where
    // Windows' record points); FileName is then the answer.
    bool ShowOnce(HWND owner, const std::string& folder);

    // Kept for this start of the program only.
    std::string last_folder_;
};
