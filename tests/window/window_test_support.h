#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "elided_label.h"
#include "form1.h"

class QFileDialog;
class QLabel;
class QMessageBox;

namespace window_test {

// The window as the program opens it, started in the given folder (the
// lists open on the process's current folder). Ending the program is
// recorded instead of carried out. The current folder and the run settings
// are put back afterwards.
class OpenedForm1 {
public:
    explicit OpenedForm1(const QString& folder);
    ~OpenedForm1();
    OpenedForm1(const OpenedForm1&) = delete;
    OpenedForm1& operator=(const OpenedForm1&) = delete;

    Form1& operator*() { return *form_; }
    Form1* operator->() { return form_.get(); }
    bool ended = false;

private:
    std::string previous_folder_;
    std::unique_ptr<Form1> form_;
};

// Answers the program's modal windows as a user would, as soon as each is
// shown: the save dialog and the message boxes.
class ModalAnswerer : public QObject {
public:
    std::function<void(QFileDialog*)> on_file_dialog;
    std::function<void(QMessageBox*)> on_message_box;

    ModalAnswerer();
    ~ModalAnswerer() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Types the name into the save dialog's name box and presses Enter.
void TypeFileName(QFileDialog* dialog, const QString& name);
// Presses the box's OK button.
void PressOk(QMessageBox* box);

// What the label puts on the screen, as plain text: rich text (which Qt
// guesses for a text that looks like markup) rendered, plain text as it is.
QString DisplayedText(const QLabel* label);
// The tooltip on show, as DisplayedText; empty when none is.
QString DisplayedToolTip();

// A tree for a walk long enough to act during: `folders` folders d0, d1 …
// holding `files` empty files f0.htm, f1.htm … each.
void MakeHtmTree(const QString& tree, int folders, int files);
// The file's bytes.
std::string ReadBytes(const QString& path);
// The path's canonical form, bytes.
std::string Canonical(const QString& path);

}  // namespace window_test
