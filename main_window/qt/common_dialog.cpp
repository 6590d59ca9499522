#include "common_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

CommonDialog::CommonDialog() = default;
CommonDialog::~CommonDialog() = default;

void CommonDialog::Prepare(QWidget* owner) {
    if (prepared_ || showing_) return;
    prepared_ = std::make_unique<QFileDialog>(owner);
    prepared_->setObjectName(QStringLiteral("CommonDialog1"));
    prepared_->setAcceptMode(QFileDialog::AcceptSave);
    prepared_->setFileMode(QFileDialog::AnyFile);
    // The listing is appended to the file, never replaces it, so a "replace?"
    // question would be false. Qt's own dialog is used everywhere so that the
    // default extension and this option behave the same on every desktop.
    prepared_->setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
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
    if (!FileName.isEmpty()) last_folder_ = QFileInfo(FileName).absolutePath();
    return !FileName.isEmpty();
}
