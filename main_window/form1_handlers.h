#pragma once

// Form1's handlers outside Execute, written once for every front end: the
// initial state, the class options, the drive and folder lists and the
// folder selection they keep, the folder the window is pointed at, About
// and the end of the program. A front end derives from Form1Handlers,
// answers Form1Window with its toolkit's controls and raises the handlers
// from their events.

#include <string>

#include "folder_selection.h"
#include "form1_description.h"
#include "platform.h"
#include "run_command.h"

// What the handlers ask of a front end besides what a run asks: a run
// reaches the window only through RunWindow, so that its doubles stay small.
class Form1Window : public RunWindow {
public:
    virtual DriveListControl& Drive1Control() = 0;
    virtual FolderListControl& Dir1Control() = 0;
    // Selects the option as a click does: the others of its group are
    // cleared, and Option_Click runs when it was not selected already.
    virtual void SelectOption(Form1Description::Id option) = 0;
    // Text1's text or Label2's caption, as the run settings keep text.
    virtual void SetText(Form1Description::Id control, const std::string& text) = 0;
    // The end's three steps: Form1 goes, then Form2, then the process, at once.
    virtual void UnloadForm1() = 0;
    virtual void UnloadForm2() = 0;
    virtual void EndProgram() = 0;
};

class Form1Handlers : public Form1Window {
public:
    // platform: what the lists and the runs ask of the system.
    explicit Form1Handlers(Module1::Platform& platform) : platform_(platform) {}

    // Before Form_Load: the drive list's volumes, and the lists on the
    // process's current folder and its drive, else on the fallbacks of
    // folder_selection.h.
    void OpenStartFolder();
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    // opt_ext1_Click … opt_ext6_Click, raised when an option becomes
    // selected, by the user or by code; the output and name styles have none.
    void Option_Click(Form1Description::Id option);
    void mnuFile_about_about_Click();
    void Command_Exit_Click();
    void Form_Unload();
    // Opens the lists on the folder the path points at (a file: the folder
    // that holds it); a path that points nowhere says so in a box and the
    // lists stay where they are. The command line and drops come here.
    void SelectPointedFolder(const std::string& path);

    // The drive and folder a run starts from, as the lists show them.
    const FolderSelection& Selection() const final { return selection_; }
    // Whether Exit or the close box has begun the end.
    bool Ending() const { return ending_; }

protected:
    Module1::Platform& platform() const { return platform_; }

private:
    Module1::Platform& platform_;
    FolderSelection selection_;
    bool ending_ = false;
};
