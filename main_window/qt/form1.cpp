// Form1 on Qt: the window's answers to the shared handlers (the initial
// state, the class options, the drive and folder lists, About, the end of
// the program), their events, drops, and closing.

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
#include "platform.h"

namespace fd = Form1Description;
using fd::Id;

Form1::Form1(QWidget* parent, Module1::Platform& platform) : QMainWindow(parent), Form1Handlers(platform) {
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
            SetText(Id::Label2, text);
            Label2->repaint();
        },
        .process_events = [] { QCoreApplication::processEvents(); },
    });
    ConnectHandlers();
    setAcceptDrops(true);
    // The text box would take a dropped file's name as text.
    Text1->installEventFilter(this);
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
    // A selection made by code raises the click as the user's would.
    for (const fd::Control& control : fd::Controls()) {
        if (control.kind != fd::Kind::OptionButton) continue;
        auto* option = static_cast<QRadioButton*>(Widget(control.id));
        connect(option, &QRadioButton::toggled, this, [this, option, id = control.id](bool selected) {
            if (!selected) return;
            QWidget* before = focusWidget();
            Option_Click(id);
            // An arrow key selects the option before its own handling puts
            // the focus on it: where the click moved the focus, it goes
            // again once that is done.
            QWidget* moved_to = focusWidget();
            if (moved_to == before || moved_to == nullptr) return;
            QMetaObject::invokeMethod(
                this, [option, moved_to] { if (option->isChecked() && option->hasFocus()) moved_to->setFocus(); },
                Qt::QueuedConnection);
        });
    }
    connect(Drive1, &DriveList::DriveChanged, this, [this] { Drive1_Change(); });
    connect(Dir1, &FolderList::PathChanged, this, [this] { Dir1_Change(); });
    connect(mnuFile_about_about, &QAction::triggered, this, [this] { mnuFile_about_about_Click(); });
    connect(Command_Exit, &QPushButton::clicked, this, [this] { Command_Exit_Click(); });
    connect(Command_Exec, &QPushButton::clicked, this, &Form1::Command_Exec_Click);
}

QWidget* Form1::Widget(Id control) const { return widgets_.at(static_cast<std::size_t>(control)); }

DriveListControl& Form1::Drive1Control() { return *Drive1; }

FolderListControl& Form1::Dir1Control() { return *Dir1; }

void Form1::SelectOption(Id option) {
    if (auto* button = qobject_cast<QRadioButton*>(Widget(option))) button->setChecked(true);
}

void Form1::SetText(Id control, const std::string& text) {
    const QString shown = QString::fromUtf8(text);
    if (control == Id::Label2) {
        // A screen reader hears the status as it is painted.
        Label2->setText(shown);
        Label2->setAccessibleDescription(shown);
    } else if (auto* box = qobject_cast<QLineEdit*>(Widget(control))) {
        box->setText(shown);
    }
}

void Form1::UnloadForm1() { close(); }

void Form1::UnloadForm2() { form2_.reset(); }

void Form1::EndProgram() { end_program(); }

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

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}
