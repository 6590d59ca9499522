#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form1_handlers.h"
#include "window_pacer.h"

class DriveList;
class ElidedLabel;
class FolderList;
class Form2;
class FrameBox;
class QAction;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QRadioButton;

// The main window: the search folder, the file-type class, the output and
// name styles, and the Execute command that runs one listing. The handlers
// outside Execute are the shared ones (form1_handlers.h).
class Form1 : public QMainWindow, public Form1Handlers {
    Q_OBJECT
public:
    // platform: what the lists and the runs ask of the system.
    explicit Form1(QWidget* parent = nullptr, Module1::Platform& platform = Module1::NativePlatform());
    ~Form1() override;

    // The controls, by the names the rest of the program uses for them.
    QWidget* client_area;
    FrameBox* Frame1;
    FrameBox* Frame2;
    FrameBox* Frame3;
    FrameBox* Frame4;
    QRadioButton* opt_ext1;
    QRadioButton* opt_ext2;
    QRadioButton* opt_ext3;
    QRadioButton* opt_ext4;
    QRadioButton* opt_ext5;
    QRadioButton* opt_ext6;
    QRadioButton* opt_out1;
    QRadioButton* opt_out2;
    QRadioButton* opt_inside_style1;
    QRadioButton* opt_inside_style2;
    QLineEdit* Text1;
    DriveList* Drive1;
    FolderList* Dir1;
    QPushButton* Command_Exec;
    QPushButton* Command_Exit;
    ElidedLabel* Label2;
    QMenu* mnuFile_about;
    QAction* mnuFile_about_about;

    // The hidden host of the save dialog, created on first use.
    Form2& DialogHost();

    // Ends the process; tests put something in its place to watch for it.
    std::function<void()> end_program;

    // The pacing of the last run's walk.
    const PacingStats& LastRunPacing() const { return pacer_.Stats(); }
    // Whether a run is going (from the save dialog's close to the unlock).
    bool IsBusy() const { return busy_; }

    void Command_Exec_Click();
    Module1::RunRequest CaptureRunSettings() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A folder or file dropped anywhere on the window selects its folder,
    // except during a run.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void SetTabOrder();
    void ConnectHandlers();
    void PlaceWindow();
    QWidget* Widget(Form1Description::Id control) const;
    // The local path a drop carries, the file system's bytes; empty when
    // it carries none or a run is going.
    std::string DroppedPath(const QMimeData* data) const;
    // Screen readers hear the window as busy during a run.
    static void InstallAccessibility();

    // What the Execute command asks of the window (form1_run.cpp).
    bool IsSelected(Form1Description::Id option) const override;
    std::string FreeExtensionText() const override;
    void SetEnabled(Form1Description::Id control, bool enabled) override;
    void FocusControl(Form1Description::FocusTarget control) override;
    void SetBusyPointer(bool busy) override;
    bool ShowSave(const char* default_ext, const char* title) override;
    std::string OutputFileName() const override;
    void ShowMessageBox(const std::string& text) override;
    void DropPendingInput() override;
    // What the handlers ask of it besides.
    DriveListControl& Drive1Control() override;
    FolderListControl& Dir1Control() override;
    void SelectOption(Form1Description::Id option) override;
    void SetText(Form1Description::Id control, const std::string& text) override;
    void UnloadForm1() override;
    void UnloadForm2() override;
    void EndProgram() override;
    // Builds the next save dialog once the event loop is idle, outside a run.
    void PrepareSaveDialogWhenIdle();

    std::unique_ptr<Form2> form2_;
    std::vector<QWidget*> widgets_;  // by Form1Description::Id
    WindowPacer pacer_;
    bool busy_ = false;
};
