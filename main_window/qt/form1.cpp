// Form1's behaviour outside a run: the initial state, the class options,
// the drive and folder lists, the folder it is pointed at (command line,
// drops), About, and the end of the program.

#include "form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "drive_list.h"
#include "elided_label.h"
#include "folder_list.h"
#include "form1_description.h"
#include "form2.h"
#include "message_box.h"
#include "native_names.h"
#include "start_folder.h"

Form1::Form1(QWidget* parent, Module1::Platform& platform) : QMainWindow(parent), platform_(platform) {
    // Nothing is saved and nothing needs tearing down: the end is immediate,
    // also in the middle of a walk, whose lines are each complete on disk.
    end_program = [] {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    };
    InstallAccessibility();
    BuildLayout();
    pacer_ = WindowPacer({
        .paint_status = [this](const std::string& text) {
            // The pacer's rate is also the rate at which a screen reader
            // hears the status: the description changes with the text.
            const QString status = QString::fromUtf8(text);
            Label2->setText(status);
            Label2->setAccessibleDescription(status);
            Label2->repaint();
        },
        .process_events = [] { QCoreApplication::processEvents(); },
    });
    ConnectHandlers();
    setAcceptDrops(true);
    // The text box would take a dropped file's name as text.
    Text1->installEventFilter(this);
    Drive1->SetDrives(platform_.ListDrives());
    OpenStartFolder();
    Form_Load();
    Command_Exec->setFocus();
    PrepareSaveDialogWhenIdle();
}

Form1::~Form1() = default;

Form2& Form1::DialogHost() {
    if (!form2_) form2_ = std::make_unique<Form2>();
    return *form2_;
}

void Form1::ConnectHandlers() {
    // A selection made by code raises the handler as a click would.
    const std::pair<QRadioButton*, void (Form1::*)()> class_options[] = {
        {opt_ext1, &Form1::opt_ext1_Click}, {opt_ext2, &Form1::opt_ext2_Click},
        {opt_ext3, &Form1::opt_ext3_Click}, {opt_ext4, &Form1::opt_ext4_Click},
        {opt_ext5, &Form1::opt_ext5_Click}, {opt_ext6, &Form1::opt_ext6_Click},
    };
    for (const auto& [option, handler] : class_options) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool selected) {
            if (selected) (this->*handler)();
        });
    }
    connect(Drive1, &DriveList::DriveChanged, this, &Form1::Drive1_Change);
    connect(Dir1, &FolderList::PathChanged, this, &Form1::Dir1_Change);
    connect(mnuFile_about_about, &QAction::triggered, this, &Form1::mnuFile_about_about_Click);
    connect(Command_Exit, &QPushButton::clicked, this, &Form1::Command_Exit_Click);
    connect(Command_Exec, &QPushButton::clicked, this, &Form1::Command_Exec_Click);
}

// The lists open on the process's current folder and the drive holding it.
void Form1::OpenStartFolder() {
    const std::string root = ::OpenStartFolder(Drive1->Drives(), platform_.CurrentFolder(), OpenerOf(*Dir1));
    if (!root.empty()) Drive1->SelectDrive(root);
}

void Form1::SelectPointedFolder(const std::string& path) {
    std::string message;
    // Opening the folder rewrites the start folder through Dir1_Change.
    const std::string root = OpenPointedFolder(platform_, path, Drive1->Drives(), OpenerOf(*Dir1), message);
    if (root.empty()) {
        ::ShowMessageBox(this, QString::fromUtf8(message));
        return;
    }
    Drive1->SelectDrive(root);
    selection_.start_drive = Drive1->Drive();
}

std::string Form1::DroppedPath(const QMimeData* data) const {
    if (busy_ || data == nullptr) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return QFile::encodeName(url.toLocalFile()).toStdString();
    }
    return {};
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedPath(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedPath(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const std::string path = DroppedPath(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    SelectPointedFolder(path);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Text dropped on Text1 is still typed text; a dropped file is a folder.
    if (watched == Text1 && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                             event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasUrls()) {
            if (event->type() == QEvent::Drop) {
                dropEvent(drop);
            } else if (DroppedPath(drop->mimeData()).empty()) {
                drop->ignore();
            } else {
                drop->acceptProposedAction();
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::Form_Load() {
    opt_ext1->setChecked(true);
    opt_out1->setChecked(true);
    opt_inside_style1->setChecked(true);
    Text1->setText(QString());
    Label2->setText(QString());
    Label2->setAccessibleDescription(QString());
    selection_ = {Drive1->Drive(), Dir1->Path()};
}

void Form1::Drive1_Change() {
    const std::string drive = Drive1->Drive();
    std::string failure;
    // Opening the drive moves the folder list, which rewrites start_folder
    // through Dir1_Change before start_drive is written here.
    if (!OpenDrive(drive, drive, OpenerOf(*Dir1), failure)) {
        ::ShowMessageBox(this, QString::fromUtf8(Form1Description::kDriveUnreadable) +
                                   QStringLiteral(": %1 (%2)").arg(ShownText(drive), QString::fromUtf8(failure)));
        // Both lists keep naming the folder that is still open.
        Drive1->SelectDrive(Dir1->Root());
        return;
    }
    selection_.start_drive = drive;
}

void Form1::Dir1_Change() { selection_.start_folder = Dir1->Path(); }

// A fixed class does not use the free extension, so a text typed earlier
// does not survive the change.
void Form1::opt_ext1_Click() { Text1->setText(QString()); }
void Form1::opt_ext2_Click() { Text1->setText(QString()); }
void Form1::opt_ext3_Click() { Text1->setText(QString()); }
void Form1::opt_ext4_Click() { Text1->setText(QString()); }
void Form1::opt_ext5_Click() { Text1->setText(QString()); }
void Form1::opt_ext6_Click() {
    Text1->setFocus();
    // An arrow key selects the option before its own handling puts the
    // focus on it; the caret goes to Text1 once that is done.
    QMetaObject::invokeMethod(
        this, [this] { if (opt_ext6->isChecked() && opt_ext6->hasFocus()) Text1->setFocus(); }, Qt::QueuedConnection);
}

void Form1::mnuFile_about_about_Click() {
    ::ShowMessageBox(this, QString::fromUtf8(Form1Description::kAboutText));
}

void Form1::Command_Exit_Click() {
    if (ending_) return;  // closing the window below comes back through Form_Unload
    ending_ = true;
    close();
    form2_.reset();
    end_program();
}

void Form1::Form_Unload() { Command_Exit_Click(); }

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}
