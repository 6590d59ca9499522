#pragma once

#include <string>
#include <string_view>

#include "folder_selection.h"
#include "form1_description.h"
#include "run_search.h"

class WindowPacer;

namespace Module1 {
class Platform;
}

// The Execute command and the walk's ways back to the window, the same for
// every front end. A front end answers these questions about its controls,
// which it knows by the description's ids.
class RunWindow {
public:
    virtual ~RunWindow() = default;
    // Whether the option button is selected.
    virtual bool IsSelected(Form1Description::Id option) const = 0;
    // The text of Text1, as the run settings keep names.
    virtual std::string FreeExtensionText() const = 0;
    virtual void SetEnabled(Form1Description::Id control, bool enabled) = 0;
    // Gives the control the keyboard focus; none: the window itself.
    virtual void FocusControl(Form1Description::FocusTarget control) = 0;
    // The hourglass over the window, or the default pointer again.
    virtual void SetBusyPointer(bool busy) = 0;
    // CommonDialog1: clears FileName, sets DefaultExt (left as it was when
    // default_ext is null) and the title, and shows the modal save dialog.
    // True when the user chose a file. Cancel and an empty name give false.
    virtual bool ShowSave(const char* default_ext, const char* title) = 0;
    // CommonDialog1's FileName, as the run settings keep names.
    virtual std::string OutputFileName() const = 0;
    // The drive and folder the lists show.
    virtual const FolderSelection& Selection() const = 0;
    // A modal box: title "MARROWPINE", the text, OK only, no icon; its OK
    // takes a key only after Form1Description::kBoxKeyDelay.
    virtual void ShowMessageBox(const std::string& text) = 0;
    // Drops the keys that came during the run and were not handled yet, so
    // that they act on nothing after it: not on the box, not on Execute.
    virtual void DropPendingInput() = 0;
};

// Whether the save dialog's answer names a file of blanks only (spaces,
// ideographic spaces, tabs), with or without the extension the dialog adds:
// such a name is refused, as Windows refuses it. Blanks around a real name
// are part of it.
bool IsBlankFileName(std::string_view path);

// The request of one run: the window's choices, the folder the lists show
// and the file named in the save dialog.
Module1::RunRequest CaptureRunSettings(const RunWindow& window);

// Locks or unlocks the controls that feed a run, in the fixed order.
void SetRunLocked(RunWindow& window, bool locked);

// The walk's ways back to the window: the status and the event-loop turns
// through the pacer.
Module1::RunObserver WindowObserver(WindowPacer& pacer);

// Command_Exec_Click: the save dialog, the capture, the locked window, the
// walk over the platform and its closing box. The one place that catches the
// search's errors: a failed run says why in a box and gives the window back;
// lines written stay. However the command ends, Execute has the focus again.
// True when a run completed, so that its output file is known to take the
// listing.
bool ExecuteRun(RunWindow& window, WindowPacer& pacer, Module1::Platform& platform);
