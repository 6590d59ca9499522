#pragma once

#include <QString>

class QWidget;

// The save-file dialog, with the properties the Run command sets and reads.
class CommonDialog {
public:
    QString FileName;    // the chosen file's full path after ShowSave
    QString DefaultExt;  // added to a typed name that has no extension
    QString DialogTitle;

    // Opens the modal save dialog over the owner. True when the user chose a
    // file; false when the dialog was cancelled, and FileName is then empty.
    // It opens in the folder of the file chosen last, or at first in the
    // process's current folder.
    bool ShowSave(QWidget* owner);

private:
    // Kept for this start of the program only.
    QString last_folder_;
};
