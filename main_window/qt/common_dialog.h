#pragma once

#include <QString>
#include <memory>

class QFileDialog;
class QFileIconProvider;
class QWidget;

// The save-file dialog, with the properties the Run command sets and reads.
class CommonDialog {
public:
    CommonDialog();
    ~CommonDialog();
    CommonDialog(const CommonDialog&) = delete;
    CommonDialog& operator=(const CommonDialog&) = delete;

    QString FileName;    // the chosen file's full path after ShowSave
    QString DefaultExt;  // added to a typed name that has no extension
    QString DialogTitle;

    // Opens the modal save dialog over the owner. True when the user chose a
    // file; false when the dialog was cancelled, and FileName is then empty.
    // It opens in the folder of the last output a run wrote, or at first in
    // the process's current folder.
    bool ShowSave(QWidget* owner);

    // A run into FileName has completed (its output was checked writable
    // before the walk and took every line): the next dialog opens in its
    // folder. A run that failed does not call it, so that a place that
    // cannot take the listing (such as /proc) is not offered again.
    void OutputWritten();

    // Builds the next dialog while the window is idle: building Qt's file
    // dialog takes tens of milliseconds, which Execute would otherwise wait
    // for. Does nothing while a dialog is open or one is ready.
    void Prepare(QWidget* owner);

private:
    // Kept for this start of the program only.
    QString last_folder_;
    // Types and icons from names alone; outlives every dialog that uses it.
    std::unique_ptr<QFileIconProvider> icons_;
    // Built but never shown; each dialog is used once, so that none is left
    // watching its folder while the walk writes there.
    std::unique_ptr<QFileDialog> prepared_;
    bool showing_ = false;
};
