// The Execute command's questions about the window, answered with Qt's
// widgets; the command itself is the shared one (run_command.h).

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "form1.h"
#include "form1_description.h"
#include "form2.h"
#include "message_box.h"
#include "native_names.h"

namespace {

// Form1 as a screen reader sees it: a window that is busy while a run goes,
// when the focus rests on the window itself.
class AccessibleForm1 : public QAccessibleWidget {
public:
    explicit AccessibleForm1(Form1* form) : QAccessibleWidget(form, QAccessible::Window) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.busy = static_cast<const Form1*>(widget())->IsBusy();
        return state;
    }
};

QAccessibleInterface* AccessibleForm1Factory(const QString& class_name, QObject* object) {
    if (class_name != QLatin1String("Form1") || !object->isWidgetType()) return nullptr;
    return new AccessibleForm1(static_cast<Form1*>(object));
}

// Swallows every key while it is installed on the application.
class KeyDropper : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:  // the override is not taken, so the shortcut would act
        case QEvent::InputMethod:
            return true;
        default:
            return false;
        }
    }
};

}  // namespace

void Form1::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleForm1Factory);
        return true;
    }();
    (void)installed;
}

void Form1::Command_Exec_Click() {
    // The next dialog opens where this run wrote, never where one failed.
    if (ExecuteRun(*this, pacer_, platform())) DialogHost().CommonDialog1.OutputWritten();
    PrepareSaveDialogWhenIdle();
}

void Form1::PrepareSaveDialogWhenIdle() {
    QTimer::singleShot(0, this, [this] {
        // A turn of the walk's may run this too; the dialog is then built
        // after the run, not during it.
        if (!busy_ && !Ending()) DialogHost().CommonDialog1.Prepare(this);
    });
}

Module1::RunRequest Form1::CaptureRunSettings() const { return ::CaptureRunSettings(*this); }

bool Form1::IsSelected(Form1Description::Id option) const {
    const auto* button = qobject_cast<const QRadioButton*>(Widget(option));
    return button != nullptr && button->isChecked();
}

std::string Form1::FreeExtensionText() const { return Text1->text().toStdString(); }

void Form1::SetEnabled(Form1Description::Id control, bool enabled) { Widget(control)->setEnabled(enabled); }

void Form1::FocusControl(Form1Description::FocusTarget control) {
    // The window itself takes no keys and no input method; Exit keeps its
    // place after it in the focus chain.
    QWidget* target = control ? Widget(*control) : this;
    target->setFocus(Qt::OtherFocusReason);
}

void Form1::SetBusyPointer(bool busy) {
    busy_ = busy;
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
    QAccessible::State changed;
    changed.busy = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

bool Form1::ShowSave(const char* default_ext, const char* title) {
    CommonDialog& dialog = DialogHost().CommonDialog1;
    dialog.FileName.clear();
    if (default_ext != nullptr) dialog.DefaultExt = QString::fromUtf8(default_ext);
    dialog.DialogTitle = QString::fromUtf8(title);
    return dialog.ShowSave(this);
}

// The path keeps the file system's bytes.
std::string Form1::OutputFileName() const {
    return form2_ ? TextToName(form2_->CommonDialog1.FileName) : std::string();
}

void Form1::ShowMessageBox(const std::string& text) {
    // A box during a run shows the hourglass over the whole window and the
    // box, steadily, whatever the pointer passes over.
    if (busy_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ::ShowMessageBox(this, QString::fromUtf8(text));
    if (busy_) QGuiApplication::restoreOverrideCursor();
}

void Form1::DropPendingInput() {
    // One more turn of the event loop with the keys swallowed, so that none
    // waiting from the run reaches a control (Exit, if Tab took the focus
    // there) or the box; the mouse, Exit's included, still acts.
    KeyDropper dropper;
    qApp->installEventFilter(&dropper);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&dropper);
}
