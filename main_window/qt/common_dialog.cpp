#include "common_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QStringList>

#include "form1_description.h"
#include "message_box.h"
#include "run_command.h"

namespace {

// Qt's own provider tells a file's type and icon by reading its first bytes
// when the name does not settle it. Some files never answer a read
// (/proc/kmsg, a file on a hung share, one whose lease is held): the
// dialog's list would then wait for good, and with it the whole window.
// This one goes by the name alone, and opens nothing.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    NameOnlyIconProvider() { setOptions(DontUseCustomDirectoryIcons); }

    QIcon icon(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::icon(info);  // folders, drives: no contents read
        const QMimeType mime = MimeType(info);
        const QIcon by_name = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        return by_name.isNull() ? QFileIconProvider::icon(File) : by_name;
    }
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }

    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType mime = MimeType(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeType MimeType(const QFileInfo& info) const {
        const QList<QMimeType> by_name = mimes_.mimeTypesForFileName(info.fileName());
        return by_name.isEmpty() ? mimes_.mimeTypeForName(QStringLiteral("application/octet-stream"))
                                 : by_name.constFirst();
    }
    QMimeDatabase mimes_;
};

// Refuses a name of blanks only, as Windows' own dialog does: a Space
// typed into the name box by mistake must not make a file " .htm". The
// dialog stays open with the blanks selected, so the next key replaces them.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && IsBlankFileName(chosen.constFirst().toUtf8().toStdString())) {
            ShowMessageBox(this, QString::fromUtf8(Form1Description::kBlankFileName));
            if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->selectAll();
            return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

CommonDialog::CommonDialog() : icons_(std::make_unique<NameOnlyIconProvider>()) {}
CommonDialog::~CommonDialog() = default;

void CommonDialog::Prepare(QWidget* owner) {
    if (prepared_ || showing_) return;
    prepared_ = std::make_unique<SaveDialog>(owner);
    prepared_->setObjectName(QStringLiteral("CommonDialog1"));
    prepared_->setAcceptMode(QFileDialog::AcceptSave);
    prepared_->setFileMode(QFileDialog::AnyFile);
    // The listing is appended to the file, never replaces it, so a "replace?"
    // question would be false. Qt's own dialog is used everywhere so that the
    // default extension and this option behave the same on every desktop.
    prepared_->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog |
                          QFileDialog::DontUseCustomDirectoryIcons);
    // Also serves the name box's completion, which lists the folder typed.
    prepared_->setIconProvider(icons_.get());
}

bool CommonDialog::ShowSave(QWidget* owner) {
    Prepare(owner);
    const std::unique_ptr<QFileDialog> dialog = std::move(prepared_);
    showing_ = true;
    dialog->setWindowTitle(DialogTitle);
    dialog->setDefaultSuffix(DefaultExt);
    // Named explicitly: left alone, Qt's dialog would open where any Qt
    // program's dialog was last, and list the folders it went to, as Qt's
    // settings remember them across starts; this program keeps nothing.
    dialog->setDirectory(last_folder_.isEmpty() ? QDir::currentPath() : last_folder_);
    dialog->setHistory({});
    if (!FileName.isEmpty()) dialog->selectFile(FileName);

    const bool chosen = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
    showing_ = false;
    FileName = chosen ? dialog->selectedFiles().constFirst() : QString();
    return !FileName.isEmpty();
}

void CommonDialog::OutputWritten() {
    if (!FileName.isEmpty()) last_folder_ = QFileInfo(FileName).absolutePath();
}
